// A thread drawn as a drawing office draws it (ISO 6410-1), from a part's thread answers: in a
// view across the axis, thin lines at the root diameter over the threaded length and a thick
// line where the useful thread ends; in a view along the axis, a thin three-quarter circle at
// the root diameter on the thread end facing the eye. Curves are in scene millimetres, so the
// kernel can tell where other material hides them before they are projected.
#pragma once

#include <string>
#include <vector>

#include "host/reference/DrawingView.h"
#include "host/reference/Math3.h"
#include "host/reference/ThreadQuestions.h"

namespace host::ref {

struct CosmeticCurve {
  LineType type = LineType::Thin;  // Thin for roots, Visible for the thread end
  std::string role;                // "thread-root", "thread-end"
  std::vector<Vec3> points;        // scene, mm
};

struct CosmeticThread {
  std::vector<CosmeticCurve> curves;  // none when the axis is oblique to the view
  Vec3 calloutAnchor;                 // scene, on the crest
  Point2 calloutDirection;            // unit, view plane
  std::string callout;
  // Material of the part itself within this distance of a curve point is the thread's own
  // body, which hides nothing of it.
  double ownClearance = 0;
  // The thread's axis (unit, scene) and its middle: points at the thread's ends lie on faces
  // of the part (the head's underside, the point), so visibility is probed a little inside.
  Vec3 axis, middle;
  // In a view along the axis: true, and the centre of the thread end facing the eye.
  bool alongAxis = false;
  Vec3 endCentre;

  // Where to probe the visibility of a curve point: 0.01 mm towards the thread's middle.
  Vec3 Probe(Vec3 p) const;
};

// `partFrame` places the part in the scene. An axis within a degree of the view plane gives
// the side view, within a degree of the view direction the end view.
CosmeticThread CosmeticThreadIn(const ThreadAnswer& thread, const RigidTransform& partFrame,
                                const ViewAxes& view);

}  // namespace host::ref
