// Solids of revolution standing on a chamfered prism's end face, below it or above it, fused
// without a boolean, give the solid the booleans give; a solid that does not stand wholly inside
// the end face (nor holds it inside its own foot) keeps to the booleans and still builds. (The
// library's bolts: the differential sweep.)
#include <gtest/gtest.h>

#include <functional>

#include "KernelFixture.h"
#include "occt/BothWays.h"

namespace vormbrace::test {
namespace {

class StandingSolid : public KernelTest {
 protected:
  // A hexagon 8 mm across flats, 5 tall, chamfered at the top on the circle of 4.
  void ChamferedHexagon(host::ref::SceneShape& part) {
    auto& prism = AddFeature(part, host::kShapeExtruded, 1, 1, 5);
    SetAnchor(prism, 0, 0, 0);
    Polygon(prism, {{4, 2.3094}, {0, 4.6188}, {-4, 2.3094}, {-4, -2.3094}, {0, -4.6188},
                    {4, -2.3094}});
    auto& ring = AddFeature(part, host::kShapeRevolved, 1, 1, 1);
    SetAnchor(ring, 0, 0, -5);
    Polygon(ring, {{4, 0}, {8, -2.4}, {9, -2.4}, {9, 1}, {4, 1}});
    MarkRemoval(ring);
  }
  // A stepped pin of revolution about Z: `radius` from `from` halfway, then 2 up to `to`.
  host::ref::SceneShape& Pin(host::ref::SceneShape& part, double from, double to,
                             double radius) {
    auto& pin = AddFeature(part, host::kShapeRevolved, 1, 1, 1);
    SetAnchor(pin, 0, 0, -from);
    double h = to - from;
    Polygon(pin, {{0, 0}, {radius, 0}, {radius, h / 2}, {2, h / 2}, {2, h}, {0, h}});
    return pin;
  }
};

TEST_F(StandingSolid, OnEitherEndInOrderOrAfterTheChamfers) {
  // Below the prism, recorded first; above it, recorded after the chamfer.
  Built below = ExpectDirectAsBooleans(
      [&](host::Shape& p) {
        auto& part = static_cast<host::ref::SceneShape&>(p);
        Pin(part, -6, 0, 3);
        ChamferedHexagon(part);
      },
      "pin below");
  EXPECT_EQ(below.counts.booleanBuilds, 0);
  Built above = ExpectDirectAsBooleans(
      [&](host::Shape& p) {
        auto& part = static_cast<host::ref::SceneShape&>(p);
        ChamferedHexagon(part);
        Pin(part, 5, 9, 3);
      },
      "pin above");
  EXPECT_EQ(above.counts.booleanBuilds, 0);
}

TEST_F(StandingSolid, WhatDoesNotStandInsideTheEndFaceKeepsToTheBooleans) {
  struct Case {
    const char* name;
    std::function<void(host::ref::SceneShape&)> make;
    int booleans;
  };
  const Case cases[] = {
      // Wider than the chamfer's circle: its rim would cross the cone. The prism's end face lies
      // inside its foot instead, and the two are stacked without a boolean the other way round.
      {"wider than the face", [&](auto& p) { ChamferedHexagon(p), Pin(p, 5, 9, 4.2); }, 0},
      // Reaching into the prism.
      {"reaching in", [&](auto& p) { ChamferedHexagon(p), Pin(p, 4, 9, 3); }, 1},
      // Standing clear of the prism.
      {"apart", [&](auto& p) { ChamferedHexagon(p), Pin(p, 6, 9, 3); }, 1},
  };
  for (const Case& c : cases) {
    auto make = [&](host::Shape& p) { c.make(static_cast<host::ref::SceneShape&>(p)); };
    Built direct = BuildPart(true, make), reference = BuildPart(false, make);
    EXPECT_EQ(direct.counts.booleanBuilds, c.booleans) << c.name;
    EXPECT_EQ(direct.figures.valid, reference.figures.valid) << c.name;
    EXPECT_EQ(direct.figures.solids, reference.figures.solids) << c.name;
    EXPECT_NEAR(direct.figures.volume, reference.figures.volume, 1e-6 * reference.figures.volume)
        << c.name;
    EXPECT_EQ(direct.faces, reference.faces) << c.name;
  }
}

}  // namespace
}  // namespace vormbrace::test
