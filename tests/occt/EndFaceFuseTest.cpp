// A shank of revolution standing on the flat underside of a head joins it without a boolean
// and gives the solid the booleans give; a shank wider than the underside, which reaches past
// its edge, joins the other way round (the head stands on the shank's end); a shank that reaches
// into the head keeps to the booleans and still builds. (The library's screws: the pocket and
// slot sweeps.)
#include <gtest/gtest.h>

#include "geometry/generaGambo.h"
#include "geometry/generaTeste.h"
#include "occt/BothWays.h"
#include "support/TestHost.h"

namespace vormbrace::test {
namespace {

class EndFaceFuse : public ::testing::Test {
 protected:
  TestHost host_;
};

TEST_F(EndFaceFuse, ShankInsideTheUndersideJoinsDirectly) {
  // An M10 x 30 shank under a head 16 across and 10 high, its top edge rounded.
  Built built = ExpectDirectAsBooleans(
      [](host::Shape& p) { BuildShank(p, 10, 30, 18, 1.5), BuildCylinderHead(p, 0, 16, 10, 1); },
      "shank under a head", 1);
  EXPECT_EQ(built.counts.booleanBuilds, 1);
  EXPECT_NEAR(built.figures.boxMin.z, -30, 1e-6);
  EXPECT_NEAR(built.figures.boxMax.z, 10, 1e-6);
}

TEST_F(EndFaceFuse, HeadOnAWiderShankJoinsTheOtherWayRound) {
  ExpectDirectAsBooleans(
      [](host::Shape& p) { BuildShank(p, 17, 30, 18, 1.5), BuildCylinderHead(p, 0, 16, 10, 0); },
      "head on a wider shank", 1);
}

TEST_F(EndFaceFuse, ShankReachingIntoTheHeadKeepsToTheBooleans) {
  ExpectDirectAsBooleans(
      [](host::Shape& p) { BuildShank(p, 10, 30, 18, 1.5), BuildCylinderHead(p, 3, 16, 10, 0); },
      "shank reaching into the head", 0);
}

}  // namespace
}  // namespace vormbrace::test
