// Every shipped bolt and nut standard (the kinds whose heads and bodies are prisms) at its
// smallest, middle and largest size: the hexagon and square heads and nuts have their chamfered
// prism built directly, the flange bolts' shank, flange and head and the domed heads on their
// shanks or square necks are stacked without a boolean, the countersunk heads of the shortest
// nib bolts are revolved with their shanks, and those solids match the ones the booleans build;
// the other types keep to the booleans. Every shipped screw and set screw standard whose socket,
// recess or slot the direct road cuts, at its sampled sizes' middle lengths, likewise. One case
// per family and kind, or per screw standard, so that ctest spreads them over the cores.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>

#include "components/NewVormbrace.h"
#include "geometry/generaTeste.h"
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
// the head); the rounded square neck chamfered at its foot, with the shank under it and the
// countersunk head flaring out of it (bolts 7 and 10), the domed head then stacked on it (bolt 7).
int ExpectedDirect(std::int16_t kind, std::int16_t type) {
  static const std::set<std::int16_t> nuts{1, 2, 3, 5, 6, 7, 8, 9};
  // The castle nut's and the slotted round nut's slots are also made one tool of solids apart.
  if (kind != kBolts) return nuts.count(type) > 0 ? 1 + (type == 2 || type == 9) : 0;
  static const std::map<std::int16_t, int> bolts{{1, 1}, {2, 2}, {4, 1}, {6, 1},
                                                 {7, 2}, {8, 1}, {9, 1}, {10, 1}};
  auto it = bolts.find(type);
  return it == bolts.end() ? 0 : it->second;
}

