// A shank whose top end is sunk into a coaxial head (a pan head's neck over the top of its
// shank), fused by cutting the shank at the head's flat bottom face and standing it under that
// face: within the head the shank adds nothing, so the union is the head with the shortened
// shank standing on its bottom face (or, as wide as that face, sharing it). Building it so
// spares the boolean fuse. Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>

namespace host::occt {

// The union of `a` and `b` when one of them (the shank) is a solid of revolution about the Z
// axis bounded by flat ends square to the axis and cylinders and cones about it, and the other
// (the head) has as its lowest face one full flat disc about the axis, above the shank's bottom
// and below its top, and between that disc and the shank's top is bounded only by whole faces of
// revolution about the axis (cylinders, cones, tori, spheres) that keep outside the shank or
// flush with it. A null shape otherwise, and when the shank would step in under the disc by a
// sliver the booleans close within their tolerance: the caller then fuses by a boolean. The
// inputs are left untouched.
TopoDS_Shape FuseSunkShank(const TopoDS_Shape& a, const TopoDS_Shape& b);

}  // namespace host::occt
