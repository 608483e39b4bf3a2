// How many faces of each kind of surface a part's solid has: what tells two builds of one part
// apart when their volumes and extents agree.
#pragma once

#include <map>
#include <string>

#include "host/occt/OcctEvaluator.h"

namespace host::occt {

// Face counts by surface kind ("plane", "cylinder", "cone", "sphere", "torus", "bspline",
// "revolution", "other"); empty for a part without material. Raises as Figures does.
std::map<std::string, int> FaceCensus(OcctEvaluator& kernel, ref::SceneShape& part);

}  // namespace host::occt
