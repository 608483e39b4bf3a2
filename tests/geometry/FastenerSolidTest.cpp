// Every sub-type of Bolt, Screw and ScrewNoHead built with M10 dimensions makes one valid solid
// where the part frame puts it: the shank from z = -lung to the seating plane, protruding heads
// above it, countersunk heads below. Bodies and four whole fasteners are checked against a hand
// computation of their volume; recesses, corners, fins and necks against probes of the solid.
// Rebuilt bodies, thread textures, types outside each range and a generator stopped by a
// floating-point fault are here too.
#include <cmath>
#include <functional>
#include <string>

#include "GeometryFixture.h"
#include "data/Settings.h"
#include "geometry/generaDadi.h"
#include "geometry/generaGambo.h"
#include "geometry/generaRosette.h"
#include "geometry/generaTeste.h"
#include "support/ErrorOf.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;
constexpr double kPi = kMathPi;

// M10 x 50, pitch 1.5, fully threaded (ISO 4017 proportions).
HeadedDimensions M10(std::int32_t type) {
  HeadedDimensions d;
  d.HeaderType = type;
  d.Diametro = 10, d.lung = 50, d.Passo = 1.5;
  return d;
}

struct Case {
  std::string name;
  std::function<void(host::Shape&)> build;
  double zMin, zMax;
  bool domeOpened = false;  // the recess takes the top of a dome: the top lies a little lower
};

