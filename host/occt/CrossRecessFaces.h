// The faces of a cross recess's removals joined into one: the solid a type H or Z recess
// removes, or, under a dome, the lining of the pocket it leaves. Kernel types: for use inside
// host/occt only.
#pragma once

#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>
#include <array>
#include <gp_Sphere.hxx>
#include <vector>

#include "host/occt/RecessMeasures.h"
#include "host/occt/StarRecess.h"

namespace host::occt {

// The union of the recess's blades and notched prism (and star, when there is one), each face
// made directly, sharing edges and vertices.
TopoDS_Shape CrossRecessUnion(const Recess& r, const std::array<StarTip, 4>* star);

// The same union's faces below `dome` (a sphere about the recess's axis that passes under its
// top and above the first corners below it, and above where a star's tips enter the corner
// walls): every face but the top, cut off where it meets the sphere, facing out of the union;
// and the edges where they meet the sphere, one closed loop. Kernel failures pass as
// Standard_Failure.
struct DomeLining {
  std::vector<TopoDS_Face> faces;
  std::vector<TopoDS_Edge> opening;
};
DomeLining CrossRecessUnderDome(const Recess& r, const std::array<StarTip, 4>* star,
                                const gp_Sphere& dome);

}  // namespace host::occt
