// The cosmetic thread: the thread texture image laid as a surface finish on the threaded face
// of a feature.
#pragma once

#include "host/Shape.h"

namespace vormbrace {

// Lays the thread texture on the face of `shape` found at (x, y, z) (host units): width the
// thread's circumference (pi × diameter), height 6.25 pitches, up along the shape's normal,
// flipped. Does nothing when no texture image is installed. Errors of the first steps (the
// finish component, the normal, the shape's Update) travel to the caller; from the finish on,
// a failing call is skipped and the rest still runs.
void ApplyThreadTexture(host::Shape& shape, double x, double y, double z, double diameter,
                        double pitch);

}  // namespace vormbrace
