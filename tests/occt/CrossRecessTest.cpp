// The union of a cross recess's blades and notched prism, and of a type Z recess's star with
// them, built face by face: the shipped type H and Z recesses take that road on every head and
// give the solid the booleans give; the removed volume is the prism's plus the blades' ends
// standing out of it; other recesses keep to the booleans.
#include <gtest/gtest.h>

#include <cmath>

#include "occt/ShippedBothWays.h"

namespace vormbrace::test {
namespace {

using CrossRecess = ShippedFixture;

TEST_F(CrossRecess, ShippedTypeHRecessesAreFusedDirectly) {
  // The fusion and the cut: through the dome of the pan and raised countersunk heads, into the
  // countersunk head's flat top; the countersunk heads, raised or not, revolved with their
  // shanks; the pan heads' shanks cut at the neck's foot and stood under it, with no boolean.
  for (const Built& b : ExpectShippedDirect({kIso, kScrewKind, 10, "ISO7045H.tab"}, 3)) {
    EXPECT_EQ(b.counts.booleanBuilds, 0);
  }
  ExpectShippedDirect({kIso, kScrewKind, 11, "ISO7046H.tab"}, 3);
  ExpectShippedDirect({kIso, kScrewKind, 12, "ISO7047H.tab"}, 3);
}

TEST_F(CrossRecess, ShippedTypeZRecessesAreFusedDirectly) {
  // The star's tips stand out through the prism's corner walls; the fusion and the cut.
  for (const Built& b : ExpectShippedDirect({kIso, kScrewKind, 7, "ISO7045Z.tab"}, 3)) {
    EXPECT_EQ(b.counts.booleanBuilds, 0);
  }
  ExpectShippedDirect({kIso, kScrewKind, 8, "ISO7046Z.tab"}, 3);
  ExpectShippedDirect({kIso, kScrewKind, 9, "ISO7047Z.tab"}, 3);
}

// A cylinder head 20 across and 10 high on the Z axis, its top face on z = 10.
void CylinderHead(host::Shape& part) { BuildCylinderHead(part, 0, 20, 10, 0); }

TEST_F(CrossRecess, RemovesThePrismAndTheBladeEndsOutsideIt) {
  const double b = 1.5, t = 4, w = 4.5;  // the blades reach 3b from the axis
  Built built = ExpectDirectAsBooleans(
      [&](host::Shape& p) { CylinderHead(p), CutCrossRecess(p, 10, b, t, 2 * w); },
      "recess in a flat top", 2);
  // The prism: a square 3b wide less four notches b by b/2 and four quarter circles of
  // radius b. Each blade end stands out of its notch's bottom (b from the axis) by w - b down
  // to t/3, then by a length shrinking linearly to none where the taper (from w at t/3 to b/2
  // at t) passes b.
  double prism = (9 - 2 - M_PI) * b * b * t;
  double leavesNotch = t / 3 + (w - b) * (2 * t / 3) / (w - b / 2);
  double end = b * ((w - b) * t / 3 + (w - b) * (leavesNotch - t / 3) / 2);
  EXPECT_NEAR(built.figures.volume, M_PI * 100 * 10 - prism - 4 * end, 1e-6 * M_PI * 1000);
  EXPECT_NEAR(built.figures.boxMax.z, 10, 1e-6);
}

TEST_F(CrossRecess, OtherRecessesKeepToTheBooleans) {
  struct Case {
    const char* what;
    void (*make)(host::Shape&);
  };
  const Case cases[] = {
      // Blades that end inside the notches (2 from the axis, notches' mouths at 2.25).
      {"short blades", [](host::Shape& p) { CylinderHead(p), CutCrossRecess(p, 10, 1.5, 4, 4); }},
      // A type Z recess whose star's tips reach past the corner walls' circles (6b out).
      {"long star", [](host::Shape& p) { CylinderHead(p), CutStarCrossRecess(p, 10, 1.5, 4, 18); }},
      // The blades alone.
      {"blades", [](host::Shape& p) { CylinderHead(p), CutCrossBlades(p, 10, 1.5, 4, 9); }},
  };
  for (const Case& c : cases) {
    Built direct = BuildPart(true, c.make);
    Built reference = BuildPart(false, c.make);
    // At most the pocket cut into the flat top is direct, never the fusion.
    EXPECT_LE(direct.counts.directBuilds, 1) << c.what;
    ExpectSameSolid(direct, reference, c.what);
  }
}

}  // namespace
}  // namespace vormbrace::test
