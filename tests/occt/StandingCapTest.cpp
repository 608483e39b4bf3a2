// Solids of revolution standing on a bored, chamfered prism's end face (a nut's cap or crown)
// are fused without a boolean and give the solid the booleans give: disks and rings, inside the
// face or out to the chamfer's circle, closing the bore, leaving it bare or overhanging it, above
// the prism or below it, or sunk into the face with the bore's wall carried on. A footprint whose
// inner circle is the bore's, or that overhangs the face, keeps to the booleans and still builds.
// (The library's nuts: the differential sweep.)
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>

#include "KernelFixture.h"
#include "occt/BothWays.h"

namespace vormbrace::test {
namespace {

using Points = std::initializer_list<std::pair<double, double>>;

class StandingCap : public KernelTest {
 protected:
  // A hexagon 8 mm across flats, 5 tall, bored through with radius 2, chamfered at the top on
  // the circle of 4, which touches every flat.
  void BoredHexagon(host::ref::SceneShape& part, bool bored = true) {
    auto& prism = AddFeature(part, host::kShapeExtruded, 1, 1, 5);
    SetAnchor(prism, 0, 0, 0);
    const double e = 4 / std::cos(std::acos(-1.0) / 6);  // the corners' radius, exactly
    Polygon(prism, {{4, e / 2}, {0, e}, {-4, e / 2}, {-4, -e / 2}, {0, -e}, {4, -e / 2}});
    if (bored) {
      host::Component& bore = NewLoop(prism);
      bore.SetStartPoint(0, 0);
      bore.AddEllipse(0, 0, 2);
    }
    auto& ring = AddFeature(part, host::kShapeRevolved, 1, 1, 1);
    SetAnchor(ring, 0, 0, -5);
    Polygon(ring, {{4, 0}, {8, -2.4}, {9, -2.4}, {9, 1}, {4, 1}});
    MarkRemoval(ring);
  }
  // The hexagon chamfered at the bottom too, on the same circle.
  void ChamferedBothEnds(host::ref::SceneShape& part) {
    BoredHexagon(part);
    auto& ring = AddFeature(part, host::kShapeRevolved, 1, 1, 1);
    SetAnchor(ring, 0, 0, 0);
    Polygon(ring, {{4, 0}, {8, 2.4}, {9, 2.4}, {9, -1}, {4, -1}});
    MarkRemoval(ring);
  }
  // A solid of revolution about Z, its profile (distance from the axis, height) starting at
  // height `from`.
  void Revolved(host::ref::SceneShape& part, double from, Points profile) {
    auto& solid = AddFeature(part, host::kShapeRevolved, 1, 1, 1);
    SetAnchor(solid, 0, 0, -from);
    Polygon(solid, profile);
  }
  // The hexagon with a solid standing on its top face (profile from height 0 up).
  void Capped(host::Shape& p, Points profile) {
    auto& part = static_cast<host::ref::SceneShape&>(p);
    BoredHexagon(part);
    Revolved(part, 5, profile);
  }
};

TEST_F(StandingCap, DisksAndRingsOnEitherEndJoinWithoutABoolean) {
  struct Case {
    const char* name;
    Points profile;
  };
  const Case onTop[] = {
      {"cap closing the bore out to the chamfer's circle",
       {{0, 0}, {4, 0}, {4, 1}, {2, 3}, {0, 3}}},
      {"ring out to the chamfer's circle", {{3, 0}, {4, 0}, {4, 1}, {3, 1}}},
      {"ring inside the face", {{2.5, 0}, {3.5, 0}, {3.5, 2}, {2.5, 2}}},
      {"disk over the bore", {{0, 0}, {3, 0}, {3, 2}, {0, 2}}},
      {"ring overhanging the bore", {{1, 0}, {3, 0}, {3, 2}, {1, 2}}},
      {"dome sunk into the face, its wall the bore's",
       {{2, -1}, {3.5, -1}, {3.5, 0}, {3, 1}, {3, 2}, {0, 2}, {0, 1.5}, {2, 1.5}}},
  };
  for (const Case& c : onTop) {
    Built built = ExpectDirectAsBooleans([&](host::Shape& p) { Capped(p, c.profile); }, c.name);
    EXPECT_EQ(built.counts.booleanBuilds, 0) << c.name;
  }
  // Below the plain bottom face, recorded before the prism.
  Built below = ExpectDirectAsBooleans(
      [&](host::Shape& p) {
        auto& part = static_cast<host::ref::SceneShape&>(p);
        Revolved(part, -2, {{0, 0}, {3, 0}, {3, 2}, {0, 2}});
        BoredHexagon(part);
      },
      "disk below");
  EXPECT_EQ(below.counts.booleanBuilds, 0);
}

TEST_F(StandingCap, ArchedSolidsJoinWithoutABoolean) {
  // Profiles with arcs: a dome out to the chamfer's circle on the bored face, and a domed pin
  // inside a face with no bore.
  auto arched = [&](host::ref::SceneShape& part, double foot) {
    auto& dome = AddFeature(part, host::kShapeRevolved, 1, 1, 1);
    SetAnchor(dome, 0, 0, -5);
    host::Component& loop = NewLoop(dome);
    loop.SetStartPoint(0, 0);
    loop.AddLineTo(foot, 0);
    loop.AddLineTo(foot, 1);
    loop.AddArcTo(0, 3, -0.2);
    loop.AddLineTo(0, 0);
  };
  Built onRim = ExpectDirectAsBooleans(
      [&](host::Shape& p) {
        auto& part = static_cast<host::ref::SceneShape&>(p);
        BoredHexagon(part), arched(part, 4);
      },
      "dome on the bored face");
  EXPECT_EQ(onRim.counts.booleanBuilds, 0);
  Built inside = ExpectDirectAsBooleans(
      [&](host::Shape& p) {
        auto& part = static_cast<host::ref::SceneShape&>(p);
        BoredHexagon(part, false), arched(part, 3);
      },
      "domed pin on a plain face");
  EXPECT_EQ(inside.counts.booleanBuilds, 0);
}

TEST_F(StandingCap, UnderTheChamferedBottomEndAlike) {
  // The side then runs down from the chamfer's circle, and the sunk wall carries the bore on
  // downwards.
  struct Case {
    const char* name;
    Points profile;
  };
  const Case below[] = {
      {"cap closing the bore out to the chamfer's circle",
       {{0, 0}, {4, 0}, {4, -1}, {2, -3}, {0, -3}}},
      {"ring out to the chamfer's circle", {{3, 0}, {4, 0}, {4, -1}, {3, -1}}},
      {"dome sunk into the face, its wall the bore's",
       {{2, 1}, {3.5, 1}, {3.5, 0}, {3, -1}, {3, -2}, {0, -2}, {0, -1.5}, {2, -1.5}}},
  };
  for (const Case& c : below) {
    Built built = ExpectDirectAsBooleans(
        [&](host::Shape& p) {
          auto& part = static_cast<host::ref::SceneShape&>(p);
          ChamferedBothEnds(part);
          Revolved(part, 0, c.profile);
        },
        c.name);
    EXPECT_EQ(built.counts.booleanBuilds, 0) << c.name;
  }
}

TEST_F(StandingCap, FootprintsThatDoNotFitKeepToTheBooleans) {
  struct Case {
    const char* name;
    Points profile;
  };
  const Case cases[] = {
      {"inner circle on the bore's", {{2, 0}, {3, 0}, {3, 2}, {2, 2}}},
      {"wider than the face", {{0, 0}, {4.5, 0}, {4.5, 1}, {0, 1}}},
      {"reaching into the prism", {{0, -1}, {3, -1}, {3, 2}, {0, 2}}},
      {"sunk, its wall off the bore's",
       {{2.5, -1}, {3.5, -1}, {3.5, 0}, {3, 1}, {3, 2}, {0, 2}, {0, 1.5}, {2.5, 1.5}}},
      {"sunk past the flats",
       {{2, -1}, {4.5, -1}, {4.5, 0}, {3, 1}, {3, 2}, {0, 2}, {0, 1.5}, {2, 1.5}}},
  };
  for (const Case& c : cases) {
    auto make = [&](host::Shape& p) { Capped(p, c.profile); };
    Built direct = BuildPart(true, make), reference = BuildPart(false, make);
    EXPECT_EQ(direct.counts.booleanBuilds, 1) << c.name;
    EXPECT_TRUE(direct.figures.valid) << c.name;
    EXPECT_EQ(direct.figures.solids, 1) << c.name;
    EXPECT_NEAR(direct.figures.volume, reference.figures.volume, 1e-6 * reference.figures.volume)
        << c.name;
    EXPECT_EQ(direct.faces, reference.faces) << c.name;
  }
}

}  // namespace
}  // namespace vormbrace::test
