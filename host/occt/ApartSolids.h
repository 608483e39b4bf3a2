// Solids that lie apart from each other, gathered without a boolean: removals at the two ends
// of a set screw (a slot at one end, a cup at the other) make one tool that way, since the
// union of solids that do not meet is just the solids side by side. Kernel types: for use
// inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <vector>

namespace host::occt {

// A compound of the solids when each holds one solid and their boxes (widened by the
// kernel's confusion distance) are pairwise disjoint, so that no two of them touch; a null
// shape otherwise (fewer than two, or two that may meet): the caller fuses by a boolean.
TopoDS_Shape GatherApart(const std::vector<TopoDS_Shape>& solids);

}  // namespace host::occt
