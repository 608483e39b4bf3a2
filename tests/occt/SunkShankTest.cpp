// A shank whose top reaches up into a pan head's neck, fused by cutting it at the neck's foot and
// standing it under the neck: with or without the fillet's torus between neck and head, it gives
// the solid the booleans give with no boolean left (the shipped pan heads with their recesses
// are checked with the cross recesses); a neck narrower than the shank, or one the shank would
// meet in a sliver, keeps to the booleans.
#include <gtest/gtest.h>

#include <string>

#include "geometry/generaGambo.h"
#include "geometry/generaTeste.h"
#include "occt/BothWays.h"
#include "support/TestHost.h"

namespace vormbrace::test {
namespace {

// An M10 x 50 shank whose plain part runs `plain` from its top (tapering by 0.0005 of the
// radius), under a pan head 20 across and 6 high with a dome 1.5 high, its neck `neck` across
// and the fillet `fillet` under the head (the neck is fillet + 0.09 high).
void PanHeadScrew(host::Shape& part, double plain, double neck, double fillet) {
  BuildShank(part, 10, 50, plain, 1.5);
  BuildDomedCylinderHead(part, neck, 20, 1.5, 6, fillet);
}

class SunkShank : public ::testing::Test {
 protected:
  TestHost host_;
};

TEST_F(SunkShank, ShankInTheNeckIsCutAndStoodUnderIt) {
  for (double fillet : {0.0, 0.4, 1.0}) {
    for (double plain : {18.0, 2.0}) {
      std::string what = "fillet " + std::to_string(fillet) + ", plain " + std::to_string(plain);
      Built built = ExpectDirectAsBooleans(
          [&](host::Shape& p) { PanHeadScrew(p, plain, 10, fillet); }, what, 1);
      EXPECT_EQ(built.counts.booleanBuilds, 0) << what;
      EXPECT_NEAR(built.figures.boxMin.z, -50, 1e-6) << what;
      EXPECT_NEAR(built.figures.boxMax.z, 6 + 1.5, 1e-6) << what;
    }
  }
}

TEST_F(SunkShank, NecksTheShankMeetsOrStandsOutOfKeepToTheBooleans) {
  struct Case {
    const char* what;
    double plain, neck;
  };
  const Case cases[] = {
      // The shank stands out of the neck all round.
      {"neck narrower than the shank", 18, 9.5},
      // The plain part, 0.6 long, widens to 0.00046 under the neck's radius at its foot.
      {"sliver under the neck", 0.6, 10},
  };
  for (const Case& c : cases) {
    auto make = [&](host::Shape& p) { PanHeadScrew(p, c.plain, c.neck, 0.4); };
    Built direct = BuildPart(true, make);
    EXPECT_EQ(direct.counts.directBuilds, 0) << c.what;
    EXPECT_EQ(direct.counts.booleanBuilds, 1) << c.what;
    ExpectSameSolid(direct, BuildPart(false, make), c.what);
  }
}

}  // namespace
}  // namespace vormbrace::test
