// Hidden-line removal (the kernel's exact HLR on the solids, not on meshes): what an
// orthographic view of a set of solids shows, as polylines in the view plane, millimetres.
// Visible lines are sharp edges and outlines of curved faces; edges where faces meet
// tangentially are left out, as drawings leave them out.
#pragma once

#include <TopoDS_Shape.hxx>
#include <vector>

#include "host/reference/DrawingView.h"

namespace host::occt {

struct ProjectedEdges {
  std::vector<std::vector<ref::Point2>> visible, hidden;
};

// `solids` are placed in the scene. Hidden lines are computed only when asked for. Kernel
// failures raise Standard_Failure (callers guard them).
ProjectedEdges ProjectSolids(const std::vector<TopoDS_Shape>& solids, const ref::ViewAxes& view,
                             bool withHidden);

}  // namespace host::occt
