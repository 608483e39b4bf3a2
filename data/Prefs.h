// The preferences file: the dialog's remembered state, one value per line, written in full on
// every save. For N kind tabs it has 2 + 1 + 2 + 5N + 1 + 4 lines (35 for five tabs).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/HoleFit.h"

namespace vormbrace {

// What a kind tab remembers: the type code and the list positions (-1 = none) of the
// standard, size, length and material lists.
struct KindMemory {
  std::int16_t typeCode = 1;
  std::int16_t standard = 0;
  std::int16_t size = 0;
  std::int16_t length = 0;
  std::int16_t material = 0;
  bool operator==(const KindMemory&) const = default;
};

struct DialogPrefs {
  float left = 0;                   // dialog window position, stored first
  float top = 0;                    // stored second
  std::int16_t createAssembly = 0;  // ToggleCreateAssembly, 0 or 1
  std::int16_t family = 0;
  std::int16_t kind = 0;
  std::vector<KindMemory> kinds;      // one per kind tab, sized by the caller
  std::string manualLength;           // LunghezzaManuale
  std::array<bool, 4> holeOptions{};  // OptHole(0) to OptHole(3)
  // How a hole's diameter is read; a line of its own after the others, written only when it is
  // not the rule, so the file keeps its described form unless the designer opts in.
  HoleFit fit = HoleFit::Rule;
  bool operator==(const DialogPrefs&) const = default;
};

// The title of the message that reports a failed save of the preferences.
inline constexpr const char* kWritePrefsTitle = "Write Prefs";

// Writes the file at the preferences path, holding the file's lock from reading it to writing
// it (host/SafeFile.h). With `base`, what this dialog read when it opened, another program's
// changes since are kept: each value this dialog left as it was takes the file's value now, so
// two dialogs that changed different things (one a washer, the other a nut) keep both. On an
// error shows "ERRORE " + number + " " + description (title "Write Prefs", critical), keeps the
// previous file and answers false.
bool WritePrefs(const DialogPrefs& prefs, const DialogPrefs* base = nullptr);

// Reads the file into `prefs`, applying each value as it is read. Stops silently at the first
// missing or unreadable line, keeping what was applied, and answers false; true when every
// line was read. The fit line is optional: without it (or with a text no fit has) the fit is
// the rule.
bool ReadPrefs(DialogPrefs& prefs);

}  // namespace vormbrace
