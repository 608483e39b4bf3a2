// Slots across a whole head or shank end, cut by a box moved past the solid's extreme faces:
// the shipped slotted screws and set screws take that road and give the solid the unmoved slot
// gives; a slot that ends inside the solid is cut as it is.
#include <gtest/gtest.h>

#include <cmath>

#include "occt/ShippedBothWays.h"

namespace vormbrace::test {
namespace {

using ClearBox = ShippedFixture;

TEST_F(ClearBox, ShippedSlotsAreCutByAClearBoxAndGiveTheSameSolid) {
  const ShippedStandard standards[] = {
      {kIso, kScrewKind, 4, "ISO1207.tab"},    {kIso, kScrewKind, 5, "ISO2009.tab"},
      {kIso, kScrewKind, 6, "ISO2010.tab"},    {kDin, kScrewKind, 4, "DIN84.tab"},
      {kIso, kSetScrewKind, 5, "ISO4766.tab"}, {kIso, kSetScrewKind, 6, "ISO7435.tab"},
      {kIso, kSetScrewKind, 7, "ISO7434.tab"}, {kIso, kSetScrewKind, 8, "ISO7436.tab"},
      {kDin, kSetScrewKind, 5, "DIN551.tab"},  {kDin, kSetScrewKind, 6, "DIN417.tab"},
      {kDin, kSetScrewKind, 7, "DIN553.tab"},  {kDin, kSetScrewKind, 8, "DIN438.tab"},
  };
  for (const ShippedStandard& s : standards) {
    // Cheese heads (type 4) stand on their shanks' flat ends, countersunk heads, raised or not
    // (types 5, 6), are revolved with their shanks, and dog points (set screw type 6) stand on
    // the point end as wide as they are: that fusion is built directly. The slot and the cup
    // point at the other end (type 8) are gathered into one tool without a boolean.
    int stacked = s.kind == kScrewKind || s.type == 6 ? 1 : 0;
    int gathered = s.kind == kSetScrewKind && s.type == 8 ? 1 : 0;
    for (const Built& built : ExpectShippedDirect(s, stacked + gathered)) {
      EXPECT_EQ(built.counts.clearedTools, 1) << s.file;
    }
  }
}

// A cylinder head 16 across and 10 high on the Z axis, its top face on z = 10.
void CylinderHead(host::Shape& part) { BuildCylinderHead(part, 0, 16, 10, 0); }

TEST_F(ClearBox, SlotAcrossTheHeadRemovesItsShareOfTheCylinder) {
  // A slot 2 wide and 3 deep across the whole head: it removes the part of the cylinder's
  // top 3 between y = -1 and y = 1 (a circular segment pair: twice the integral of the chord).
  Built built = ExpectDirectAsBooleans(
      [](host::Shape& p) { CylinderHead(p), CutSlot(p, 10, 2, 16, 3); }, "slot", 0);
  EXPECT_EQ(built.counts.clearedTools, 1);
  double r = 8, h = 1;  // half the slot's width
  double band = 2 * (h * std::sqrt(r * r - h * h) + r * r * std::asin(h / r));
  EXPECT_NEAR(built.figures.volume, M_PI * r * r * 10 - band * 3, 1e-6 * M_PI * 640);
  EXPECT_NEAR(built.figures.boxMax.z, 10, 1e-6);
}

TEST_F(ClearBox, SlotEndingInsideTheSolidIsCutAsItIs) {
  Built built = ExpectDirectAsBooleans(
      [](host::Shape& p) { CylinderHead(p), CutSlot(p, 10, 2, 12, 3); }, "short slot", 1);
  EXPECT_EQ(built.counts.clearedTools, 0);
}

}  // namespace
}  // namespace vormbrace::test
