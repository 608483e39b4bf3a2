// Two solids meeting in a plane square to the Z axis where a flat face of one and the one flat
// face of the other are the same region (a set screw's dog point as wide as the point end it
// stands on),
// fused by assembling faces: both faces go, and the side faces of the two solids meet on one
// edge along their common boundary, as the boolean leaves it. Kernel types: for use inside
// host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>

namespace host::occt {

// The union of `base` and `other`, which lie on either side of the plane at height `z`: `other`
// has there one flat face, bounded by the same edges as a flat face `base` has there (alike in
// curve, parameters and sense); the base's other faces in the plane stay. A null shape when no
// faces are alike. The inputs are left untouched; kernel failures pass
// as Standard_Failure.
TopoDS_Shape FuseOnSharedEnd(const TopoDS_Shape& base, const TopoDS_Shape& other, double z);

}  // namespace host::occt
