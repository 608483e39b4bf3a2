// Countersunk nib bolts, flat and raised. The shortest of each size, threaded up to the head,
// have the head revolved with the shank and the nib fused onto that new solid by a boolean that
// owns its operands (compared with the booleans in the direct differential test). Longer ones,
// whose outline the revolved road refuses (a sliver of a step where the plain shank meets the
// head), keep to the booleans: at their middle and longest lengths they take no direct build,
// and the solid is the one the booleans give.
#include <gtest/gtest.h>

#include "occt/ShippedBothWays.h"

namespace vormbrace::test {
namespace {

constexpr std::int16_t kBoltKind = 0;

using NibFuse = ShippedFixture;

TEST_F(NibFuse, LongerShippedCountersunkNibBoltsKeepToTheBooleans) {
  for (SampledLength length : {SampledLength::Middle, SampledLength::Longest}) {
    for (std::int16_t type : {8, 9}) {
      int visited = VisitSampledSizes(
          kDin, kBoltKind, length,
          [&](const SampledSize& s) {
            auto make = [&](host::Shape& part) { MakeBolt(s.type, s.values)->CreateInPart(part); };
            Built direct = BuildPart(true, make);
            EXPECT_EQ(direct.counts.directBuilds, 0) << s.what;
            EXPECT_EQ(direct.counts.booleanBuilds, 1) << s.what;
            ExpectSameSolid(direct, BuildPart(false, make), s.what);
          },
          type);
      EXPECT_GT(visited, 0) << "type " << type;
    }
  }
}

}  // namespace
}  // namespace vormbrace::test
