// Building shipped standards' parts both ways: the first, middle and last size of a standard's
// size data file, each at the middle of its lengths, built directly and by booleans.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "components/NewVormbrace.h"
#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "data/Settings.h"
#include "geometry/generaTeste.h"
#include "host/TextFile.h"
#include "occt/BothWays.h"

namespace vormbrace::test {

constexpr std::int16_t kIso = 0, kDin = 1;
constexpr std::int16_t kScrewKind = 1, kSetScrewKind = 2;

// The first, middle and last size of a shipped size data file, each with the length of its
// middle record.
inline std::vector<std::pair<std::string, std::string>> PickedSizes(const std::string& path) {
  std::vector<std::pair<std::string, std::vector<std::string>>> sizes;
  std::ifstream in(host::NativePath(path));
  EXPECT_TRUE(in) << path;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::size_t a = line.find('|'), b = line.find('|', a + 1), c = line.find('|', b + 1);
    std::string size = line.substr(0, a), length = line.substr(b + 1, c - b - 1);
    if (sizes.empty() || sizes.back().first != size) sizes.push_back({size, {}});
    sizes.back().second.push_back(length);
  }
  std::vector<std::pair<std::string, std::string>> picked;
  if (sizes.empty()) return picked;
  for (std::size_t i : {std::size_t{0}, sizes.size() / 2, sizes.size() - 1}) {
    const auto& [size, lengths] = sizes[i];
    picked.push_back({size, lengths[lengths.size() / 2]});
  }
  return picked;
}

// Every picked size of the standard (a screw or set screw of `type`) takes the direct road
// `builds` times and gives the solid the booleans give; answers the direct builds. Needs the
// standards' settings loaded.
inline std::vector<Built> ExpectShippedDirect(std::int16_t family, std::int16_t kind,
                                              std::int16_t type, const std::string& file,
                                              int builds = 1) {
  State().family = family;
  LoadKindSettings(kind);
  const std::string path = State().paths.dataFolder + file;
  std::vector<Built> built;
  for (const auto& [size, length] : PickedSizes(path)) {
    ValueArray v{};
    std::string partNumber;
    bool found = QMisuraVariabili(path, size, length, v, partNumber);
    EXPECT_TRUE(found) << file << " " << size;
    if (!found) continue;
    auto make = [&](host::Shape& part) {
      if (kind == kScrewKind) {
        BuildScrewByType(part, ReadHeadedDimensions(*MakeScrew(type, v)));
      } else {
        BuildScrewNoHeadByType(part, ReadSetScrewDimensions(*MakeScrewNoHead(type, v)));
      }
    };
    built.push_back(ExpectDirectAsBooleans(make, file + " " + size + "x" + length, builds));
  }
  return built;
}

}  // namespace vormbrace::test
