// Picking on real solids, and STEP parts imported into a scene.
#include <gtest/gtest.h>

#include <cmath>

#include "host/occt/Export.h"
#include "host/occt/Import.h"
#include "host/occt/OcctEvaluator.h"
#include "host/occt/Picking.h"
#include "host/reference/SceneFile.h"
#include "support/Plate.h"
#include "support/NearVec3.h"
#include "support/TestHost.h"

namespace {

using host::occt::PickScene;
using host::ref::SceneShape;
using host::ref::Vec3;

constexpr double kTol = 1e-6;
using vormbrace::test::kPlateHoleRadius;
constexpr double kPlate = vormbrace::test::kPlateSide,
                 kThickness = vormbrace::test::kPlateThickness, kHoleRadius = kPlateHoleRadius;

using vormbrace::test::ExpectNear;

class PickingTest : public ::testing::Test {
 protected:
  PickingTest() { host::occt::AttachKernel(doc_); }
  vormbrace::test::TestHost host_;
  host::ref::SceneDocument doc_;
};

TEST_F(PickingTest, RayOnTheTopFaceIsAPlaneHitWithItsOutwardNormal) {
  SceneShape& plate = vormbrace::test::AddPlate(doc_);
  host::ref::DropHit hit = PickScene(doc_, {15, 5, 50}, {0, 0, -1});
  EXPECT_EQ(hit.elementType, 3);
  EXPECT_EQ(hit.geometryType, 1);
  ExpectNear(hit.pickPoint, {15, 5, 0});
  ExpectNear(hit.faceNormal, {0, 0, 1});
  ASSERT_EQ(hit.path.size(), 2u);
  EXPECT_EQ(hit.path.back(), &plate);
  EXPECT_EQ(hit.path.front(), &doc_.Root());
}

TEST_F(PickingTest, HoleWallReportsRadiusAndTheAxisAtTheEntry) {
  vormbrace::test::AddPlate(doc_);
  // From above the hole's centre, slanting down to its wall 3 below the top.
  host::ref::DropHit hit = PickScene(doc_, {0, 0, 5}, {kHoleRadius, 0, -8});
  EXPECT_EQ(hit.elementType, 3);
  EXPECT_EQ(hit.geometryType, 2);
  EXPECT_NEAR(hit.majorRadius, kHoleRadius, kTol);
  ExpectNear(hit.pickPoint, {kHoleRadius, 0, -3});
  ExpectNear(hit.axisPoint, {0, 0, 0});
  ExpectNear(hit.axisDirection, {0, 0, 1});
  ExpectNear(hit.faceNormal, {-1, 0, 0});  // the wall faces into the hole
}

TEST_F(PickingTest, HitNextToACircularEdgeIsTheEdge) {
  vormbrace::test::AddPlate(doc_);
  host::ref::DropHit hit = PickScene(doc_, {kHoleRadius + 0.01, 0, 50}, {0, 0, -1});
  EXPECT_EQ(hit.elementType, 2);
  EXPECT_EQ(hit.geometryType, 2);
  EXPECT_NEAR(hit.majorRadius, kHoleRadius, kTol);
  ExpectNear(hit.axisPoint, {0, 0, 0});
  ExpectNear(hit.edgeDirection, {0, 0, 1});
}

TEST_F(PickingTest, MissIsAFreeDropAtTheOrigin) {
  vormbrace::test::AddPlate(doc_);
  host::ref::DropHit hit = PickScene(doc_, {100, 0, 50}, {0, 0, -1});
  EXPECT_EQ(hit.elementType, 0);
  ExpectNear(hit.dropPoint, {100, 0, 50});
  EXPECT_TRUE(hit.path.empty());
  host::ref::DropHit through = PickScene(doc_, {0, 0, 50}, {0, 0, -1});  // down the hole
  EXPECT_EQ(through.elementType, 0);
}

TEST_F(PickingTest, PointsAreInTheHitPartsFrame) {
  SceneShape& plate = vormbrace::test::AddPlate(doc_);
  host::ref::RigidTransform frame{host::ref::RotationAboutAxis({1, 0, 0}, 90), {100, 0, 0}};
  plate.SetFrame(frame);  // the top face now faces -Y, at y = 0
  host::ref::DropHit hit = PickScene(doc_, {110, -50, 5}, {0, 1, 0});
  EXPECT_EQ(hit.geometryType, 1);
  ExpectNear(hit.pickPoint, {10, 5, 0});
  ExpectNear(hit.faceNormal, {0, 0, 1});
}

TEST_F(PickingTest, ImportedStepPartCanBePickedSavedAndReloaded) {
  vormbrace::test::AddPlate(doc_);
  std::string step = (host_.Scratch() / "plate.step").string();
  host::occt::ExportScene(doc_, step);

  host::ref::SceneDocument scene;
  host::occt::AttachKernel(scene);
  SceneShape& imported = host::occt::ImportStepPart(scene, step);
  EXPECT_EQ(imported.Name(), "plate");
  host::occt::SolidFigures figures = host::occt::KernelOf(scene)->Figures(imported);
  double volume = kPlate * kPlate * kThickness - M_PI * kHoleRadius * kHoleRadius * kThickness;
  EXPECT_TRUE(figures.valid);
  EXPECT_NEAR(figures.volume, volume, volume * 1e-6);
  host::ref::DropHit hit = PickScene(scene, {0, 0, 5}, {kHoleRadius, 0, -8});
  EXPECT_EQ(hit.geometryType, 2);
  EXPECT_NEAR(hit.majorRadius, kHoleRadius, 1e-6);

  std::string path = (host_.Scratch() / "scene.json").string();
  host::ref::SaveScene(scene, path);
  auto reloaded = host::ref::LoadScene(path);
  host::occt::AttachKernel(*reloaded);
  auto& part = static_cast<SceneShape&>(reloaded->RootShape().Shapes(host::kShapePart).Item(1));
  EXPECT_NEAR(host::occt::KernelOf(*reloaded)->Figures(part).volume, volume, volume * 1e-6);
}

TEST_F(PickingTest, FilesThatAreNoStepPartsAreRefusedByName) {
  std::string text = host_.WriteFile("notes.step", "ISO-10303-21;\nthis is not a part\n");
  EXPECT_THROW(host::occt::ImportStepPart(doc_, text), host::occt::ImportError);
  EXPECT_THROW(host::occt::ImportStepPart(doc_, (host_.Scratch() / "none.step").string()),
               host::occt::ImportError);
  EXPECT_EQ(doc_.RootShape().Shapes(0).Count(), 0);
}

}  // namespace
