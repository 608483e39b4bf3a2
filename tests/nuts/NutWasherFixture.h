// Test support for the nut and washer generators: the generator fixture with the shipped
// settings (so the thread texture is found) and records of the shipped tables.
#pragma once

#include <cstdint>
#include <string>

#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "data/Settings.h"
#include "geometry/GeometryFixture.h"

namespace vormbrace::test {

inline constexpr std::int16_t kIso = 0, kDin = 1;
inline constexpr std::int16_t kWasherKind = 3, kNutKind = 4;

class NutWasherTest : public GeometryTest {
 protected:
  NutWasherTest() {
    host_.Settings() =
        host::ref::SettingsStore::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json");
  }

  // The record of `size` (and `length`) in a shipped size data file, read the way the dialog
  // reads it.
  static ValueArray Record(std::int16_t family, std::int16_t kind, const std::string& file,
                           const std::string& size, const std::string& length = "") {
    State().family = family;
    LoadKindSettings(kind);
    ValueArray v{};
    std::string partNumber;
    EXPECT_TRUE(QMisuraVariabili(State().paths.dataFolder + file, size, length, v, partNumber))
        << file << " " << size << " " << length;
    return v;
  }
};

}  // namespace vormbrace::test
