// The washer generators' records, as the scene document keeps them: the body of each kind, the
// square loop that kinds 4 and 5 share, and the spring washer's swept split.
#include <string>
#include <vector>

#include "geometry/generaRosette.h"
#include "nuts/NutWasherFixture.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;
using Strings = std::vector<std::string>;

constexpr double kTol = 1e-12;

WasherDimensions Washer(std::int32_t kind, double D, double d, double H) {
  WasherDimensions w;
  w.ComponentType = kind, w.DiametroEsterno = D, w.DiametroInterno = d, w.Spessore = H;
  return w;
}

class Rosette : public NutWasherTest {};

TEST_F(Rosette, PlainWasherIsABodyBetweenTwoCirclesBuiltAfterThePartService) {
  BuildWasherByType(part_, Washer(1, 20, 10.5, 2));  // ISO 7089 M10
  EXPECT_EQ(Summaries(part_), Strings{"5 Body box 10 10 2 anchor 0 0 0"});
  ExpectLoop(Loop(Feature(0), 0), Circle(10), kTol);
  ExpectLoop(Loop(Feature(0), 1), Circle(5.25), kTol);
  const std::string id = Feature(0).SystemName();
  EXPECT_EQ(document_.Calls(), (Strings{"PartService.Run " + part_.SystemName(), "Update " + id,
                                        "ResetSizeBox " + id}));
}

TEST_F(Rosette, RoundAndSquareWashersShareOneRoutine) {
  // DIN 440 V M10: round 34 with a square hole 11; DIN 436 M10: square 40 with a round hole 11.
  WasherDimensions round = Washer(4, 34, 99, 3), square = Washer(5, 99, 11, 4);
  round.lato = 11, square.lato = 40;
  SceneShape& other = NewPart("square");
  BuildWasherByType(part_, round);
  BuildWasherByType(other, square);
  EXPECT_EQ(Summaries(part_), Strings{"5 Body box 17 17 3 anchor 0 0 0"});
  EXPECT_EQ(Summaries(other), Strings{"5 Body box 5.5 5.5 4 anchor 0 0 0"});
  ExpectLoop(Loop(Feature(0), 0), Circle(17), kTol);
  ExpectLoop(Loop(*other.Children()[0], 0), Circle(5.5), kTol);
  for (double a : {11.0, 40.0}) {
    SceneShape& f = a == 11 ? Feature(0) : *other.Children()[0];
    ExpectLoop(Loop(f, 1),
               Lines({{-a / 2, a / 2}, {a / 2, a / 2}, {a / 2, -a / 2}, {-a / 2, -a / 2}}), kTol);
  }
}

TEST_F(Rosette, SplitIsASlitOneTenthWideSweptAlongAPathTurned30Degrees) {
  BuildWasherByType(part_, Washer(2, 17.2, 10.2, 2.2));  // DIN 127 B M10: ring width 3.5
  EXPECT_EQ(Summaries(part_), (Strings{"5 Body box 8.6 8.6 2.2 anchor 0 0 0",
                                       "4 Recess cut box 7.7 7.7 2.2 anchor 0 0 0"}));
  SceneShape& split = Feature(1);
  // The cross-section: 0.1 wide, its origin d/4 out on the -X side, from the axis to 2.2 w
  // beyond the origin.
  ExpectNear(ProfileOrigin(split), {-2.55, 0, 0}, kTol);
  ExpectLoop(Loop(split),
             Lines({{2.55, 0}, {2.55, 0.05}, {-7.7, 0.05}, {-7.7, -0.05}, {2.55, -0.05}}), kTol);
  // The path: one open segment 2.2 H long, in a plane through the origin turned 30° about X.
  host::ref::SceneComponent& path = Component(split, 24);
  host::ref::ComponentStore& store = path.ProfileIfAny()->Store();
  ExpectNear(ProfileTurn(path), {1, 0, 0, 30}, 0);
  host::ref::SceneComponent& origin = *store.First(4);
  ExpectNear({origin.Number(1), origin.Number(2), origin.Number(3)}, {0, 0, 0}, 0);
  ASSERT_EQ(store.List(3).Count(), 1);
  ExpectLoop(store.List(3).Items()[0]->Loop(),
             {{"SetStartPoint", {0, 0}}, {"AddLineTo", {0, 2.2 * 2.2}}}, kTol);
}

TEST_F(Rosette, KindsOutsideOneToEightAddNothing) {
  for (std::int32_t kind : {0, 9, -1}) BuildWasherByType(part_, Washer(kind, 20, 10.5, 2));
  EXPECT_TRUE(part_.Children().empty());
}

}  // namespace
}  // namespace vormbrace::test
