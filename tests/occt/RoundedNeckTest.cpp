// A square neck's prism with rounded corners (the bolts built with it: the direct road tests):
// the rounds take exactly their corners' area; rounds that leave no flat, or that the chamfer
// circle reaches, and flares that do not start on the flats or end inside the corners are
// refused.
#include <gtest/gtest.h>

#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <cmath>

#include "host/occt/ChamferedPrism.h"
#include "host/occt/ShapeValidity.h"

namespace vormbrace::test {
namespace {

constexpr double kPi = 3.14159265358979323846;

host::occt::ChamferedPrism Square(double side, double round) {
  host::occt::ChamferedPrism prism;
  double h = side / 2;
  prism.corners = {{-h, -h}, {h, -h}, {h, h}, {-h, h}};
  prism.cornerRadius = round;
  prism.bottom = -6, prism.top = 0;
  return prism;
}

TEST(RoundedNeck, RoundsTakeTheirCornersArea) {
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

TEST(RoundedNeck, RoundsLeavingNoFlatOrReachedByTheChamferAreRefused) {
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

TEST(RoundedNeck, FlaresOffTheFlatsOrInsideTheCornersAreRefused) {
  // A 45° flare from the flats at z = -4 out to 10 at z = 1, its collar up to 2: it fits; one
  // starting a hair inside the flats or outside them, or ending inside the rounds' reach
  // (6.24), does not.
  host::occt::ChamferedPrism prism = Square(10, 2);
  prism.flare = host::occt::Flare{-4, {5, 1}, 10, 1, 2};
  EXPECT_TRUE(host::occt::CanBuildChamferedPrism(prism));
  prism.flare->cone.radius = 5 - 1e-6;
  EXPECT_FALSE(host::occt::CanBuildChamferedPrism(prism));
  prism.flare->cone.radius = 5 + 1e-6;  // outside the flats, short of their ends (5.83 out)
  EXPECT_FALSE(host::occt::CanBuildChamferedPrism(prism));
  prism.flare = host::occt::Flare{-4, {5, 1}, 6, -3, 2};
  EXPECT_FALSE(host::occt::CanBuildChamferedPrism(prism));
}

}  // namespace
}  // namespace vormbrace::test
