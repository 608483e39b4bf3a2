// All nine nut kinds built with M10 dimensions from the shipped tables: one valid solid each,
// lying on the bearing face z = 0, open along the axis or capped, with slots that really cut;
// three volumes against a hand computation.
#include <cmath>
#include <string>

#include "data/NewVormbrace.h"
#include "geometry/generaDadi.h"
#include "nuts/NutWasherFixture.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;

const double kCos30 = std::cos(kMathPi / 6);
// Material found by a probe is a difference of two part volumes, each good to about 1e-7 of
// the part's volume (1e-4 mm³ here).
constexpr double kProbe = 1e-3;

// The 30° chamfer that a cutter from the inscribed circle (apothem a) takes off one face of a
// hexagonal prism, when the whole corner lies on its flank: twelve half flats,
// tan 30° a³ ∫0^30° (sec³/3 - sec²/2 + 1/6) dθ, the integral being
// (2/3 + ln √3)/6 - tan 30°/2 + π/36 = 0.0012534.
double HexChamfer(double a) {
  double integral =
      (2.0 / 3 + std::log(std::sqrt(3.0))) / 6 - std::tan(kMathPi / 6) / 2 + kMathPi / 36;
  return 12 * std::tan(kMathPi / 6) * a * a * a * integral;
}

// The highest y of the arc from (x1, y1) to (x2, y2) bulging to the right of travel with the
// sagitta/chord ratio `ratio`, when its highest point lies between the ends.
double ArcPeak(double x1, double y1, double x2, double y2, double ratio) {
  double dx = x2 - x1, dy = y2 - y1, chord = std::hypot(dx, dy);
  double sagitta = ratio * chord;
  double radius = (chord * chord / 4 + sagitta * sagitta) / (2 * sagitta);
  // The centre lies left of travel (normal (-dy, dx) / chord), radius - sagitta from the
  // chord's middle.
  double cy = (y1 + y2) / 2 + dx / chord * (radius - sagitta);
  return cy + radius;
}

class NutSolid : public NutWasherTest {
 protected:
  // A part built from the record of `size` in a shipped nut table, as nut kind `type`.
  SceneShape& Build(std::int16_t family, const std::string& file, const std::string& size,
                    std::int16_t type) {
    auto nut = MakeNut(type, Record(family, kNutKind, file, size));
    SceneShape& part = NewPart(file + " " + size);
    BuildNutByType(part, ReadNutDimensions(*nut));
    return part;
  }
  void ExpectOpen(SceneShape& part) { EXPECT_NEAR(MaterialOnAxis(part), 0, kProbe) << part.Name(); }
  void ExpectCapped(SceneShape& part) { EXPECT_GT(MaterialOnAxis(part), 0.1) << part.Name(); }
  // Suppressing the features named "Recess" gives back material.
  double SlotVolume(SceneShape& part) {
    double whole = Volume(part);
    for (SceneShape* f : Named(part, "Recess")) f->SetSuppressed(true);
    double solid = Volume(part);
    for (SceneShape* f : Named(part, "Recess")) f->SetSuppressed(false);
    return solid - whole;
  }
};

TEST_F(NutSolid, HexagonNutVolumeAndBox) {
  // ISO 4032 M10: s 16, m 8.4, d 10. Hexagon 2√3 · 8² = 221.7025 less the bore 25π = 78.5398,
  // times 8.4: 1202.5665; less two face chamfers of 4.4463 each: 1193.674.
  SceneShape& part = Build(kIso, "ISO4032.tab", "M10", 1);
  double expected = (2 * std::sqrt(3.0) * 64 - 25 * kMathPi) * 8.4 - 2 * HexChamfer(8);
  EXPECT_NEAR(expected, 1193.674, 1e-3);
  ExpectValidSolid(kernel_, part, expected, 1e-4);
  ExpectBox(kernel_, part, {-8, -8 / kCos30, 0}, {8, 8 / kCos30, 8.4});
  ExpectOpen(part);
}

