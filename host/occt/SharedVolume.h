// How much material two parts of a scene share where they stand (their own placements after
// their assemblies'): 0 for parts that only touch. The check that a drop put a fastener
// beside what was there, not into it.
#pragma once

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneDocument.h"

namespace host::occt {

// The volume in mm³ of the common part of the two parts' solids in the scene; 0 when either
// has no material. Raises host::RuntimeError when a part's features make no solid.
double SharedVolume(OcctEvaluator& kernel, ref::SceneDocument& document, ref::SceneShape& a,
                    ref::SceneShape& b);

}  // namespace host::occt
