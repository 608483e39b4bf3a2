// What a fastener part carries besides its geometry: the hole table, the part name from the
// standard's template, the bill-of-materials data; and emptying a part before a rebuild.
#pragma once

#include <cstdint>
#include <string>

#include "host/Automation.h"
#include "host/Shape.h"

namespace vormbrace {

// The numeric cells of a hole table ("FastHole"), rows 1 to 8.
struct HoleTable {
  std::int16_t holeKind = 0;      // 1 simple, 2 counterbore, 3 countersink
  std::int32_t componentId = 0;   // the fastener that made the hole
  double diameter = 0;            // mm
  double depth = 0;               // mm
  double tolerance = 0;           // allowance added to the diameter, mm
  double incDiameter = 0;         // counterbore or countersink diameter, mm
  double incDepth = 0;            // counterbore depth, mm
  double incAngle = 0;            // countersink angle, degrees
};

// Writes the hole table into the first data table (type 34) of the hole part, adding one when
// there is none: rows 0 to 8, each its label text then its number.
void WriteHoleTable(host::Shape& holePart, const HoleTable& table);

// Reads the numeric cells back; leaves `table` unchanged when the part has no data table.
void ReadHoleTable(host::Shape& holePart, HoleTable& table);

// Appends to `name` and `lengthPattern`, character by character of the template: "D" the
// designation, "C" Codice, "N" Normativa, "M" MaterialCode, "L" lung as a number (in the
// pattern "@", so a later length change can rebuild the name); any other character itself.
// The properties are read by member name: "L" on a class without `lung` raises error 438.
void ComposeName(const host::AutomationObject& component, const std::string& nameTemplate,
                 const std::string& designation, std::string& name, std::string& lengthPattern);

// Depth first through the scene tree: the first item of `collection` (or of its children) whose
// InstanceShape is `instance`; nullptr when none is.
host::Shape* FindPartOfInstance(host::ShapeCollection& collection, host::Shape& instance);

// The part number written for `name`: the record's part-number text unchanged, unless it reads
// "1" or "1.0" after Trim, which derive it from the name (digits and capital letters only).
std::string PartNumberFor(const std::string& name, const std::string& partNumberText);

// Rewrites the attribute list of the part showing `instance` (standard, size, the length when it
// is above 0, material; labels from resource texts 11 to 14) and its description record (name
// and part number from the current record's part-number text). A failing host call is passed
// over and the remaining steps still run; nothing is reported.
void WriteBomData(host::Shape& instance, const std::string& standard, const std::string& size,
                  double length, const std::string& material, const std::string& name);

// After a length change: the length entry of the attribute list, the description and the part
// number. Failing host calls are passed over.
void UpdateBomLength(host::Shape& instance, double length, const std::string& name);

// Removes every shape of the part, from the last to the first.
void ClearPartShapes(host::Shape& part);

}  // namespace vormbrace