TEST_F(NutSolid, SquareNutVolumeAndBox) {
  // DIN 562 M10: side 17, height 5, bore 10: (289 - 25π) × 5 = 1052.301. No chamfer.
  SceneShape& part = Build(kDin, "DIN562.tab", "M10", 4);
  ExpectValidSolid(kernel_, part, (289 - 25 * kMathPi) * 5, 1e-6);
  ExpectBox(kernel_, part, {-8.5, -8.5, 0}, {8.5, 8.5, 5});
  ExpectOpen(part);
}

TEST_F(NutSolid, CastleAndSlottedNutsAreCutByTheirSlots) {
  // DIN 935 M10 has no crown: six slots 2.925 wide, 4 deep in a hexagon 12 high.
  SceneShape& slotted = Build(kDin, "DIN935.tab", "M10", 2);
  ExpectValidSolid(kernel_, slotted, Volume(slotted), 0);
  ExpectBox(kernel_, slotted, {-8.5, -8.5 / kCos30, 0}, {8.5, 8.5 / kCos30, 12});
  ExpectOpen(slotted);
  // Each slot crosses the wall from the bore to the flat: the six slots take roughly
  // 6 × width × depth × wall (8.5 - 5) = 245.7 (less where the round bottoms are).
  double cut = SlotVolume(slotted);
  EXPECT_GT(cut, 200);
  EXPECT_LT(cut, 6 * 2.925 * 4 * 3.5);
  // A slot at 0° through the +X flat and its neighbour at 60°: no material on either.
  EXPECT_NEAR(MaterialIn(slotted, {6, -1, 9}, {8.4, 1, 11.9}), 0, kProbe);
  EXPECT_NEAR(MaterialIn(slotted, {3.5, 6, 9}, {4.0, 6.5, 11.9}), 0, kProbe);

  // DIN 935 M12 has a crown 17 across on the 10 high hexagon, up to m = 15.
  SceneShape& castle = Build(kDin, "DIN935.tab", "M12", 2);
  ValueArray v = Record(kDin, kNutKind, "DIN935.tab", "M12");
  ASSERT_GT(v[8], 0);
  ExpectValidSolid(kernel_, castle, Volume(castle), 0);
  const double top = v[3];
  ExpectBox(kernel_, castle, {-v[4] / 2, -v[4] / 2 / kCos30, 0},
            {v[4] / 2, v[4] / 2 / kCos30, top});
  ExpectOpen(castle);
  EXPECT_GT(SlotVolume(castle), 50);
  // The slots stop at the top of the hexagon: a thin layer just below it is whole.
  EXPECT_NEAR(MaterialIn(castle, {6.5, -0.2, v[6] - 0.3}, {7.5, 0.2, v[6] - 0.1}), 0.08, kProbe);
}

TEST_F(NutSolid, CollarNutRingStandsOnTheHexagon) {
  // ISO 7040 M10: hexagon 8.04, ring of diameter s = 16 up to h = 11.9.
  SceneShape& part = Build(kIso, "ISO7040.tab", "M10", 3);
  ExpectValidSolid(kernel_, part, Volume(part), 0);
  ExpectBox(kernel_, part, {-8, -8 / kCos30, 0}, {8, 8 / kCos30, 11.9});
  ExpectOpen(part);
  // The ring's bore is 0.91 d: material between radius 4.55 and 5 above the hexagon only.
  EXPECT_GT(MaterialIn(part, {4.6, -0.1, 9}, {4.9, 0.1, 11}), 0.05);
  EXPECT_NEAR(MaterialIn(part, {4.6, -0.1, 1}, {4.9, 0.1, 7}), 0, kProbe);
}

TEST_F(NutSolid, CutSquareNutHasItsCornersCutAtTheChamferCircle) {
  // DIN 557 M10: side 17, corners cut tangent to the circle 21.5, height 8.
  SceneShape& part = Build(kDin, "DIN557.tab", "M10", 5);
  ExpectValidSolid(kernel_, part, Volume(part), 0);
  ExpectBox(kernel_, part, {-8.5, -8.5, 0}, {8.5, 8.5, 8});
  ExpectOpen(part);
  // The corner beyond the 45° line 10.75 from the centre is gone: the square less four
  // triangles of legs L/2 - e, e = 21.5/√2 - 8.5, with the bore, is at most the volume.
  double e = 21.5 / std::sqrt(2.0) - 8.5;
  double leg = 8.5 - e;
  EXPECT_LT(Volume(part), (289 - 2 * leg * leg - 25 * kMathPi) * 8 + 1e-6);
  EXPECT_NEAR(MaterialIn(part, {8.5 - leg / 4, 8.5 - leg / 4, 0}, {8.5, 8.5, 8}), 0, kProbe);
}

