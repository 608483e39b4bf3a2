// The shared checks of part solids: one valid solid of a given volume, and where its bounding
// box lies in the part's frame.
#pragma once

#include <gtest/gtest.h>

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneDocument.h"

namespace vormbrace::test {

// One valid solid whose volume is `volume` within the relative `tolerance`.
inline void ExpectValidSolid(host::occt::OcctEvaluator& kernel, host::ref::SceneShape& part,
                             double volume, double tolerance) {
  host::occt::SolidFigures f = kernel.Figures(part);
  EXPECT_TRUE(f.valid) << part.Name();
  EXPECT_EQ(f.solids, 1) << part.Name();
  EXPECT_NEAR(f.volume, volume, volume * tolerance) << part.Name();
}

// The bounding box in the part's frame, to `tolerance` mm.
inline void ExpectBox(host::occt::OcctEvaluator& kernel, host::ref::SceneShape& part,
                      host::ref::Vec3 min, host::ref::Vec3 max, double tolerance = 1e-3) {
  host::occt::SolidFigures f = kernel.Figures(part);
  EXPECT_NEAR(f.boxMin.x, min.x, tolerance) << part.Name();
  EXPECT_NEAR(f.boxMin.y, min.y, tolerance) << part.Name();
  EXPECT_NEAR(f.boxMin.z, min.z, tolerance) << part.Name();
  EXPECT_NEAR(f.boxMax.x, max.x, tolerance) << part.Name();
  EXPECT_NEAR(f.boxMax.y, max.y, tolerance) << part.Name();
  EXPECT_NEAR(f.boxMax.z, max.z, tolerance) << part.Name();
}

}  // namespace vormbrace::test
