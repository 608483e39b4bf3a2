// Several prisms cut together from a bored part, each running out from the Z axis along a line
// square to it (the slots of a castle nut), made into one tool of solids apart from one another
// so that no boolean has to fuse them first. Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <vector>

namespace host::occt {

// The union of `removals` as far as it reaches any of `additions`, as one compound of solids
// that do not touch, when each removal is a straight prism along a line square to the Z axis
// and out from it, and the prisms meet one another only near the axis, in a cylinder about it
// where no addition holds material (a bore): each prism is shortened to start past its
// neighbours, at the same distance from the axis, and one whose top lies on the additions' top
// plane rises past it (removing nothing more, it spares the cut faces on that plane). A null
// shape for anything else (and for a single removal): the caller fuses the removals by a
// boolean. Kernel failures pass as Standard_Failure.
TopoDS_Shape RadialPrismsApart(const std::vector<TopoDS_Shape>& additions,
                               const std::vector<TopoDS_Shape>& removals);

}  // namespace host::occt
