// Cutting a removal that opens through one flat face of a solid and lies inside the solid
// everywhere else (a socket or a cross recess sunk into a head's flat top) by building the
// result's faces directly. Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>

namespace host::occt {

// `solid` minus `tool`, each a shape holding one solid, when the tool's faces that lie on a
// plane of one of the solid's flat faces form one opening strictly inside that face, and the
// rest of the tool lies inside the solid, clear of every other face. The result is the solid
// with the opening as a hole in that face, lined by the tool's other faces turned inside out.
// A null shape when the tool is not such a pocket: the caller then cuts by a boolean. The
// inputs are left untouched (the result shares their unchanged faces).
TopoDS_Shape CutPocket(const TopoDS_Shape& solid, const TopoDS_Shape& tool);

}  // namespace host::occt
