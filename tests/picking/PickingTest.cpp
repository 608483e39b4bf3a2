// Picking on real solids, and STEP parts imported into a scene.
#include <gtest/gtest.h>

#include <cmath>

#include "host/occt/Export.h"
#include "host/occt/Import.h"
#include "host/occt/OcctEvaluator.h"
#include "host/occt/Picking.h"
#include "host/reference/SceneFile.h"
#include "support/Plate.h"
#include "support/NearVec3.h"
#include "support/TestHost.h"

namespace {

using host::occt::PickScene;
using host::ref::SceneShape;
using host::ref::Vec3;

constexpr double kTol = 1e-6;
using vormbrace::test::kPlateHoleRadius;
constexpr double kPlate = vormbrace::test::kPlateSide,
                 kThickness = vormbrace::test::kPlateThickness, kHoleRadius = kPlateHoleRadius;

using vormbrace::test::ExpectNear;

class PickingTest : public ::testing::Test {
 protected:
  PickingTest() { host::occt::AttachKernel(doc_); }
  vormbrace::test::TestHost host_;
  host::ref::SceneDocument doc_;
};

// Rays at the plate: onto the top face (a plane with its outward normal), slanting from above
// the hole's centre to its wall 3 below the top (the radius, the axis at the entry, the wall
// facing into the hole), next to the hole's top edge (the circle), beside the plate and down
// the hole's middle (nothing: a free drop where the ray began).
TEST_F(PickingTest, EachRayReportsWhatItHitWithItsFigures) {
  SceneShape& plate = vormbrace::test::AddPlate(doc_);
  const double r = kHoleRadius;
  struct Case {
    const char* what;
    Vec3 from, dir;
    std::int32_t element, geometry;
    Vec3 pick, normal, axisPoint, axis, edge;
    double radius;
  } cases[] = {
      {"top face", {15, 5, 50}, {0, 0, -1}, 3, 1, {15, 5, 0}, {0, 0, 1}, {}, {}, {}, 0},
      {"hole wall", {0, 0, 5}, {r, 0, -8}, 3, 2, {r, 0, -3}, {-1, 0, 0}, {}, {0, 0, 1}, {}, r},
      {"hole edge", {r + 0.01, 0, 50}, {0, 0, -1}, 2, 2, {}, {}, {}, {}, {0, 0, 1}, r},
      {"beside", {100, 0, 50}, {0, 0, -1}, 0, 0, {}, {}, {}, {}, {}, 0},
      {"down the hole", {0, 0, 50}, {0, 0, -1}, 0, 0, {}, {}, {}, {}, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    host::ref::DropHit hit = PickScene(doc_, c.from, c.dir);
    EXPECT_EQ(hit.elementType, c.element);
    EXPECT_EQ(hit.geometryType, c.geometry);
    EXPECT_NEAR(hit.majorRadius, c.radius, kTol);
    ExpectNear(hit.axisPoint, c.axisPoint);
    if (c.element == 0) {
      ExpectNear(hit.dropPoint, c.from);
      EXPECT_TRUE(hit.path.empty());
      continue;
    }
    ASSERT_EQ(hit.path.size(), 2u);
    EXPECT_EQ(hit.path.front(), &doc_.Root());
    EXPECT_EQ(hit.path.back(), &plate);
    if (c.element == 3) {
      ExpectNear(hit.pickPoint, c.pick);
      ExpectNear(hit.faceNormal, c.normal);
      ExpectNear(hit.axisDirection, c.axis);
    } else {
      ExpectNear(hit.edgeDirection, c.edge);
    }
  }
}

TEST_F(PickingTest, PointsAreInTheHitPartsFrame) {
  SceneShape& plate = vormbrace::test::AddPlate(doc_);
  host::ref::RigidTransform frame{host::ref::RotationAboutAxis({1, 0, 0}, 90), {100, 0, 0}};
  plate.SetFrame(frame);  // the top face now faces -Y, at y = 0
  host::ref::DropHit hit = PickScene(doc_, {110, -50, 5}, {0, 1, 0});
  EXPECT_EQ(hit.geometryType, 1);
  ExpectNear(hit.pickPoint, {10, 5, 0});
  ExpectNear(hit.faceNormal, {0, 0, 1});
}

TEST_F(PickingTest, ImportedStepPartCanBePickedSavedAndReloaded) {
  vormbrace::test::AddPlate(doc_);
  std::string step = (host_.Scratch() / "plate.step").string();
  host::occt::ExportScene(doc_, step);

  host::ref::SceneDocument scene;
  host::occt::AttachKernel(scene);
  SceneShape& imported = host::occt::ImportStepPart(scene, step);
  EXPECT_EQ(imported.Name(), "plate");
  host::occt::SolidFigures figures = host::occt::KernelOf(scene)->Figures(imported);
  double volume = kPlate * kPlate * kThickness - M_PI * kHoleRadius * kHoleRadius * kThickness;
  EXPECT_TRUE(figures.valid);
  EXPECT_NEAR(figures.volume, volume, volume * 1e-6);
  host::ref::DropHit hit = PickScene(scene, {0, 0, 5}, {kHoleRadius, 0, -8});
  EXPECT_EQ(hit.geometryType, 2);
  EXPECT_NEAR(hit.majorRadius, kHoleRadius, 1e-6);

  std::string path = (host_.Scratch() / "scene.json").string();
  host::ref::SaveScene(scene, path);
  auto reloaded = host::ref::LoadScene(path);
  host::occt::AttachKernel(*reloaded);
  auto& part = static_cast<SceneShape&>(reloaded->RootShape().Shapes(host::kShapePart).Item(1));
  EXPECT_NEAR(host::occt::KernelOf(*reloaded)->Figures(part).volume, volume, volume * 1e-6);
}

TEST_F(PickingTest, FilesThatAreNoStepPartsAreRefusedByName) {
  std::string text = host_.WriteFile("notes.step", "ISO-10303-21;\nthis is not a part\n");
  EXPECT_THROW(host::occt::ImportStepPart(doc_, text), host::occt::ImportError);
  EXPECT_THROW(host::occt::ImportStepPart(doc_, (host_.Scratch() / "none.step").string()),
               host::occt::ImportError);
  EXPECT_EQ(doc_.RootShape().Shapes(0).Count(), 0);
}

}  // namespace
