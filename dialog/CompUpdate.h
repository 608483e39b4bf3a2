// Regeneration of placed parts: the hole made for a bolt or screw follows its fastener, and a
// shank length typed by the designer makes a bolt or screw follow the standard for it.
#pragma once

#include <cstdint>

#include "components/FastenerComponent.h"
#include "host/Shape.h"

namespace vormbrace {

// Depth first through `shapes` (nullptr: none) and their children: the first InstanceShape
// whose data table is a hole table ((1, 2) "FastHole") for `componentId`; nullptr when there
// is none, and always for identifier 0 (no link).
host::Shape* FindFastHole(host::ShapeCollection* shapes, std::int32_t componentId);

// After bolt or screw `component` was rebuilt into `part`: the hole linked to it by
// `componentId` takes its diameter, length, head height and countersink angle, the
// counterbore or countersink the new head needs (a countersunk screw head turns the hole into a
// countersink), and the part moves along its own axis so that its head stays seated on the
// hole's new floor. Then the hole is updated, through which the host redraws it (HoleUpdate).
void UpdateLinkedHole(std::int32_t componentId, FastenerComponent& component, host::Shape& part);

// Redraws a hole made with a fastener from its hole table: 1 simple, 2 counterbore,
// 3 countersink; any other type changes nothing.
void HoleUpdate(host::Shape& hole);

// The designer typed a new value into the shank length of a bolt or screw (variable 3 of the
// size box of its "Body" feature). A change of 0.1 mm or less puts the stored length back; a
// length driven by a formula stops the update. Otherwise the shank is rebuilt from the record
// the size's table gives for the typed length (the nearest one: 47 gives 45), or for a
// threaded rod at the integer part of the typed value; the popup shows the new length, and the
// data table, the name and the bill of materials take it. When the size has no record at all,
// the part stays as it was, the variable returns to the old length and a message says so.
void LengthUpdate(host::Shape& part);

}  // namespace vormbrace
