// Hole profiles measured on the solid: what a simple, counterbore and countersink hole removes
// from a block, the allowance in the radius and not in the name, and a refill that replaces
// every loop.
#include "geometry/GeometryFixture.h"
#include "geometry/generaHoles.h"
#include "support/Parts.h"

namespace vormbrace::test {
namespace {

constexpr double kPi = kMathPi;

class HolesTest : public GeometryTest {
 protected:
  HolesTest()
      : block_(AddDrilledPlate(document_, {}, 400, 400)),
        solid_(Volume(block_)),
        hole_(block_.Components(23).Item(1).Shapes(host::kShapeRevolved).Add()) {}

  // The hole's removal, well inside the block, once it is made.
  double Removed() {
    host::Component& anchor = hole_.Components(5).Item(1);
    for (int i = 1; i <= 3; ++i) anchor.Variable(i).SetValue(host::Value::Double(i == 3 ? 200 : 0));
    hole_.Update();
    EXPECT_TRUE(kernel_.Figures(block_).valid);
    EXPECT_EQ(kernel_.Figures(block_).solids, 1);
    return solid_ - Volume(block_);
  }

  host::ref::SceneShape& block_;
  double solid_;
  host::Shape& hole_;
};

TEST_F(HolesTest, SimpleHoleCarriesTheAllowanceInItsRadiusNotItsName) {
  MakeHole(hole_, 10, 0.4, 50);
  EXPECT_NEAR(Removed(), kPi * 5.2 * 5.2 * 50, 1e-6);
  EXPECT_EQ(hole_.Name(), "Hole  10");
}

TEST_F(HolesTest, CounterboreIsWidenedByTheAllowanceToo) {
  MakeCounterboreHole(hole_, 10, 40, 1, 24, 6.4);
  EXPECT_NEAR(Removed(), kPi * (12.5 * 12.5 * 6.4 + 5.5 * 5.5 * 40), 1e-6);
  EXPECT_EQ(hole_.Name(), "CBHole  10");
}

TEST_F(HolesTest, CountersinkDepthFollowsTheAngle) {
  // Ø20 at 90° down to the bore of 10: a cone 5 deep, then the bore 30 long.
  MakeCountersinkHole(hole_, 10, 30, 0, 20, 90);
  EXPECT_NEAR(Removed(), Frustum(10, 5, 5) + kPi * 25 * 30, 1e-6);
  EXPECT_EQ(hole_.Name(), "CSHole  10");
  // An angle of 0 divides nothing.
  EXPECT_NO_THROW(MakeCountersinkHole(hole_, 2.5, 10, 0, 5, 0));
  EXPECT_EQ(hole_.Name(), "CSHole  2.5");
}

TEST_F(HolesTest, RefillingReplacesEveryLoop) {
  host::Profile& profile = hole_.Components(15).Item(1).Profile();
  profile.Components(3).Add().SetStartPoint(9, 9);
  profile.Components(3).Add().SetStartPoint(8, 8);
  MakeHole(hole_, 8, 0, 20);
  MakeCounterboreHole(hole_, 8, 20, 0, 14, 5);
  ASSERT_EQ(profile.Components(3).Count(), 1);
  EXPECT_NEAR(Removed(), kPi * (49 * 5 + 16 * 20), 1e-6);
  EXPECT_EQ(hole_.Name(), "CBHole  8");
}

}  // namespace
}  // namespace vormbrace::test
