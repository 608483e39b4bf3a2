// A drop turned into the drop context: free, face and axis placement, hole data, units.
#include <gtest/gtest.h>

#include "components/DropAnalysis.h"
#include "components/Nut.h"
#include "data/Globals.h"
#include "host/reference/DropHit.h"
#include "support/NearVec3.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;
using host::ref::DropHit;
using host::ref::RecordedDrop;
using host::ref::SceneShape;
using host::ref::Vec3;

// Where the drop context's placement puts a point of the new part.
Vec3 Placed(Vec3 p) {
  const auto& v = State().drop.placement;
  host::ref::RigidTransform t{host::ref::RotationAboutAxis({v[3], v[4], v[5]}, v[6]),
                              {v[0], v[1], v[2]}};
  return host::ref::Apply(t, p);
}

using test::ExpectNear;

class DropAnalysisTest : public ::testing::Test {
 protected:
  SceneShape& Plate(Vec3 at) {
    auto& part = static_cast<SceneShape&>(doc_.RootShape().Shapes(host::kShapePart).Add());
    part.SetFrame({{}, at});
    return part;
  }
  // A hit on the wall of a vertical hole of radius r through `part`, entered from the top. The
  // axis is reported the old way: a direction component above 999 marks the coordinate of the
  // axis point that the axis leaves free, taken from the pick instead.
  DropHit HoleWall(SceneShape& part, double r) {
    DropHit hit;
    hit.elementType = host::kHitFace;
    hit.geometryType = 2;
    hit.pickPoint = {r, 0, -1};
    hit.faceNormal = {0, 0, 1};
    hit.axisPoint = {0, 0, 123};
    hit.axisDirection = {0, 0, -1000};
    hit.majorRadius = r;
    hit.path = {&doc_.Root(), &part};
    return hit;
  }
  test::TestHost host_;
  host::ref::SceneDocument doc_;
};

TEST_F(DropAnalysisTest, DropOnNothingPlacesAtTheDropPointUnturned) {
  State().holeDiameter = 7;
  State().componentId = 99;
  DropHit hit;
  hit.dropPoint = {10, 20, 30};
  RecordedDrop drop(doc_, hit);
  ASSERT_TRUE(AnalyseDrop(drop));
  EXPECT_EQ(State().drop.placement, (std::array<double, 7>{10, 20, 30, 0, 0, 0, 0}));
  EXPECT_EQ(State().holeDiameter, 0);
  EXPECT_EQ(State().componentId, 0);
  EXPECT_EQ(State().drop.target, &doc_.RootShape());  // a path of one item
  EXPECT_EQ(State().page, &doc_);
  EXPECT_FALSE(State().drop.editMode);
}

TEST_F(DropAnalysisTest, HoleWallSuggestsItsDiameterAndPutsTheAxisOnTheHoleAxis) {
  SceneShape& plate = Plate({100, 0, 0});
  RecordedDrop drop(doc_, HoleWall(plate, 5.25));
  ASSERT_TRUE(AnalyseDrop(drop));
  EXPECT_EQ(State().holeDiameter, 10.5);
  // The normal points against the hole axis: the part is turned so that its +Z leaves the
  // surface, and its origin sits on the axis at the picked height, in the plate's parent.
  ExpectNear(Placed({0, 0, 0}), {100, 0, -1});
  ExpectNear(Placed({0, 0, 1}), {100, 0, 0});
  ExpectNear({State().drop.axis[0], State().drop.axis[1], State().drop.axis[2]}, {0, 0, -1});
  EXPECT_EQ(State().drop.target, &doc_.RootShape());
  EXPECT_EQ(State().drop.holePart, nullptr);
  EXPECT_EQ(State().drop.pick, (std::array<double, 3>{0, 0, -1}));  // on the axis, for a hole
}

TEST_F(DropAnalysisTest, NormalAlongTheAxisKeepsTheReferenceAxisUp) {
  SceneShape& plate = Plate({});
  DropHit hit = HoleWall(plate, 4);
  hit.axisPoint = {0, 0, -1};     // the foot of the pick on the axis
  hit.axisDirection = {0, 0, 2};  // not normalised by the host
  RecordedDrop drop(doc_, hit);
  ASSERT_TRUE(AnalyseDrop(drop));
  EXPECT_EQ(State().drop.axis, (std::array<double, 3>{0, 0, 1}));  // a = 0: the normal itself
  ExpectNear(Placed({0, 0, 1}), {0, 0, 0});
  ExpectNear(Placed({0, 0, 0}), {0, 0, -1});
}

TEST_F(DropAnalysisTest, FaceDropSeatsThePartOnTheFaceAlongItsNormal) {
  SceneShape& plate = Plate({0, 0, 5});
  DropHit hit;
  hit.elementType = host::kHitFace;
  hit.geometryType = 1;
  hit.pickPoint = {3, 4, 0};
  hit.faceNormal = {1, 0, 0};
  hit.path = {&doc_.Root(), &plate};
  RecordedDrop drop(doc_, hit);
  ASSERT_TRUE(AnalyseDrop(drop));
  ExpectNear(Placed({0, 0, 0}), {3, 4, 5});
  ExpectNear(Placed({0, 0, 1}), {4, 4, 5});
  EXPECT_EQ(State().drop.pick, (std::array<double, 3>{3, 4, 0}));
  EXPECT_EQ(State().holeDiameter, 0);
}

