// Placements, vectors and transforms of the reference host, and how features and parts move.
#include <gtest/gtest.h>

#include "host/Host.h"
#include "host/RuntimeError.h"
#include "host/reference/SceneDocument.h"
#include "support/ErrorOf.h"
#include "support/TestHost.h"

namespace {

using host::CurrentHost;

constexpr double kTol = 1e-12;

void ExpectPoint(const host::HostTransform& t, double x, double y, double z, double ex, double ey,
                 double ez) {
  t.MapPoint(x, y, z);
  EXPECT_NEAR(x, ex, kTol);
  EXPECT_NEAR(y, ey, kTol);
  EXPECT_NEAR(z, ez, kTol);
}

class ServicesTest : public ::testing::Test {
 protected:
  vormbrace::test::TestHost host_;
  host::ref::SceneDocument doc_;
};

TEST_F(ServicesTest, TransformsCarryPointsAndTurnAboutTheirAxis) {
  // The origin with +Z onto (10, 20, 30) with +X: +Z turns onto +X, a quarter about +Y.
  auto t = CurrentHost().NewTransform();
  t->SetFromFrames(0, 0, 0, 0, 0, 1, 10, 20, 30, 1, 0, 0);
  ExpectPoint(*t, 0, 0, 5, 15, 20, 30);
  double ax, ay, az, degrees;
  t->GetRotation(ax, ay, az, degrees);
  EXPECT_NEAR(degrees, 90, 1e-9);
  EXPECT_NEAR(ay, 1, kTol);
  // Opposite axes: half a turn about an axis across them.
  t->SetFromFrames(0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, -1);
  ExpectPoint(*t, 0, 0, 1, 0, 0, -1);
  t->GetRotation(ax, ay, az, degrees);
  EXPECT_NEAR(degrees, 180, 1e-9);
  EXPECT_NEAR(az, 0, kTol);
  // Multiply applies this one first, then the other.
  t->SetFromFrames(0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0);  // +X onto +Y about Z
  auto shift = CurrentHost().NewTransform();
  shift->SetTranslation(100, 0, 0);
  t->Multiply(*shift);
  ExpectPoint(*t, 1, 0, 0, 100, 1, 0);
}

TEST_F(ServicesTest, VectorAngleIsInDegrees) {
  auto a = CurrentHost().NewVector();
  auto b = CurrentHost().NewVector();
  a->Set(0, 0, 3);
  b->Set(0, 2, -2);
  EXPECT_NEAR(a->AngleTo(*b), 135, 1e-9);
  a->Normalize();
  EXPECT_NEAR(a->Z(), 1, kTol);
}

TEST_F(ServicesTest, PlacementAppliedToAPartIsReadBackAndIsItsFrame) {
  host::Shape& part = doc_.RootShape().Shapes(host::kShapePart).Add();
  auto p = CurrentHost().NewPlacement();
  p->SetPosition(5, 6, 7);
  p->SetAxis(1, 0, 0);
  p->SetAngle(90);
  p->SetTarget(part);
  p->Apply();
  auto read = CurrentHost().NewPlacement();
  read->ReadFrom(part);
  EXPECT_EQ(read->PositionY(), 6);
  EXPECT_EQ(read->Angle(), 90);

  auto box = CurrentHost().NewSizebox();
  box->SetShape(part);
  ExpectPoint(*box->SizeboxToParentTransform(), 0, 0, 1, 5, 5, 7);  // Z turned onto -Y
  double nx, ny, nz;
  part.GetNormal(nx, ny, nz);
  EXPECT_NEAR(ny, -1, kTol);
  part.Shift(0, 0, 0.010, true);  // host units: metres
  read->ReadFrom(part);
  EXPECT_NEAR(read->PositionZ(), 17, kTol);
}

TEST_F(ServicesTest, PlacementWithoutTargetIsAnError) {
  EXPECT_EQ(vormbrace::test::ErrorOf([] { CurrentHost().NewPlacement()->Apply(); }), 424);
}

TEST_F(ServicesTest, RotateTurnsACopiedFeatureAboutItsOwnAxis) {
  host::Shape& part = doc_.RootShape().Shapes(host::kShapePart).Add();
  host::Shape& blade = part.Components(23).Item(1).Shapes(host::kShapeExtruded).Add();
  auto p = CurrentHost().NewPlacement();
  p->SetPosition(0, 0, 2);
  p->SetAxis(1, 0, 0);
  p->SetAngle(-90);
  p->SetTarget(blade);
  p->Apply();
  blade.SetName("Recess");
  host::Shape& copy = blade.Copy(true);
  EXPECT_EQ(copy.Name(), "Recess");
  EXPECT_NE(copy.SystemID(), blade.SystemID());
  EXPECT_EQ(part.Shapes(0).Count(), 2);
  copy.Rotate(2, 3.14159265358979 / 2);
  // The copy's frame is the blade's turned a further quarter about the blade's own Y axis:
  // its Z axis, which the blade had on +Y, now lies along +X.
  auto& frame = static_cast<host::ref::SceneShape&>(copy);
  host::ref::Vec3 z = frame.Frame().rotation * host::ref::Vec3{0, 0, 1};
  EXPECT_NEAR(z.x, 1, 1e-9);
  EXPECT_NEAR(frame.Frame().translation.z, 2, kTol);
}

TEST_F(ServicesTest, UnitConverterUsesTheUnitCodes) {
  auto c = CurrentHost().NewUnitConverter(doc_);
  EXPECT_DOUBLE_EQ(c->Convert(5, 7, 2), 0.005);  // millimetres to the internal metres
  EXPECT_DOUBLE_EQ(c->Convert(1, 4, 7), 25.4);   // inches to millimetres
  EXPECT_THROW(c->Convert(1, 9, 7), host::RuntimeError);
}

TEST_F(ServicesTest, ShapesOnlyHoldWhatTheirKindAllows) {
  host::Shape& part = doc_.RootShape().Shapes(host::kShapePart).Add();
  EXPECT_THROW(part.Shapes(host::kShapePart).Add(), host::RuntimeError);
  EXPECT_THROW(doc_.RootShape().Shapes(host::kShapeExtruded).Add(), host::RuntimeError);
  EXPECT_THROW(doc_.RootShape().Shapes(0).Add(), host::RuntimeError);
  EXPECT_THROW(part.Components(34).Item(1), host::RuntimeError);  // none yet
  auto& helper = CurrentHost().ElementHelper();
  EXPECT_EQ(&helper.SceneElement(part), &doc_.RootShape());
  EXPECT_EQ(helper.Owner(part), &doc_.RootShape());
}

}  // namespace
