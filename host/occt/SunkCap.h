// A solid of revolution sunk into a bored end face of a prism about the same axis (a cap nut's
// dome, its foot set into the hexagon): below the face it lies inside the prism's material, but
// for its inner wall, the bore's own cylinder, which carries on past the face. The fused solid
// is the prism's faces but the end face and the bore, the sunk solid's faces beyond the face, the
// ring of the end face outside the solid's foot, and one bore from the prism's far end to where
// the sunk solid's wall ends. Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>

namespace host::occt {

// `prism` (its axis the Z axis, its end face at height `z` planar and bored by one circle about
// the axis) with `solid`, reaching beyond that face (above it, or below it: `below`), fused
// onto it; `solid` is not changed. A null shape when the two are not such a pair. Kernel
// failures pass as Standard_Failure.
TopoDS_Shape FuseSunk(const TopoDS_Shape& prism, const TopoDS_Shape& solid, double z, bool below);

}  // namespace host::occt
