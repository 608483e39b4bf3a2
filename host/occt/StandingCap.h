// A solid of revolution standing on a bored end face of a prism about the same axis (a nut's
// cap or crown), fused by assembling faces: its footprint on the end face is a disk or a ring
// about the axis, lying inside the end face or reaching exactly to the end face's rim where that
// rim is one circle about the axis (the chamfer's circle touching every flat). The fused solid
// is the prism's faces but the end face, the standing solid's faces but the footprint, the part
// of the end face the footprint leaves bare, and the part of the footprint over the bore.
// Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>

namespace host::occt {

// `prism` (its axis the Z axis, its end face at height `z` planar and, when bored, holed by
// one circle about the axis) with `solid` fused onto that face; `solid` lies wholly above the
// plane (`below`: wholly below) and is not changed. A null shape when the two are not such a
// pair. Kernel failures pass as Standard_Failure.
TopoDS_Shape FuseCap(const TopoDS_Shape& prism, const TopoDS_Shape& solid, double z, bool below);

}  // namespace host::occt
