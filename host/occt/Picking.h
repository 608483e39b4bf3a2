// Picking: what a drop along a ray meets first among the scene's parts, as the drag-drop hook
// reports it (see DropHit.h for the frames). Faces: 1 plane, 2 cylinder, 4 cone, 11 other
// surfaces of revolution, 0 any other surface. A hit within kEdgeTolerance of a circular edge
// of the hit face is reported as that edge. Cylinders and cones report the point of their axis
// at the end of the face that faces the ray's origin (the entry of a hole) and the axis
// direction pointing out of it, so a fastener seats where the hole begins. A rounding of a
// hole's edge (a torus) reports the hole's axis and bore as a hole wall does; other surfaces
// of revolution report no axis.
#pragma once

#include <utility>
#include <vector>

#include "host/occt/OcctEvaluator.h"
#include "host/reference/DropHit.h"
#include "host/reference/Math3.h"
#include "host/reference/SceneDocument.h"

namespace host::occt {

inline constexpr double kEdgeTolerance = 0.05;  // mm

// The first hit of the ray from `origin` along `direction` (scene coordinates); a DropHit with
// no element at `origin` when the ray meets nothing. Evaluates the parts' solids as needed
// (the document gets a kernel if it has none). Raises host::RuntimeError when a part's
// features make no solid.
ref::DropHit PickScene(ref::SceneDocument& document, ref::Vec3 origin, ref::Vec3 direction);

// The solid material of the parts under `parent` along the line from `origin` in `direction`
// (parent's own frame), `skip` left out: (enter, exit) distances from `origin`, ascending,
// touching stretches joined. Raises host::RuntimeError as PickScene does.
std::vector<std::pair<double, double>> MaterialAlong(OcctEvaluator& kernel, ref::SceneShape& parent,
                                                     ref::Vec3 origin, ref::Vec3 direction,
                                                     const ref::SceneShape* skip);

}  // namespace host::occt
