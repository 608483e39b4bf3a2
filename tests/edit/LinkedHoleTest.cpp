// The hole a bolt or screw was dropped with follows an edit of its head: the hole table takes
// the new head, the counterbore or countersink is recut, and the fastener moves along its axis
// so that its head sits on the hole's new floor.
#include <cmath>

#include "edit/EditFixture.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;

class LinkedHole : public EditFixture {};

constexpr double kFine = 0.5;  // ISO 273 fine allowance at M10: the hole stays 10.5 wide
constexpr double kCos30 = 0.866025403784439;

// What a counterbore of diameter `diameter` (before the allowance) and depth `depth` removes
// from the plate beyond its own 10.5 hole.
double CounterboreVolume(double diameter, double depth) {
  const double r = (diameter + kFine) / 2;
  return kPi * (r * r - kPlateHoleRadius * kPlateHoleRadius) * depth;
}

TEST_F(LinkedHole, BoltWithATallerHeadSinksToTheNewCounterboreFloor) {
  WritePlateScene();
  DropOnPlate(
      "--kind bolt --family ISO --type 1 --standard \"ISO 4017\" --size M10 --length 40 "
      "--hole counterbore",
      "s.json");
  const nlohmann::json oldHead =
      Properties("--kind bolts --type 1 --standard \"ISO 4017\" --size M10 --length 40");
  const nlohmann::json newHead =
      Properties("--kind bolts --type 2 --standard \"ISO 4162\" --size M10 --length 40");
  const double kOld = oldHead["LungTesta"], kNew = newHead["LungTesta"];
  ASSERT_NE(kOld, kNew);
  const double oldBore =
      CounterboreVolume(1.2 * oldHead["DiamCerchioTesta"].get<double>() / kCos30, kOld);
  const double newBore =
      CounterboreVolume(1.2 * newHead["DiamCerchioTesta"].get<double>() / kCos30, kNew);
  auto before = Load("s.json");
  EXPECT_NEAR(before->Root().Children()[1]->Frame().translation.z, -kOld, 1e-9);
  EXPECT_NEAR(Figures(*before, Root(*before, 0)).volume, PlateVolume() - oldBore, 1e-2);

  const std::string bolt = Root(*before, 1).SystemName();
  const std::string report =
      Ok("edit s.json --part " + bolt + " --type 2 --standard \"ISO 4162\" --length 40");
  EXPECT_NE(report.find("rebuilt " + Root(*before, 0).SystemName()), std::string::npos) << report;

  auto after = Load("s.json");
  SceneShape& plate = Root(*after, 0);
  SceneShape& moved = Root(*after, 1);
  SceneShape& hole = *plate.Children().back();  // the feature the drop added
  EXPECT_EQ(Text(hole, 1), "FastHole");
  EXPECT_DOUBLE_EQ(Cell(hole, 7), kNew);
  EXPECT_EQ(moved.Name(), "ISO 4162 M10x40 - 8.8");
  // The head's underside (the part's z = 0) sits on the counterbore floor, on the same axis.
  EXPECT_NEAR(moved.Frame().translation.z, -kNew, 1e-9);
  EXPECT_NEAR(moved.Frame().translation.x, 0, 1e-9);
  host::occt::SolidFigures f = Figures(*after, plate);
  EXPECT_TRUE(f.valid);
  EXPECT_EQ(f.solids, 1);
  EXPECT_NEAR(Figures(*before, Root(*before, 0)).volume - f.volume, newBore - oldBore, 1e-2);
  EXPECT_TRUE(Figures(*after, moved).valid);
}

TEST_F(LinkedHole, ScrewEditedToACountersunkHeadTurnsItsCounterboreIntoACountersink) {
  WritePlateScene();
  DropOnPlate(
      "--kind screw --family ISO --type 1 --standard \"ISO 4762\" --size M10 --length 30 "
      "--hole counterbore",
      "s.json");
  const nlohmann::json oldHead =
      Properties("--kind screws --type 1 --standard \"ISO 4762\" --size M10 --length 30");
  const nlohmann::json newHead =
      Properties("--kind screws --type 2 --standard \"ISO 10642\" --size M10 --length 30");
  const double depth = oldHead["LungTesta"];
  auto before = Load("s.json");
  const std::string screw = Root(*before, 1).SystemName();
  EXPECT_NEAR(Root(*before, 1).Frame().translation.z, -depth, 1e-9);

  Ok("edit s.json --part " + screw + " --type 2 --standard \"ISO 10642\" --length 30");

  auto after = Load("s.json");
  SceneShape& plate = Root(*after, 0);
  SceneShape& hole = *plate.Children().back();  // the feature the drop added
  const double dcs = newHead["DiamCerchioTesta"], angle = newHead["Var1"];
  EXPECT_EQ(Cell(hole, 1), 3);
  EXPECT_DOUBLE_EQ(Cell(hole, 6), dcs);
  EXPECT_EQ(hole.Name(), "CSHole  10");
  // The screw came up by the old counterbore's depth: its head now starts at the surface.
  EXPECT_NEAR(Root(*after, 1).Frame().translation.z, 0, 1e-9);
  // The countersink: a cone from dcs at the surface down to the 10.5 hole, at the head's angle.
  const double r = kPlateHoleRadius, R = dcs / 2;
  const double h = (R - r) / std::tan(angle / 2 * kPi / 180);
  const double cone = kPi * h / 3 * (R * R + R * r + r * r) - kPi * r * r * h;
  host::occt::SolidFigures f = Figures(*after, plate);
  EXPECT_TRUE(f.valid);
  EXPECT_EQ(f.solids, 1);
  EXPECT_NEAR(f.volume, PlateVolume() - cone, 1e-2);
}

}  // namespace
}  // namespace vormbrace::test
