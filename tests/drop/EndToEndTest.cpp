// From a drop to a finished part, as a designer does it: a plate with a 10.5 mm through hole
// comes in as STEP, a bolt is dropped on the hole's wall with a counterbore, and the saved scene
// holds everything and reloads to the same solids.
#include <gtest/gtest.h>

#include <cmath>

#include "host/DataObject.h"
#include "host/occt/Export.h"
#include "host/occt/Import.h"
#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneFile.h"
#include "support/Plate.h"
#include "support/CliFixture.h"

namespace {

using namespace vormbrace;
using host::ref::SceneShape;

constexpr double kPi = 3.14159265358979;

// The test plate with its 10.5 mm through hole, written as STEP by the solid kernel.
void WritePlate(const std::string& path) {
  host::ref::SceneDocument doc;
  test::AddPlate(doc);
  host::occt::ExportScene(doc, path);
}

host::occt::SolidFigures FiguresOf(host::ref::SceneDocument& doc, SceneShape& part) {
  host::occt::OcctEvaluator* kernel = host::occt::KernelOf(doc);
  if (kernel == nullptr) kernel = &host::occt::AttachKernel(doc);
  return kernel->Figures(part);
}

host::Component* TableOf(host::Shape& shape) {
  auto& tables = shape.Components(34);
  return tables.Count() > 0 ? &tables.Item(1) : nullptr;
}

using EndToEnd = test::CliFixture;

TEST_F(EndToEnd, BoltDroppedOnAHoleWallWithACounterbore) {
  WritePlate(Path("plate.step"));
  host::ref::SceneDocument before;
  double plateVolume =
      FiguresOf(before, host::occt::ImportStepPart(before, Path("plate.step"))).volume;

  // No size is given: the dialog takes it from the hole (10.5 gives M10).
  auto r = Run(
      "drop --import plate.step --at 0,0,5 --dir 5.25,0,-8 --kind bolt --family ISO --type 1 "
      "--standard \"ISO 4017\" --length 40 --hole counterbore --tolerance \"ISO 273 fine\" "
      "-o scene.json --export scene.step");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind("imported plate.step as ", 0), 0u) << r.out;

  auto scene = host::ref::LoadScene(Path("scene.json"));
  ASSERT_EQ(scene->Root().Children().size(), 2u);
  SceneShape& plate = *scene->Root().Children()[0];
  SceneShape& bolt = *scene->Root().Children()[1];

  EXPECT_EQ(bolt.Name(), "ISO 4017 M10x40 - 8.8");
  host::DataObject* bom = bolt.DataObject(host::kAttributeListGuid, false);
  ASSERT_NE(bom, nullptr);
  EXPECT_EQ(bom->EntryValue(2), "M10");
  EXPECT_EQ(bom->EntryValue(3), "40");
  EXPECT_EQ(bolt.DataObject(host::kDescriptionGuid, false)->PartNumber(), "ISO4017M104088");
  ASSERT_NE(TableOf(bolt), nullptr);
  EXPECT_EQ(TableOf(bolt)->Variable(2, 14).GetValue().AsText(), "M10");

  // The bolt stands on the hole's axis, upright, sunk into the counterbore by its head height.
  host::ref::RigidTransform frame = bolt.Frame();
  EXPECT_NEAR(frame.translation.x, 0, 1e-9);
  EXPECT_NEAR(frame.translation.y, 0, 1e-9);
  EXPECT_NEAR(frame.translation.z, -6.4, 1e-9);
  host::ref::Vec3 up = frame.rotation * host::ref::Vec3{0, 0, 1};
  EXPECT_NEAR(up.z, 1, 1e-12);

  // The plate lost the counterbore: diameter 1.2 × s / cos 30° plus the fine allowance 0.5,
  // 6.4 deep, around the 10.5 hole that was there (the new hole coincides with it).
  ASSERT_EQ(plate.Shapes(0).Count(), 2);
  host::Shape& hole = plate.Shapes(0).Item(2);
  EXPECT_EQ(hole.Name(), "CBHole  10");
  ASSERT_NE(TableOf(hole), nullptr);
  EXPECT_EQ(TableOf(hole)->Variable(2, 1).GetValue().AsText(), "FastHole");
  double rb = (1.2 * 16 / std::cos(30 * kPi / 180) + 0.5) / 2;
  double counterbore = kPi * (rb * rb - 5.25 * 5.25) * 6.4;
  host::occt::SolidFigures plateNow = FiguresOf(*scene, plate);
  EXPECT_TRUE(plateNow.valid);
  EXPECT_NEAR(plateVolume - plateNow.volume, counterbore, counterbore * 1e-4);
  host::occt::SolidFigures boltNow = FiguresOf(*scene, bolt);
  EXPECT_TRUE(boltNow.valid);
  EXPECT_EQ(boltNow.solids, 1);

  // Saved and reloaded, the scene gives the same solids.
  host::ref::SaveScene(*scene, Path("again.json"));
  auto reloaded = host::ref::LoadScene(Path("again.json"));
  EXPECT_NEAR(FiguresOf(*reloaded, *reloaded->Root().Children()[0]).volume, plateNow.volume, 1e-6);
  EXPECT_NEAR(FiguresOf(*reloaded, *reloaded->Root().Children()[1]).volume, boltNow.volume, 1e-6);
  EXPECT_EQ(host::occt::ReadStepProducts(Path("scene.step")).size(), 2u);
}

}  // namespace
