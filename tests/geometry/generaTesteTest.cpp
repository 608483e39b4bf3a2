// Heads, necks and recesses: golden profiles and variables, and the dispatch by sub-type.
#include <cmath>

#include "GeometryFixture.h"
#include "geometry/Utils.h"
#include "geometry/generaTeste.h"
#include "host/RuntimeError.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;

class Teste : public GeometryTest {
 protected:
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (SceneShape* f : Features()) names.push_back(f->Name());
    return names;
  }
  // Position variables 1-7 of a feature: position, axis and angle.
  static std::vector<double> Placement(SceneShape& f) {
    std::vector<double> v = Triple(f, 4, 1), w = Triple(f, 4, 4);
    v.insert(v.end(), w.begin(), w.end());
    v.push_back(Component(f, 4).Number(7));
    return v;
  }
};

TEST_F(Teste, HexHeadWithoutCollar) {
  // s 13, k 5.3: corner radius 6.5 / cos 30° = 7.5056; chamfer ring q = 1.3, outer edge at
  // 6.5 + 1.3 cos 30° + 1.3/4 = 7.95083 (rounded to 7.9509 in the head table).
  BuildHexHead(part_, 13, 5.3, 0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Head", "Head Reshape"}));
  SceneShape& head = Feature(0);
  EXPECT_EQ(head.Type(), kExtruded);
  EXPECT_NEAR(Loop(head)[1].args[1], 7.5056, 5e-5);
  EXPECT_NEAR(Loop(head)[4].args[1], -7.5056, 5e-5);
  ExpectNear(Triple(head, 4), {0, 0, 0}, 0);
  SceneShape& ring = Feature(1);
  EXPECT_EQ(ring.Type(), kRevolved);
  EXPECT_EQ(Var(ring, 14, 1), host::Value::Int32(1));
  ExpectNear(Triple(ring, 1), {1.3, 1.3, 1.3}, 1e-12);
  ExpectNear(Triple(ring, 5), {0, 0, -5.3}, 1e-12);
  EXPECT_EQ(Loop(ring)[0].args, (std::vector<double>{6.5, 0}));
  EXPECT_NEAR(Loop(ring)[2].args[0], 7.9509, 1e-4);
}

TEST_F(Teste, HexHeadStandsOnItsCollar) {
  BuildHexHead(part_, 13, 5.3, 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Head Struct", "Head", "Head Reshape"}));
  ExpectLoop(Loop(Feature(0)), {{"SetStartPoint", {0, 0}}, {"AddEllipse", {0, 0, 6.5}}}, 0);
  ExpectNear(Triple(Feature(0), 1), {6.5, 6.5, 1}, 0);
  ExpectNear(Triple(Feature(1), 4), {0, 0, 1}, 0);
  ExpectNear(Triple(Feature(2), 5), {0, 0, -6.3}, 1e-12);
}

TEST_F(Teste, SquareHeadCutsAllFourCornersOnTheTangentCircle) {
  // d 22, a 17: u = 22/sqrt(2) - 8.5; every cut line lies d/2 from the axis.
  BuildSquareHead(part_, 22, 7, 17);
  const double u = 22 / std::sqrt(2.0) - 8.5, h = 8.5;
  auto& loop = Loop(Feature(0));
  ExpectLoop(loop,
             {{"SetStartPoint", {-h, u}},
              {"AddLineTo", {-u, h}},
              {"AddLineTo", {u, h}},
              {"AddLineTo", {h, u}},
              {"AddLineTo", {h, -u}},
              {"AddLineTo", {u, -h}},
              {"AddLineTo", {-u, -h}},
              {"AddLineTo", {-h, -u}},
              {"AddLineTo", {-h, u}}},
             1e-12);
  for (std::size_t i = 0; i + 1 < loop.size(); i += 2) {
    // Segments 0-1, 2-3 ... are the cuts: distance of their line from the origin.
    double x1 = loop[i].args[0], y1 = loop[i].args[1], x2 = loop[i + 1].args[0],
           y2 = loop[i + 1].args[1];
    double distance = std::abs(x1 * y2 - x2 * y1) / std::hypot(x2 - x1, y2 - y1);
    EXPECT_NEAR(distance, 11, 1e-9) << i;
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"Head", "Head Reshape"}));
  ExpectNear(Triple(Feature(1), 5), {0, 0, -7}, 0);
}