std::vector<Case> AllTypes() {
  std::vector<Case> cases;
  auto bolt = [&](std::int32_t type, double zMax, auto&& set) {
    HeadedDimensions d = M10(type);
    set(d);
    cases.push_back({"Bolt " + std::to_string(type), [d](host::Shape& p) { BuildBoltByType(p, d); },
                     -50, zMax});
  };
  auto screw = [&](std::int32_t type, double zMax, auto&& set, bool dome = false) {
    HeadedDimensions d = M10(type);
    d.DistFiletto = 18;
    set(d);
    cases.push_back({"Screw " + std::to_string(type),
                     [d](host::Shape& p) { BuildScrewByType(p, d); }, -50, zMax, dome});
  };
  auto setScrew = [&](std::int32_t type, double zMin, auto&& set) {
    SetScrewDimensions d;
    d.ComponentType = type, d.Diametro = 10, d.lung = 20, d.Passo = 1.5;
    d.SmussoSuperiore = 90, d.SmussoInferiore = 90, d.DiamInf = 7;
    set(d);
    cases.push_back({"ScrewNoHead " + std::to_string(type),
                     [d](host::Shape& p) { BuildScrewNoHeadByType(p, d); }, zMin, 0});
  };
  auto hex = [](HeadedDimensions& d) { d.DiamCerchioTesta = 16, d.LungTesta = 6.4; };
  bolt(1, 6.4, hex);
  bolt(2, 7.4, [&](HeadedDimensions& d) { hex(d), d.LungCollarino = 1, d.DistFiletto = 24; });
  bolt(3, 0, [](HeadedDimensions&) {});
  bolt(4, 7,
       [](HeadedDimensions& d) { d.DiamCerchioTesta = 22, d.LungTesta = 7, d.LatoTesta = 17; });
  bolt(5, 0, [](HeadedDimensions&) {});
  bolt(6, 6, [](HeadedDimensions& d) {
    d.DiamCerchioTesta = 20, d.LungTesta = 6, d.Var1 = 2, d.Var2 = 2;
  });
  bolt(7, 5.5, [](HeadedDimensions& d) {
    d.DiamCerchioTesta = 24, d.LungTesta = 5.5, d.Var1 = 10, d.Var2 = 6;
  });
  bolt(8, 0, [](HeadedDimensions& d) {
    d.DiamCerchioTesta = 20, d.LungTesta = 5.5, d.Var1 = 2, d.Var2 = 3, d.Var3 = 90;
  });
  bolt(9, 2, [](HeadedDimensions& d) {
    d.DiamCerchioTesta = 20, d.LungTesta = 5.5, d.Var1 = 2, d.Var2 = 3, d.Var3 = 90, d.Var4 = 2;
  });
  bolt(10, 0, [](HeadedDimensions& d) {
    d.DiamCerchioTesta = 20, d.LungTesta = 5.5, d.Var1 = 10, d.Var2 = 8, d.Var3 = 90;
  });
  auto countersunk = [](HeadedDimensions& d) {
    d.DiamCerchioTesta = 18.3, d.LungTesta = 5, d.Var1 = 90;
  };
  auto pan = [](HeadedDimensions& d) {
    d.DiamCerchioTesta = 20, d.LungTesta = 6, d.Var1 = 0.4, d.Var2 = 10, d.Var3 = 4, d.Var4 = 1.5;
  };
  auto cross = [&](HeadedDimensions& d) { countersunk(d), d.Var2 = 9, d.Var3 = 4; };
  screw(1, 10, [](HeadedDimensions& d) {
    d.DiamCerchioTesta = 16, d.LungTesta = 10, d.Var1 = 1, d.Var2 = 8, d.Var3 = 5.5;
  });
  screw(2, 0, [](HeadedDimensions& d) {
    d.DiamCerchioTesta = 20, d.LungTesta = 5.5, d.Var1 = 90, d.Var2 = 6, d.Var3 = 3.6;
  });
  screw(3, 5.5, [](HeadedDimensions& d) {
    d.DiamCerchioTesta = 17.5, d.LungTesta = 5.5, d.Var2 = 6, d.Var3 = 3.3;
  });
  screw(4, 6, [](HeadedDimensions& d) {
    d.DiamCerchioTesta = 16, d.LungTesta = 6, d.Var1 = 2.5, d.Var2 = 2.4;
  });
  screw(5, 0, [&](HeadedDimensions& d) { countersunk(d), d.Var2 = 2.5, d.Var3 = 2.4; });
  // The slot and the cross recesses open the domes of 6, 7, 9, 10 and 12 at their top.
  screw(
      6, 2.3,
      [&](HeadedDimensions& d) { countersunk(d), d.Var2 = 2.5, d.Var3 = 4.4, d.Var4 = 2.3; }, true);
  screw(7, 7.5, pan, true);
  screw(8, 0, cross);
  screw(
      9, 2.3, [&](HeadedDimensions& d) { cross(d), d.Var4 = 2.3; }, true);
  screw(10, 7.5, pan, true);
  screw(11, 0, cross);
  screw(
      12, 2.3, [&](HeadedDimensions& d) { cross(d), d.Var4 = 2.3; }, true);
  auto socket = [](SetScrewDimensions& d) { d.LargIntaglio = 5, d.AltIntaglio = 4; };
  auto slot = [](SetScrewDimensions& d) { d.LargIntaglio = 1.6, d.AltIntaglio = 3; };
  auto dog = [](SetScrewDimensions& d) { d.DiamCilindro = 7, d.AltCilindro = 5; };
  auto cup = [](SetScrewDimensions& d) { d.DiamCoppa = 5, d.AltCoppa = 1.5; };
  setScrew(1, -20, socket);
  setScrew(2, -20, [&](SetScrewDimensions& d) { socket(d), dog(d); });
  setScrew(3, -20, [&](SetScrewDimensions& d) { socket(d), d.DiamInf = 2.5; });
  setScrew(4, -20, [&](SetScrewDimensions& d) { socket(d), cup(d); });
  setScrew(5, -20, slot);
  setScrew(6, -20, [&](SetScrewDimensions& d) { slot(d), dog(d); });
  setScrew(7, -20, [&](SetScrewDimensions& d) { slot(d), d.DiamInf = 2.5; });
  setScrew(8, -20, [&](SetScrewDimensions& d) { slot(d), cup(d); });
  setScrew(9, -50, [](SetScrewDimensions& d) {
    d.lung = 40, d.LungGambo = 15, d.LungRadice = 10, d.AltCalotta = 1;
  });
  return cases;
}

