// Coaxial solids of revolution fused by revolving their outline: a countersunk head over its
// shank, flat or domed, gives the solid the booleans give, with no boolean left when the recess
// is cut directly; heads whose shank steps in by a sliver under them, or carrying a nib over
// such a sliver, keep to the booleans.
#include <gtest/gtest.h>

#include <string>

#include "geometry/generaTeste.h"
#include "occt/BothWays.h"
#include "support/TestHost.h"

namespace vormbrace::test {
namespace {

// An M10 x 50 screw (type 8: countersunk, cross recess; 12: raised countersunk) whose plain part
// runs `plain` from the head's top; the plain part tapers by 0.0005 of the radius.
HeadedDimensions CountersunkScrew(std::int32_t type, double plain) {
  HeadedDimensions d;
  d.HeaderType = type, d.Diametro = 10, d.lung = 50, d.Passo = 1.5, d.DistFiletto = plain;
  d.DiamCerchioTesta = 18.3, d.LungTesta = 5, d.Var1 = 90, d.Var2 = 9, d.Var3 = 4;
  if (type == 12) d.Var4 = 2.3;
  return d;
}

// An M10 x 50 countersunk bolt with a nib under its head, threaded up to `plain` from the top.
HeadedDimensions NibBolt(double plain) {
  HeadedDimensions d;
  d.HeaderType = 8, d.Diametro = 10, d.lung = 50, d.Passo = 1.5, d.DistFiletto = plain;
  d.DiamCerchioTesta = 20, d.LungTesta = 5.5, d.Var1 = 2, d.Var2 = 3, d.Var3 = 90;
  return d;
}

class CoaxialRevolved : public ::testing::Test {
 protected:
  TestHost host_;
};

TEST_F(CoaxialRevolved, CountersunkHeadIsRevolvedWithItsShank) {
  // Plain parts ending 0.0018 mm inside the head's lower circle, and at the head: the recess's
  // prism and blades, the head with its shank and the cut, all direct.
  // The raised head's dome (a sphere) over its cone likewise.
  for (std::int32_t type : {8, 12}) {
    for (double plain : {18.0, 5.0}) {
      std::string what = "type " + std::to_string(type) + " plain " + std::to_string(plain);
      Built built = ExpectDirectAsBooleans(
          [&](host::Shape& p) { BuildScrewByType(p, CountersunkScrew(type, plain)); }, what, 3);
      EXPECT_EQ(built.counts.booleanBuilds, 0) << what;
      EXPECT_NEAR(built.figures.boxMin.z, -50, 1e-6) << what;
      EXPECT_NEAR(built.figures.boxMax.x, 18.3 / 2, 1e-6) << what;
    }
  }
  // Threaded up to the head, a nib bolt's head is revolved with its shank and the nib fused on
  // by a boolean.
  Built nib = ExpectDirectAsBooleans([](host::Shape& p) { BuildBoltByType(p, NibBolt(5.5)); },
                                     "nib bolt threaded to the head", 1);
  EXPECT_EQ(nib.counts.booleanBuilds, 1);
}

TEST_F(CoaxialRevolved, SliversKeepToTheBooleans) {
  // A shank stepping in by 0.0004 mm under the head: only the recess is direct.
  Built sliver = ExpectDirectAsBooleans(
      [](host::Shape& p) { BuildScrewByType(p, CountersunkScrew(8, 6)); }, "sliver", 2);
  EXPECT_EQ(sliver.counts.booleanBuilds, 1);
  // A nib reaching down to a step of 0.0017 mm.
  Built nib = ExpectDirectAsBooleans([](host::Shape& p) { BuildBoltByType(p, NibBolt(18)); },
                                     "nib over a sliver", 0);
  EXPECT_EQ(nib.counts.booleanBuilds, 1);
}

}  // namespace
}  // namespace vormbrace::test
