// Every sub-type of Bolt, Screw and ScrewNoHead built with M10 dimensions makes one valid solid
// where the part frame puts it: the shank from z = -lung to the seating plane, protruding heads
// above it, countersunk heads below. Four volumes are checked against a hand computation.
#include <cmath>
#include <functional>
#include <string>

#include "GeometryFixture.h"
#include "geometry/generaTeste.h"
#include "occt/SolidChecks.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;
constexpr double kPi = 3.14159265358979323846;

// A truncated cone of radii r1, r2 and height h.
double Frustum(double r1, double r2, double h) {
  return kPi * h / 3 * (r1 * r1 + r1 * r2 + r2 * r2);
}

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

class FastenerSolid : public GeometryTest {
 protected:
  SceneShape& NewPart(const std::string& name) {
    auto& part = static_cast<SceneShape&>(document_.RootShape().Shapes(host::kShapePart).Add());
    part.SetName(name);
    return part;
  }
};

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

TEST_F(FastenerSolid, HexagonBoltVolume) {
  // ISO 4017 M10 x 50: shank = tip chamfer frustum (r 4.25 to 5 over 0.75) + cylinder r 5 over
  // 49.25 = 3918.597; hexagon s 16, k 6.4: (sqrt 3 / 2) 16² 6.4 = 1418.896. The 30° chamfer
  // takes, over the twelve half flats (apothem a = 8, theta 0 to 30°),
  // tan 30° a³ ∫ (sec³/3 - sec²/2 + 1/6) = 12 × 0.57735 × 512 × 0.0012534 = 4.446.
  // Total 5333.047.
  SceneShape& part = NewPart("ISO 4017 M10x50");
  BuildBoltByType(part, [] {
    auto d = M10(1);
    d.DiamCerchioTesta = 16, d.LungTesta = 6.4;
    return d;
  }());
  ExpectValidSolid(kernel_, part, 5333.047, 1e-4);
  const double corner = 8 / std::cos(kPi / 6);
  ExpectBox(kernel_, part, {-8, -corner, -50}, {8, corner, 6.4});

  // The chamfer ring really removes material: without it the volume is 4.446 more.
  part.Children().back()->SetSuppressed(true);
  EXPECT_NEAR(kernel_.Figures(part).volume, 5337.493, 1e-2);
}

TEST_F(FastenerSolid, SocketHeadCapScrewVolume) {
  // ISO 4762 M10 x 50, thread 32: shank = chamfer 50.511 + cylinder r 5 over 31.25 (2454.369)
  // + the plain cone r 5 to 4.9975 over 18 (1413.010) = 3917.890. Head: cylinder r 8, k 10 =
  // 2010.619, less the r 1 fillet at its top edge: area 1 - pi/4 with its centroid 0.2234 in
  // from the edge, turned at radius 7.7766: 10.486. Socket s 8, t 5.5: 304.841.
  // Total 5613.183.
  SceneShape& part = NewPart("ISO 4762 M10x50");
  HeadedDimensions d = M10(1);
  d.DistFiletto = 18, d.DiamCerchioTesta = 16, d.LungTesta = 10, d.Var1 = 1, d.Var2 = 8,
  d.Var3 = 5.5;
  BuildScrewByType(part, d);
  ExpectValidSolid(kernel_, part, 5613.183, 1e-4);
  ExpectBox(kernel_, part, {-8, -8, -50}, {8, 8, 10});

  // The socket really removes material.
  part.Children().back()->SetSuppressed(true);
  EXPECT_NEAR(kernel_.Figures(part).volume, 5613.183 + 304.841, 1e-1);
}

TEST_F(FastenerSolid, CountersunkScrewVolume) {
  // ISO 10642 M10 x 50: the head (cone r 5 to 10 over 5: 916.298, rim r 10 over 0.5: 157.080)
  // holds the shank's top 5.5 (a cone r 4.99924 to 4.9975: 431.603), so the union is the shank
  // (3917.890) - 431.603 + 1073.377; less the socket s 6, t 3.6: 112.237. Total 4447.428.
  SceneShape& part = NewPart("ISO 10642 M10x50");
  HeadedDimensions d = M10(2);
  d.DistFiletto = 18, d.DiamCerchioTesta = 20, d.LungTesta = 5.5, d.Var1 = 90, d.Var2 = 6,
  d.Var3 = 3.6;
  BuildScrewByType(part, d);
  ExpectValidSolid(kernel_, part, 4447.428, 1e-4);
  ExpectBox(kernel_, part, {-10, -10, -50}, {10, 10, 0});
}

TEST_F(FastenerSolid, ThreadedRodVolume) {
  // Two chamfer frustums (r 4.25 to 5 over 0.75: 50.511 each) and the cylinder r 5 over 48.5
  // (3809.181): 3910.203.
  SceneShape& part = NewPart("M10 rod");
  BuildBoltByType(part, M10(5));
  ExpectValidSolid(kernel_, part, Frustum(4.25, 5, 0.75) * 2 + kPi * 25 * 48.5, 1e-4);
  EXPECT_NEAR(Frustum(4.25, 5, 0.75) * 2 + kPi * 25 * 48.5, 3910.203, 1e-3);
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

}  // namespace
}  // namespace vormbrace::test
