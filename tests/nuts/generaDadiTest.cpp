// The nut generators' records: features, size boxes, anchors, loops, turns and textures as the
// scene document keeps them, for the cases where a slip changes the part.
#include <cmath>
#include <string>
#include <vector>

#include "geometry/generaDadi.h"
#include "host/RuntimeError.h"
#include "nuts/NutWasherFixture.h"

namespace vormbrace::test {
namespace {

using host::ref::ProfileCall;
using host::ref::SceneShape;

const double kCos30 = std::cos(kMathPi / 6);
const double kTan30 = std::tan(kMathPi / 6);
// Coordinates are computed with the add-in's 15-digit pi.
constexpr double kTol = 1e-12;

std::vector<ProfileCall> Circle(double r) {
  return {{"SetStartPoint", {0, 0}}, {"AddEllipse", {0, 0, r}}};
}

// A closed loop of lines through the points.
std::vector<ProfileCall> Lines(const std::vector<std::vector<double>>& points) {
  std::vector<ProfileCall> calls{{"SetStartPoint", points.front()}};
  for (std::size_t i = 1; i < points.size(); ++i) calls.push_back({"AddLineTo", points[i]});
  calls.push_back({"AddLineTo", points.front()});
  return calls;
}

std::vector<ProfileCall> Hexagon(double s) {
  double e = s / 2 / kCos30;
  return Lines(
      {{s / 2, e / 2}, {0, e}, {-s / 2, e / 2}, {-s / 2, -e / 2}, {0, -e}, {s / 2, -e / 2}});
}

// The chamfer cutter from radius r0, size k; q = -1 for the bearing face.
std::vector<ProfileCall> Cutter(double r0, double k, double q) {
  double out = r0 + k * kCos30;
  return Lines({{r0, 0},
                {out, -q * k / 2},
                {out + k / 4, -q * k / 2},
                {out + k / 4, q * k / 8},
                {r0, q * k / 8}});
}

class Dadi : public NutWasherTest {
 protected:
  // M10 castle proportions (DIN 935 M12 crowned): s 19, d 12, hexagon 10, slots 3.65 wide and
  // 5 deep, crown 17 across, six slots.
  static NutDimensions Castle(double crown, std::int16_t slots) {
    NutDimensions n;
    n.ComponentType = 2;
    n.DiametroEsterno = 19, n.DiametroFiletto = 12, n.InizioCorona = 10, n.Passo = 1.75;
    n.LargScanalatura = 5, n.Scanalatura = 3.65, n.DiametroCorona = crown, n.numCave = slots;
    n.Spessore = 99;  // not read by this kind
    return n;
  }
  // DIN 981 KM0: D 18, chamfer from 17, thread 10 × 0.75, height 4, four slots 3 × 2.
  static NutDimensions RoundNut(std::int16_t slots) {
    NutDimensions n;
    n.ComponentType = 9;
    n.DiametroEsterno = 18, n.DiametroInterno = 17, n.DiametroFiletto = 10, n.Spessore = 4;
    n.Scanalatura = 3, n.LargScanalatura = 2, n.Passo = 0.75, n.numCave = slots;
    return n;
  }
  static void ExpectFeature(SceneShape& f, int kind, const std::string& name, bool removal,
                            const std::vector<double>& box, const std::vector<double>& anchor) {
    EXPECT_EQ(f.Type(), kind) << f.SystemName();
    EXPECT_EQ(f.Name(), name) << f.SystemName();
    EXPECT_EQ(IsRemoval(f), removal) << f.SystemName();
    ExpectNear(Triple(f, 1), box, kTol);
    ExpectNear(Triple(f, 5), anchor, kTol);
    ExpectNear(Triple(f, 4), {0, 0, 0}, 0);
    ExpectNear(ProfileOrigin(f), {0, 0, 0}, 0);
  }
};

TEST_F(Dadi, HexagonNutIsItsBodyThenTheMirroredBearingChamferThenTheTopOne) {
  NutDimensions n;
  n.ComponentType = 1, n.DiametroEsterno = 16, n.DiametroFiletto = 10, n.Spessore = 8.4;
  n.Passo = 1.5;
  BuildNutByType(part_, n);
  ASSERT_EQ(Features().size(), 3u);
  SceneShape& body = Feature(0);
  ExpectFeature(body, 5, "Body", false, {8, 8, 8.4}, {0, 0, 0});
  ExpectLoop(Loop(body, 0), Hexagon(16), kTol);
  ExpectLoop(Loop(body, 1), Circle(5), kTol);
  ExpectFeature(Feature(1), 6, "Head Reshape", true, {1.6, 1.6, 1.6}, {0, 0, 0});
  ExpectLoop(Loop(Feature(1)), Cutter(8, 1.6, -1), kTol);
  ExpectFeature(Feature(2), 6, "Head Reshape", true, {1.6, 1.6, 1.6}, {0, 0, -8.4});
  ExpectLoop(Loop(Feature(2)), Cutter(8, 1.6, 1), kTol);

  // The texture: at (d/4, d/4, H/2) in metres, the nut's height in the diameter argument.
  auto& finishes = Component(body, 27).Finishes();
  ASSERT_EQ(finishes.size(), 1u);
  EXPECT_NEAR(finishes[0]->point.x, 0.0025, 1e-15);
  EXPECT_NEAR(finishes[0]->point.y, 0.0025, 1e-15);
  EXPECT_NEAR(finishes[0]->point.z, 0.0042, 1e-15);
  EXPECT_NEAR(finishes[0]->projectionWidth, 3.14159265358979 * 8.4, kTol);
  EXPECT_NEAR(finishes[0]->projectionHeight, 6.25 * 1.5, kTol);
  // The part service runs before the texture is laid.
  const auto& calls = document_.Calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front(), "PartService.Run " + part_.SystemName());
}

TEST_F(Dadi, CastleNutRingAndSlotsSpanTheSameHeights) {
  BuildNutByType(part_, Castle(17, 6));
  // Body and its chamfers at the top of the hexagon (InizioCorona), the ring, six slots.
  ASSERT_EQ(Features().size(), 10u);
  ExpectFeature(Feature(0), 5, "Body", false, {9.5, 9.5, 10}, {0, 0, 0});
  ExpectFeature(Feature(2), 6, "Head Reshape", true, {1.9, 1.9, 1.9}, {0, 0, -10});
  SceneShape& ring = Feature(3);
  ExpectFeature(ring, 5, "Body", false, {8.5, 8.5, 5}, {0, 0, -10});
  ExpectLoop(Loop(ring, 0), Circle(8.5), kTol);
  ExpectLoop(Loop(ring, 1), Circle(0.91 * 6), kTol);

  // The slot: from the crown's top (10 + 5) down by 5, round end at the bottom, swept 19/2 +
  // 19/8 out from the axis after a quarter turn about Y.
  SceneShape& slot = Feature(4);
  ExpectFeature(slot, 5, "Recess", true, {1.825, 1.825, 11.875}, {0, 0, -15});
  ExpectLoop(Loop(slot),
             {{"SetStartPoint", {0, 1.825}},
              {"AddLineTo", {3.175, 1.825}},
              {"AddArcTo", {3.175, -1.825, 0.5}},
              {"AddLineTo", {0, -1.825}},
              {"AddLineTo", {0, 1.825}}},
             kTol);
  ExpectNear(ProfileTurn(Component(slot, 15)), {0, 1, 0, 90}, 0);
  // Each copy is the previous one turned 60° further about the nut axis.
  for (int i = 0; i < 6; ++i) {
    SceneShape& copy = Feature(4 + i);
    EXPECT_EQ(copy.Name(), "Recess");
    EXPECT_TRUE(IsRemoval(copy));
    ExpectNear(Triple(copy, 5), {0, 0, -15}, kTol);
    host::ref::Vec3 x = TurnedX(copy);
    ExpectNear({x.x, x.y, x.z}, {std::cos(i * kMathPi / 3), std::sin(i * kMathPi / 3), 0}, 1e-9);
  }

  // Without a ring (crown diameter 0 or less) the slots start at the top of the hexagon.
  for (double crown : {0.0, -1.0}) {
    SceneShape& part = NewPart("slotted");
    BuildNutByType(part, Castle(crown, 6));
    std::vector<SceneShape*> bodies = Named(part, "Body");
    ASSERT_EQ(bodies.size(), 1u) << crown;
    std::vector<SceneShape*> slots = Named(part, "Recess");
    ASSERT_EQ(slots.size(), 6u);
    ExpectNear(Triple(*slots[0], 5), {0, 0, -10}, kTol);
  }
}

TEST_F(Dadi, OneSlotOrFewerMakesNoCopies) {
  for (std::int16_t slots : {1, -1, -7}) {
    SceneShape& castle = NewPart("castle");
    BuildNutByType(castle, Castle(17, slots));
    EXPECT_EQ(Named(castle, "Recess").size(), 1u) << slots;
    SceneShape& round = NewPart("round");
    BuildNutByType(round, RoundNut(slots));
    EXPECT_EQ(Named(round, "Recess").size(), 1u) << slots;
  }
}

TEST_F(Dadi, NoSlotsIsADivisionByZeroAfterTheFirstSlot) {
  struct Case {
    NutDimensions nut;
    std::size_t features;  // up to and with the first slot
  };
  for (const Case& c : {Case{Castle(17, 0), 5}, Case{Castle(0, 0), 4}, Case{RoundNut(0), 2}}) {
    SceneShape& part = NewPart("no slots");
    try {
      BuildNutByType(part, c.nut);
      ADD_FAILURE() << "no error for kind " << c.nut.ComponentType;
    } catch (const host::RuntimeError& e) {
      EXPECT_EQ(e.Number(), host::err::kDivisionByZero);
      EXPECT_EQ(e.Description(), "Division by zero");
    }
    ASSERT_EQ(part.Children().size(), c.features);
    EXPECT_EQ(part.Children().back()->Name(), "Recess");
  }
}

TEST_F(Dadi, CollarRingStandsOnTheTopFaceWithABoreOf091D) {
  // ISO 7040 M10: hexagon 8.04, ring 16 across, 3.86 high.
  NutDimensions n;
  n.ComponentType = 3, n.DiametroEsterno = 16, n.DiametroFiletto = 10, n.Spessore = 8.04;
  n.Passo = 1.5, n.DiametroCorona = 16, n.InizioCorona = 3.86;
  BuildNutByType(part_, n);
  ASSERT_EQ(Features().size(), 4u);
  SceneShape& ring = Feature(3);
  ExpectFeature(ring, 5, "Body", false, {8, 8, 3.86}, {0, 0, -8.04});
  ExpectLoop(Loop(ring, 0), Circle(8), kTol);
  ExpectLoop(Loop(ring, 1), Circle(4.55), kTol);
  EXPECT_EQ(ring.Store().First(27), nullptr) << "the ring carries no texture";
}

TEST_F(Dadi, RoundNutNarrowsItsBoreAndTexturesWithOneAndThreeQuarterPitches) {
  BuildNutByType(part_, RoundNut(4));
  ASSERT_EQ(Features().size(), 5u);
  SceneShape& body = Feature(0);
  ExpectFeature(body, 6, "Body", false, {9, 9, 4}, {0, 0, 0});
  const double c = 1.75 * 0.75;
  ExpectLoop(Loop(body),
             Lines({{9, 0},
                    {9, 4 - 0.5 * kTan30},
                    {8.5, 4},
                    {5, 4},
                    {5 - c, 4 - c * kTan30},
                    {5 - c, c * kTan30},
                    {5, 0}}),
             kTol);
  auto& finishes = Component(body, 27).Finishes();
  ASSERT_EQ(finishes.size(), 1u);
  EXPECT_NEAR(finishes[0]->projectionWidth, 3.14159265358979 * 4, kTol);
  EXPECT_NEAR(finishes[0]->projectionHeight, 6.25 * c, kTol);

  // The rim slot: 3 wide, from 2 inside the rim to 0.2 past it, through the height.
  SceneShape& slot = Feature(1);
  ExpectFeature(slot, 5, "Recess", true, {3, 2, 4}, {0, 0, 0});
  ExpectLoop(Loop(slot), Lines({{1.5, 7}, {1.5, 9.2}, {-1.5, 9.2}, {-1.5, 7}}), kTol);
  host::ref::Vec3 x = TurnedX(Feature(4));
  ExpectNear({x.x, x.y, x.z}, {0, -1, 0}, 1e-9);  // the fourth slot, 270° on
}

TEST_F(Dadi, DomedCapTrimsOnlyOutsideTheHexagon) {
  // DIN 1587 M10: s 16, hexagon 8, dome 15 over a cavity 10, 10 and 5 high, R 4.9, Ri 4.5.
  NutDimensions n;
  n.ComponentType = 6, n.DiametroEsterno = 16, n.DiametroFiletto = 10, n.Spessore = 8;
  n.Passo = 1.5, n.DiametroCalotta = 15, n.DiametroInternoCalotta = 10, n.AltezzaCalotta = 10;
  n.AltezzaInternoCalotta = 5, n.RaggioCalotta = 4.9, n.RaggioInternoCalotta = 4.5;
  BuildNutByType(part_, n);
  ASSERT_EQ(Features().size(), 5u);
  SceneShape& dome = Feature(3);
  ExpectFeature(dome, 6, "Body", false, {8, 8, 10}, {0, 0, -8});
  std::vector<ProfileCall> loop =
      Lines({{12.9, -2.5}, {12.9, 0}, {7.5, 0}, {7.5, 10}, {0, 10}, {0, 5}, {5, 5}, {5, -2.5}});
  loop.push_back({"AddFilletAt", {3, 4.9}});
  loop.push_back({"AddFilletAt", {5, 4.9}});
  loop.push_back({"AddFilletAt", {9, 4.5}});
  ExpectLoop(Loop(dome), loop, kTol);
  // The trim: between the hexagon and the circle s/2 + R, from the base ring's bottom (8 - 2.5)
  // over the dome's height.
  SceneShape& trim = Feature(4);
  ExpectFeature(trim, 5, "Recess", true, {12.9, 12.9, 10}, {0, 0, -5.5});
  ExpectLoop(Loop(trim, 0), Hexagon(16), kTol);
  ExpectLoop(Loop(trim, 1), Circle(12.9), kTol);
}

TEST_F(Dadi, ArchedCapsAndTheirArcs) {
  // DIN 917 M10: s 17, d 10, body 10.65, arch from 1.08 up to 3.35 with R = 3.35 - 1.08, cone
  // tip at 1.35. With Hk - Hki = R the arc's circle is centred on the axis.
  NutDimensions n;
  n.ComponentType = 7, n.DiametroEsterno = 17, n.DiametroFiletto = 10, n.Spessore = 10.65;
  n.Passo = 1.5, n.AltezzaCalotta = 3.35, n.AltezzaInternoCalotta = 1.08, n.RaggioCalotta = 2.27;
  n.RaggioInternoCalotta = 1.35;
  for (double dk : {0.0, 17.0}) {  // the cap's diameter is not drawn
    n.DiametroCalotta = dk;
    SceneShape& part = NewPart("arched");
    BuildNutByType(part, n);
    ASSERT_EQ(part.Children().size(), 4u);
    SceneShape& cap = *part.Children()[3];
    ExpectFeature(cap, 6, "Body", false, {8.5, 8.5, 3.35}, {0, 0, -10.65});
    const std::vector<ProfileCall>& calls = Loop(cap);
    ASSERT_EQ(calls.size(), 7u);
    ExpectLoop({calls[0], calls[1], calls[3], calls[4], calls[5], calls[6]},
               {{"SetStartPoint", {8.5, 0}},
                {"AddLineTo", {8.5, 1.08}},
                {"AddLineTo", {0, 1.35}},
                {"AddLineTo", {5.5, 1.08}},
                {"AddLineTo", {5.5, 0}},
                {"AddLineTo", {8.5, 0}}},
               kTol);
    ASSERT_EQ(calls[2].op, "AddArcTo");
    EXPECT_EQ(calls[2].args[0], 0);
    EXPECT_EQ(calls[2].args[1], 3.35);
    // The circle through (8.5, 1.08) and (0, 3.35) centred on the axis: radius
    // (8.5² + 2.27²) / (2 × 2.27); chord c; sagitta/chord, negative: it bulges outwards.
    double radius = (8.5 * 8.5 + 2.27 * 2.27) / (2 * 2.27);
    double chord = std::hypot(8.5, 2.27);
    double sagitta = radius - std::sqrt(radius * radius - chord * chord / 4);
    EXPECT_NEAR(calls[2].args[2], -sagitta / chord, 1e-9);
  }

  // The solid cap (DIN 986 M10): straight to 4.9 at s/2, in to Dk/2, the arc of ratio
  // ArcRatio(R, Dk/2) to the axis, down the axis: the bore is closed.
  n.ComponentType = 8, n.Spessore = 6, n.DiametroCalotta = 15, n.AltezzaCalotta = 7.5;
  n.AltezzaInternoCalotta = 4.9, n.RaggioCalotta = 7.5;
  SceneShape& part = NewPart("solid");
  BuildNutByType(part, n);
  ASSERT_EQ(part.Children().size(), 4u);
  SceneShape& cap = *part.Children()[3];
  ExpectFeature(cap, 6, "Body", false, {8.5, 8.5, 7.5}, {0, 0, -6});
  // A quarter circle's ratio: (2 - √2) / (2√2).
  ExpectLoop(Loop(cap),
             {{"SetStartPoint", {8.5, 0}},
              {"AddLineTo", {8.5, 4.9}},
              {"AddLineTo", {7.5, 4.9}},
              {"AddArcTo", {0, 7.5, -(2 - std::sqrt(2.0)) / (2 * std::sqrt(2.0))}},
              {"AddLineTo", {0, 0}},
              {"AddLineTo", {8.5, 0}}},
             1e-9);
}

TEST_F(Dadi, SquareNutsDifferInCornersAndChamfer) {
  NutDimensions n;
  n.ComponentType = 4, n.LatoRet = 17, n.DiametroInterno = 21.5, n.DiametroFiletto = 10;
  n.Spessore = 8, n.Passo = 1.5, n.DiametroEsterno = 99;  // not read by the square kinds
  BuildNutByType(part_, n);
  ASSERT_EQ(Features().size(), 1u) << "the square nut has no chamfer";
  ExpectFeature(Feature(0), 5, "Body", false, {8.5, 8.5, 8}, {0, 0, 0});
  ExpectLoop(Loop(Feature(0), 0), Circle(5), kTol);
  ExpectLoop(Loop(Feature(0), 1), Lines({{-8.5, 8.5}, {8.5, 8.5}, {8.5, -8.5}, {-8.5, -8.5}}),
             kTol);

  n.ComponentType = 5;
  SceneShape& cut = NewPart("cut square");
  BuildNutByType(cut, n);
  ASSERT_EQ(cut.Children().size(), 2u);
  SceneShape& head = *cut.Children()[0];
  ExpectFeature(head, 5, "Head", false, {10.75, 10.75, 8}, {0, 0, 0});
  // Eight points from the side x = -L/2 towards +y, all at e = Di/√2 - L/2 from a centre line.
  const double e = 21.5 / std::sqrt(2.0) - 8.5;
  ExpectLoop(
      Loop(head, 0),
      Lines(
          {{-8.5, e}, {-e, 8.5}, {e, 8.5}, {8.5, e}, {8.5, -e}, {e, -8.5}, {-e, -8.5}, {-8.5, -e}}),
      1e-12);
  ExpectLoop(Loop(head, 1), Circle(5), kTol);
  // Each 45° cut lies Di/2 from the centre: it touches the circle where the chamfer starts.
  const auto& calls = Loop(head, 0);
  for (std::size_t i = 0; i < 8; i += 2) {
    const auto& a = calls[i].args;
    const auto& b = calls[i + 1].args;
    double distance = std::abs(a[0] * b[1] - a[1] * b[0]) / std::hypot(b[0] - a[0], b[1] - a[1]);
    EXPECT_NEAR(distance, 21.5 / 2, 1e-12) << "cut " << i / 2;
  }
  // Only the top face is chamfered, by the cutter from the circle Di sized Di/5.
  SceneShape& chamfer = *cut.Children()[1];
  ExpectFeature(chamfer, 6, "Head Reshape", true, {4.3, 4.3, 4.3}, {0, 0, -8});
  ExpectLoop(Loop(chamfer), Cutter(10.75, 4.3, 1), kTol);
}

TEST_F(Dadi, KindsOutsideOneToNineAddNothing) {
  NutDimensions n;
  n.DiametroEsterno = 16, n.DiametroFiletto = 10, n.Spessore = 8, n.Passo = 1.5;
  for (std::int32_t kind : {0, 10, -1}) {
    n.ComponentType = kind;
    BuildNutByType(part_, n);
    EXPECT_TRUE(part_.Children().empty()) << kind;
  }
}

}  // namespace
}  // namespace vormbrace::test
