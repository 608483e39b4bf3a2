// Points and directions compared coordinate by coordinate.
#pragma once

#include <gtest/gtest.h>

#include "host/reference/Math3.h"

namespace vormbrace::test {

inline void ExpectNear(host::ref::Vec3 a, host::ref::Vec3 b, double tolerance = 1e-6) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

}  // namespace vormbrace::test
