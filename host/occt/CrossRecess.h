// The union of a cross recess's removals, built face by face instead of by a boolean fusion.
// Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <vector>

namespace host::occt {

// The union of `solids` when they are exactly a cross recess's three removals, all sunk the same
// depth t from one plane normal to the part's Z axis: a prism of a cross whose arms end in
// notches b wide and b/2 deep, its corners quarter circles of radius b whose walls run on into
// the notches' side walls tangentially; and two blades b thick crossing on its axis along X and
// Y, straight-ended at half-length w > 3b/2 down to t/3, then tapering to b/2 at depth t. A
// null shape for anything else: the caller then fuses by a boolean. The union's faces are
// made here: the blade ends and walls standing out of the prism, the notches below them, the
// corner walls split where the blades leave the notches. Four solids are taken for a type Z
// recess when one of them is a star whose tips stand out through the corner walls (see
// RecogniseStar) and the other three a type H recess: the star's walls are added there, meeting
// the corner walls in arcs of ellipses.
TopoDS_Shape FuseCrossRecess(const std::vector<TopoDS_Shape>& solids);

}  // namespace host::occt
