// Recognising, among a part's features, a convex prism cut by coaxial cones at its ends (the
// chamfered hexagon and square heads and nuts, the square necks under bolts' heads), by the
// features' geometry alone: an extruded convex polygon, perhaps bored through by a circle about
// the axis or with every corner rounded by one radius, followed by removals of revolution about
// the prism's axis which, inside the prism's reach, take away exactly the material beyond a cone
// that meets an end face. Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <cstddef>
#include <optional>
#include <vector>

#include "host/occt/Recipe.h"

namespace host::occt {

// A feature of a part: its recipe and its solid placed in the part.
struct PlacedFeature {
  const FeatureRecipe* recipe = nullptr;
  TopoDS_Shape solid;
};

// Features [first, first + count), and the earlier ones `absorbed`, and the solid they make
// together, placed in the part.
struct DirectRun {
  std::size_t first = 0, count = 0;
  TopoDS_Shape solid;
  std::vector<std::size_t> absorbed;
};

// The first prism that the removals right after it chamfer, built directly, when the result
// is the same as combining those features in order: no earlier addition reaches any of the
// removals, except a solid of revolution sunk into the prism from below, whose part inside the
// prism adds nothing and whose part under it, clear of the removals, the run holds (absorbed).
// Nothing when there is none. Kernel failures pass as Standard_Failure.
std::optional<DirectRun> BuildChamferedRun(const std::vector<PlacedFeature>& features);

}  // namespace host::occt
