// Chamfered prisms built face by face (the library's hexagon and square heads and nuts: the
// direct differential test) give the solid the booleans give for any convex outline about an
// axis off their centre, bored, chamfered at both ends or turned; prisms and cuts that are not
// exactly a chamfered prism keep to the booleans and still build.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <utility>

#include "KernelFixture.h"
#include "occt/BothWays.h"

namespace vormbrace::test {
namespace {

using Corners = std::initializer_list<std::pair<double, double>>;

class DirectBuild : public KernelTest {
 protected:
  // The feature's position (vars 1-3) and turn (axis vars 4-6, degrees var 7).
  static void Place(host::Shape& feature, double x, double y, double z, double turnAboutX = 0) {
    Set(feature.Components(4).Item(1),
        {{1, x}, {2, y}, {3, z}, {4, 1}, {5, 0}, {6, 0}, {7, turnAboutX}});
  }
  // A prism of the polygon, `height` tall, bored by a circle of `bore` about `axis` (0: none).
  host::Shape& Prism(host::Shape& part, Corners corners, double height,
                     std::pair<double, double> axis = {0, 0}, double bore = 0) {
    auto& f =
        AddFeature(static_cast<host::ref::SceneShape&>(part), host::kShapeExtruded, 1, 1, height);
    SetAnchor(f, 0, 0, 0);
    Polygon(f, corners);
    if (bore > 0) {
      host::Component& circle = NewLoop(f);
      circle.SetStartPoint(axis.first, axis.second);
      circle.AddEllipse(axis.first, axis.second, bore);
    }
    return f;
  }
  // A removed ring of revolution about the feature's Z axis whose cone starts on the circle of
  // `radius` at height `end` and leans `slope` mm back into the prism per mm outward (`up`: the
  // material lies above, as at a bottom face); `width` reaches past the prism's corners.
  host::Shape& ChamferRing(host::Shape& part, double radius, double slope, double end, bool up,
                           double width = 4) {
    auto& f = AddFeature(static_cast<host::ref::SceneShape&>(part), host::kShapeRevolved, 1, 1, 1);
    SetAnchor(f, 0, 0, -end);
    double s = up ? 1 : -1;
    Polygon(f, {{radius, 0},
                {radius + width, s * width * slope},
                {radius + width + 1, s * width * slope},
                {radius + width + 1, -s},
                {radius, -s}});
    MarkRemoval(f);
    return f;
  }
};

TEST_F(DirectBuild, AnyConvexOutlineAboutAnAxisOffItsCentre) {
  // A pentagon about (10, 5), bored, its top chamfer crossing every flat, its bottom one
  // another cone; then the same turned a quarter about X, its axis then along -Y through
  // (10, y, 5).
  for (double turn : {0.0, 90.0}) {
    auto make = [&](host::Shape& part) {
      Place(Prism(part, {{16, 3}, {15, 9}, {9, 11}, {4, 6}, {7, 0}}, 5, {10, 5}, 2), 0, 0, 0, turn);
      double y = turn == 0 ? 5 : 0, z = turn == 0 ? 0 : 5;
      Place(ChamferRing(part, 5.7, 1, 5, false), 10, y, z, turn);
      Place(ChamferRing(part, 5.65, 0.5, 0, true), 10, y, z, turn);
    };
    Built built = ExpectDirectAsBooleans(make, "pentagon turned " + std::to_string(turn));
    EXPECT_EQ(built.faces["cone"], 10);
    EXPECT_EQ(built.faces["plane"], 7);
  }
}

TEST_F(DirectBuild, WhatIsNotExactlyAChamferedPrismKeepsToTheBooleans) {
  const Corners hexagon = {{4, 2.3094},   {0, 4.6188},  {-4, 2.3094},
                           {-4, -2.3094}, {0, -4.6188}, {4, -2.3094}};
  struct Case {
    const char* name;
    std::function<void(host::Shape&)> make;
  };
  const Case cases[] = {
      // The circle inside the flats: the cone would cut each flat's whole top edge.
      {"circle inside the flats",
       [&](host::Shape& p) {
         Prism(p, hexagon, 5);
         ChamferRing(p, 3.5, 0.6, 5, false);
       }},
      // The ring's axis beside the prism's.
      {"axes apart",
       [&](host::Shape& p) {
         Prism(p, hexagon, 5);
         Place(ChamferRing(p, 4, 0.6, 5, false), 0.5, 0, 0);
       }},
      // A pin added before the prism reaches through its top, into the chamfer's cut.
      {"earlier material in the cut",
       [&](host::Shape& p) {
         Place(Prism(p, {{3.5, -1}, {5, -1}, {5, 1}, {3.5, 1}}, 7), 0, 0, 0);
         Prism(p, hexagon, 5);
         ChamferRing(p, 4, 0.6, 5, false);
       }},
      // A cone that reaches the far end face.
      {"cone through the prism",
       [&](host::Shape& p) {
         Prism(p, hexagon, 0.2);
         ChamferRing(p, 4, 0.6, 0.2, false);
       }},
  };
  for (const Case& c : cases) ExpectDirectAsBooleans(c.make, c.name, 0);
}

}  // namespace
}  // namespace vormbrace::test
