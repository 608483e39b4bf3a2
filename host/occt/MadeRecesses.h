// The cross recess unions built face by face lately, with the measures each was built from, so
// that a cut by one of them can take those measures instead of reading them back from its
// corners and checking them against a second union built from them. Kernel types: for use
// inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <array>
#include <optional>

#include "host/occt/RecessMeasures.h"
#include "host/occt/StarRecess.h"

namespace host::occt {

// A union's measures, and its star's tips for a type Z recess.
struct MadeRecess {
  Recess r;
  std::optional<std::array<StarTip, 4>> star;
};

// Notes that `made` is the union of the recess `recess` (with its star's tips, if any).
void RememberRecess(const TopoDS_Shape& made, const MadeRecess& recess);

// The measures `tool` was built from, when it is one of the last unions noted, itself: the same
// shape, neither moved nor turned; nothing otherwise.
std::optional<MadeRecess> RecallRecess(const TopoDS_Shape& tool);

}  // namespace host::occt
