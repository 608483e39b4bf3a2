// A solid of revolution standing on an end face of a prism about the same axis, fused by
// assembling faces: its footprint on the end face is one full disk about the axis, lying inside
// the end face, so the fused solid is the prism's faces with that disk's circle as a hole in the
// end face, and the standing solid's faces but the disk. This is a bolt's shank under a
// chamfered head; building it so spares the boolean fuse. Kernel types: for use inside
// host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <optional>

namespace host::occt {

// The radius of the disk in which `solid`, its axis the Z axis, stands on the plane at height
// `z`: the solid lies wholly below the plane (`below`) or above it and meets it in one planar
// face bounded by circles of that radius about the axis. Nothing for any other solid.
std::optional<double> StandingRadius(const TopoDS_Shape& solid, double z, bool below);

// `prism` with `solid` (for which StandingRadius answers for the same plane) fused onto its
// planar face at height `z`, which must hold the disk inside it. `solid` is not changed. Kernel
// failures pass as Standard_Failure.
TopoDS_Shape FuseStanding(const TopoDS_Shape& prism, const TopoDS_Shape& solid, double z);

}  // namespace host::occt
