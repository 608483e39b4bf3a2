// Parts the shipped standards do not have, built from the geometry's own builders both ways:
// stacked flanges, dog points, pan heads' sunk shanks, countersunk heads and square necks at
// sizes off the library's, and the recogniser's refusals (flanges off the hexagon's corners,
// rims a hair apart, necks the shank stands out of, slivers, tools that break out through a side
// or meet another); each gives the solid the booleans give. Sockets, slots, cups and cross
// recesses in a plain cylinder head remove the volume worked out beside them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <string>

#include "geometry/generaDadi.h"
#include "geometry/generaGambo.h"
#include "geometry/generaTeste.h"
#include "occt/BothWays.h"
#include "support/TestHost.h"

namespace vormbrace::test {
namespace {

// An M10 x 50 flange bolt, hexagon 16 across flats (corners 9.24 from the axis), 6.4 high on a
// flange `flange` across and 1.5 high (none narrower than the flats).
void FlangeBolt(host::Shape& part, double flange) {
  HeadedDimensions d;
  d.HeaderType = 2, d.Diametro = 10, d.lung = 50, d.Passo = 1.5, d.DistFiletto = 24;
  d.DiamCerchioTesta = 16, d.LungTesta = 6.4, d.LungCollarino = 1.5, d.DiametroCollarino = flange;
  BuildBoltByType(part, d);
}

// An M10 x 20 socket set screw, its point end 7 across and chamfered at `chamfer` degrees (0: the
// end face runs out to the thread's edge as a ring around the point's disc), on a dog point `dog`
// across and 5 long.
void DogPointSetScrew(host::Shape& part, double chamfer, double dog) {
  SetScrewDimensions d;
  d.ComponentType = 2, d.Diametro = 10, d.lung = 20, d.Passo = 1.5, d.SmussoSuperiore = 90;
  d.SmussoInferiore = chamfer, d.DiamInf = 7, d.LargIntaglio = 5, d.AltIntaglio = 4;
  d.DiamCilindro = dog, d.AltCilindro = 5;
  BuildScrewNoHeadByType(part, d);
}

// An M10 x 50 shank whose plain part runs `plain` from its top (tapering by 0.0005 of the
// radius), under a pan head 20 across and 6 high with a dome 1.5 high, its neck `neck` across and
// the fillet `fillet` under the head.
void PanHeadScrew(host::Shape& part, double plain, double neck, double fillet) {
  BuildShank(part, 10, 50, plain, 1.5);
  BuildDomedCylinderHead(part, neck, 20, 1.5, 6, fillet);
}

// An M10 x 50 countersunk screw with a cross recess (type 8; 12: raised), its plain part `plain`
// from the head's top.
void CountersunkScrew(host::Shape& part, std::int32_t type, double plain) {
  HeadedDimensions d;
  d.HeaderType = type, d.Diametro = 10, d.lung = 50, d.Passo = 1.5, d.DistFiletto = plain;
  d.DiamCerchioTesta = 18.3, d.LungTesta = 5, d.Var1 = 90, d.Var2 = 9, d.Var3 = 4;
  if (type == 12) d.Var4 = 2.3;
  BuildScrewByType(part, d);
}

// An M10 x 50 carriage bolt (type 7, domed head 24 across) or countersunk square neck bolt (type
// 10, head 20 across), its rounded neck `side` across and `depth` deep, the plain part `plain`.
void NeckBolt(host::Shape& part, std::int32_t type, double side, double depth, double plain) {
  HeadedDimensions d;
  d.HeaderType = type, d.Diametro = 10, d.lung = 50, d.Passo = 1.5, d.DistFiletto = plain;
  d.DiamCerchioTesta = type == 7 ? 24 : 20, d.LungTesta = 5.5, d.Var1 = side, d.Var2 = depth;
  d.Var3 = 90;
  BuildBoltByType(part, d);
}

// Cylinder heads on the Z axis from z = 0 to 10, 16 or 20 across.
void Head16(host::Shape& part) { BuildCylinderHead(part, 0, 16, 10, 0); }
void Head20(host::Shape& part) { BuildCylinderHead(part, 0, 20, 10, 0); }

struct Road {
  const char* what;
  std::function<void(host::Shape&)> make;
  int builds, booleans;  // on the direct road (-1: any)
};

void ExpectRoads(std::initializer_list<Road> roads) {
  TestHost host;
  for (const Road& r : roads) ExpectDirectAsBooleans(r.make, r.what, r.builds, r.booleans);
}

TEST(DirectRoad, StackedFusedAndRevolvedSolids) {
  using P = host::Shape&;
  ExpectRoads({
      // The chamfered hexagon direct, the flange revolved with the shank, the hexagon fused on.
      {"flange between the hexagon's flats and corners", [](P p) { FlangeBolt(p, 17); }, 2, 1},
      {"flange on the circle of the flats", [](P p) { FlangeBolt(p, 0); }, 2, 1},
      // The dog joined on the disc inside the point end's ring; rims 1e-6 apart are not joined.
      {"dog point on a ringed end", [](P p) { DogPointSetScrew(p, 0, 7); }, 2, 0},
      {"dog point a hair wide", [](P p) { DogPointSetScrew(p, 90, 7 + 2e-6); }, 1, 1},
      {"dog point a hair wide, ringed end", [](P p) { DogPointSetScrew(p, 0, 7 + 2e-6); }, 1, 1},
      // The shank cut at the neck's foot and stood under it, with or without the fillet's torus;
      // a neck narrower than the shank, or one the shank meets in a sliver (the plain part,
      // 0.6 long, widens to 0.00046 under the neck's radius), keeps to the booleans.
      {"pan head, no fillet", [](P p) { PanHeadScrew(p, 18, 10, 0); }, 1, 0},
      {"pan head, short plain part", [](P p) { PanHeadScrew(p, 2, 10, 0.4); }, 1, 0},
      {"pan head, wide fillet", [](P p) { PanHeadScrew(p, 2, 10, 1); }, 1, 0},
      {"neck narrower than the shank", [](P p) { PanHeadScrew(p, 18, 9.5, 0.4); }, 0, 1},
      {"sliver under the neck", [](P p) { PanHeadScrew(p, 0.6, 10, 0.4); }, 0, 1},
      // Recess, head revolved with its shank, and the cut; a shank stepping in by 0.0004 mm
      // under the head leaves only the recess direct.
      {"countersunk, threaded to the head", [](P p) { CountersunkScrew(p, 8, 5); }, 3, 0},
      {"raised countersunk", [](P p) { CountersunkScrew(p, 12, 18); }, 3, 0},
      {"countersunk over a sliver", [](P p) { CountersunkScrew(p, 8, 6); }, 2, 1},
      // A nut's ring narrower than the chamfer's circle is fused by a boolean.
      {"narrow ring on a nut",
       [](P p) {
         NutDimensions nut;
         nut.ComponentType = 3, nut.DiametroFiletto = 10, nut.Passo = 1.5;
         nut.DiametroEsterno = 16, nut.Spessore = 8.4, nut.DiametroCorona = 15;
         nut.InizioCorona = 3.86;
         BuildNutByType(p, nut);
       },
       1, 1},
  });
}

TEST(DirectRoad, RoundedSquareNecks) {
  // Plain length 0: the shank as wide as the neck's flats, the foot one circle; 24: the plain
  // part narrower inside the neck; 8: starting at the foot; side 12: a ring of the foot left
  // around the shank. The domed head stacks on the neck (two builds), the countersunk head
  // flares out of it (one), no boolean left unless its cone misses the flats (side 12).
  struct Neck {
    double side, plain;
  };
  TestHost host;
  for (const Neck& n : {Neck{10, 0}, Neck{10, 24}, Neck{12, 24}, Neck{10, 8}}) {
    for (std::int32_t type : {7, 10}) {
      ExpectDirectAsBooleans([&](host::Shape& p) { NeckBolt(p, type, n.side, 8, n.plain); },
                             "bolt " + std::to_string(type) + " neck " + std::to_string(n.side) +
                                 " plain " + std::to_string(n.plain),
                             type == 7 ? 2 : 1, type == 10 && n.side != 10 ? 1 : 0);
    }
  }
  // A neck narrower than the shank, and one 0.5 deep whose chamfer runs through the rounds'
  // tops: the booleans, the domed head still stacked on what they made.
  ExpectRoads(
      {{"neck narrower than the shank", [](host::Shape& p) { NeckBolt(p, 7, 8, 6, 24); }, 1, 1},
       {"neck crossed by its chamfer", [](host::Shape& p) { NeckBolt(p, 7, 10, 0.5, 24); }, 1, 1}});
}

TEST(DirectRoad, ToolsThatAreNotPocketsOrMeetKeepToTheBooleans) {
  using P = host::Shape&;
  ExpectRoads({
      // Blades ending inside the notches (2 from the axis, their mouths at 2.25), a star whose
      // tips reach past the corner walls' circles, blades alone: at most the pocket is direct.
      {"short blades", [](P p) { Head20(p), CutCrossRecess(p, 10, 1.5, 4, 4); }, 1, -1},
      {"long star", [](P p) { Head20(p), CutStarCrossRecess(p, 10, 1.5, 4, 18); }, 1, -1},
      {"blades", [](P p) { Head20(p), CutCrossBlades(p, 10, 1.5, 4, 9); }, 1, -1},
      // A dome 3 high over a radius of 6, 1.5 below its top at the blades' ends; a recess wider
      // than its dome: the fusion direct, the cut by the booleans.
      {"steep dome",
       [](P p) { BuildDomedCylinderHead(p, 10, 12, 3, 6, 0.4), CutCrossRecess(p, 9, 1.5, 4, 9); },
       1, -1},
      {"recess wider than the dome",
       [](P p) { BuildDomedCylinderHead(p, 6, 8, 1, 4, 0.4), CutCrossRecess(p, 5, 1.5, 3, 9); }, 1,
       -1},
      // A socket's corners (8.08) reach past the side; a socket's
      // floor on the underside; a socket buried below the top; a socket on a dome.
      {"wide socket", [](P p) { Head16(p), CutHexSocket(p, 10, 14, 3); }, 0, 1},
      {"through socket", [](P p) { Head16(p), CutHexSocket(p, 10, 6, 10); }, 0, 1},
      {"buried socket", [](P p) { Head16(p), CutHexSocket(p, 8, 6, 3); }, 0, 1},
      {"socket on a dome",
       [](P p) { BuildDomedCylinderHead(p, 10, 20, 1.5, 6, 0.4), CutHexSocket(p, 7.5, 6, 3); }, 0,
       1},
      // A cup as wide as its flat end, a socket at the other: gathered apart, cut by a boolean.
      {"cup point",
       [](P p) {
         SetScrewDimensions d;
         d.ComponentType = 4, d.Diametro = 6, d.lung = 16, d.Passo = 1, d.SmussoSuperiore = 90;
         d.SmussoInferiore = 90, d.DiamInf = 3, d.LargIntaglio = 3, d.AltIntaglio = 3.5;
         d.DiamCoppa = 3, d.AltCoppa = 1.5;
         BuildScrewNoHeadByType(p, d);
       },
       1, 1},
      // Slots crossing, and a slot whose floor touches a cone's tip: fused by a boolean.
      {"crossed slots", [](P p) { Head16(p), CutSlot(p, 10, 2, 16, 3), CutSlot(p, 10, 16, 2, 3); },
       0, 1},
      {"slot touching a cup",
       [](P p) { Head16(p), CutSlot(p, 10, 2, 16, 3), CutCupPoint(p, 0, 6, 7); }, 0, 1},
  });
}

TEST(DirectRoad, DomesOfSeveralHeightsTakeCrossRecessesDirectly) {
  // Pan heads 20 across, domes flat to steep, recesses sunk from the dome's top or a plane above.
  TestHost host;
  for (double f : {0.3, 1.5, 2.5}) {
    for (double above : {0.0, 0.2}) {
      for (bool star : {false, true}) {
        ExpectDirectAsBooleans(
            [&](host::Shape& p) {
              BuildDomedCylinderHead(p, 10, 20, f, 6, 0.4);
              double top = 6 + f + above;
              star ? CutStarCrossRecess(p, top, 1.5, 4, 9) : CutCrossRecess(p, top, 1.5, 4, 9);
            },
            "dome " + std::to_string(f) + ", recess " + std::to_string(above) + " above" +
                (star ? ", type Z" : ""),
            2);
      }
    }
  }
}

TEST(DirectRoad, CutsInAPlainHeadRemoveTheirVolumes) {
  TestHost host;
  // A cross recess: the prism, a square 3b wide less four notches b by b/2 and four quarter
  // circles of radius b, and each blade end standing out of its notch's bottom by w - b down to
  // t/3, then by a length shrinking linearly to none where the taper (from w at t/3 to b/2 at t)
  // passes b.
  const double b = 1.5, t = 4, w = 4.5;
  Built cross = ExpectDirectAsBooleans(
      [&](host::Shape& p) { Head20(p), CutCrossRecess(p, 10, b, t, 2 * w); }, "cross recess", 2);
  double prism = (9 - 2 - M_PI) * b * b * t;
  double leavesNotch = t / 3 + (w - b) * (2 * t / 3) / (w - b / 2);
  double end = b * ((w - b) * t / 3 + (w - b) * (leavesNotch - t / 3) / 2);
  EXPECT_NEAR(cross.figures.volume, M_PI * 1000 - prism - 4 * end, 1e-6 * M_PI * 1000);

  // A hexagon socket 6 across flats (area 3√3/2 R², R = 6/√3), shallow, and so deep that its
  // floor is 0.01 above the underside (the quick test for tools through the head lets it by).
  for (double depth : {4.0, 9.99}) {
    Built socket =
        ExpectDirectAsBooleans([&](host::Shape& p) { Head16(p), CutHexSocket(p, 10, 6, depth); },
                               "socket " + std::to_string(depth), 1);
    EXPECT_NEAR(socket.figures.volume, M_PI * 640 - 1.5 * std::sqrt(3.0) * 12 * depth,
                1e-6 * M_PI * 640);
  }

  // A slot 2 wide and 3 deep across the head, open on its side too (no pocket), removes the band of
  // the circle |y| < 1 (twice the integral of the chord) from the top 3, cut by a box moved clear;
  // with a cone 6 across and 2 deep sunk into the bottom face, the two are gathered apart and cut
  // directly.
  const double r = 8, band = 2 * (std::sqrt(r * r - 1) + r * r * std::asin(1 / r));
  Built slot = ExpectDirectAsBooleans([](host::Shape& p) { Head16(p), CutSlot(p, 10, 2, 16, 3); },
                                      "slot", 0, 1);
  EXPECT_EQ(slot.counts.clearedTools, 1);
  EXPECT_NEAR(slot.figures.volume, M_PI * 640 - band * 3, 1e-6 * M_PI * 640);
  Built cup = ExpectDirectAsBooleans(
      [](host::Shape& p) { Head16(p), CutSlot(p, 10, 2, 16, 3), CutCupPoint(p, 0, 6, 2); },
      "slot and cup");
  EXPECT_NEAR(cup.figures.volume, M_PI * 640 - band * 3 - M_PI * 6, 1e-6 * M_PI * 640);
  // A slot ending inside the head is cut as it is.
  Built shortSlot = ExpectDirectAsBooleans(
      [](host::Shape& p) { Head16(p), CutSlot(p, 10, 2, 12, 3); }, "short slot", 1);
  EXPECT_EQ(shortSlot.counts.clearedTools, 0);
}

}  // namespace
}  // namespace vormbrace::test