TEST_F(Teste, HeadsOfRevolution) {
  // Domed with dk = 2k: a quarter circle, arc parameter 0.2071.
  BuildDomedHead(part_, 12, 6);
  EXPECT_NEAR(Loop(Feature(0))[2].args[2], 0.2071, 5e-5);
  // Countersunk dk 20, D 10, 90°, k 5.5: cone height 5, rim 0.5; anchor at k.
  BuildCountersunkHead(part_, 20, 5.5, 10, host::Value::Double(90));
  ExpectLoop(Loop(Feature(1)),
             {{"SetStartPoint", {0, 0}},
              {"AddLineTo", {5, 0}},
              {"AddLineTo", {10, 5}},
              {"AddLineTo", {10, 5.5}},
              {"AddLineTo", {0, 5.5}},
              {"AddLineTo", {0, 0}}},
             1e-12);
  ExpectNear(Triple(Feature(1), 1), {20, 10, 5.5}, 0);
  ExpectNear(Triple(Feature(1), 5), {10, 10, 5.5}, 0);
  // Cylinder head: a fillet only for r > 0, at corner 3.
  BuildCylinderHead(part_, 0, 16, 10, 0);
  EXPECT_EQ(Loop(Feature(2)).size(), 5u);
  BuildCylinderHead(part_, 0, 16, 10, 0.6);
  EXPECT_EQ(Loop(Feature(3)).back(), (host::ref::ProfileCall{"AddFilletAt", {3, 0.6}}));
  // Domed cylinder: the top at k + f above the seating plane (anchor r + 0.09).
  BuildDomedCylinderHead(part_, 10, 18, 1.5, 6, 0.4);
  ExpectNear(Triple(Feature(4), 5), {9, 9, 0.49}, 1e-12);
  EXPECT_NEAR(Loop(Feature(4))[5].args[1], 0.49 + 6 + 1.5, 1e-12);
  EXPECT_EQ(Loop(Feature(4)).back(), (host::ref::ProfileCall{"AddFilletAt", {3, 0.4}}));
}

TEST_F(Teste, FinsAreTurnedByThePlacementService) {
  // h 2, t 3, D 10: legs h + 0.5 = 2.5 and h tan 60° = 3.4641; right angle at Y = 4.5.
  BuildFin(part_, 3, 2, 10);
  SceneShape& fin = Feature(0);
  EXPECT_EQ(fin.Name(), "Fin");
  ExpectLoop(Loop(fin),
             {{"SetStartPoint", {0, 0}},
              {"AddLineTo", {0, 2.5}},
              {"AddLineTo", {3.4641, 0}},
              {"AddLineTo", {0, 0}}},
             5e-5);
  ExpectNear(Placement(fin), {0, 4.5, 0, 0, 1, 0, 90}, 1e-12);
  EXPECT_EQ(Var(fin, 14, 55), host::Value::Double(1.5));
  EXPECT_EQ(Var(fin, 14, 56), host::Value::Double(1.5));
  ExpectNear(ProfileOrigin(fin), {0, 0, 1.5}, 0);

  // Countersunk fin, alpha 90: beta1 30, beta2 40, beta3 110; a = 2 gives e = 2 sqrt 2 and
  // g = sin 30° e / sin 110°.
  BuildCountersunkFin(part_, 2, 4, 90, 10, 5.5);
  SceneShape& cfin = Feature(1);
  const double g = 0.5 * 2 * std::sqrt(2.0) / std::sin(110 * 3.14159265358979 / 180);
  ExpectLoop(Loop(cfin),
             {{"SetStartPoint", {0, 0}},
              {"AddLineTo", {-2.1, 2.1}},
              {"AddLineTo",
               {-2 + std::cos(5 * 3.14159265358979 / 180) * g,
                2 - std::sin(5 * 3.14159265358979 / 180) * g}},
              {"AddLineTo", {0, 0}}},
             1e-9);
  ExpectNear(Placement(cfin), {0, 4.9, -5.5, 0, 1, 0, 90}, 1e-12);
}

TEST_F(Teste, SquareNeckRoundsItsFourCorners) {
  BuildSquareNeck(part_, 10, 4);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Square", "Head Reshape"}));
  auto& loop = Loop(Feature(0));
  ASSERT_EQ(loop.size(), 9u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(loop[5 + i], (host::ref::ProfileCall{"AddFilletAt", {1.0 + 2 * i, 1.25}}));
  }
  ExpectNear(Triple(Feature(0), 5), {0, 0, 4}, 0);
  // The mirrored chamfer ring sits on the neck's bottom face.
  ExpectNear(Triple(Feature(1), 5), {0, 0, 4}, 0);
  EXPECT_GT(Loop(Feature(1))[1].args[1], 0);
}

