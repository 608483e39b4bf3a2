// The nut generators' records, as the scene document keeps them, where a slip changes the part.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "geometry/generaDadi.h"
#include "host/RuntimeError.h"
#include "nuts/NutWasherFixture.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;
using Strings = std::vector<std::string>;

const double kCos30 = std::cos(kMathPi / 6);
constexpr double kTol = 1e-12;  // the add-in's pi has fifteen digits

// The chamfer cutter from radius r0, size k; q = -1 for the bearing face, its flank rising.
std::vector<host::ref::ProfileCall> Cutter(double r0, double k, double q) {
  double out = r0 + k * kCos30;
  return Lines({{r0, 0},
                {out, -q * k / 2},
                {out + k / 4, -q * k / 2},
                {out + k / 4, q * k / 8},
                {r0, q * k / 8}});
}

NutDimensions Nut(std::int32_t kind, double s, double d, double H) {
  NutDimensions n;
  n.ComponentType = kind, n.DiametroEsterno = s, n.DiametroFiletto = d, n.Spessore = H;
  n.Passo = 1.5;
  return n;
}
// DIN 935 M12: hexagon 10, slots 3.65 wide and 5 deep, crown 17 across (or none).
NutDimensions Castle(double crown, std::int16_t slots) {
  NutDimensions n = Nut(2, 19, 12, 99);  // the castle's height is InizioCorona, not Spessore
  n.InizioCorona = 10, n.LargScanalatura = 5, n.Scanalatura = 3.65, n.DiametroCorona = crown;
  n.numCave = slots;
  return n;
}
// DIN 981 KM0: D 18, chamfer from 17, thread 10 × 0.75, height 4, slots 3 × 2.
NutDimensions RoundNut(std::int16_t slots) {
  NutDimensions n = Nut(9, 18, 10, 4);
  n.DiametroInterno = 17, n.Scanalatura = 3, n.LargScanalatura = 2, n.Passo = 0.75;
  n.numCave = slots;
  return n;
}

class Dadi : public NutWasherTest {};

TEST_F(Dadi, HexagonNutIsItsBodyThenTheMirroredBearingChamferThenTheTopOne) {
  BuildNutByType(part_, Nut(1, 16, 10, 8.4));  // ISO 4032 M10
  EXPECT_EQ(Summaries(part_), (Strings{"5 Body box 8 8 8.4 anchor 0 0 0",
                                       "6 Head Reshape cut box 1.6 1.6 1.6 anchor 0 0 0",
                                       "6 Head Reshape cut box 1.6 1.6 1.6 anchor 0 0 -8.4"}));
  ExpectLoop(Loop(Feature(0), 1), Circle(5), kTol);
  ExpectLoop(Loop(Feature(1)), Cutter(8, 1.6, -1), kTol);
  ExpectLoop(Loop(Feature(2)), Cutter(8, 1.6, 1), kTol);
  // The texture at (d/4, d/4, H/2) in metres, the nut's height in the diameter argument, laid
  // after the part service ran.
  auto& finishes = Component(Feature(0), 27).Finishes();
  ASSERT_EQ(finishes.size(), 1u);
  ExpectNear({finishes[0]->point.x, finishes[0]->point.y, finishes[0]->point.z},
             {0.0025, 0.0025, 0.0042}, 1e-15);
  EXPECT_NEAR(finishes[0]->projectionWidth, 3.14159265358979 * 8.4, kTol);
  EXPECT_NEAR(finishes[0]->projectionHeight, 6.25 * 1.5, kTol);
  EXPECT_EQ(document_.Calls().front(), "PartService.Run " + part_.SystemName());
}

