// Editing a placed fastener: the double-click opens the selection dialog on the part, and on
// OK the part and every copy of it (same component identifier, same owner) are rebuilt from the
// new choice, each keeping its identity and its place.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "components/FastenerComponent.h"
#include "host/Shape.h"

namespace vormbrace {

// Edit mode on; the page, the placement (read from the part) and the target (its owner) of the
// drop context from the part; the part's stored choice into the edit state, and the run-time
// component identifier and hole diameter from its data table, so that the rebuilt part keeps
// its identity and position. Then the selection dialog, modally, on the part. A part without a
// data table, or a kind outside 0-4, opens nothing.
void EditPart(host::Shape& part, std::int16_t kind);

// Rebuilds every other part of the same kind under the owner of `part` whose data table holds
// `componentId` with the size `sizeCode`, each from its own stored standard, table file, material
// and length. A copy whose table has no record for the size is suppressed and named "Measurement
// not valid" (resource text 25); the others go on. An identifier of 0 links nothing: no other
// part is rebuilt. Bolts and screws then drag their linked hole along (UpdateLinkedHole).
void ApplyEdit(host::Shape& part, std::int32_t componentId, const std::string& sizeCode);

// Empties a part and builds `component` into it; a part that an earlier edit suppressed for a
// missing record ("Measurement not valid") is shown again first.
host::Shape& RebuildInPlace(FastenerComponent& component, host::Shape& part);

}  // namespace vormbrace