using FastenerSolid = GeometryTest;

TEST_F(FastenerSolid, EveryTypeIsOneValidSolidInThePartFrame) {
  for (const Case& c : AllTypes()) {
    SceneShape& part = NewPart(c.name);
    c.build(part);
    host::occt::SolidFigures f = kernel_.Figures(part);
    EXPECT_TRUE(f.valid) << c.name;
    EXPECT_EQ(f.solids, 1) << c.name;
    EXPECT_NEAR(f.boxMin.z, c.zMin, 1e-3) << c.name;
    if (c.domeOpened) {
      EXPECT_LT(f.boxMax.z, c.zMax - 1e-3) << c.name;
      EXPECT_GT(f.boxMax.z, c.zMax - 0.2) << c.name;
    } else {
      EXPECT_NEAR(f.boxMax.z, c.zMax, 1e-3) << c.name;
    }
    // Centred on the fastener axis.
    EXPECT_NEAR(f.boxMin.x + f.boxMax.x, 0, 1e-3) << c.name;
  }
}

// Whole fasteners against a hand computation of their volume, and what their last feature (the
// head's chamfer ring, the socket) removes.
//  - ISO 4017 M10 x 50: shank = tip chamfer frustum (r 4.25 to 5 over 0.75) + cylinder r 5
//    over 49.25 = 3918.597; hexagon s 16, k 6.4: (sqrt 3 / 2) 16² 6.4 = 1418.896. The 30°
//    chamfer takes, over the twelve half flats (apothem a = 8, theta 0 to 30°),
//    tan 30° a³ ∫ (sec³/3 - sec²/2 + 1/6) = 12 × 0.57735 × 512 × 0.0012534 = 4.446.
//    Total 5333.047.
//  - ISO 4762 M10 x 50, thread 32: shank = chamfer 50.511 + cylinder r 5 over 31.25
//    (2454.369) + the plain cone r 5 to 4.9975 over 18 (1413.010) = 3917.890. Head: cylinder
//    r 8, k 10 = 2010.619, less the r 1 fillet at its top edge: area 1 - pi/4 with its
//    centroid 0.2234 in from the edge, turned at radius 7.7766: 10.486. Socket s 8, t 5.5:
//    304.841. Total 5613.183.
//  - ISO 10642 M10 x 50: the head (cone r 5 to 10 over 5: 916.298, rim r 10 over 0.5:
//    157.080) holds the shank's top 5.5 (a cone r 4.99924 to 4.9975: 431.603), so the union
//    is the shank (3917.890) - 431.603 + 1073.377; less the socket s 6, t 3.6: 112.237.
//    Total 4447.428.
//  - Threaded rod M10 x 50: two chamfer frustums (50.511 each) and the cylinder r 5 over 48.5
//    (3809.181): 3910.203.
TEST_F(FastenerSolid, WholeFastenersHaveTheirHandComputedVolume) {
  HeadedDimensions hex = M10(1), cap = M10(1), countersunk = M10(2);
  hex.DiamCerchioTesta = 16, hex.LungTesta = 6.4;
  cap.DistFiletto = 18, cap.DiamCerchioTesta = 16, cap.LungTesta = 10, cap.Var1 = 1, cap.Var2 = 8,
  cap.Var3 = 5.5;
  countersunk.DistFiletto = 18, countersunk.DiamCerchioTesta = 20, countersunk.LungTesta = 5.5,
  countersunk.Var1 = 90, countersunk.Var2 = 6, countersunk.Var3 = 3.6;
  const double corner = 8 / std::cos(kPi / 6);
  struct Whole {
    const char* name;
    std::function<void(host::Shape&)> build;
    double volume;
    host::ref::Vec3 lo, hi;
    double lastFeature;  // what suppressing the last feature gives back (0: not checked)
  } cases[] = {
      {"ISO 4017 M10x50", [&](host::Shape& p) { BuildBoltByType(p, hex); }, 5333.047,
       {-8, -corner, -50}, {8, corner, 6.4}, 4.446},
      {"ISO 4762 M10x50", [&](host::Shape& p) { BuildScrewByType(p, cap); }, 5613.183,
       {-8, -8, -50}, {8, 8, 10}, 304.841},
      {"ISO 10642 M10x50", [&](host::Shape& p) { BuildScrewByType(p, countersunk); }, 4447.428,
       {-10, -10, -50}, {10, 10, 0}, 0},
      {"M10 rod", [](host::Shape& p) { BuildBoltByType(p, M10(5)); }, 3910.203, {-5, -5, -50},
       {5, 5, 0}, 0},
  };
  for (const Whole& c : cases) {
    SCOPED_TRACE(c.name);
    SceneShape& part = NewPart(c.name);
    c.build(part);
    ExpectValidSolid(kernel_, part, c.volume, 1e-4);
    ExpectBox(kernel_, part, c.lo, c.hi);
    if (c.lastFeature == 0) continue;
    part.Children().back()->SetSuppressed(true);
    EXPECT_NEAR(kernel_.Figures(part).volume, c.volume + c.lastFeature, 1e-1);
  }
}

