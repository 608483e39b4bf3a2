// vormbrace copy and edit: a part and its copies rebuilt together from a double-click edit,
// each in its own place; a copy whose standard lacks the new size is suppressed until a later
// edit gives it one; bad input leaves the scene file as it was.
#include <cmath>

#include "edit/EditFixture.h"
#include "host/DataObject.h"
#include "host/occt/Export.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;
using host::ref::Vec3;

class EditCopies : public EditFixture {};

Vec3 Up(SceneShape& part) { return part.Frame().rotation * Vec3{0, 0, 1}; }

TEST_F(EditCopies, EditingOneOfThreeCopiesRebuildsAllInTheirOwnPlaces) {
  const std::string bolt = DropHexBolt("M10", "40", "s.json");
  Ok("copy s.json --part " + bolt + " --at 50,0,0");
  Ok("copy s.json --part " + bolt + " --at 0,50,0 --dir 1,0,0");
  auto before = Load("s.json");
  ASSERT_EQ(before->Root().Children().size(), 3u);
  const double m10 = Figures(*before, Root(*before, 0)).volume;

  // A double-click on the last copy, a new size, OK.
  const std::string edited = Root(*before, 2).SystemName();
  const std::string report = Ok("edit s.json --part " + edited + " --size M12 --export s.step");
  const host::occt::SolidFigures m12 = HexBoltAlone("M12", "40");

  auto after = Load("s.json");
  ASSERT_EQ(after->Root().Children().size(), 3u);
  const Vec3 places[] = {{0, 0, 0}, {50, 0, 0}, {0, 50, 0}};
  for (std::size_t i = 0; i < 3; ++i) {
    SceneShape& part = Root(*after, i);
    SCOPED_TRACE(part.SystemName());
    EXPECT_EQ(part.SystemName(), Root(*before, i).SystemName());
    EXPECT_NE(report.find("rebuilt " + part.SystemName() + "\n"), std::string::npos) << report;
    EXPECT_EQ(part.Name(), "ISO 4017 M12x40 - 8.8");
    EXPECT_EQ(Text(part, 14), "M12");
    EXPECT_EQ(Cell(part, 2), Cell(Root(*before, 0), 2));  // the link between the copies stays
    const Vec3 at = part.Frame().translation;
    EXPECT_NEAR(Length(at - places[i]), 0, 1e-9);
    EXPECT_NEAR(Length(Up(part) - Up(Root(*before, i))), 0, 1e-9);
    host::occt::SolidFigures f = Figures(*after, part);
    EXPECT_TRUE(f.valid);
    EXPECT_EQ(f.solids, 1);
    EXPECT_NEAR(f.volume, m12.volume, 1e-6);
    EXPECT_NEAR(f.boxMin.z, m12.boxMin.z, 1e-6);
  }
  EXPECT_GT(Figures(*after, Root(*after, 0)).volume, m10 * 1.3);
  EXPECT_NEAR(Up(Root(*after, 2)).x, 1, 1e-12);
  EXPECT_EQ(host::occt::ReadStepProducts(Path("s.step")).size(), 3u);
}

TEST_F(EditCopies, CopyWithoutTheNewSizeIsSuppressedUntilAGoodEdit) {
  // Flange bolts (ISO 4162: M5 to M16), copied; the original becomes an ISO 4017 M20 bolt, so
  // the copy, which keeps its own standard, finds no M20 record.
  Ok("drop --kind bolt --family ISO --type 2 --standard \"ISO 4162\" --size M10 --length 40 "
     "--material 8.8 -o s.json");
  const std::string original = Root(*Load("s.json"), 0).SystemName();
  Ok("copy s.json --part " + original + " --at 40,0,0");
  const std::string copy = Root(*Load("s.json"), 1).SystemName();
  const std::string report = Ok("edit s.json --part " + original +
                                " --type 1 --standard \"ISO 4017\" --size M20 --length 40");
  EXPECT_NE(report.find("Measurement not valid\n    suppressed\n"), std::string::npos) << report;
  auto scene = Load("s.json");
  EXPECT_EQ(Root(*scene, 0).Name(), "ISO 4017 M20x40 - 8.8");
  EXPECT_TRUE(Root(*scene, 1).Suppressed());
  EXPECT_EQ(Root(*scene, 1).Name(), "Measurement not valid");

  // A double-click on the suppressed copy itself, with a size its standard has, brings it
  // back, still a flange bolt at its own place; the original follows with its own standard.
  Ok("edit s.json --part " + copy + " --size M12 --length 40");
  scene = Load("s.json");
  SceneShape& back = Root(*scene, 1);
  EXPECT_EQ(back.SystemName(), copy);
  EXPECT_FALSE(back.Suppressed());
  EXPECT_EQ(back.Name(), "ISO 4162 M12x40 - 8.8");
  EXPECT_NEAR(back.Frame().translation.x, 40, 1e-9);
  EXPECT_EQ(Root(*scene, 0).Name(), "ISO 4017 M12x40 - 8.8");
  for (SceneShape* part : {&Root(*scene, 0), &back}) {
    host::occt::SolidFigures f = Figures(*scene, *part);
    EXPECT_TRUE(f.valid);
    EXPECT_EQ(f.solids, 1);
  }
}

