// Building shipped standards' parts both ways: the first, middle and last size of a standard's
// size data file, each at the middle of its lengths, built directly and by booleans.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "components/NewVormbrace.h"
#include "data/Globals.h"
#include "geometry/generaTeste.h"
#include "occt/BothWays.h"
#include "support/SampledSizes.h"
#include "support/TestHost.h"

namespace vormbrace::test {

constexpr std::int16_t kIso = 0, kDin = 1;
constexpr std::int16_t kScrewKind = 1, kSetScrewKind = 2;

// A standard of the shipped library, known by its size data file.
struct ShippedStandard {
  std::int16_t family, kind, type;
  const char* file;
};

// A test host with the shipped standards' settings loaded.
class ShippedFixture : public ::testing::Test {
 protected:
  ShippedFixture()
      : host_(host::ref::SettingsStore::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json")) {}

  TestHost host_;
};

// Every sampled size of the standard (a screw or set screw) takes the direct road `builds` times
// (the sizes named in `oneFewer` once less) and gives the solid the booleans give; answers the
// direct builds. Needs the standards' settings loaded.
inline std::vector<Built> ExpectShippedDirect(const ShippedStandard& s, int builds = 1,
                                              const std::set<std::string>& oneFewer = {}) {
  std::vector<Built> built;
  VisitSampledSizes(
      s.family, s.kind, SampledLength::Middle,
      [&](const SampledSize& size) {
        if (size.file != s.file) return;
        auto make = [&](host::Shape& part) {
          if (s.kind == kScrewKind) {
            BuildScrewByType(part, ReadHeadedDimensions(*MakeScrew(s.type, size.values)));
          } else {
            BuildScrewNoHeadByType(part,
                                   ReadSetScrewDimensions(*MakeScrewNoHead(s.type, size.values)));
          }
        };
        built.push_back(
            ExpectDirectAsBooleans(make, size.what, builds - (oneFewer.count(size.what) ? 1 : 0)));
      },
      s.type);
  EXPECT_FALSE(built.empty()) << s.file << ": no standard reads it";
  return built;
}

}  // namespace vormbrace::test
