// A square neck with rounded corners, chamfered at its foot, built face by face with the shank
// sunk into it: as wide as the shank (its foot one circle touching the flats) or wider (a ring
// of the foot left around the shank), under a domed head (stacked) or a countersunk one
// (flaring out of the neck), the solid the booleans give without a boolean, but for a
// countersunk head whose cone does not start on the neck's flats; a neck narrower than the
// shank, or one so short that the chamfer runs through the rounds' tops, keeps to the booleans. The
// prism alone: the rounds take exactly their corners' area; rounds that leave no flat, or that the
// chamfer circle reaches, and flares that do not start on the flats or end inside the corners are
// refused.
#include <gtest/gtest.h>

#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <cmath>
#include <string>

#include "geometry/generaTeste.h"
#include "host/occt/ChamferedPrism.h"
#include "host/occt/ShapeValidity.h"
#include "occt/BothWays.h"
#include "support/TestHost.h"

namespace vormbrace::test {
namespace {

constexpr double kPi = 3.14159265358979323846;

// An M10 x 50 carriage bolt (type 7, domed head 24 across) or countersunk square neck bolt
// (type 10, head 20 across), its neck `side` across and `depth` deep, the shank's plain part
// (drawn a hair narrower than the thread) `plain` long under the head.
void NeckBolt(host::Shape& part, std::int32_t type, double side, double depth, double plain) {
  HeadedDimensions d;
  d.HeaderType = type, d.Diametro = 10, d.lung = 50, d.Passo = 1.5, d.DistFiletto = plain;
  d.DiamCerchioTesta = type == 7 ? 24 : 20, d.LungTesta = 5.5, d.Var1 = side, d.Var2 = depth;
  d.Var3 = 90;
  BuildBoltByType(part, d);
}

std::string Name(std::int32_t type, double side, double depth, double plain) {
  return "bolt " + std::to_string(type) + " neck " + std::to_string(side) + " x " +
         std::to_string(depth) + " plain " + std::to_string(plain);
}

class RoundedNeck : public ::testing::Test {
 protected:
  TestHost host_;
};

TEST_F(RoundedNeck, NecksOverTheShankAreBuiltDirectly) {
  // Plain length 0: the shank as wide as the neck's flats all the way up, so that the foot is
  // one circle; 24: the plain part narrower inside the neck; 8: the plain part starting at the
  // foot; side 12: a ring of the foot left around the shank. The domed head is stacked on the
  // neck (two direct builds); the countersunk head, which the neck's corners pierce, flares out
  // of it (one), with no boolean, where its cone starts on the flats (not so on the neck 12
  // across: the head is fused by a boolean).
  struct Case {
    double side, depth, plain;
  };
  for (const Case& c : {Case{10, 8, 0}, Case{10, 8, 24}, Case{12, 8, 24}, Case{10, 8, 8}}) {
    for (std::int32_t type : {7, 10}) {
      Built built = ExpectDirectAsBooleans(
          [&](host::Shape& p) { NeckBolt(p, type, c.side, c.depth, c.plain); },
          Name(type, c.side, c.depth, c.plain), type == 7 ? 2 : 1);
      EXPECT_EQ(built.counts.booleanBuilds, type == 10 && c.side != 10 ? 1 : 0);
      EXPECT_NEAR(built.figures.boxMin.z, -50, 1e-6);
    }
  }
}

TEST_F(RoundedNeck, NecksTheShankLeavesOrTheChamferCrossesKeepToTheBooleans) {
  // A neck 8 across, narrower than the shank; one 0.5 deep, whose chamfer (1 high) runs through
  // the rounds' tops. The domed head still stacks onto what the booleans made.
  struct Case {
    double side, depth;
  };
  for (const Case& c : {Case{8, 6}, Case{10, 0.5}}) {
    auto make = [&](host::Shape& p) { NeckBolt(p, 7, c.side, c.depth, 24); };
    Built direct = BuildPart(true, make);
    EXPECT_EQ(direct.counts.booleanBuilds, 1) << Name(7, c.side, c.depth, 24);
    ExpectSameSolid(direct, BuildPart(false, make), Name(7, c.side, c.depth, 24));
  }
}

host::occt::ChamferedPrism Square(double side, double round) {
  host::occt::ChamferedPrism prism;
  double h = side / 2;
  prism.corners = {{-h, -h}, {h, -h}, {h, h}, {-h, h}};
  prism.cornerRadius = round;
  prism.bottom = -6, prism.top = 0;
  return prism;
}

TEST_F(RoundedNeck, RoundsTakeTheirCornersArea) {
  // No chamfer: the section is the square less (4 - pi) r² at its corners.
  host::occt::ChamferedPrism prism = Square(10, 1.25);
  ASSERT_TRUE(host::occt::CanBuildChamferedPrism(prism));
  TopoDS_Shape solid = host::occt::BuildChamferedPrism(prism);
  EXPECT_TRUE(host::occt::IsValidShape(solid));
  GProp_GProps props;
  BRepGProp::VolumeProperties(solid, props);
  EXPECT_NEAR(props.Mass(), 6 * (100 - (4 - kPi) * 1.25 * 1.25), 1e-6 * 600);
  EXPECT_NEAR(host::occt::OutlineReach(prism), 3.75 * std::sqrt(2.0) + 1.25, 1e-9);
}

TEST_F(RoundedNeck, RoundsLeavingNoFlatOrReachedByTheChamferAreRefused) {
  // Rounds of half the side leave no flat; a chamfer circle of 5.9 reaches into rounds of 2,
  // whose flats end 5.83 from the axis; one of 5.2 leaves them.
  EXPECT_FALSE(host::occt::CanBuildChamferedPrism(Square(10, 5)));
  host::occt::ChamferedPrism prism = Square(10, 2);
  prism.bottomChamfer = host::occt::ConeChamfer{5.9, 0.5};
  EXPECT_FALSE(host::occt::CanBuildChamferedPrism(prism));
  prism.bottomChamfer = host::occt::ConeChamfer{5.2, 0.5};
  EXPECT_TRUE(host::occt::CanBuildChamferedPrism(prism));
  EXPECT_NEAR(host::occt::CoreRadius(prism), 5, 1e-12);
}

TEST_F(RoundedNeck, FlaresOffTheFlatsOrInsideTheCornersAreRefused) {
  // A 45° flare from the flats at z = -4 out to 10 at z = 1, its collar up to 2: it fits; one
  // starting a hair inside the flats, or ending inside the rounds' reach (6.24), does not.
  host::occt::ChamferedPrism prism = Square(10, 2);
  prism.flare = host::occt::Flare{-4, {5, 1}, 10, 1, 2};
  EXPECT_TRUE(host::occt::CanBuildChamferedPrism(prism));
  prism.flare->cone.radius = 5 - 1e-6;
  EXPECT_FALSE(host::occt::CanBuildChamferedPrism(prism));
  prism.flare = host::occt::Flare{-4, {5, 1}, 6, -3, 2};
  EXPECT_FALSE(host::occt::CanBuildChamferedPrism(prism));
}

}  // namespace
}  // namespace vormbrace::test
