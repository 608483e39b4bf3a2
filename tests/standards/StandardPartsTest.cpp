// Parts built from shipped records have the figures of their standard's drawing, measured on
// the solid: hexagon and socket heads, flanges, washer holes, the dome of a cap nut, the point of
// a flat-point set screw.
#include <algorithm>
#include <cmath>
#include <string>

#include "components/NewVormbrace.h"
#include "geometry/generaDadi.h"
#include "geometry/generaRosette.h"
#include "geometry/generaTeste.h"
#include "nuts/NutWasherFixture.h"
#include "support/Probes.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;

constexpr std::int16_t kBoltKind = 0, kSetScrewKind = 2;

class StandardParts : public NutWasherTest {
 protected:
  SceneShape& Bolt(std::int16_t family, const std::string& file, const std::string& size,
                   const std::string& length, std::int16_t type) {
    SceneShape& part = NewPart(file + " " + size);
    BuildBoltByType(part, ReadHeadedDimensions(*MakeBolt(
                              type, Record(family, kBoltKind, file, size, length))));
    return part;
  }
  SceneShape& SetScrew(std::int16_t family, const std::string& file, const std::string& size,
                       const std::string& length, std::int16_t type) {
    SceneShape& part = NewPart(file + " " + size);
    BuildScrewNoHeadByType(part, ReadSetScrewDimensions(*MakeScrewNoHead(
                                     type, Record(family, kSetScrewKind, file, size, length))));
    return part;
  }
  SceneShape& Washer(std::int16_t family, const std::string& file, const std::string& size,
                     std::int16_t type) {
    SceneShape& part = NewPart(file + " " + size);
    BuildWasherByType(part, ReadWasherDimensions(*MakeWasher(
                                type, Record(family, kWasherKind, file, size))));
    return part;
  }
};

TEST_F(StandardParts, HexagonBoltAndSocketCapScrewHaveTheirStandardsFigures) {
  // ISO 4017 M10x50: s 16 (corners 18.48), k 6.4, threaded to the head.
  SceneShape& hex = Bolt(kIso, "ISO4017.tab", "M10", "50", 1);
  const double corner = 8 / std::cos(kMathPi / 6);
  ExpectBox(kernel_, hex, {-8, -corner, -50}, {8, corner, 6.4});
  // ISO 4762 M10x50: dk 16, k 10, socket s 8 and t 5 deep; threaded b = 2d + 12 = 32 up
  // from the tip, plain above.
  auto screw = MakeScrew(1, Record(kIso, 1, "ISO4762.tab", "M10", "50"));
  SceneShape& cap = NewPart("ISO 4762 M10x50");
  BuildScrewByType(cap, ReadHeadedDimensions(*screw));
  ExpectBox(kernel_, cap, {-8, -8, -50}, {8, 8, 10});
  EXPECT_NEAR(MaterialInCylinder(kernel_, cap, 3.95, 5, 11), 0, kProbe);
  EXPECT_GT(MaterialInCylinder(kernel_, cap, 3.95, 4.5, 5), 1);
  const auto& faces = kernel_.Figures(cap).cylinders;
  EXPECT_TRUE(std::any_of(faces.begin(), faces.end(), [](const auto& c) {
    return std::abs(c.radius - 5) < 1e-6 && std::abs(c.zMax + 18) < 1e-3;
  })) << "no thread face ending 32 up from the tip";
}

TEST_F(StandardParts, FlangeBoltsStandOnAFlangeWiderThanTheirHexagon) {
  // ISO 4162 M10x50: flange dc 20.8 and c 1.5 under the 13 hexagon (corners 15.01), 8.2 above.
  SceneShape& small = Bolt(kIso, "ISO4162.tab", "M10", "50", 2);
  ExpectValidSolid(kernel_, small, Volume(small), 0);
  ExpectBox(kernel_, small, {-10.4, -10.4, -50}, {10.4, 10.4, 9.7});
  // Beyond the corners the flange is there up to its height and nothing above it.
  EXPECT_NEAR(MaterialIn(small, {8, -0.5, 0}, {10, 0.5, 1.5}), 2 * 1 * 1.5, kProbe);
  EXPECT_NEAR(MaterialIn(small, {8, -0.5, 1.6}, {10, 0.5, 9}), 0, kProbe);
  // DIN EN 1665 M10: dc 22.3 under the 16 hexagon.
  SceneShape& heavy = Bolt(kDin, "EN1665.tab", "M10", "50", 2);
  EXPECT_NEAR(kernel_.Figures(heavy).boxMax.x, 11.15, 1e-3);
}

