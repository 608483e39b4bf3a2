// The washer generators' records: features, size boxes, anchors, loops, profile turns and the
// split's path, as the scene document keeps them.
#include <cmath>
#include <string>
#include <vector>

#include "geometry/generaRosette.h"
#include "nuts/NutWasherFixture.h"

namespace vormbrace::test {
namespace {

using host::ref::ProfileCall;
using host::ref::SceneShape;

constexpr double kTol = 1e-12;

std::vector<ProfileCall> Circle(double r) {
  return {{"SetStartPoint", {0, 0}}, {"AddEllipse", {0, 0, r}}};
}

std::vector<ProfileCall> Lines(const std::vector<std::vector<double>>& points) {
  std::vector<ProfileCall> calls{{"SetStartPoint", points.front()}};
  for (std::size_t i = 1; i < points.size(); ++i) calls.push_back({"AddLineTo", points[i]});
  calls.push_back({"AddLineTo", points.front()});
  return calls;
}

std::vector<ProfileCall> Square(double a) {
  return Lines({{-a / 2, a / 2}, {a / 2, a / 2}, {a / 2, -a / 2}, {-a / 2, -a / 2}});
}

class Rosette : public NutWasherTest {
 protected:
  static WasherDimensions Washer(std::int32_t kind) {
    WasherDimensions w;
    w.ComponentType = kind;
    return w;
  }
  static void ExpectFeature(SceneShape& f, int kind, const std::string& name, bool removal,
                            const std::vector<double>& box) {
    EXPECT_EQ(f.Type(), kind) << f.SystemName();
    EXPECT_EQ(f.Name(), name) << f.SystemName();
    EXPECT_EQ(IsRemoval(f), removal) << f.SystemName();
    ExpectNear(Triple(f, 1), box, kTol);
    ExpectNear(Triple(f, 4), {0, 0, 0}, 0);
  }
  // DIN 435 M10: 22 × 22, 6.14 thick tapering to 3.06, hole 10 with a 0.5 chamfer, grooves 0.5.
  static WasherDimensions Taper(std::int32_t kind) {
    WasherDimensions w = Washer(kind);
    w.lato = 22, w.Lato1 = 22, w.Spessore = 6.14, w.Spessore1 = 3.06, w.DiametroInterno = 10;
    w.SpessoreSmusso = 0.5, w.Scanalatura = 0.5;
    return w;
  }
};

TEST_F(Rosette, PlainWasherIsABodyBetweenTwoCircles) {
  WasherDimensions w = Washer(1);
  w.DiametroEsterno = 20, w.DiametroInterno = 10.5, w.Spessore = 2;
  BuildWasherByType(part_, w);
  ASSERT_EQ(Features().size(), 1u);
  SceneShape& body = Feature(0);
  ExpectFeature(body, 5, "Body", false, {10, 10, 2});
  ExpectNear(Triple(body, 5), {0, 0, 0}, 0);
  ExpectLoop(Loop(body, 0), Circle(10), kTol);
  ExpectLoop(Loop(body, 1), Circle(5.25), kTol);
  EXPECT_EQ(body.Store().First(27), nullptr) << "washers carry no thread texture";
  const std::string id = body.SystemName();
  EXPECT_EQ(document_.Calls(), (std::vector<std::string>{"PartService.Run " + part_.SystemName(),
                                                         "Update " + id, "ResetSizeBox " + id}));
}

TEST_F(Rosette, SplitIsASlitOneTenthWideSweptAlongAPathTurned30Degrees) {
  // DIN 127 B M10: 17.2 across, hole 10.2, 2.2 thick: ring width w = 3.5.
  WasherDimensions w = Washer(2);
  w.DiametroEsterno = 17.2, w.DiametroInterno = 10.2, w.Spessore = 2.2;
  BuildWasherByType(part_, w);
  ASSERT_EQ(Features().size(), 2u);
  ExpectFeature(Feature(0), 5, "Body", false, {8.6, 8.6, 2.2});
  SceneShape& split = Feature(1);
  ExpectFeature(split, 4, "Recess", true, {7.7, 7.7, 2.2});
  ExpectNear(Triple(split, 5), {0, 0, 0}, 0);
  // The cross-section: 0.1 wide, its origin d/4 out on the -X side, from the axis to 2.2 w
  // beyond the origin.
  ExpectNear(ProfileOrigin(split), {-2.55, 0, 0}, kTol);
  ExpectLoop(Loop(split),
             Lines({{2.55, 0}, {2.55, 0.05}, {-7.7, 0.05}, {-7.7, -0.05}, {2.55, -0.05}}), kTol);
  // The path: one open segment 2.2 H long, in a plane turned 30° about X.
  host::ref::SceneComponent& path = Component(split, 24);
  host::ref::ComponentStore& store = path.ProfileIfAny()->Store();
  host::ref::SceneComponent& origin = *store.First(4);
  ExpectNear({origin.Number(1), origin.Number(2), origin.Number(3)}, {0, 0, 0}, 0);
  ExpectNear(ProfileTurn(path), {1, 0, 0, 30}, 0);
  ASSERT_EQ(store.List(3).Count(), 1);
  ExpectLoop(store.List(3).Items()[0]->Loop(),
             {{"SetStartPoint", {0, 0}}, {"AddLineTo", {0, 2.2 * 2.2}}}, kTol);
}

TEST_F(Rosette, ChamferedWashersAreRevolvedOutlines) {
  // ISO 7090 M10: the rim straight to c = 1, then in by 1 to the top.
  WasherDimensions w = Washer(3);
  w.DiametroEsterno = 20, w.DiametroInterno = 10.5, w.Spessore = 2, w.SpessoreSmusso = 1;
  BuildWasherByType(part_, w);
  ASSERT_EQ(Features().size(), 1u);
  ExpectFeature(Feature(0), 6, "Body", false, {10, 10, 2});
  ExpectNear(ProfileOrigin(Feature(0)), {0, 0, 0}, 0);
  ExpectLoop(Loop(Feature(0)), Lines({{5.25, 0}, {10, 0}, {10, 1}, {9, 2}, {5.25, 2}}), kTol);

  // DIN 6916 M12: 45° chamfers on the top face, 0.75 outside and 1.2 at the hole.
  w = Washer(8);
  w.DiametroEsterno = 24, w.DiametroInterno = 12, w.Spessore = 3, w.SpessoreSmusso = 1.2;
  w.SpessoreSmusso1 = 0.75;
  SceneShape& part = NewPart("double chamfer");
  BuildWasherByType(part, w);
  ASSERT_EQ(part.Children().size(), 1u);
  ExpectFeature(*part.Children()[0], 6, "Body", false, {12, 12, 3});
  ExpectLoop(Loop(*part.Children()[0]),
             Lines({{6, 0}, {12, 0}, {12, 2.25}, {11.25, 3}, {7.2, 3}, {6, 1.8}}), kTol);
}

TEST_F(Rosette, RoundAndSquareWashersShareOneRoutine) {
  // DIN 440 V M10: round 34 with a square hole 11; DIN 436 M10: square 40 with a round hole 11.
  WasherDimensions round = Washer(4);
  round.DiametroEsterno = 34, round.DiametroInterno = 99, round.lato = 11, round.Spessore = 3;
  WasherDimensions square = Washer(5);
  square.DiametroEsterno = 99, square.DiametroInterno = 11, square.lato = 40, square.Spessore = 4;
  BuildWasherByType(part_, round);
  ASSERT_EQ(Features().size(), 1u);
  ExpectFeature(Feature(0), 5, "Body", false, {17, 17, 3});
  ExpectLoop(Loop(Feature(0), 0), Circle(17), kTol);
  ExpectLoop(Loop(Feature(0), 1), Square(11), kTol);

  SceneShape& part = NewPart("square");
  BuildWasherByType(part, square);
  ASSERT_EQ(part.Children().size(), 1u);
  SceneShape& body = *part.Children()[0];
  ExpectFeature(body, 5, "Body", false, {5.5, 5.5, 4});
  ExpectLoop(Loop(body, 0), Circle(5.5), kTol);
  ExpectLoop(Loop(body, 1), Square(40), kTol);
}

TEST_F(Rosette, TaperWashersHaveOneOrTwoGroovesAndARoundedThinEnd) {
  // m = (11 - 5.5) / 2 = 2.75: grooves at x1 = -8.25 (thick half) and x2 = 8.25 (thin half).
  const std::vector<std::vector<double>> outline = {{-11, 0}, {-11, 6.14}, {11, 3.06}, {11, 0}};
  const std::vector<std::vector<double>> first = {
      {-8.25, 0}, {-8.25, 0.5}, {-8.75, 0.5}, {-8.75, 0}};
  const std::vector<std::vector<double>> second = {{8.75, 0}, {8.75, 0.5}, {8.25, 0.5}, {8.25, 0}};
  for (std::int32_t kind : {6, 7}) {
    SceneShape& part = NewPart("taper " + std::to_string(kind));
    BuildWasherByType(part, Taper(kind));
    ASSERT_EQ(part.Children().size(), 2u) << kind;
    SceneShape& body = *part.Children()[0];
    ExpectFeature(body, 5, "Body", false, {22, 22, 6.14});
    // Centred on the hole along the length; the side view turned upright and swept 22 long.
    ExpectNear(Triple(body, 5), {0, -11, 0}, 0);
    ExpectNear(ProfileTurn(Component(body, 15)), {1, 0, 0, 90}, 0);
    EXPECT_EQ(Var(body, 14, 55), host::Value::Double(22));
    EXPECT_EQ(Var(body, 14, 62), host::Value::Int32(0));
    std::vector<std::vector<double>> points = outline;
    if (kind == 7) points.insert(points.end(), second.begin(), second.end());
    points.insert(points.end(), first.begin(), first.end());
    std::vector<ProfileCall> loop = Lines(points);
    loop.push_back({"AddFilletAt", {3, 0.8 * 3.06}});  // the thin end's top edge (11, 3.06)
    ExpectLoop(Loop(body), loop, kTol);

    // The hole with its 45° chamfer at the bottom, drawn on the -x side of the axis.
    SceneShape& hole = *part.Children()[1];
    ExpectFeature(hole, 6, "Recess", true, {5.5, 5.5, 6.14});
    ExpectLoop(Loop(hole), Lines({{-5.5, 0}, {-5, 0.5}, {-5, 6.14}, {0, 6.14}, {0, 0}}), kTol);
  }
}

TEST_F(Rosette, KindsOutsideOneToEightAddNothing) {
  WasherDimensions w;
  w.DiametroEsterno = 20, w.DiametroInterno = 10.5, w.Spessore = 2, w.lato = 11;
  for (std::int32_t kind : {0, 9, -1}) {
    w.ComponentType = kind;
    BuildWasherByType(part_, w);
    EXPECT_TRUE(part_.Children().empty()) << kind;
  }
}

}  // namespace
}  // namespace vormbrace::test