TEST_F(Dadi, CastleRingAndSlotsSpanTheSameHeightsAndSlotlessOnesStartOnTheHexagon) {
  BuildNutByType(part_, Castle(17, 6));
  // After the hexagon 10 high and its chamfers: the ring from 10 up by the slot depth 5, then
  // six slots swept 19/2 + 19/8 out from the axis, each cut 5 down from the crown's top.
  Strings expected{"5 Body box 8.5 8.5 5 anchor 0 0 -10"};
  for (int i = 0; i < 6; ++i)
    expected.push_back("5 Recess cut box 1.825 1.825 11.875 anchor 0 0 -15");
  EXPECT_EQ(Summaries(part_, 3), expected);
  ExpectLoop(Loop(Feature(3), 1), Circle(6), kTol);  // the ring's bore is the thread's
  SceneShape& slot = Feature(4);
  ExpectLoop(Loop(slot),
             {{"SetStartPoint", {0, 1.825}},
              {"AddLineTo", {3.175, 1.825}},
              {"AddArcTo", {3.175, -1.825, 0.5}},
              {"AddLineTo", {0, -1.825}},
              {"AddLineTo", {0, 1.825}}},
             kTol);
  ExpectNear(ProfileTurn(Component(slot, 15)), {0, 1, 0, 90}, 0);  // stood upright
  for (int i = 0; i < 6; ++i) {
    ExpectNear(TurnedX(Feature(4 + i)), {std::cos(i * kMathPi / 3), std::sin(i * kMathPi / 3), 0},
               1e-9);
  }
  for (double crown : {0.0, -1.0}) {
    SceneShape& part = NewPart("slotted");
    BuildNutByType(part, Castle(crown, 6));
    ASSERT_EQ(part.Children().size(), 9u) << crown;
    EXPECT_EQ(Summary(*part.Children()[3]), "5 Recess cut box 1.825 1.825 11.875 anchor 0 0 -10");
  }
}

TEST_F(Dadi, OneSlotOrFewerMakesNoCopiesAndNoneDividesByZeroAfterTheFirst) {
  for (std::int16_t slots : {1, -1, -7}) {
    for (const NutDimensions& n : {Castle(17, slots), RoundNut(slots)}) {
      SceneShape& part = NewPart("few slots");
      BuildNutByType(part, n);
      EXPECT_EQ(Summaries(part).back().substr(0, 8), "5 Recess") << slots;
      EXPECT_NE(Summaries(part).end()[-2].substr(0, 8), "5 Recess") << slots;
    }
  }
  for (const NutDimensions& n : {Castle(17, 0), Castle(0, 0), RoundNut(0)}) {
    SceneShape& part = NewPart("no slots");
    try {
      BuildNutByType(part, n);
      ADD_FAILURE() << "no error for kind " << n.ComponentType;
    } catch (const host::RuntimeError& e) {
      EXPECT_EQ(e.Number(), host::err::kDivisionByZero);
      EXPECT_EQ(e.Description(), "Division by zero");
    }
    EXPECT_EQ(Summaries(part).back().substr(0, 8), "5 Recess");
    EXPECT_NE(Summaries(part).end()[-2].substr(0, 8), "5 Recess");
  }
}

TEST_F(Dadi, CollarRingStandsOnTheTopFaceWithTheThreadsBore) {
  NutDimensions n = Nut(3, 16, 10, 8.04);  // ISO 7040 M10
  n.DiametroCorona = 16, n.InizioCorona = 3.86;
  BuildNutByType(part_, n);
  EXPECT_EQ(Summaries(part_, 3), Strings{"5 Body box 8 8 3.86 anchor 0 0 -8.04"});
  ExpectLoop(Loop(Feature(3), 0), Circle(8), kTol);
  ExpectLoop(Loop(Feature(3), 1), Circle(5), kTol);
}

