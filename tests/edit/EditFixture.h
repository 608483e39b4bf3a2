// Test support for editing placed parts: the program run in a scratch folder, scenes read back
// with the kernel, parts found by their system names, and a plate with a 10.5 mm hole to drop
// bolts and screws onto.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneFile.h"
#include "support/Plate.h"
#include "support/CliFixture.h"

namespace vormbrace::test {

inline constexpr double kPi = 3.14159265358979;

class EditFixture : public CliFixture {
 protected:
  // Runs and expects success.
  std::string Ok(const std::string& args) {
    CommandResult r = Run(args);
    EXPECT_EQ(r.exitCode, 0) << args << "\n" << r.err;
    return r.out;
  }

  // The scene file, loaded with a kernel.
  std::unique_ptr<host::ref::SceneDocument> Load(const std::string& name) {
    auto scene = host::ref::LoadScene(Path(name));
    host::occt::AttachKernel(*scene);
    return scene;
  }
  static host::ref::SceneShape& Root(host::ref::SceneDocument& scene, std::size_t i) {
    return *scene.Root().Children().at(i);
  }
  static host::occt::SolidFigures Figures(host::ref::SceneDocument& scene,
                                          host::ref::SceneShape& part) {
    return host::occt::KernelOf(scene)->Figures(part);
  }
  static host::Component& Table(host::Shape& shape) { return shape.Components(34).Item(1); }
  static double Cell(host::Shape& shape, std::int16_t row) {
    return Table(shape).Variable(1, row).GetValue().AsDouble();
  }
  static std::string Text(host::Shape& shape, std::int16_t row) {
    return Table(shape).Variable(2, row).GetValue().AsText();
  }

  // The component properties of a catalogue record, as `vormbrace record` gives them.
  nlohmann::json Properties(const std::string& args) {
    return nlohmann::json::parse(Ok("record " + args))["properties"];
  }

  // Drops ISO 4017 `size` x `length` 8.8 alone into the new scene `out`; answers its system name.
  std::string DropHexBolt(const std::string& size, const std::string& length,
                          const std::string& out) {
    Ok("drop --kind bolt --family ISO --type 1 --standard \"ISO 4017\" --size " + size +
       " --length " + length + " --material 8.8 -o " + out);
    return Root(*Load(out), 0).SystemName();
  }
  // The solid of ISO 4017 `size` x `length` 8.8 dropped alone, to compare a rebuilt part with.
  host::occt::SolidFigures HexBoltAlone(const std::string& size, const std::string& length) {
    DropHexBolt(size, length, "alone.json");
    auto scene = Load("alone.json");
    return Figures(*scene, Root(*scene, 0));
  }

  // plate.json: the test plate alone (40 × 40 × 10, top at z = 0, a 10.5 hole on the Z axis).
  void WritePlateScene() {
    host::ref::SceneDocument doc;
    AddPlate(doc);
    host::ref::SaveScene(doc, Path("plate.json"));
  }
  // Drops onto the hole's wall of plate.json (fine tolerance: the hole stays 10.5 wide).
  std::string DropOnPlate(const std::string& choices, const std::string& out) {
    return Ok("drop plate.json --at 0,0,5 --dir 5.25,0,-8 --tolerance \"ISO 273 fine\" -o " + out +
              " " + choices);
  }
};

// The plate's own volume: 40 × 40 × 10 less its 10.5 hole.
inline double PlateVolume() {
  return kPlateSide * kPlateSide * kPlateThickness -
         kPi * kPlateHoleRadius * kPlateHoleRadius * kPlateThickness;
}

}  // namespace vormbrace::test
