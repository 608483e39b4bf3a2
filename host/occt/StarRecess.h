// The star of a type Z cross recess: where its tips stand out of the type H recess it joins.
// Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <array>
#include <gp_Pln.hxx>
#include <gp_Pnt.hxx>
#include <optional>

#include "host/occt/RecessMeasures.h"

namespace host::occt {

// One tip of the star, in the corner between arm `c` and arm `c + 1` of the recess.
struct StarTip {
  gp_Pnt tip;       // on the top, inside the corner wall's circle
  gp_Pnt pierce;    // where the tip's sloping edge enters the corner wall
  gp_Pnt cross[2];  // where the star's top edges cross the corner arc: [0] by arm c, [1] by c + 1
  gp_Pln wall[2];   // the walls through those edges
};

// The star's four tips when `star` (a solid of ten flat faces) is a drafted prism sunk the recess's
// depth t from its top: a star of four tips on the diagonals between the arms and four inner
// corners on the arms, its walls sloping inwards so that every section lies inside the one above.
// Only the tips may leave the notched prism, each through one corner wall, its sloping edge
// entering that wall above the bottom; no part of the star may reach a notch where the blades leave
// it open (below the blades' ends leaving the notches' mouths, at depth `open`). Nothing for
// anything else.
std::optional<std::array<StarTip, 4>> RecogniseStar(const TopoDS_Shape& star, const Recess& r,
                                                    double open);

}  // namespace host::occt