TEST_F(Teste, Recesses) {
  // Hexagon socket s 6: corners on the x axis at 3 / cos 30° = 3.4641.
  CutHexSocket(part_, 10, 6, 5);
  SceneShape& socket = Feature(0);
  EXPECT_NEAR(Loop(socket)[0].args[0], 3.4641, 5e-5);
  EXPECT_NEAR(Loop(socket)[3].args[0], -3.4641, 5e-5);
  ExpectNear(Triple(socket, 1), {3, 3, -5}, 0);
  ExpectNear(Triple(socket, 4), {0, 0, 10}, 0);
  EXPECT_EQ(Var(socket, 14, 1), host::Value::Int32(1));

  // Cross recess with Var2 6 (b 1): two blades, then the notched centre with arcs of -0.2071.
  CutCrossRecess(part_, 0, 1, 3, 6);
  SceneShape& blade = Feature(1);
  SceneShape& copy = Feature(2);
  ExpectNear(Placement(blade), {0, 0, 0, 1, 0, 0, -90}, 1e-12);
  EXPECT_EQ(Loop(copy), Loop(blade));
  // The copy: a quarter turn about the fastener axis (the blade's own Y).
  double nx = 0, ny = 0, nz = 0;
  copy.GetNormal(nx, ny, nz);
  EXPECT_NEAR(std::abs(nx), 1, 1e-9);
  auto& centre = Loop(Feature(3));
  ASSERT_EQ(centre.size(), 17u);
  ExpectLoop({centre[0], centre[1], centre[2], centre[3], centre[4]},
             {{"SetStartPoint", {-0.5, 1.5}},
              {"AddLineTo", {-0.5, 1}},
              {"AddLineTo", {0.5, 1}},
              {"AddLineTo", {0.5, 1.5}},
              {"AddArcTo", {1.5, 0.5, -0.2071}}},
             5e-5);
  EXPECT_EQ(Names(), (std::vector<std::string>(4, "Recess")));
}

TEST_F(Teste, StarTurnsBetweenTheBladesAndTapers) {
  CutStarCrossRecess(part_, 7, 1, 3, 6);
  ASSERT_EQ(Features().size(), 4u);
  SceneShape& star = Feature(3);
  ExpectNear(Placement(star), {0, 0, 0, 0, 0, 1, 45}, 0);
  ExpectNear(Triple(star, 5), {0, 0, -7}, 0);
  EXPECT_NEAR(Var(star, 14, 47).AsDouble(), std::atan(6.0) - 3.14159265358979 / 2, 1e-12);
  EXPECT_EQ(Loop(star)[2].args, (std::vector<double>{0, 3}));
}

TEST_F(Teste, DispatchPicksTheGeneratorsBySubType) {
  HeadedDimensions bolt;
  bolt.Diametro = 10, bolt.lung = 50, bolt.Passo = 1.5, bolt.DiamCerchioTesta = 16,
  bolt.LungTesta = 6.4;
  struct Case {
    int type;
    std::vector<std::string> names;
  };
  for (const Case& c : {Case{0, {}}, Case{3, {"Body"}}, Case{5, {"Body"}}, Case{11, {}},
                        Case{1, {"Body", "Head", "Head Reshape"}}}) {
    SceneShape& part = static_cast<SceneShape&>(document_.RootShape().Shapes(3).Add());
    bolt.HeaderType = c.type;
    BuildBoltByType(part, bolt);
    std::vector<std::string> names;
    for (auto& f : part.Children()) names.push_back(f->Name());
    EXPECT_EQ(names, c.names) << c.type;
    if (c.type == 5) {
      EXPECT_EQ(Loop(*part.Children()[0])[4].args, (std::vector<double>{4.25, 50}));
    }
  }

  // Screws 7 and 10: a domed cylinder head with four and three recess features.
  HeadedDimensions screw = bolt;
  screw.DiamCerchioTesta = 18, screw.LungTesta = 6, screw.Var1 = 0.4, screw.Var2 = 6,
  screw.Var3 = 3, screw.Var4 = 1.5;
  for (auto [type, recesses] : {std::pair{7, 4}, std::pair{10, 3}}) {
    SceneShape& part = static_cast<SceneShape&>(document_.RootShape().Shapes(3).Add());
    screw.HeaderType = type;
    BuildScrewByType(part, screw);
    int count = 0;
    for (auto& f : part.Children()) count += f->Name() == "Recess";
    EXPECT_EQ(count, recesses) << type;
    // The cross starts at the head's top, Var4 + LungTesta.
    EXPECT_NEAR(Component(*part.Children()[2], 4).Number(3), 7.5, 1e-12);
  }

  SetScrewDimensions stud;
  stud.ComponentType = 9, stud.Diametro = 10, stud.lung = 40, stud.Passo = 1.5, stud.LungGambo = 15,
  stud.LungRadice = 10, stud.AltCalotta = 1;
  SceneShape& part = static_cast<SceneShape&>(document_.RootShape().Shapes(3).Add());
  BuildScrewNoHeadByType(part, stud);
  ASSERT_EQ(part.Children().size(), 1u);
  EXPECT_EQ(Loop(*part.Children()[0]).size(), 8u);
}

TEST_F(Teste, FloatingPointFaultStopsTheGeneratorKeepingEarlierFeatures) {
  HeadedDimensions d;
  d.HeaderType = 2, d.Diametro = 10, d.lung = 50, d.Passo = 1.5, d.DiamCerchioTesta = 20,
  d.LungTesta = 5.5;
  d.Var1 = 0;  // a countersink angle of 0: sin 0 divides
  try {
    BuildScrewByType(part_, d);
    ADD_FAILURE() << "no error";
  } catch (const host::RuntimeError& e) {
    EXPECT_EQ(e.Number(), host::err::kDivisionByZero);
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"Body"}));
}

}  // namespace
}  // namespace vormbrace::test
