// The test plate, a drilled plate (support/Parts.h): 40 × 40 × 10, its top face at z = 0, with a
// through hole of radius 5.25 (diameter 10.5) on the Z axis.
#pragma once

#include "host/reference/SceneDocument.h"

namespace vormbrace::test {

inline constexpr double kPlateSide = 40, kPlateThickness = 10, kPlateHoleRadius = 5.25;

host::ref::SceneShape& AddPlate(host::ref::SceneDocument& document);

}  // namespace vormbrace::test
