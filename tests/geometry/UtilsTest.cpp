// The run time's floating-point faults, raised by the shared construction helpers.
#include <gtest/gtest.h>

#include "geometry/Utils.h"
#include "host/RuntimeError.h"
#include "support/ErrorOf.h"

namespace vormbrace::test {
namespace {

TEST(Utils, FloatingPointFaultsRaiseTheRunTimesErrors) {
  EXPECT_EQ(ErrorOf([] { ArcRatio(0, 3); }), host::err::kDivisionByZero);
  EXPECT_EQ(ErrorOf([] { ArcRatio(0, 0); }), host::err::kOverflow);
  EXPECT_EQ(ErrorOf([] { Sqrt(-1); }), host::err::kInvalidProcedureCall);
  EXPECT_EQ(ErrorOf([] { Checked(1e308 * 10); }), host::err::kOverflow);
}

}  // namespace
}  // namespace vormbrace::test
