// Solids stacked along the Z axis, fused by assembling faces: each stands on a flat face of what
// lies under it, or under a flat face of what lies over it, square to the axis, and its
// footprint there lies inside that face or is that face. A flange under a hexagon head and the
// shank under the flange are such a stack, and a dog point on a set screw's point end; building
// it so spares the boolean fuse. Kernel types: for use inside
// host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <functional>
#include <vector>

namespace host::occt {

// Fuses solids that overlap along the axis (a fin sunk into a shank) by a boolean; a null shape
// when it fails.
using FuseLayer = std::function<TopoDS_Shape(const std::vector<TopoDS_Shape>&)>;

// The union of the solids (each a shape holding one solid) in layers along the Z axis: solids
// whose heights overlap form one layer, fused by `fuse`; taken in order, each layer lies wholly
// above or wholly below all before it, meeting them only in one plane square to the axis, where
// either its footprint lies strictly inside the one flat face the others have there, or theirs
// inside its one face there, or its one face there and one of theirs are the same region (see
// FuseOnSharedEnd). A null shape otherwise (and for a single layer): the caller fuses by a
// boolean. The inputs are left untouched.
TopoDS_Shape FuseStacked(const std::vector<TopoDS_Shape>& solids, const FuseLayer& fuse);

}  // namespace host::occt
