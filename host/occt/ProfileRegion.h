// Profile loops to planar regions: each loop a closed wire in the XY plane (lines, arcs given
// by their signed sagitta/chord ratio, full circles, corner fillets), the loops combined
// even-odd. Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <TopoDS_Wire.hxx>
#include <gp_Pnt2d.hxx>
#include <vector>

#include "host/reference/SceneDocument.h"

namespace host::occt {

using Loops = std::vector<std::vector<ref::ProfileCall>>;

struct Region {
  TopoDS_Shape shape;  // a face, or a compound of faces
  // The corners of the loop, in drawing order, when the profile is one loop of straight
  // segments without fillets; empty otherwise.
  std::vector<gp_Pnt2d> polygon;
};

// Raises InvalidRecords when the loops make no region: a loop that does not start with
// SetStartPoint, is not closed, crosses itself or encloses nothing, an unknown operation or
// argument count, a fillet at a corner that does not exist or does not fit.
Region BuildRegion(const Loops& loops);

// The first loop of a path profile as a wire (closed or open; no fillets).
TopoDS_Wire BuildPath(const Loops& loops);

}  // namespace host::occt