// Those among them built with no boolean left: hexagon, flange, square and square neck bolts,
// their shanks fused onto the heads or necks directly, plain, ringed and square nuts, and the
// nuts whose caps stand on the bored top face (DIN 917, DIN 986) or whose dome is sunk into it
// (DIN 1587). DIN 478's square neck is as wide as the head's chamfer circle at some sizes,
// leaving no end face around it, and the booleans fuse it there: no expectation for it. The
// slotted round nut's slots need no boolean either: made one tool apart, they are cut by their
// faces.
std::optional<bool> ExpectedWithoutBoolean(std::int16_t kind, std::int16_t type,
                                           const std::string& standard) {
  static const std::set<std::int16_t> bolts{1, 2, 4, 7, 10}, nuts{1, 3, 5, 6, 7, 8, 9};
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

// Longer countersunk nib bolts, flat and raised, whose outline the revolved road refuses (a
// sliver of a step where the plain shank meets the head), keep to the booleans.
TEST(NibBolts, LongerShippedCountersunkNibBoltsKeepToTheBooleans) {
  TestHost host(host::ref::SettingsStore::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json"));
  for (SampledLength length : {SampledLength::Middle, SampledLength::Longest}) {
    for (std::int16_t type : {8, 9}) {
      int visited = VisitSampledSizes(
          1, kBolts, length,
          [&](const SampledSize& s) {
            ExpectDirectAsBooleans(
                [&](host::Shape& part) { MakeBolt(s.type, s.values)->CreateInPart(part); }, s.what,
                0, 1);
          },
          type);
      EXPECT_GT(visited, 0) << "type " << type;
    }
  }
}

constexpr std::int16_t kScrews = 1, kSetScrews = 2;

// A shipped screw or set screw standard, known by its size data file, and what its direct road
// takes: `builds` direct builds (one fewer at the size `oneFewer`), `booleans` booleans left and
// `cleared` slot boxes moved clear (-1: not checked).
struct ShippedScrew {
  std::int16_t family, kind, type;
  const char* file;
  int builds, booleans, cleared;
  const char* oneFewer = "";
};

void PrintTo(const ShippedScrew& s, std::ostream* os) { *os << s.file; }

class ShippedScrews : public ::testing::TestWithParam<ShippedScrew> {};

// Cross recesses of types H and Z (screws 7-12) are fused face by face and cut into the dome of
// the pan and raised countersunk heads or the countersunk head's flat top; the pan heads' shanks
// are cut at the neck's foot and stood under it, the countersunk heads revolved with their
// shanks. Sockets (screws 1-3, set screws 1-4) are cut as pockets; socket cap and button heads
// stand on their shanks' flat ends and dog points (set screws 2 and 6) on the point end as wide
// as they are; the smallest DIN 7991 screw's shank steps in by 0.0004 mm under its head, a sliver
// the booleans close. Slots (screws 4-6, set screws 5-8) are cut by a box moved clear of the
// solid; a cup point and the slot or socket at the other end (set screws 4 and 8) are gathered
// into one tool apart, the shipped cups, as wide as the flat point, then cut by a boolean.
TEST_P(ShippedScrews, SampledSizesMatchTheBooleans) {
  const ShippedScrew& s = GetParam();
  TestHost host(host::ref::SettingsStore::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json"));
  int compared = 0;
  VisitSampledSizes(
      s.family, s.kind, SampledLength::Middle,
      [&](const SampledSize& size) {
        if (size.file != s.file) return;
        auto make = [&](host::Shape& part) {
          if (s.kind == kScrews) {
            BuildScrewByType(part, ReadHeadedDimensions(*MakeScrew(s.type, size.values)));
          } else {
            BuildScrewNoHeadByType(part,
                                   ReadSetScrewDimensions(*MakeScrewNoHead(s.type, size.values)));
          }
        };
        Built built =
            ExpectDirectAsBooleans(make, size.what, s.builds - (size.what == s.oneFewer ? 1 : 0),
                                   size.what == s.oneFewer ? -1 : s.booleans);
        if (s.cleared >= 0) {
          EXPECT_EQ(built.counts.clearedTools, s.cleared) << size.what;
        }
        ++compared;
      },
      s.type);
  EXPECT_GE(compared, 3) << s.file;
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedScrews,
                         ::testing::Values(ShippedScrew{0, kScrews, 10, "ISO7045H.tab", 3, 0, -1},
                                           ShippedScrew{0, kScrews, 11, "ISO7046H.tab", 3, -1, -1},
                                           ShippedScrew{0, kScrews, 12, "ISO7047H.tab", 3, -1, -1},
                                           ShippedScrew{0, kScrews, 7, "ISO7045Z.tab", 3, 0, -1},
                                           ShippedScrew{0, kScrews, 8, "ISO7046Z.tab", 3, -1, -1},
                                           ShippedScrew{0, kScrews, 9, "ISO7047Z.tab", 3, -1, -1},
                                           ShippedScrew{0, kScrews, 1, "ISO4762.tab", 2, -1, -1},
                                           ShippedScrew{0, kScrews, 2, "ISO10642.tab", 2, -1, -1},
                                           ShippedScrew{0, kScrews, 3, "ISO7380.tab", 2, -1, -1},
                                           ShippedScrew{1, kScrews, 1, "DIN912.tab", 2, -1, -1},
                                           ShippedScrew{1, kScrews, 2, "DIN7991.tab", 2, -1, -1,
                                                        "DIN 7991 M3x16"},
                                           ShippedScrew{0, kSetScrews, 1, "ISO4026.tab", 1, -1, -1},
                                           ShippedScrew{0, kSetScrews, 2, "ISO4028.tab", 2, -1, -1},
                                           ShippedScrew{0, kSetScrews, 3, "ISO4027.tab", 1, -1, -1},
                                           ShippedScrew{1, kSetScrews, 1, "DIN913.tab", 1, -1, -1},
                                           ShippedScrew{1, kSetScrews, 2, "DIN915.tab", 2, -1, -1},
                                           ShippedScrew{1, kSetScrews, 3, "DIN914.tab", 1, -1, -1},
                                           ShippedScrew{0, kScrews, 4, "ISO1207.tab", 1, -1, 1},
                                           ShippedScrew{0, kScrews, 5, "ISO2009.tab", 1, -1, 1},
                                           ShippedScrew{0, kScrews, 6, "ISO2010.tab", 1, -1, 1},
                                           ShippedScrew{1, kScrews, 4, "DIN84.tab", 1, -1, 1},
                                           ShippedScrew{0, kSetScrews, 5, "ISO4766.tab", 0, -1, 1},
                                           ShippedScrew{0, kSetScrews, 6, "ISO7435.tab", 1, -1, 1},
                                           ShippedScrew{0, kSetScrews, 7, "ISO7434.tab", 0, -1, 1},
                                           ShippedScrew{0, kSetScrews, 8, "ISO7436.tab", 1, 1, 1},
                                           ShippedScrew{1, kSetScrews, 5, "DIN551.tab", 0, -1, 1},
                                           ShippedScrew{1, kSetScrews, 6, "DIN417.tab", 1, -1, 1},
                                           ShippedScrew{1, kSetScrews, 7, "DIN553.tab", 0, -1, 1},
                                           ShippedScrew{1, kSetScrews, 8, "DIN438.tab", 1, 1, 1},
                                           ShippedScrew{0, kSetScrews, 4, "ISO4029.tab", 1, 1, 0},
                                           ShippedScrew{1, kSetScrews, 4, "DIN916.tab", 1, 1, 0}),
                         [](const ::testing::TestParamInfo<ShippedScrew>& param) {
                           std::string file = param.param.file;
                           return file.substr(0, file.find('.'));
                         });

}  // namespace
}  // namespace vormbrace::test