TEST_F(Dadi, RoundNutTextureUsesOneAndThreeQuarterPitchesAndItsSlotsOvershoot) {
  BuildNutByType(part_, RoundNut(4));
  EXPECT_EQ(Summaries(part_, 0).front(), "6 Body box 9 9 4 anchor 0 0 0");
  const double c = 1.75 * 0.75, tan30 = std::tan(kMathPi / 6);
  ExpectLoop(Loop(Feature(0)), Lines({{9, 0}, {9, 4 - 0.5 * tan30}, {8.5, 4}, {5, 4}, {5, 0}}),
             kTol);
  auto& finishes = Component(Feature(0), 27).Finishes();
  ASSERT_EQ(finishes.size(), 1u);
  EXPECT_NEAR(finishes[0]->projectionWidth, 3.14159265358979 * 4, kTol);
  EXPECT_NEAR(finishes[0]->projectionHeight, 6.25 * c, kTol);
  EXPECT_EQ(Summary(Feature(1)), "5 Recess cut box 3 2 4 anchor 0 0 0");
  ExpectLoop(Loop(Feature(1)), Lines({{1.5, 7}, {1.5, 9.2}, {-1.5, 9.2}, {-1.5, 7}}), kTol);
  ExpectNear(TurnedX(Feature(4)), {0, -1, 0}, 1e-9);  // the fourth slot, 270° on
}

TEST_F(Dadi, DomedCapIsRoundedWithinTheHexagonsTopFace) {
  NutDimensions n = Nut(6, 16, 10, 8);  // DIN 1587 M10
  n.DiametroCalotta = 15, n.DiametroInternoCalotta = 10, n.AltezzaCalotta = 10;
  n.AltezzaInternoCalotta = 5, n.RaggioCalotta = 4.9, n.RaggioInternoCalotta = 4.5;
  BuildNutByType(part_, n);
  // The dome on the top face, its base ring out to dk/2 + (s - dk)/2 - 0.1 = 7.9, inside the
  // flats; the foot rounded with 0.4, the top edge with R, the cavity's top edge with Ri.
  EXPECT_EQ(Summaries(part_, 3), (Strings{"6 Body box 7.9 7.9 10 anchor 0 0 -8"}));
  auto dome =
      Lines({{7.9, -2.5}, {7.9, 0}, {7.5, 0}, {7.5, 10}, {0, 10}, {0, 5}, {5, 5}, {5, -2.5}});
  dome.insert(dome.end(),
              {{"AddFilletAt", {3, 0.4}}, {"AddFilletAt", {5, 4.9}}, {"AddFilletAt", {9, 4.5}}});
  ExpectLoop(Loop(Feature(3)), dome, kTol);
}

TEST_F(Dadi, CutSquareCornersTouchTheCircleWhereTheTopChamferStarts) {
  NutDimensions n = Nut(5, 99, 10, 8);  // DIN 557 M10
  n.LatoRet = 17, n.DiametroInterno = 21.5;
  BuildNutByType(part_, n);
  EXPECT_EQ(Summaries(part_), (Strings{"5 Head box 10.75 10.75 8 anchor 0 0 0",
                                       "6 Head Reshape cut box 4.3 4.3 4.3 anchor 0 0 -8"}));
  ExpectLoop(Loop(Feature(1)), Cutter(10.75, 4.3, 1), kTol);
  // Eight points on the square's sides, from the side x = -L/2 towards +y; each 45° cut lies
  // Di/2 from the centre.
  const auto& calls = Loop(Feature(0), 0);
  ASSERT_EQ(calls.size(), 9u);
  EXPECT_EQ(calls[0].args[0], -8.5);
  EXPECT_GT(calls[1].args[1], calls[0].args[1]);
  for (const auto& call : calls) {
    EXPECT_EQ(std::max(std::abs(call.args[0]), std::abs(call.args[1])), 8.5);
  }
  for (std::size_t i = 0; i < 8; i += 2) {
    const auto& a = calls[i].args;
    const auto& b = calls[i + 1].args;
    EXPECT_NEAR(std::abs(b[0] - a[0]), std::abs(b[1] - a[1]), kTol) << "cut " << i / 2;
    double distance = std::abs(a[0] * b[1] - a[1] * b[0]) / std::hypot(b[0] - a[0], b[1] - a[1]);
    EXPECT_NEAR(distance, 21.5 / 2, kTol) << "cut " << i / 2;
  }
}

TEST_F(Dadi, KindsOutsideOneToNineAddNothing) {
  for (std::int32_t kind : {0, 10, -1}) BuildNutByType(part_, Nut(kind, 16, 10, 8));
  EXPECT_TRUE(part_.Children().empty());
}

}  // namespace
}  // namespace vormbrace::test
