// Hole profiles: simple, counterbore and countersink, refilled in place.
#include <gtest/gtest.h>

#include "geometry/generaHoles.h"
#include "host/Profile.h"
#include "host/reference/SceneDocument.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;
using host::ref::ProfileCall;
using host::ref::SceneComponent;

std::vector<ProfileCall> Lines(std::initializer_list<std::pair<double, double>> points) {
  std::vector<ProfileCall> calls;
  for (auto [x, y] : points)
    calls.push_back({calls.empty() ? "SetStartPoint" : "AddLineTo", {x, y}});
  return calls;
}

class HolesTest : public ::testing::Test {
 protected:
  HolesTest() {
    host::Shape& part = doc_.RootShape().Shapes(host::kShapePart).Add();
    hole_ = &part.Components(23).Item(1).Shapes(host::kShapeRevolved).Add();
  }
  host::Profile& Profile() { return hole_->Components(15).Item(1).Profile(); }
  std::vector<ProfileCall> Loop(std::int32_t i = 1) {
    return static_cast<SceneComponent&>(Profile().Components(3).Item(i)).Loop();
  }
  double Var(std::int32_t code, std::int32_t index) {
    return hole_->Components(code).Item(1).Variable(index).GetValue().AsDouble();
  }
  test::TestHost host_;
  host::ref::SceneDocument doc_;
  host::Shape* hole_ = nullptr;
};

TEST_F(HolesTest, SimpleHoleCarriesTheAllowanceInItsRadiusNotItsName) {
  MakeHole(*hole_, 10, 0.4, 50);
  EXPECT_EQ(Loop(), Lines({{0, 0}, {5.2, 0}, {5.2, 50}, {0, 50}, {0, 0}}));
  EXPECT_EQ(hole_->Name(), "Hole  10");
  EXPECT_EQ(Var(1, 1), 10.4);
  EXPECT_EQ(Var(1, 3), 0);
  EXPECT_EQ(Profile().Components(4).Item(1).Variable(1).GetValue().AsDouble(), 5.2);
  EXPECT_EQ(hole_->Components(14).Item(1).Variable(1).GetValue(), host::Value::Int32(1));
  EXPECT_EQ(hole_->Components(14).Item(1).Variable(62).GetValue(), host::Value::Int32(1));
  // Sized and refitted, never rebuilt here: the caller updates it.
  EXPECT_EQ(doc_.Calls(), (std::vector<std::string>{"ResetSizeBox " + hole_->SystemName()}));
}

TEST_F(HolesTest, CounterboreLiesAtTheEntryFace) {
  MakeCounterboreHole(*hole_, 10, 40, 1, 24, 6.4);
  EXPECT_EQ(Loop(),
            Lines({{0, 0}, {12.5, 0}, {12.5, 6.4}, {5.5, 6.4}, {5.5, 46.4}, {0, 46.4}, {0, 0}}));
  EXPECT_EQ(hole_->Name(), "CBHole  10");
}

TEST_F(HolesTest, CountersinkDepthFollowsTheAngle) {
  MakeCountersinkHole(*hole_, 10, 30, 0, 20, 90);
  std::vector<ProfileCall> loop = Loop();
  ASSERT_EQ(loop.size(), 6u);
  EXPECT_EQ(loop[1].args, (std::vector<double>{10, 0}));  // no allowance on the countersink
  EXPECT_NEAR(loop[2].args[1], 5, 1e-12);                 // (20/2 - 5) / tan 45°
  EXPECT_EQ(hole_->Name(), "CSHole  10");
}

TEST_F(HolesTest, CountersinkAngleOfZeroStepsStraightIn) {
  MakeCountersinkHole(*hole_, 2.5, 10, 0, 5, 0);
  EXPECT_EQ(Loop(), Lines({{0, 0}, {2.5, 0}, {1.25, 0}, {1.25, 10}, {0, 10}, {0, 0}}));
  EXPECT_EQ(hole_->Name(), "CSHole  2.5");
}

TEST_F(HolesTest, RefillingReplacesEveryLoop) {
  Profile().Components(3).Add().SetStartPoint(9, 9);
  Profile().Components(3).Add().SetStartPoint(8, 8);
  MakeHole(*hole_, 8, 0, 20);
  ASSERT_EQ(Profile().Components(3).Count(), 1);
  MakeCounterboreHole(*hole_, 8, 20, 0, 14, 5);
  ASSERT_EQ(Profile().Components(3).Count(), 1);
  EXPECT_EQ(Loop()[1].args, (std::vector<double>{7, 0}));
  EXPECT_EQ(hole_->Name(), "CBHole  8");
}

}  // namespace
