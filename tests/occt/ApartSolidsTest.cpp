// Removals lying apart from each other, gathered into one tool without a boolean and cut by a
// boolean that owns copies of its operands: the shipped set screws with a cup point and a slot
// or socket at the other end take that road and give the solid the booleans give; removals
// that meet are still fused by a boolean.
#include <gtest/gtest.h>

#include <cmath>

#include "occt/ShippedBothWays.h"

namespace vormbrace::test {
namespace {

using ApartSolids = ShippedFixture;

TEST_F(ApartSolids, ShippedCupPointSetScrewsGatherTheirRemovalsAndGiveTheSameSolid) {
  // Slotted (type 8) and socket (type 4) set screws with cup points, smallest, middle and
  // largest sizes. The slots are cut by a boolean (their box moved clear of the shank); the
  // sockets with the cup by the booleans too, the shipped cups being as wide as the flat point.
  const ShippedStandard standards[] = {
      {kIso, kSetScrewKind, 8, "ISO7436.tab"},
      {kDin, kSetScrewKind, 8, "DIN438.tab"},
      {kIso, kSetScrewKind, 4, "ISO4029.tab"},
      {kDin, kSetScrewKind, 4, "DIN916.tab"},
  };
  for (const ShippedStandard& s : standards) {
    for (const Built& built : ExpectShippedDirect(s, 1)) {
      EXPECT_EQ(built.counts.booleanBuilds, 1) << s.file;
      EXPECT_EQ(built.counts.clearedTools, s.type == 8 ? 1 : 0) << s.file;
    }
  }
}

// A cylinder head 16 across and 10 high on the Z axis, from z = 0 to z = 10.
void CylinderHead(host::Shape& part) { BuildCylinderHead(part, 0, 16, 10, 0); }

TEST_F(ApartSolids, SlotAndCupAtOppositeEndsRemoveTheirOwnVolumes) {
  // A slot 2 wide and 3 deep across the top and a cone 6 across and 2 deep sunk into the
  // bottom face: the volume is the cylinder's less the slot's share of the top 3 (a band of
  // the circle twice the integral of the chord) and less the cone's.
  Built built = ExpectDirectAsBooleans(
      [](host::Shape& p) { CylinderHead(p), CutSlot(p, 10, 2, 16, 3), CutCupPoint(p, 0, 6, 2); },
      "slot and cup");
  double r = 8, h = 1;
  double band = 2 * (h * std::sqrt(r * r - h * h) + r * r * std::asin(h / r));
  double cone = M_PI * 3 * 3 * 2 / 3;
  EXPECT_NEAR(built.figures.volume, M_PI * r * r * 10 - band * 3 - cone, 1e-6 * M_PI * 640);
  EXPECT_NEAR(built.figures.boxMin.z, 0, 1e-6);
  EXPECT_NEAR(built.figures.boxMax.z, 10, 1e-6);
}

TEST_F(ApartSolids, RemovalsThatMeetAreFusedByABoolean) {
  struct Case {
    const char* what;
    void (*make)(host::Shape&);
  };
  const Case cases[] = {
      // Two slots crossing at the top.
      {"crossed slots",
       [](host::Shape& p) { CylinderHead(p), CutSlot(p, 10, 2, 16, 3), CutSlot(p, 10, 16, 2, 3); }},
      // A slot whose floor touches the tip of a cone sunk from the bottom (z = 7).
      {"touching",
       [](host::Shape& p) { CylinderHead(p), CutSlot(p, 10, 2, 16, 3), CutCupPoint(p, 0, 6, 7); }},
  };
  for (const Case& c : cases) {
    Built built = ExpectDirectAsBooleans(c.make, c.what, 0);
    EXPECT_EQ(built.counts.booleanBuilds, 1) << c.what;
  }
}

}  // namespace
}  // namespace vormbrace::test