// A washer dropped onto a bolt's shank takes the bolt's identifier: linked, not a copy. Washers
// dropped on nothing carry identifier 0, which links nothing.
TEST_F(EditCopies, LinkedWashersAndUnlinkedOnesAreNotRebuiltAsCopies) {
  DropHexBolt("M10", "40", "s.json");
  Ok("drop s.json --at 20,0,-20 --dir -1,0,0 --kind washer");
  Ok("drop s.json --kind washer --family ISO --size M10 --at 60,0,0");
  Ok("drop s.json --kind washer --family ISO --size M10 --at 90,0,0");
  auto before = Load("s.json");
  ASSERT_EQ(before->Root().Children().size(), 4u);
  SceneShape& linked = Root(*before, 1);
  ASSERT_EQ(Cell(linked, 2), Cell(Root(*before, 0), 2));
  ASSERT_EQ(Cell(Root(*before, 2), 2), 0);
  ASSERT_EQ(Cell(Root(*before, 3), 2), 0);
  const double volume = Figures(*before, linked).volume;

  Ok("edit s.json --part " + Root(*before, 0).SystemName() + " --size M12");
  Ok("edit s.json --part " + Root(*before, 2).SystemName() + " --size M12");
  auto after = Load("s.json");
  EXPECT_EQ(Root(*after, 0).Name(), "ISO 4017 M12x40 - 8.8");
  EXPECT_EQ(Root(*after, 1).Name(), linked.Name());
  EXPECT_NEAR(Figures(*after, Root(*after, 1)).volume, volume, 1e-9);
  EXPECT_NE(Root(*after, 2).Name(), Root(*before, 2).Name());
  EXPECT_EQ(Root(*after, 3).Name(), Root(*before, 3).Name());
}

TEST_F(EditCopies, BadInputLeavesTheSceneUntouched) {
  WritePlateScene();
  DropOnPlate("--kind bolt --family ISO --type 1 --standard \"ISO 4017\" --size M10 --length 40",
              "s.json");
  Ok("drop s.json --kind washer --at 100,0,0");
  const std::string bolt = Root(*Load("s.json"), 1).SystemName();
  Ok("copy s.json --part " + bolt + " --at 0,60,0");
  auto scene = Load("s.json");
  const std::string plate = Root(*scene, 0).SystemName();
  const std::string washer = Root(*scene, 2).SystemName();
  const std::string saved = Read("s.json");

  const std::pair<std::string, std::string> cases[] = {
      {"edit s.json --part Nope", "no part \"Nope\"; the parts are: " + plate + " \"Plate\", "},
      {"edit s.json --part \"ISO 4017 M10x40 - 8.8\"",
       "several parts are named \"ISO 4017 M10x40 - 8.8\": name one by its system name"},
      {"edit s.json --part " + bolt + " --size M7", "no size \"M7\" in ISO 4017"},
      {"edit s.json --part " + plate, "\"Plate\" has no fastener data table"},
      {"copy s.json --part Nope", "no part \"Nope\""},
      {"set s.json --part " + bolt + " --length -5", "--length takes a length in mm above 0"},
      {"set s.json --part " + bolt + " --length 1e9", "and at most 10000, not \"1e9\""},
      {"set s.json --part " + bolt + " --length abc", "not \"abc\""},
      {"set s.json --part " + bolt, "give either --length or --expression"},
      {"set s.json --part " + bolt + " --expression \"2*(\"",
       "--expression: formula \"2*(\" at character 4: the formula ends too early"},
      {"set s.json --part " + washer + " --length 10", "is not a bolt or screw"},
      {"set s.json --part " + plate + " --length 10", "has no fastener data table"},
  };
  for (const auto& [args, message] : cases) {
    CommandResult r = Run(args);
    EXPECT_NE(r.exitCode, 0) << args;
    EXPECT_NE(r.err.find(message), std::string::npos) << args << "\n" << r.err;
    EXPECT_EQ(Read("s.json"), saved) << args;
  }
}

}  // namespace
}  // namespace vormbrace::test
