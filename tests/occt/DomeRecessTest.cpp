// Cross recesses opening through a dome, cut by building the pocket's faces directly: the
// shipped pan and raised countersunk heads with type H and Z recesses take that road (see the
// cross recess tests); here, domes the direct cut must leave to the booleans, and still build.
#include <gtest/gtest.h>

#include <string>

#include "occt/ShippedBothWays.h"

namespace vormbrace::test {
namespace {

using DomeRecess = ShippedFixture;

// Pan heads 20 across with domes from flat to steep, and recesses sunk from the dome's top or
// from a plane above it, of both types: each cut directly and alike to the booleans' solid.
TEST_F(DomeRecess, DomesOfSeveralHeightsAndRecessesAboveThemMatchTheBooleans) {
  for (double f : {0.3, 1.5, 2.5}) {
    for (double above : {0.0, 0.2}) {
      for (bool star : {false, true}) {
        const std::string what = "dome " + std::to_string(f) + ", recess " + std::to_string(above) +
                                 " above it" + (star ? ", type Z" : "");
        ExpectDirectAsBooleans(
            [&](host::Shape& p) {
              BuildDomedCylinderHead(p, 10, 20, f, 6, 0.4);
              double top = 6 + f + above;
              star ? CutStarCrossRecess(p, top, 1.5, 4, 9) : CutCrossRecess(p, top, 1.5, 4, 9);
            },
            what, 2);
      }
    }
  }
}

TEST_F(DomeRecess, DomesThatAreNotPlainCapsKeepToTheBooleans) {
  struct Case {
    const char* what;
    void (*make)(host::Shape&);
    int direct;  // the builds expected on the direct road: the fusion at most
  };
  const Case cases[] = {
      // A dome 3 high over a radius of 6: 1.5 below the top at the blades' ends, past their
      // first corners 4/3 down.
      {"steep dome",
       [](host::Shape& p) {
         BuildDomedCylinderHead(p, 10, 12, 3, 6, 0.4), CutCrossRecess(p, 9, 1.5, 4, 9);
       },
       1},
      // The recess wider than the dome: its blades' ends break out through the head's side.
      {"wide recess",
       [](host::Shape& p) {
         BuildDomedCylinderHead(p, 6, 8, 1, 4, 0.4), CutCrossRecess(p, 5, 1.5, 3, 9);
       },
       1},
  };
  for (const Case& c : cases) {
    Built direct = BuildPart(true, c.make);
    EXPECT_EQ(direct.counts.directBuilds, c.direct) << c.what;
    ExpectSameSolid(direct, BuildPart(false, c.make), c.what);
  }
}

}  // namespace
}  // namespace vormbrace::test