TEST_F(StandardParts, WashersHaveTheirStandardsClearanceHole) {
  struct Case {
    std::int16_t type;
    const char* file;
    const char* size;
    double hole;
  };
  // DIN 434 and DIN 435 M10: d1 = 11; DIN 6916 and ISO 7416 M12: d1 = 13.
  for (const Case& c : {Case{6, "DIN435.tab", "M10", 11}, Case{7, "DIN434.tab", "M10", 11},
                        Case{8, "DIN6916.tab", "M12", 13}}) {
    SceneShape& part = Washer(kDin, c.file, c.size, c.type);
    EXPECT_NEAR(MaterialInCylinder(kernel_, part, c.hole / 2 - 0.05, -1, 20), 0, kProbe) << c.file;
    // Just outside the hole, through the washer's straight middle, there is material.
    EXPECT_GT(MaterialInCylinder(kernel_, part, c.hole / 2 + 0.05, 1.4, 1.6), 1e-3) << c.file;
  }
  SceneShape& iso = Washer(kIso, "ISO7416.tab", "M12", 8);
  EXPECT_NEAR(MaterialInCylinder(kernel_, iso, 6.45, -1, 20), 0, kProbe);
}

TEST_F(StandardParts, DomedCapNutIsAsHighAsItsStandardWithAHalfSphereOnTop) {
  // DIN 986 M10: h = 18.4, a half sphere of diameter dk = 15 on the straight part up to 10.9.
  auto nut = MakeNut(8, Record(kDin, kNutKind, "DIN986.tab", "M10"));
  SceneShape& part = NewPart("DIN 986 M10");
  BuildNutByType(part, ReadNutDimensions(*nut));
  ExpectValidSolid(kernel_, part, Volume(part), 0);
  EXPECT_NEAR(kernel_.Figures(part).boxMax.z, 18.4, 1e-3);
  // Its apex on the axis: a 0.6 square column 0.2 high under it is nearly full (the sphere
  // drops 0.3² / 15 at the column's corners), and 2 off the axis the sphere is down at 18.13.
  EXPECT_NEAR(MaterialIn(part, {-0.3, -0.3, 18.2}, {0.3, 0.3, 18.4}), 0.072, 0.004);
  EXPECT_NEAR(MaterialIn(part, {2, -0.1, 18.15}, {2.2, 0.1, 18.4}), 0, kProbe);
}

TEST_F(StandardParts, FlatPointSetScrewsAreChamferedDownToThePointDiameter) {
  // ISO 4026 and ISO 4766 M10x20: the point end is dp = 7 across, chamfered at 45° to d = 10
  // over 1.5; the bottom 0.2 is empty from radius 3.7 out, full inside 3.3.
  struct Case {
    std::int16_t type;
    const char* file;
  };
  for (const Case& c : {Case{1, "ISO4026.tab"}, Case{5, "ISO4766.tab"}}) {
    SceneShape& part = SetScrew(kIso, c.file, "M10", "20", c.type);
    ExpectValidSolid(kernel_, part, Volume(part), 0);
    EXPECT_NEAR(MaterialIn(part, {3.7, -0.3, -20}, {4.9, 0.3, -19.8}), 0, kProbe) << c.file;
    EXPECT_NEAR(MaterialIn(part, {-3.3, -0.3, -20}, {3.3, 0.3, -19.8}), 6.6 * 0.6 * 0.2, kProbe)
        << c.file;
  }
}

}  // namespace
}  // namespace vormbrace::test
