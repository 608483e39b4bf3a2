// Fusing a solid of revolution about the Z axis onto a flat end face of any solid, when it
// stands wholly inside that face: a screw's shank under its head of revolution, whatever was
// cut into the head. The faces are assembled as for a shank under a chamfered prism, without a
// boolean. Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>

namespace host::occt {

// `base` fused with `standing` when `base` lies wholly on one side of a plane square to Z,
// meets it in exactly one planar face, and `standing` lies wholly on the other side and meets
// the plane in one disk about the Z axis that stays inside that face, clear of its edges. A
// null shape for any other pair: the caller then fuses by a boolean. Neither input is changed.
// Kernel failures pass as Standard_Failure.
TopoDS_Shape FuseOnEndFace(const TopoDS_Shape& base, const TopoDS_Shape& standing);

}  // namespace host::occt
