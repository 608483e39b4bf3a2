// Where a nut goes on a bolt or screw: on its axis, its bearing face against the far face of
// what the bolt clamps (the exit of the hole it passes through), else flush with the bolt's tip;
// never inside the bolt's head or the clamped parts.
#pragma once

#include <array>

#include "host/Shape.h"

namespace vormbrace {

// Position X, Y, Z, rotation axis X, Y, Z and angle in degrees, as the drop placement.
using Placement = std::array<double, 7>;

// The part's own Z axis (a bolt's axis, pointing from its tip to its head) in its parent.
std::array<double, 3> PlacementZ(const Placement& p);

struct BoltOnAxis {
  Placement placement;  // the bolt's, in `parent`'s frame: its origin under the head
  double diameter = 0;  // of the thread
  double length = 0;    // of the shank
  const host::Shape* part = nullptr;  // the bolt's part once it exists, left out of the search
};

// How far under the head's seat (the bolt's origin) the parts it clamps end, found along the
// bolt's axis around the shank among the parts under `parent` (in whose frame the bolt is
// placed); 0 when nothing lies against the seat.
double ClampedDepth(host::Shape& parent, const BoltOnAxis& bolt);

// The nut `depth` under the bolt's seat on its axis, in the bolt's parent frame: its bearing
// face (its own z = 0) there and its own Z running towards the bolt's tip.
Placement NutPlacement(const Placement& bolt, double depth);

// The placement of a shape in its owner.
Placement PlacementOf(host::Shape& shape);

// Moves a shape to `placement` in its owner.
void ApplyPlacement(host::Shape& shape, const Placement& placement);

}  // namespace vormbrace
