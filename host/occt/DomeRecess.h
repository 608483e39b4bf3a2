// Cutting a type H cross recess whose top opens through a dome (a pan or raised countersunk
// head) by building the result's faces directly. Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>

namespace host::occt {

// `solid` minus `tool` when the tool is a type H cross recess's union (as FuseCrossRecess makes
// it) and the solid's top about the recess's axis is one spherical face centred on that axis,
// lying under the recess's top and above its first corners below the top, holding the whole
// opening; with no other face of the solid near the recess. The result is the solid with the
// opening as a hole in the spherical face, lined by the recess's walls cut off at the sphere.
// A null shape otherwise: the caller then cuts by a boolean. The inputs are left untouched.
TopoDS_Shape CutDomedCrossRecess(const TopoDS_Shape& solid, const TopoDS_Shape& tool);

}  // namespace host::occt
