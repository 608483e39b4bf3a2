// Solids of revolution about the Z axis fused by revolving the union of their profiles: each is
// the region within a radius that varies along the axis (no bore), bounded by faces square to
// the axis and cylinders, cones and spheres about it, so their union is the region within the
// largest of those radii, itself a revolved profile of lines and arcs (an arc only where no
// other solid reaches). A countersunk head, raised or not, over the top of its shank is such a
// pair; building it so spares the boolean fuse. Kernel types: for use inside host/occt
// only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <functional>
#include <vector>

namespace host::occt {

// The solids among `solids` that are such regions, fused as one revolved solid, then with the
// others by `fuseRest` (given that solid first). A null shape when fewer than two are such
// regions or their spans along the axis leave a gap. The inputs are left untouched.
using FuseRest = std::function<TopoDS_Shape(const std::vector<TopoDS_Shape>&)>;
TopoDS_Shape FuseCoaxialRevolved(const std::vector<TopoDS_Shape>& solids, const FuseRest& fuseRest);

}  // namespace host::occt
