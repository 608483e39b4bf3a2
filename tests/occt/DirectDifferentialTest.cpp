// Every shipped bolt and nut standard (the kinds whose heads and bodies are prisms) at its
// smallest, middle and largest size: the hexagon and square heads and nuts have their chamfered
// prism built directly, the flange bolts' shank, flange and head and the domed heads on their
// shanks or square necks are stacked without a boolean, the countersunk heads of the shortest
// nib bolts are revolved with their shanks, and those solids match the ones the booleans build;
// the other types keep to the booleans. One case per family and kind, so that ctest spreads
// them over the cores.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>

#include "components/NewVormbrace.h"
#include "occt/BothWays.h"
#include "support/SampledSizes.h"
#include "support/TestHost.h"

namespace vormbrace::test {
namespace {

constexpr std::int16_t kBolts = 0, kNuts = 4;

// How many direct builds a part takes: the chamfered prism of hexagon and square heads (bolts 1,
// 2, 4) and of hexagon and chamfered square nuts, with crowns, rings and caps (nuts 1, 2, 3,
// 5-8); the slots cut across the slotted round nut's chamfered rim (nut 9); the flange bolts'
// stack of shank, flange and head (bolt 2); the domed head on the shank with its nib (bolt 6) or
// on the square neck (bolt 7); the countersunk head revolved with the shank under it, the nib
// fused on by a boolean (bolts 8 and 9, flat or raised, whose shortest bolts are threaded up to
// the head).
int ExpectedDirect(std::int16_t kind, std::int16_t type) {
  static const std::set<std::int16_t> nuts{1, 2, 3, 5, 6, 7, 8, 9};
  if (kind != kBolts && type == 9) return 2;  // the slots lie apart: gathered, then cut directly
  if (kind != kBolts) return nuts.count(type) > 0 ? 1 : 0;
  static const std::map<std::int16_t, int> bolts{{1, 1}, {2, 2}, {4, 1}, {6, 1},
                                                 {7, 1}, {8, 1}, {9, 1}};
  auto it = bolts.find(type);
  return it == bolts.end() ? 0 : it->second;
}

// Those among them built with no boolean left: hexagon, flange and square bolts, their shanks
// fused onto the heads directly, plain, ringed and square nuts, and the nuts whose caps stand on
// the bored top face (DIN 917, DIN 986) or whose dome is sunk into it (DIN 1587). DIN 478's
// square neck is as wide as the head's chamfer circle at some sizes, leaving no end face around
// it, and the booleans fuse it there: no expectation for it. The slotted round nut's slots lie
// apart from each other and are gathered into one tool without a boolean.
std::optional<bool> ExpectedWithoutBoolean(std::int16_t kind, std::int16_t type,
                                           const std::string& standard) {
  static const std::set<std::int16_t> bolts{1, 2, 4}, nuts{1, 3, 5, 6, 7, 8, 9};
  if (standard.rfind("DIN 478", 0) == 0) return std::nullopt;
  return (kind == kBolts ? bolts : nuts).count(type) > 0;
}

struct Sweep {
  std::int16_t family, kind;
};

class DirectDifferential : public ::testing::TestWithParam<Sweep> {};

TEST_P(DirectDifferential, SmallestMiddleAndLargestSizesBothWays) {
  const auto [family, kind] = GetParam();
  TestHost host(host::ref::SettingsStore::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json"));
  int compared = 0;
  VisitSampledSizes(family, kind, SampledLength::First, [&](const SampledSize& s) {
    auto make = [&](host::Shape& part) {
      if (kind == kBolts) {
        MakeBolt(s.type, s.values)->CreateInPart(part);
      } else {
        MakeNut(s.type, s.values)->CreateInPart(part);
      }
    };
    Built direct = BuildPart(true, make);
    EXPECT_EQ(direct.counts.directBuilds, ExpectedDirect(kind, s.type)) << s.what;
    if (direct.counts.directBuilds == 0) return;
    if (auto none = ExpectedWithoutBoolean(kind, s.type, s.standard)) {
      EXPECT_EQ(direct.counts.booleanBuilds == 0, *none) << s.what;
    }
    ExpectSameSolid(direct, BuildPart(false, make), s.what);
    ++compared;
  });
  EXPECT_GE(compared, 3);
  for (const auto& m : host.Host().Messages()) ADD_FAILURE() << m.title << ": " << m.text;
}

INSTANTIATE_TEST_SUITE_P(BoltsAndNuts, DirectDifferential,
                         ::testing::Values(Sweep{0, kBolts}, Sweep{0, kNuts}, Sweep{1, kBolts},
                                           Sweep{1, kNuts}),
                         [](const ::testing::TestParamInfo<Sweep>& param) {
                           return std::string(param.param.family == 0 ? "ISO" : "DIN") +
                                  (param.param.kind == kBolts ? "Bolts" : "Nuts");
                         });

}  // namespace
}  // namespace vormbrace::test
