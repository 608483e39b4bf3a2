// Feature solids from recorded profiles: the profile operations, the three feature kinds, the
// frames and the placement rule. Expected volumes are worked out in the comments.
#include <cmath>

#include "KernelFixture.h"
#include "host/Host.h"
#include "host/RuntimeError.h"

namespace vormbrace::test {
namespace {

constexpr double kPi = 3.14159265358979323846;
using host::ref::SceneShape;
using host::ref::Vec3;

class FeatureSolid : public KernelTest {};

TEST_F(FeatureSolid, ExtrusionSweepsByTheSizeBoxHeightFromTheDefaultAnchor) {
  // A 10 x 10 square swept 5: 500 mm³. No anchor written: the anchor is the centre of the size
  // box's base (5, 5, 0), so the square lands centred on the axis.
  SceneShape& up = NewPart();
  Polygon(AddFeature(up, host::kShapeExtruded, 10, 10, 5), {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  ExpectValidSolid(up, 500, 1e-9);
  ExpectBox(up, {-5, -5, 0}, {5, 5, 5});

  // A negative height sweeps the other way.
  SceneShape& down = NewPart();
  Polygon(AddFeature(down, host::kShapeExtruded, 10, 10, -5), {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  ExpectValidSolid(down, 500, 1e-9);
  ExpectBox(down, {-5, -5, -5}, {5, 5, 0});
}

TEST_F(FeatureSolid, ArcsBulgeToTheLeftOfTravelForAPositiveRatio) {
  // From (10, 0) back to (0, 0) with ratio ±0.5: a half disc of radius 5, area 12.5 pi,
  // swept 2: 25 pi. Travelling towards -x, the left is -y.
  for (double ratio : {0.5, -0.5}) {
    SceneShape& part = NewPart();
    SceneShape& f = AddFeature(part, host::kShapeExtruded, 10, 5, 2);
    SetAnchor(f, 0, 0, 0);
    host::Component& loop = NewLoop(f);
    loop.SetStartPoint(0, 0);
    loop.AddLineTo(10, 0);
    loop.AddArcTo(0, 0, ratio);
    ExpectValidSolid(part, 25 * kPi, 1e-6);
    if (ratio > 0) {
      ExpectBox(part, {0, -5, 0}, {10, 0, 2});
    } else {
      ExpectBox(part, {0, 0, 0}, {10, 5, 2});
    }
  }
}

TEST_F(FeatureSolid, LoopsCombineEvenOdd) {
  struct Case {
    const char* name;
    double area;
    int solids;
  };
  // Full circle r 3: 9 pi. Square 10 with a circle r 2 inside: 100 - 4 pi (a bore). Circle r 5
  // with a square 4 inside: 25 pi - 16 (a square hole). Square 10, circle r 4, square 2: the
  // innermost square is material again (an island of its own), 100 - 16 pi + 4.
  const Case cases[] = {{"circle", 9 * kPi, 1},
                        {"bore", 100 - 4 * kPi, 1},
                        {"square hole", 25 * kPi - 16, 1},
                        {"three nested", 104 - 16 * kPi, 2}};
  auto circle = [](SceneShape& f, double r) {
    host::Component& loop = NewLoop(f);
    loop.SetStartPoint(0, 0);
    loop.AddEllipse(0, 0, r);
  };
  auto square = [](SceneShape& f, double h) { Polygon(f, {{-h, -h}, {h, -h}, {h, h}, {-h, h}}); };
  for (const Case& c : cases) {
    SceneShape& part = NewPart();
    part.SetName(c.name);
    SceneShape& f = AddFeature(part, host::kShapeExtruded, 0, 0, 1);
    std::string name = c.name;
    if (name == "circle") circle(f, 3);
    if (name == "bore") square(f, 5), circle(f, 2);
    if (name == "square hole") circle(f, 5), square(f, 2);
    if (name == "three nested") square(f, 5), circle(f, 4), square(f, 1);
    host::occt::SolidFigures fig = Figures(part);
    EXPECT_TRUE(fig.valid) << c.name;
    EXPECT_EQ(fig.solids, c.solids) << c.name;
    EXPECT_NEAR(fig.volume, c.area, 1e-6) << c.name;
  }
}

TEST_F(FeatureSolid, FilletsCountEarlierFilletsAsCorners) {
  // Four fillets r 2 on a 10 x 10 square at corners 1, 3, 5, 7: each takes 4 (1 - pi/4).
  SceneShape& square = NewPart();
  host::Component& loop = Polygon(AddFeature(square, host::kShapeExtruded, 10, 10, 1),
                                  {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  for (int corner : {1, 3, 5, 7}) loop.AddFilletAt(corner, 2);
  ExpectValidSolid(square, 100 - 16 * (1 - kPi / 4), 1e-6);

  // Triangle (0, 0), (10, 0), apex (5, 20): after a fillet at corner 1 the apex is corner 4;
  // corner 3 is (10, 0). Only a rounded apex lowers the top of the box.
  for (int second : {3, 4}) {
    SceneShape& part = NewPart();
    SceneShape& f = AddFeature(part, host::kShapeExtruded, 0, 0, 1);
    host::Component& tri = Polygon(f, {{0, 0}, {10, 0}, {5, 20}});
    tri.AddFilletAt(1, 1);
    tri.AddFilletAt(second, 1);
    host::occt::SolidFigures fig = Figures(part);
    EXPECT_TRUE(fig.valid);
    if (second == 4) {
      EXPECT_LT(fig.boxMax.y, 19.5);
    } else {
      EXPECT_NEAR(fig.boxMax.y, 20, 1e-6);
    }
  }
}

TEST_F(FeatureSolid, RevolutionTurnsAboutTheProfileOriginsAxis) {
  // Rectangle 5 wide, 10 high turned about the axis: pi 25 10. Drawn at negative x it makes
  // the same cylinder; the profile origin carries the axis and the base height.
  for (double side : {1.0, -1.0}) {
    SceneShape& part = NewPart();
    SceneShape& f = AddFeature(part, host::kShapeRevolved, 10, 10, 10);
    Set(ProfileOf(f).Components(4).Item(1), {{1, 3}, {2, 4}, {3, 2}});
    SetAnchor(f, 3, 4, 0);
    Polygon(f, {{0, 0}, {5 * side, 0}, {5 * side, 10}, {0, 10}});
    ExpectValidSolid(part, 250 * kPi, 1e-6);
    ExpectBox(part, {-5, -5, 2}, {5, 5, 12});
  }
}

TEST_F(FeatureSolid, PlacementRuleCarriesTheAnchorToThePosition) {
  // A 10 x 2 x 1 slab, anchor (0, 0, 0), position (1, 2, 3), turned 90° about Z through the
  // position by variables 4-7, by a placement service, or by Rotate(3, pi/2): x [0, 10] goes
  // to y [2, 12], y [0, 2] to x [-1, 1].
  for (int way = 0; way < 3; ++way) {
    SceneShape& part = NewPart();
    SceneShape& f = AddFeature(part, host::kShapeExtruded, 10, 2, 1);
    SetAnchor(f, 0, 0, 0);
    Polygon(f, {{0, 0}, {10, 0}, {10, 2}, {0, 2}});
    host::Component& position = f.Components(4).Item(1);
    if (way == 0) Set(position, {{1, 1}, {2, 2}, {3, 3}, {4, 0}, {5, 0}, {6, 1}, {7, 90}});
    if (way == 1) {
      auto placement = host::CurrentHost().NewPlacement();
      placement->SetTarget(f);
      placement->SetPosition(1, 2, 3);
      placement->SetAxis(0, 0, 1);
      placement->SetAngle(90);
      placement->Apply();
    }
    if (way == 2) {
      Set(position, {{1, 1}, {2, 2}, {3, 3}});
      f.Rotate(3, kPi / 2);
    }
    ExpectValidSolid(part, 20, 1e-9);
    ExpectBox(part, {-1, 2, 3}, {1, 12, 4});
  }
}

TEST_F(FeatureSolid, TurnedProfileTurnsTheSweepDirection) {
  // Profile turned 90° about X: its normal becomes -Y, its y axis +Z.
  SceneShape& part = NewPart();
  SceneShape& f = AddFeature(part, host::kShapeExtruded, 2, 2, 5);
  SetAnchor(f, 0, 0, 0);
  Set(ProfileOf(f).Components(4).Item(1), {{4, 1}, {5, 0}, {6, 0}, {7, 90}});
  Polygon(f, {{0, 0}, {2, 0}, {2, 2}, {0, 2}});
  ExpectValidSolid(part, 20, 1e-9);
  ExpectBox(part, {0, -5, 0}, {2, 0, 2});
}

TEST_F(FeatureSolid, AttributesShapeTheSweep) {
  // 55 and 56 sweep on both sides of the profile plane (1 up, 3 down), whatever the size box
  // says: 2 x 2 x 4 = 16.
  SceneShape& twoSided = NewPart();
  SceneShape& f = AddFeature(twoSided, host::kShapeExtruded, 2, 2, 100);
  SetAnchor(f, 0, 0, 0);
  Set(f.Components(14).Item(1), {{55, 1}, {56, 3}});
  Polygon(f, {{0, 0}, {2, 0}, {2, 2}, {0, 2}});
  ExpectValidSolid(twoSided, 16, 1e-9);
  ExpectBox(twoSided, {0, 0, -3}, {2, 2, 1});

  // 47 drafts the walls: a 10 x 10 square swept 5 down, walls leaning in by atan(0.1), ends as
  // a 9 x 9 square: a frustum of 5/3 (100 + 81 + 90) mm³.
  SceneShape& drafted = NewPart();
  SceneShape& d = AddFeature(drafted, host::kShapeExtruded, 10, 10, -5);
  SetAnchor(d, 0, 0, 0);
  Set(d.Components(14).Item(1), {{47, -std::atan(0.1)}});
  Polygon(d, {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}});
  ExpectValidSolid(drafted, 5.0 / 3 * 271, 1e-6);
  ExpectBox(drafted, {-5, -5, -5}, {5, 5, 0});
}

TEST_F(FeatureSolid, SweptSectionFollowsItsPath) {
  // A 2 x 2 section turned to face +X, carried along a quarter circle of radius 10 drawn in the
  // path's plane: Pappus, 4 × (pi/2 × 10).
  SceneShape& part = NewPart();
  SceneShape& f = AddFeature(part, host::kShapeSwept, 0, 0, 0);
  SetAnchor(f, 0, 0, 0);
  Set(ProfileOf(f).Components(4).Item(1), {{4, 0}, {5, 1}, {6, 0}, {7, 90}});
  Polygon(f, {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}});
  host::Component& path = f.Components(24).Item(1).Profile().Components(3).Add();
  path.SetStartPoint(0, 0);
  // The quarter circle about (0, 10) bulges to the right of the chord: sagitta/chord
  // (1 - cos 45°)/(2 sin 45°).
  path.AddArcTo(10, 10, -(1 - std::cos(kPi / 4)) / (2 * std::sin(kPi / 4)));
  ExpectValidSolid(part, 20 * kPi, 1e-4);
  ExpectBox(part, {-1e-9, -1, -1}, {11, 10, 1}, 1e-3);
}

TEST_F(FeatureSolid, CopyAppendsADuplicateThatRotateTurns) {
  // Slab 10 x 2 x 2 centred on the axis, and its copy a quarter turn about Z: a cross,
  // 2 × 40 - 8 (the middle counted once).
  SceneShape& part = NewPart();
  SceneShape& f = AddFeature(part, host::kShapeExtruded, 10, 2, 2);
  SetAnchor(f, 0, 0, 0);
  Polygon(f, {{-5, -1}, {5, -1}, {5, 1}, {-5, 1}});
  f.Copy(true).Rotate(3, kPi / 2);
  EXPECT_EQ(part.Children().size(), 2u);
  ExpectValidSolid(part, 72, 1e-9);
  ExpectBox(part, {-5, -5, 0}, {5, 5, 2});
}

}  // namespace
}  // namespace vormbrace::test
