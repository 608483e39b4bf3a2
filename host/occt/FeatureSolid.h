// A feature's solid: built from its recipe in the profile's own frame (extruded along local Z,
// revolved about local Y), then carried into the part by the profile plane and the placement
// rule. Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Trsf.hxx>
#include <vector>

#include "host/occt/Recipe.h"

namespace host::occt {

// Replaces the general surfaces of revolution and leaning cylinders the revolution builder makes
// from straight segments by the cones they are.
void MakeConesAnalytic(const TopoDS_Shape& solid);

// Raises InvalidRecords when the recipe makes no solid; kernel failures pass as
// Standard_Failure.
TopoDS_Shape BuildLocalSolid(const FeatureRecipe& recipe);

// Local frame to part frame: the profile plane in the feature, then the placement rule
// (position + R (p - anchor)).
gp_Trsf LocalToPart(const FeatureRecipe& recipe);

// The loop's corners moved `offset` inwards (mitred), for the far end of a drafted sweep.
// Raises InvalidRecords when an edge shrinks to nothing or turns back.
std::vector<gp_Pnt2d> Inset(const std::vector<gp_Pnt2d>& loop, double offset);

}  // namespace host::occt