TEST_F(FastenerSolid, FinsAndSquareNecksStickOutOfTheShank) {
  // With the neck or fin suppressed the volume drops: they add material outside the shank.
  for (std::int32_t type : {6, 7, 8, 9, 10}) {
    for (const Case& c : AllTypes()) {
      if (c.name != "Bolt " + std::to_string(type)) continue;
      SceneShape& part = NewPart(c.name);
      c.build(part);
      double whole = kernel_.Figures(part).volume;
      for (auto& f : part.Children()) {
        if (f->Name() == "Fin" || f->Name() == "Square") f->SetSuppressed(true);
      }
      EXPECT_GT(whole - kernel_.Figures(part).volume, 1.0) << c.name;
    }
  }
  // The fin of type 6 reaches D/2 + h = 7 from the axis: beyond the shank, under the head.
  SceneShape& fin = NewPart("fin alone");
  BuildFin(fin, 2, 2, 10);
  host::occt::SolidFigures f = kernel_.Figures(fin);
  EXPECT_NEAR(f.boxMax.y, 7, 1e-6);
  EXPECT_NEAR(f.boxMin.y, 4.5, 1e-6);
  EXPECT_NEAR(f.boxMin.x, -1, 1e-6);
  EXPECT_NEAR(f.boxMax.z, 0, 1e-6);
}

TEST_F(FastenerSolid, BodiesHaveTheirChamfersPlainFacesAndDome) {
  // Shank D 10, L 50, unthreaded 20: tip chamfer, thread r 5, plain cone down to 0.9995 r.
  const double shank = Frustum(4.25, 5, 0.75) + kPi * 25 * 29.25 + Frustum(5, 4.9975, 20);
  // Set screw with 90° chamfers: 45° from the point diameter 6 over 2 and from r - p/2 over
  // 0.75 at the top; with di = D the point end is flat.
  const double setScrew = Frustum(3, 5, 2) + kPi * 25 * 17.25 + Frustum(4.9975, 4.25, 0.75);
  const double flat = kPi * 25 * 19.25 + Frustum(4.9975, 4.25, 0.75);
  // Stud D 10, L 40, far thread 15, root thread 10, dome 1: chamfer, root thread, plain part,
  // far thread, and a spherical cap of height 1 over radius 5 (π h (3 a² + h²) / 6).
  const double stud = Frustum(4.25, 5, 0.75) + Frustum(5, 4.9975, 9.25) +
                      kPi * 4.9975 * 4.9975 * 25 + Frustum(4.9975, 5, 14) + kPi * 76 / 6;
  struct Body {
    const char* name;
    std::function<void(host::Shape&)> build;
    double volume, zMin;
  } bodies[] = {
      {"shank", [](host::Shape& p) { BuildShank(p, 10, 50, 20, 1.5); }, shank, -50},
      {"set screw", [](host::Shape& p) { BuildSetScrewBody(p, 10, 90, 6, 90, 20, 1.5); },
       setScrew, -20},
      {"flat point", [](host::Shape& p) { BuildSetScrewBody(p, 10, 90, 10, 90, 20, 1.5); }, flat,
       -20},
      {"stud", [](host::Shape& p) { BuildStudBody(p, 10, 40, 15, 10, 1, 1.5); }, stud, -50},
  };
  for (const Body& b : bodies) {
    SceneShape& part = NewPart(b.name);
    b.build(part);
    ExpectValidSolid(kernel_, part, b.volume, 1e-6);
    ExpectBox(kernel_, part, {-5, -5, b.zMin}, {5, 5, 0});
  }
}

