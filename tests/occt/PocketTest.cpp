// Sockets and recesses sunk into a flat face, cut by building the pocket's faces directly: the
// shipped screws and set screws whose socket or recess opens in a flat top take that road and
// give the solid the booleans give; tools that break through a side, or open on a dome, keep
// to the booleans and still build.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "occt/ShippedBothWays.h"

namespace vormbrace::test {
namespace {

using Pocket = ShippedFixture;

TEST_F(Pocket, ShippedSocketAndFlatTopRecessScrewsAreCutDirectly) {
  const ShippedStandard standards[] = {
      {kIso, kScrewKind, 1, "ISO4762.tab"},    {kIso, kScrewKind, 2, "ISO10642.tab"},
      {kIso, kScrewKind, 3, "ISO7380.tab"},
      {kDin, kScrewKind, 1, "DIN912.tab"},     {kDin, kScrewKind, 2, "DIN7991.tab"},
      {kIso, kSetScrewKind, 1, "ISO4026.tab"}, {kIso, kSetScrewKind, 2, "ISO4028.tab"},
      {kIso, kSetScrewKind, 3, "ISO4027.tab"}, {kDin, kSetScrewKind, 1, "DIN913.tab"},
      {kDin, kSetScrewKind, 2, "DIN915.tab"},  {kDin, kSetScrewKind, 3, "DIN914.tab"},
  };
  for (const ShippedStandard& s : standards) {
    // Socket cap and button heads (types 1 and 3) also stand on their shanks' flat ends, dog
    // points (set screw type 2) on the point end as wide as they are, and countersunk heads
    // (type 2) are revolved with their shanks, fused directly; but the smallest DIN 7991 screw's
    // shank steps in by 0.0004 mm under its head, a sliver the booleans close, and its head is
    // fused by a boolean.
    bool stacked = s.kind == kScrewKind || s.type == 2;
    ExpectShippedDirect(s, stacked ? 2 : 1, {"DIN 7991 M3x16"});
  }
}

// A cylinder head 16 across and 10 high on the Z axis, its top face on z = 10.
void CylinderHead(host::Shape& part) { BuildCylinderHead(part, 0, 16, 10, 0); }

TEST_F(Pocket, ToolsThatAreNotPocketsKeepToTheBooleans) {
  struct Case {
    const char* what;
    void (*make)(host::Shape&);
  };
  const Case cases[] = {
      // A slot across the whole head opens on its side too.
      {"slot", [](host::Shape& p) { CylinderHead(p), CutSlot(p, 10, 2, 16, 3); }},
      // A socket whose corners (radius 8.08) reach past the head's side.
      {"wide socket", [](host::Shape& p) { CylinderHead(p), CutHexSocket(p, 10, 14, 3); }},
      // A socket as deep as the head: its floor lies on the head's underside.
      {"through socket", [](host::Shape& p) { CylinderHead(p), CutHexSocket(p, 10, 6, 10); }},
      // A socket sunk below the top face, opening nowhere.
      {"buried", [](host::Shape& p) { CylinderHead(p), CutHexSocket(p, 8, 6, 3); }},
      // A cup as wide as the flat end it is sunk into (as the shipped cup points are), with a
      // socket at the other end: both are cut by the booleans.
      {"cup point",
       [](host::Shape& p) {
         SetScrewDimensions d;
         d.ComponentType = 4, d.Diametro = 6, d.lung = 16, d.Passo = 1, d.SmussoSuperiore = 90;
         d.SmussoInferiore = 90, d.DiamInf = 3, d.LargIntaglio = 3, d.AltIntaglio = 3.5;
         d.DiamCoppa = 3, d.AltCoppa = 1.5;
         BuildScrewNoHeadByType(p, d);
       }},
      // A socket opening on a domed head.
      {"dome",
       [](host::Shape& p) {
         BuildDomedCylinderHead(p, 10, 20, 1.5, 6, 0.4);
         CutHexSocket(p, 7.5, 6, 3);
       }},
  };
  for (const Case& c : cases) {
    // The socket and the cup lie apart: they are gathered into one tool without a boolean,
    // and cut by one.
    Built built =
        ExpectDirectAsBooleans(c.make, c.what, std::string(c.what) == "cup point" ? 1 : 0);
    EXPECT_EQ(built.counts.booleanBuilds, 1) << c.what;
  }
}

TEST_F(Pocket, SocketInAHeadAloneLeavesTheVolumeOfHeadLessSocket) {
  // A hexagon socket 6 across flats (corner radius 6/√3, area 3√3/2 R²) in the cylinder head of
  // radius 8 and height 10: shallow, and so deep that its floor is 0.01 above the underside
  // (the quick test that rejects tools passing through the head must let it by).
  for (double depth : {4.0, 9.99}) {
    SCOPED_TRACE(depth);
    Built built =
        BuildPart(true, [&](host::Shape& p) { CylinderHead(p), CutHexSocket(p, 10, 6, depth); });
    double R = 6 / std::sqrt(3.0);
    double socket = 1.5 * std::sqrt(3.0) * R * R * depth;
    EXPECT_EQ(built.counts.directBuilds, 1);
    EXPECT_TRUE(built.figures.valid);
    EXPECT_NEAR(built.figures.volume, M_PI * 64 * 10 - socket, 1e-6 * M_PI * 640);
    EXPECT_NEAR(built.figures.boxMax.z, 10, 1e-6);
  }
}

}  // namespace
}  // namespace vormbrace::test
