// The add-in's process-wide run-time state: one plain record, overwritten by each drop or edit.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace host {
class Page;
}

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

struct RunTimeState {
  std::int16_t languageBase = 2000;
  std::int16_t family = 0;    // standards family index i
  std::int16_t kind = 0;      // kind index k
  std::int16_t typeCode = 1;  // type code within the kind, 1-based
  Paths paths;
  // The value array: v[i] holds field f(i + 2) of the chosen size data record.
  std::array<double, 21> values{};
  std::string partNumberText;
  std::int32_t componentId = 0;  // 0 = none yet
  EditState edit;
  // The page of the last drop or edit; nullptr before the first.
  host::Page* page = nullptr;
};

RunTimeState& State();

}  // namespace vormbrace
