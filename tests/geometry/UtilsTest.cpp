// The shared construction helpers: value types written, the arc parameter, the part service and
// the run time's floating-point faults.
#include <cmath>

#include "GeometryFixture.h"
#include "geometry/Utils.h"
#include "host/RuntimeError.h"

namespace vormbrace::test {
namespace {

using host::ValueType;

class Utils : public GeometryTest {};

TEST_F(Utils, SizeBoxWritesItsFlagsWithTheirIntegerTypes) {
  host::Shape& f = AddFeature(part_, kExtruded);
  SetSizeBox(f, 1.5, 2.5, -3.5);
  auto& box = static_cast<host::ref::SceneShape&>(f);
  EXPECT_EQ(Var(box, 1, 3), host::Value::Double(-3.5));
  for (int i : {4, 5, 6}) EXPECT_EQ(Var(box, 1, i), host::Value::Int16(1)) << i;
  EXPECT_EQ(Var(box, 1, 14), host::Value::Int32(3));
  EXPECT_EQ(Var(box, 1, 7), host::Value::Int32(0));
}

TEST_F(Utils, ArcRatioIsTheSagittaOverTheChord) {
  // A quarter circle (height = radius = k): (2k - sqrt(2) k) / (2 sqrt(2) k) = 0.2071.
  for (double k : {0.5, 6.0, 40.0}) EXPECT_NEAR(ArcRatio(k, k), 0.2071, 5e-5) << k;
  // A cap of height 1 over radius 3: circle radius 5, chord sqrt(10), sagitta 5 - sqrt(25 - 2.5).
  EXPECT_NEAR(ArcRatio(1, 3), (5 - std::sqrt(22.5)) / std::sqrt(10.0), 1e-12);
}

TEST_F(Utils, FloatingPointFaultsRaiseTheRunTimesErrors) {
  auto number = [](auto&& f) {
    try {
      f();
    } catch (const host::RuntimeError& e) {
      return e.Number();
    }
    return 0;
  };
  EXPECT_EQ(number([] { ArcRatio(0, 3); }), host::err::kDivisionByZero);
  EXPECT_EQ(number([] { ArcRatio(0, 0); }), host::err::kOverflow);
  EXPECT_EQ(number([] { Sqrt(-1); }), host::err::kInvalidProcedureCall);
  EXPECT_EQ(number([] { Checked(1e308 * 10); }), host::err::kOverflow);
}

}  // namespace
}  // namespace vormbrace::test
