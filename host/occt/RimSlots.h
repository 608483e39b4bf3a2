// Cutting rectangular slots across the rim of a bored cylinder chamfered at one end (a slotted
// round nut) by building the result's faces directly. Kernel types: for use inside host/occt
// only.
#pragma once

#include <TopoDS_Shape.hxx>

namespace host::occt {

// `solid` minus `tool` when the solid is a cylinder bored through along its axis, its rim at one
// end chamfered by a coaxial cone, and every solid of the tool a box through the cylinder's whole
// height, centred on a line from the axis, its floor between the bore and the chamfer and its
// far end past the cylinder, all alike and apart. A null shape for anything else: the caller
// then cuts by a boolean.
TopoDS_Shape CutRimSlots(const TopoDS_Shape& solid, const TopoDS_Shape& tool);

}  // namespace host::occt
