// A bolt or screw that a drop hit, and what it already carries: the washers and nuts on its
// axis, the bolt assembly that gathers them, how far the parts it clamps reach in the scene.
// The assembly and nut drops read it so that they fit what is there instead of building a
// second copy of it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "components/NutSeat.h"
#include "host/Shape.h"

namespace vormbrace {

struct PlacedBolt {
  host::Shape* part = nullptr;
  host::Shape* owner = nullptr;  // the assembly or root that holds it
  BoltOnAxis onAxis;             // its placement in `owner`, diameter and length
  std::int32_t componentId = 0;
};

// The drop's hole part when it is a bolt or screw (kinds 0 and 1); none otherwise.
std::optional<PlacedBolt> HitBoltOrScrew();

// The bolt or screw hit, or the one that the washer or nut hit sits on; none otherwise.
std::optional<PlacedBolt> BoltCarryingHit();

// The parts of `kind` (3 washers, 4 nuts) beside the bolt in its owner that stand on its axis
// (either way round) between its head's seat and its tip.
std::vector<host::Shape*> MembersOnBolt(const PlacedBolt& bolt, std::int16_t kind);

// Whether `shape` is an assembly that gathers a bolt with its members (made by an assembly
// drop: an assembly below the scene's root, bound as the add-in's parts are).
bool IsBoltAssembly(host::Shape& shape);

// How far under the bolt's seat the parts it clamps end, searched among all the scene's parts
// (not only those of its own assembly); 0 when nothing lies against the seat.
double ClampedDepthInScene(const PlacedBolt& bolt);

}  // namespace vormbrace
