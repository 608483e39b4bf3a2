// Solids stacked along the axis, each standing inside a flat face of the next, fused without a
// boolean: a flange bolt's shank, flange and hexagon give the solid the booleans give; a flange
// that does not hold the hexagon's corners, nor lies inside its flats, keeps to the booleans; a
// nib overlapping the shank is fused with it by a boolean and the dome stacked on both; a dog
// point as wide as the set screw's point end is joined on that end, rims a hair apart keep to
// the booleans.
#include <gtest/gtest.h>

#include <string>

#include "geometry/generaTeste.h"
#include "occt/BothWays.h"
#include "support/TestHost.h"

namespace vormbrace::test {
namespace {

// An M10 x 50 bolt, hexagon 16 across flats (corners 9.24 from the axis), 6.4 high on a flange
// `flange` across and 1.5 high (none narrower than the flats).
void FlangeBolt(host::Shape& part, double flange) {
  HeadedDimensions d;
  d.HeaderType = 2, d.Diametro = 10, d.lung = 50, d.Passo = 1.5, d.DistFiletto = 24;
  d.DiamCerchioTesta = 16, d.LungTesta = 6.4, d.LungCollarino = 1.5, d.DiametroCollarino = flange;
  BuildBoltByType(part, d);
}

class StackedSolids : public ::testing::Test {
 protected:
  TestHost host_;
};

TEST_F(StackedSolids, FlangeHoldingTheHexagonIsStackedWithItsShank) {
  // The chamfered hexagon, then shank, flange and hexagon stacked.
  Built built = ExpectDirectAsBooleans([](host::Shape& p) { FlangeBolt(p, 22); }, "flange", 2);
  EXPECT_EQ(built.counts.booleanBuilds, 0);
  EXPECT_NEAR(built.figures.boxMin.x, -11, 1e-6);
  EXPECT_NEAR(built.figures.boxMax.z, 1.5 + 6.4, 1e-6);
}

TEST_F(StackedSolids, FlangesNotHoldingTheHexagonKeepToTheBooleans) {
  // A flange between the flats and the corners, and one on the circle touching the flats: the
  // chamfered hexagon is built directly and the flange revolved with the shank, and the
  // hexagon fused onto them by a boolean.
  for (double flange : {17.0, 0.0}) {
    Built built = ExpectDirectAsBooleans([&](host::Shape& p) { FlangeBolt(p, flange); },
                                         "flange " + std::to_string(flange), 2);
    EXPECT_EQ(built.counts.booleanBuilds, 1);
  }
}

TEST_F(StackedSolids, NibSunkIntoTheShankIsFusedWithItBeforeTheDomeIsStacked) {
  // An M10 cup head bolt: the dome 20 across stands on the shank and its nib, which overlap and
  // take one boolean.
  Built built = ExpectDirectAsBooleans(
      [](host::Shape& p) {
        HeadedDimensions d;
        d.HeaderType = 6, d.Diametro = 10, d.lung = 50, d.Passo = 1.5;
        d.DiamCerchioTesta = 20, d.LungTesta = 6, d.Var1 = 2, d.Var2 = 2;
        BuildBoltByType(p, d);
      },
      "nib", 1);
  EXPECT_EQ(built.counts.booleanBuilds, 1);
}

// An M10 x 20 socket set screw, its point end 7 across and chamfered at `chamfer` degrees (0: the
// end face runs out to the thread's edge as a ring around the point's disc), on a dog point
// `dog` across and 5 long.
void DogPointSetScrew(host::Shape& part, double chamfer, double dog) {
  SetScrewDimensions d;
  d.ComponentType = 2, d.Diametro = 10, d.lung = 20, d.Passo = 1.5, d.SmussoSuperiore = 90;
  d.SmussoInferiore = chamfer, d.DiamInf = 7, d.LargIntaglio = 5, d.AltIntaglio = 4;
  d.DiamCilindro = dog, d.AltCilindro = 5;
  BuildScrewNoHeadByType(part, d);
}

TEST_F(StackedSolids, DogPointAsWideAsThePointEndIsJoinedOnIt) {
  // The socket sunk into the top, then the dog joined on the whole end face or on the disc inside
  // the ring: no boolean.
  for (double chamfer : {90.0, 0.0}) {
    const std::string what = "chamfer " + std::to_string(chamfer);
    Built built = ExpectDirectAsBooleans([&](host::Shape& p) { DogPointSetScrew(p, chamfer, 7); },
                                         what, 2);
    EXPECT_EQ(built.counts.booleanBuilds, 0) << what;
    EXPECT_NEAR(built.figures.boxMin.z, -20, 1e-6) << what;
    EXPECT_NEAR(built.figures.boxMin.x, -5, 1e-6) << what;
  }
}

TEST_F(StackedSolids, DogPointsAHairWiderThanThePointEndKeepToTheBooleans) {
  // Rims 1e-6 apart: neither the same edges nor one footprint clear inside the other face.
  for (double chamfer : {90.0, 0.0}) {
    const std::string what = "chamfer " + std::to_string(chamfer);
    Built built = ExpectDirectAsBooleans(
        [&](host::Shape& p) { DogPointSetScrew(p, chamfer, 7 + 2e-6); }, what, 1);
    EXPECT_EQ(built.counts.booleanBuilds, 1) << what;
  }
}

}  // namespace
}  // namespace vormbrace::test
