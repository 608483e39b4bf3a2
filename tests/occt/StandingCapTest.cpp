// Solids of revolution standing on a chamfered prism's end face, plain or bored (a bolt's head, a
// nut's cap or crown), are fused without a boolean and give the solid the booleans give: pins,
// disks and rings, inside the face or out to the chamfer's circle, closing the bore, leaving it
// bare or overhanging it, above the prism or below it, arched, or sunk into the face with the
// bore's wall carried on; a solid wider than the face holds it in its foot and is stacked the other
// way round. A footprint whose inner circle is the bore's, or that overhangs the face, reaches
// into the prism or stands clear of it keeps to the booleans and still builds. (The library's
// bolts and nuts: the direct differential test.)
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "KernelFixture.h"
#include "occt/BothWays.h"

namespace vormbrace::test {
namespace {

using Points = std::vector<std::pair<double, double>>;
using host::ref::SceneShape;

class StandingCap : public KernelTest {
 protected:
  // A hexagon 8 mm across flats, 5 tall, bored through with radius 2 (or not), chamfered at the
  // top (and at the bottom, with `bothEnds`) on the circle of 4, which touches every flat.
  void Hexagon(SceneShape& part, bool bored, bool bothEnds = false) {
    auto& prism = AddFeature(part, host::kShapeExtruded, 1, 1, 5);
    SetAnchor(prism, 0, 0, 0);
    const double e = 4 / std::cos(std::acos(-1.0) / 6);  // the corners' radius, exactly
    Polygon(prism, {{4, e / 2}, {0, e}, {-4, e / 2}, {-4, -e / 2}, {0, -e}, {4, -e / 2}});
    if (bored) {
      host::Component& bore = NewLoop(prism);
      bore.SetStartPoint(0, 0);
      bore.AddEllipse(0, 0, 2);
    }
    for (double z : {5.0, 0.0}) {
      if (z == 0 && !bothEnds) break;
      const double s = z > 0 ? 1 : -1;
      auto& ring = AddFeature(part, host::kShapeRevolved, 1, 1, 1);
      SetAnchor(ring, 0, 0, -z);
      Polygon(ring, {{4, 0}, {8, -2.4 * s}, {9, -2.4 * s}, {9, s}, {4, s}});
      MarkRemoval(ring);
    }
  }
  // A solid of revolution about Z, its closed profile (distance from the axis, height) from
  // `from`.
  void Revolved(SceneShape& part, double from, const Points& profile) {
    auto& solid = AddFeature(part, host::kShapeRevolved, 1, 1, 1);
    SetAnchor(solid, 0, 0, -from);
    host::Component& loop = NewLoop(solid);
    loop.SetStartPoint(profile.front().first, profile.front().second);
    for (std::size_t i = 1; i < profile.size(); ++i)
      loop.AddLineTo(profile[i].first, profile[i].second);
    loop.AddLineTo(profile.front().first, profile.front().second);
  }
  // A stepped pin: `radius` from `from` halfway, then 2 up to `to`.
  void Pin(SceneShape& part, double from, double to, double radius) {
    const double h = to - from;
    Revolved(part, from, {{0, 0}, {radius, 0}, {radius, h / 2}, {2, h / 2}, {2, h}, {0, h}});
  }
  // A dome on the top face: foot `foot` across, an arc from 1 up to the axis at 3.
  void Dome(SceneShape& part, double foot) {
    auto& dome = AddFeature(part, host::kShapeRevolved, 1, 1, 1);
    SetAnchor(dome, 0, 0, -5);
    host::Component& loop = NewLoop(dome);
    loop.SetStartPoint(0, 0);
    loop.AddLineTo(foot, 0);
    loop.AddLineTo(foot, 1);
    loop.AddArcTo(0, 3, -0.2);
    loop.AddLineTo(0, 0);
  }
};

TEST_F(StandingCap, SolidsOnAnEndFaceJoinWithoutABooleanOrKeepToIt) {
  struct Case {
    const char* name;
    std::function<void(SceneShape&)> make;
    int booleans;
    int builds = 1;  // 2: the prism and the solid holding it stacked
  };
  auto onTop = [&](Points profile) {
    return [=, this](SceneShape& p) { Hexagon(p, true), Revolved(p, 5, profile); };
  };
  auto underBoth = [&](Points profile) {
    return [=, this](SceneShape& p) { Hexagon(p, true, true), Revolved(p, 0, profile); };
  };
  const Case cases[] = {
      {"cap closing the bore out to the chamfer's circle",
       onTop({{0, 0}, {4, 0}, {4, 1}, {2, 3}, {0, 3}}), 0},
      {"ring out to the chamfer's circle", onTop({{3, 0}, {4, 0}, {4, 1}, {3, 1}}), 0},
      {"ring inside the face", onTop({{2.5, 0}, {3.5, 0}, {3.5, 2}, {2.5, 2}}), 0},
      {"disk over the bore", onTop({{0, 0}, {3, 0}, {3, 2}, {0, 2}}), 0},
      {"ring overhanging the bore", onTop({{1, 0}, {3, 0}, {3, 2}, {1, 2}}), 0},
      {"dome sunk into the face, its wall the bore's",
       onTop({{2, -1}, {3.5, -1}, {3.5, 0}, {3, 1}, {3, 2}, {0, 2}, {0, 1.5}, {2, 1.5}}), 0},
      {"disk below the plain bottom, recorded first",
       [&](SceneShape& p) {
         Revolved(p, -2, {{0, 0}, {3, 0}, {3, 2}, {0, 2}}), Hexagon(p, true);
       },
       0},
      {"cap under the chamfered bottom", underBoth({{0, 0}, {4, 0}, {4, -1}, {2, -3}, {0, -3}}), 0},
      {"ring under the chamfered bottom", underBoth({{3, 0}, {4, 0}, {4, -1}, {3, -1}}), 0},
      {"dome sunk into the chamfered bottom",
       underBoth({{2, 1}, {3.5, 1}, {3.5, 0}, {3, -1}, {3, -2}, {0, -2}, {0, -1.5}, {2, -1.5}}), 0},
      {"arched dome on the bored face", [&](SceneShape& p) { Hexagon(p, true), Dome(p, 4); }, 0},
      {"domed pin on a plain face", [&](SceneShape& p) { Hexagon(p, false), Dome(p, 3); }, 0},
      {"pin below, recorded first", [&](SceneShape& p) { Pin(p, -6, 0, 3), Hexagon(p, false); }, 0},
      {"pin above", [&](SceneShape& p) { Hexagon(p, false), Pin(p, 5, 9, 3); }, 0},
      {"pin wider than the face, holding it",
       [&](SceneShape& p) { Hexagon(p, false), Pin(p, 5, 9, 4.2); }, 0, 2},
      {"pin reaching into the prism", [&](SceneShape& p) { Hexagon(p, false), Pin(p, 4, 9, 3); },
       1},
      {"pin clear of the prism", [&](SceneShape& p) { Hexagon(p, false), Pin(p, 6, 9, 3); }, 1},
      // A block whose top face is not convex, a pin standing clear of it over its notch.
      {"pin over the notch of a C-shaped block",
       [&](SceneShape& p) {
         auto& block = AddFeature(p, host::kShapeExtruded, 1, 1, 5);
         SetAnchor(block, 0, 0, 0);
         Polygon(block, {{-6, -6}, {6, -6}, {6, -3}, {-3, -3}, {-3, 3}, {6, 3}, {6, 6}, {-6, 6}});
         Pin(p, 5, 9, 2);
       },
       1, 0},
      {"inner circle on the bore's", onTop({{2, 0}, {3, 0}, {3, 2}, {2, 2}}), 1},
      {"wider than the bored face", onTop({{0, 0}, {4.5, 0}, {4.5, 1}, {0, 1}}), 1, 2},
      {"reaching into the bored prism", onTop({{0, -1}, {3, -1}, {3, 2}, {0, 2}}), 1},
      {"sunk, its wall off the bore's",
       onTop({{2.5, -1}, {3.5, -1}, {3.5, 0}, {3, 1}, {3, 2}, {0, 2}, {0, 1.5}, {2.5, 1.5}}), 1},
      {"sunk past the flats",
       onTop({{2, -1}, {4.5, -1}, {4.5, 0}, {3, 1}, {3, 2}, {0, 2}, {0, 1.5}, {2, 1.5}}), 1},
  };
  for (const Case& c : cases) {
    ExpectDirectAsBooleans([&](host::Shape& p) { c.make(static_cast<SceneShape&>(p)); }, c.name,
                           c.builds, c.booleans);
  }
}

}  // namespace
}  // namespace vormbrace::test