TEST_F(FastenerSolid, RebuiltBodyTakesItsNewLengthInPlace) {
  host::Shape& body = BuildShank(part_, 10, 50, 20, 1.5);
  body.SetName("renamed");
  RebuildShank(body, 10, 60, 25, 1.5);
  ASSERT_EQ(part_.Children().size(), 1u);
  EXPECT_EQ(body.Name(), "renamed");
  ExpectValidSolid(kernel_, part_,
                   Frustum(4.25, 5, 0.75) + kPi * 25 * 34.25 + Frustum(5, 4.9975, 25), 1e-6);
  ExpectBox(kernel_, part_, {-5, -5, -60}, {5, 5, 0});
  // A body whose profile lost its loop gets one again.
  body.Components(15).Item(1).Profile().Components(3).Remove(1);
  RebuildThreadedRod(body, 10, 30, 1.5);
  ExpectValidSolid(kernel_, part_, 2 * Frustum(4.25, 5, 0.75) + kPi * 25 * 28.5, 1e-6);
  EXPECT_NEAR(kernel_.Figures(part_).boxMin.z, -30, 1e-6);
}

TEST_F(FastenerSolid, ThreadTextureLiesOnTheThreadedLength) {
  host_.Settings().SetRegistry(kCorvaneKey, "ApplDir", host_.Scratch().string());
  host_.WriteFile("Images/3iaoftt.jpg", "jpeg");
  auto finishes = [](host::Shape& body) -> auto& {
    return static_cast<SceneShape&>(body).Store().First(27)->Finishes();
  };
  // A fully threaded shank: on the box axis (D/2, D/2) at the middle of its length, in metres.
  auto& shank = finishes(BuildShank(NewPart("shank"), 10, 50, 0, 1.5));
  ASSERT_EQ(shank.size(), 1u);
  EXPECT_NEAR(shank[0]->point.x, 0.005, 1e-15);
  EXPECT_NEAR(shank[0]->point.z, 0.025, 1e-15);
  EXPECT_NEAR(shank[0]->projectionWidth, kPi * 10, 1e-9);
  // A stud: one on its root thread, one on its far thread.
  auto& stud = finishes(BuildStudBody(NewPart("stud"), 10, 40, 15, 10, 1, 1.5));
  ASSERT_EQ(stud.size(), 2u);
  EXPECT_NEAR(stud[0]->point.z, -0.005, 1e-15);
  EXPECT_NEAR(stud[1]->point.z, 0.0075 - 0.05, 1e-15);
}

