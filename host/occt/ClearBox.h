// Keeping a box-shaped removal clear of the faces a solid has on its own bounding box. Kernel
// types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>

namespace host::occt {

// What to cut from `solid` in place of `tool` when the tool (or one of its solids) is a box
// along the part's axes with a face at or beyond the solid's bounding box on that side (a slot
// across a whole head or shank end, its ends touching the shank's cylinder along a line, its
// top on the end face): such faces are moved out past the box, which removes the same material
// (the solid has none beyond its box) without the tangent and coplanar contacts the boolean
// must resolve. A null shape when no solid of the tool is such a box.
TopoDS_Shape ClearBox(const TopoDS_Shape& solid, const TopoDS_Shape& tool);

}  // namespace host::occt
