// The add-in's process-wide run-time state: one plain record, overwritten by each drop or edit.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace host {
class DragDropHook;
class Page;
class Shape;
}  // namespace host

namespace vormbrace {

inline constexpr int kKindCount = 5;  // bolts, screws, set screws, washers, nuts

// Kind index: the kind tab of the dialog, cell (0, 1) of a fastener data table.
enum class Kind : std::int16_t { Bolt = 0, Screw = 1, ScrewNoHead = 2, Washer = 3, Nut = 4 };

// Paths derived from the settings by plain concatenation (no separator is inserted).
struct Paths {
  std::string standardsFolder;  // ApplDir + "Norme Dir#" i
  std::string dataFolder;       // standards folder + "Data#" k
  std::string indexFile;        // "File INI#" k (a name in the standards folder)
  std::string toleranceFolder;  // standards folder + "Toll Dir"
  std::string toleranceIndex;   // standards folder + "Toll INI"
  std::string prefsPath;        // ApplDir + "File Prefs"
};

// The stored choice of a placed part, as GetPartData loads it for an edit.
struct EditState {
  std::int16_t family = 0;
  std::int16_t kind = 0;
  std::int16_t typeCode = 0;
  std::int32_t componentId = 0;
  double length = 0;
  std::string standard;
  std::string size;
  std::string material;
};

// Where the last drop (or edit) puts the new part and how it turns it.
struct DropContext {
  host::DragDropHook* hook = nullptr;
  host::Shape* target = nullptr;  // the parent under which the new part is created
  bool editMode = false;
  // Position X, Y, Z, rotation axis X, Y, Z and angle in degrees, in the target's frame.
  std::array<double, 7> placement{};
  std::array<double, 3> pick{};     // the picked point
  std::array<double, 3> axis{};     // the axis chosen for the fastener
  host::Shape* holePart = nullptr;  // the hit part when it carries fastener data
};

struct RunTimeState {
  std::int16_t languageBase = 2000;
  std::int16_t family = 0;    // standards family index i
  std::int16_t kind = 0;      // kind index k
  std::int16_t typeCode = 1;  // type code within the kind, 1-based
  Paths paths;
  // The value array: v[i] holds field f(i + 2) of the chosen size data record.
  std::array<double, 21> values{};
  std::string partNumberText;
  // Links a bolt or screw with its hole and its copies: set by the drop from what it hit, by
  // the creation of a bolt, screw or set screw when still 0, by an edit from the part. 0 = none.
  std::int32_t componentId = 0;
  EditState edit;
  // The page of the last drop or edit; nullptr before the first.
  host::Page* page = nullptr;
  DropContext drop;
  // The nominal diameter the drop suggests (2 × the radius of the hole hit), 0 when none.
  double holeDiameter = 0;
  // The diameter came from a fastener's data (its thread, or the size of a hole made for one),
  // not from geometry: it is a nominal diameter, never read as a clearance or tap-drill hole.
  bool holeIsNominal = false;
  // Why the size list follows the hole, as the last automatic size chose; empty when it does not.
  std::string autoSizeReason;
  // The dialog's hole choice: 0 none, 1 simple, 2 counterbore, 3 countersink; and the line of
  // the chosen tolerance class in the tolerance index (ItemData of the tolerance list).
  std::int16_t holeType = 0;
  std::int32_t toleranceLine = 0;
};

RunTimeState& State();

}  // namespace vormbrace