TEST_F(FastenerSolid, RecessesOpenEveryScrewHeadOnItsAxis) {
  for (const Case& c : AllTypes()) {
    if (c.name.rfind("Screw ", 0) != 0) continue;
    SceneShape& part = NewPart(c.name);
    c.build(part);
    EXPECT_GT(VolumeOf(part, "Recess"), 1) << c.name;
    double top = kernel_.Figures(part).boxMax.z;
    EXPECT_NEAR(MaterialInCylinder(kernel_, part, 0.3, top - 0.5, top + 1), 0, kProbe) << c.name;
  }
  // The cross (screw 8, m 9, t 4): both blades cut, a quarter turn apart; between them the head
  // stays.
  SceneShape& cross = NewPart("cross");
  HeadedDimensions d = M10(8);
  d.DiamCerchioTesta = 18.3, d.LungTesta = 5, d.Var1 = 90, d.Var2 = 9, d.Var3 = 4;
  BuildScrewByType(cross, d);
  EXPECT_NEAR(MaterialIn(cross, {2, -0.2, -1}, {4, 0.2, -0.1}), 0, kProbe);
  EXPECT_NEAR(MaterialIn(cross, {-0.2, 2, -1}, {0.2, 4, -0.1}), 0, kProbe);
  EXPECT_NEAR(MaterialIn(cross, {3.5, 3.5, -1}, {4, 4, -0.1}), 0.25 * 0.9, kProbe);
}

TEST_F(FastenerSolid, SquareHeadCornersAreCutAcrossItsDiameter) {
  // Bolt 4: the 17 square's corners cut by lines d/2 = 11 from the axis (x + y = 15.56 on the
  // diagonal); its flats stay whole.
  SceneShape& part = NewPart("square head");
  HeadedDimensions d = M10(4);
  d.DiamCerchioTesta = 22, d.LungTesta = 7, d.LatoTesta = 17;
  BuildBoltByType(part, d);
  ExpectBox(kernel_, part, {-8.5, -8.5, -50}, {8.5, 8.5, 7});
  EXPECT_NEAR(MaterialIn(part, {-8.5, 7.3, 1}, {-8.3, 7.5, 6}), 0, kProbe);  // x + y > 15.6
  EXPECT_NEAR(MaterialIn(part, {-8.5, 6.8, 1}, {-8.3, 7, 6}), 0.2 * 0.2 * 5, kProbe);
  EXPECT_NEAR(MaterialIn(part, {8.2, -0.5, 1}, {8.5, 0.5, 6}), 0.3 * 1 * 5, kProbe);
}

TEST_F(FastenerSolid, TypesOutsideTheirRangeAddNothing) {
  HeadedDimensions headed = M10(0);
  SetScrewDimensions setScrew;
  NutDimensions nut;
  WasherDimensions washer;
  for (std::int32_t type : {0, 13, -1}) {
    headed.HeaderType = setScrew.ComponentType = nut.ComponentType = washer.ComponentType = type;
    BuildBoltByType(part_, headed);
    BuildScrewByType(part_, headed);
    BuildScrewNoHeadByType(part_, setScrew);
    BuildNutByType(part_, nut);
    BuildWasherByType(part_, washer);
  }
  headed.HeaderType = 11;
  BuildBoltByType(part_, headed);
  setScrew.ComponentType = nut.ComponentType = 10;
  BuildScrewNoHeadByType(part_, setScrew);
  BuildNutByType(part_, nut);
  washer.ComponentType = 9;
  BuildWasherByType(part_, washer);
  EXPECT_TRUE(part_.Children().empty());
}

TEST_F(FastenerSolid, FloatingPointFaultStopsTheGeneratorKeepingEarlierFeatures) {
  HeadedDimensions d = M10(2);
  d.DiamCerchioTesta = 20, d.LungTesta = 5.5;
  d.Var1 = 0;  // a countersink angle of 0: sin 0 divides
  EXPECT_EQ(ErrorOf([&] { BuildScrewByType(part_, d); }), host::err::kDivisionByZero);
  ASSERT_EQ(part_.Children().size(), 1u);
  EXPECT_EQ(part_.Children()[0]->Name(), "Body");
}

}  // namespace
}  // namespace vormbrace::test