TEST_F(NutSolid, CapNutsAreClosedAtTheTop) {
  struct Cap {
    std::int16_t type;
    const char* file;
    double s, top;
  };
  // DIN 1587: hexagon 8 + dome 10; DIN 917: 10.65 + 3.35, the arch centred on the axis.
  // DIN 986 as shipped: hexagon 6, straight to 4.9 above it at radius 7.5, then the arc of a
  // quarter circle's sagitta ratio (ArcRatio(7.5, 7.5)) to the axis at 7.5; that arc is no
  // longer centred on the axis and peaks off it, at 6 + ArcPeak.
  const double peak = 6 + ArcPeak(7.5, 4.9, 0, 7.5, (2 - std::sqrt(2.0)) / (2 * std::sqrt(2.0)));
  for (const Cap& c : {Cap{6, "DIN1587.tab", 16, 18}, Cap{7, "DIN917.tab", 17, 14},
                       Cap{8, "DIN986.tab", 17, peak}}) {
    SceneShape& part = Build(kDin, c.file, "M10", c.type);
    ExpectValidSolid(kernel_, part, Volume(part), 0);
    // Within the hexagon: the dome's base ring of kind 6 is trimmed to it.
    ExpectBox(kernel_, part, {-c.s / 2, -c.s / 2 / kCos30, 0}, {c.s / 2, c.s / 2 / kCos30, c.top});
    ExpectCapped(part);
  }
}

TEST_F(NutSolid, DomeTrimTakesOnlyWhatLiesOutsideTheHexagon) {
  SceneShape& part = Build(kDin, "DIN1587.tab", "M10", 6);
  SceneShape& trim = *part.Children().back();
  ASSERT_EQ(trim.Name(), "Recess");
  double trimmed = Volume(part);
  trim.SetSuppressed(true);
  // Untrimmed, the base ring and the foot's rounding stand out to s/2 + R = 12.9.
  EXPECT_NEAR(kernel_.Figures(part).boxMax.x, 12.9, 1e-3);
  double untrimmed = Volume(part);
  trim.SetSuppressed(false);
  EXPECT_GT(untrimmed - trimmed, 1);
  // Inside the hexagon nothing changes: the top of the hexagon is whole under the dome.
  EXPECT_NEAR(MaterialIn(part, {5.5, -1, 7.5}, {7.5, 1, 8}), 2 * 2 * 0.5, kProbe);
}

TEST_F(NutSolid, RoundNutHasFourRimSlotsAndANarrowBore) {
  // DIN 981 KM0: D 18, B 4, four slots 3 wide and 2 deep, bore radius 5 - 1.75 × 0.75.
  SceneShape& part = Build(kDin, "DIN981.tab", "KM0 M10x0.75", 9);
  ExpectValidSolid(kernel_, part, Volume(part), 0);
  // The slots at 0°, 90°, 180° and 270° take the rim's extremes: it reaches only to where a
  // slot's side meets the circle, √(9² - 1.5²).
  const double reach = std::sqrt(81 - 2.25);
  ExpectBox(kernel_, part, {-reach, -reach, 0}, {reach, reach, 4});
  ExpectOpen(part);
  EXPECT_NEAR(MaterialIn(part, {-0.5, 5 - 1.3125 + 0.01, 1}, {0.5, 5, 3}), 1 * (1.3125 - 0.01) * 2,
              kProbe);
  // Each slot 3 × 2 through 4 (its inner end is flat, the rim curved): a little less than 96.
  double cut = SlotVolume(part);
  EXPECT_GT(cut, 90);
  EXPECT_LT(cut, 4 * 3 * 2 * 4);
}

}  // namespace
}  // namespace vormbrace::test