TEST_F(DropAnalysisTest, DropOnANutsBoreTakesOverTheNut) {
  SceneShape& nutPart = Plate({});
  State().componentId = 4242;
  Nut nut;
  nut.DiametroFiletto = 12;
  nut.WriteTable(nutPart, "x");
  State().componentId = 0;
  RecordedDrop drop(doc_, HoleWall(nutPart, 6.0));
  ASSERT_TRUE(AnalyseDrop(drop));
  EXPECT_EQ(State().holeDiameter, 12);
  EXPECT_EQ(State().drop.holePart, &nutPart);
  EXPECT_EQ(State().componentId, 4242);
}

TEST_F(DropAnalysisTest, HoleKindsGiveTheDiameterOfTheirSizeCode) {
  SceneShape& hole = Plate({});
  host::Component& table = hole.Components(34).Add();
  table.Variable(2, 1).SetValue(host::Value::Text("Hole simple"));
  table.Variable(2, 14).SetValue(host::Value::Text("M16"));
  table.Variable(1, 2).SetValue(host::Value::Double(77.5));
  RecordedDrop drop(doc_, HoleWall(hole, 9));
  ASSERT_TRUE(AnalyseDrop(drop));
  EXPECT_EQ(State().holeDiameter, 16);
  EXPECT_EQ(State().componentId, 78);  // rounded half to even
}

// A rounding of a hole's edge (the host gives its hole's radius) is placed on the hole's axis;
// a surface of revolution that rounds no hole is placed on as a face, never left with the
// placement and diameter of the drop before.
TEST_F(DropAnalysisTest, SurfaceOfRevolutionSeatsOnItsHoleElseAsAFace) {
  SceneShape& part = Plate({});
  DropHit rounding = HoleWall(part, 2.5);
  rounding.geometryType = 11;
  RecordedDrop onHole(doc_, rounding);
  ASSERT_TRUE(AnalyseDrop(onHole));
  EXPECT_EQ(State().holeDiameter, 5);
  ExpectNear(Placed({0, 0, 0}), {0, 0, -1});

  State().drop.placement = {1, 2, 3, 0, 0, 1, 45};
  State().holeDiameter = 8;
  DropHit dome = HoleWall(part, 0);
  dome.geometryType = 11;
  RecordedDrop onDome(doc_, dome);
  ASSERT_TRUE(AnalyseDrop(onDome));
  ExpectNear(Placed({0, 0, 0}), {0, 0, -1});
  ExpectNear(Placed({0, 0, 1}), {0, 0, 0});
  EXPECT_EQ(State().holeDiameter, 0);
}

TEST_F(DropAnalysisTest, CircularEdgeGivesAxisFromItsDirection) {
  SceneShape& plate = Plate({});
  DropHit hit;
  hit.elementType = host::kHitEdge;
  hit.geometryType = 2;
  hit.pickPoint = {0, 5, 0};
  hit.faceNormal = {0, 0, 1};
  hit.axisPoint = {0, 0, 0};
  hit.edgeDirection = {0, 0, 1};
  hit.majorRadius = 5;
  hit.path = {&doc_.Root(), &plate};
  RecordedDrop drop(doc_, hit);
  ASSERT_TRUE(AnalyseDrop(drop));
  EXPECT_EQ(State().holeDiameter, 10);
  ExpectNear(Placed({0, 0, 0}), {0, 0, 0});
}

TEST_F(DropAnalysisTest, InchSceneGetsTheUnitsMessageAndNoPlacement) {
  doc_.SetUnits(3);
  State().drop.placement = {1, 1, 1, 0, 0, 0, 0};
  DropHit hit;
  hit.dropPoint = {9, 9, 9};
  RecordedDrop drop(doc_, hit);
  EXPECT_FALSE(AnalyseDrop(drop));
  ASSERT_EQ(host_.Host().Messages().size(), 1u);
  EXPECT_EQ(host_.Host().Messages()[0].text,
            "This tool was designed to be used with scene units of millimeters.");
  EXPECT_EQ(host_.Host().Messages()[0].title, "Corvane");
  EXPECT_EQ(host_.Host().Messages()[0].style, 0);
  EXPECT_EQ(State().drop.placement, (std::array<double, 7>{1, 1, 1, 0, 0, 0, 0}));
}

TEST_F(DropAnalysisTest, TargetIsTheHitPartsParentInAnAssembly) {
  auto& assembly = static_cast<SceneShape&>(doc_.RootShape().Shapes(host::kShapeAssembly).Add());
  auto& part = static_cast<SceneShape&>(assembly.Shapes(host::kShapePart).Add());
  DropHit hit = HoleWall(part, 5);
  hit.path = {&doc_.Root(), &assembly, &part};
  RecordedDrop drop(doc_, hit);
  ASSERT_TRUE(AnalyseDrop(drop));
  EXPECT_EQ(State().drop.target, &assembly);
}

}  // namespace
