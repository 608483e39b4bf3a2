// All nine nut kinds built from the shipped M10 records: one valid solid each on the bearing face
// z = 0, open along the axis or capped, slots that really cut (and what too few slots do), cut
// corners, the thread texture, volumes by hand.
#include <cmath>
#include <string>

#include "components/NewVormbrace.h"
#include "geometry/generaDadi.h"
#include "host/RuntimeError.h"
#include "nuts/NutWasherFixture.h"
#include "support/ErrorOf.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;

const double kCos30 = std::cos(kMathPi / 6);

class NutSolid : public NutWasherTest {
 protected:
  SceneShape& Build(std::int16_t family, const std::string& file, const std::string& size,
                    std::int16_t type) {
    auto nut = MakeNut(type, Record(family, kNutKind, file, size));
    SceneShape& part = NewPart(file + " " + size);
    BuildNutByType(part, ReadNutDimensions(*nut));
    return part;
  }
  double SlotVolume(SceneShape& part) { return VolumeOf(part, "Recess"); }
};

TEST_F(NutSolid, EveryKindIsOneValidSolidOnTheBearingFaceOpenOrCapped) {
  struct Case {
    std::int16_t type, family;
    const char* file;
    const char* size;
    double x, y, top;  // half extents and height of the box
    bool capped;
  };
  const double hex16 = 8 / kCos30, hex17 = 8.5 / kCos30;
  // The round nut's four slots take the rim's extremes: it reaches √(9² - 1.5²). DIN 986 M10 is
  // h = 18.4 high: a half sphere of diameter dk = 15 on the straight part up to h1 = 10.9.
  const double round = std::sqrt(81 - 2.25);
  const double solidCap = 10.9 + 7.5;
  const Case cases[] = {
      {1, kIso, "ISO4032.tab", "M10", 8, hex16, 8.4, false},
      {2, kDin, "DIN935.tab", "M10", 8.5, hex17, 12, false},
      {2, kDin, "DIN935.tab", "M12", 9.5, 9.5 / kCos30, 15, false},  // with its crown
      {3, kIso, "ISO7040.tab", "M10", 8, hex16, 11.9, false},
      {4, kDin, "DIN562.tab", "M10", 8.5, 8.5, 5, false},
      {5, kDin, "DIN557.tab", "M10", 8.5, 8.5, 8, false},
      {6, kDin, "DIN1587.tab", "M10", 8, hex16, 18, true},
      {7, kDin, "DIN917.tab", "M10", 8.5, hex17, 14, true},
      {8, kDin, "DIN986.tab", "M10", 8.5, hex17, solidCap, true},
      {9, kDin, "DIN981.tab", "KM0 M10x0.75", round, round, 4, false},
  };
  for (const Case& c : cases) {
    SceneShape& part = Build(c.family, c.file, c.size, c.type);
    ExpectValidSolid(kernel_, part, Volume(part), 0);
    ExpectBox(kernel_, part, {-c.x, -c.y, 0}, {c.x, c.y, c.top});
    if (c.capped) {
      EXPECT_GT(MaterialOnAxis(part), 0.1) << part.Name();
    } else {
      EXPECT_NEAR(MaterialOnAxis(part), 0, kProbe) << part.Name();
    }
  }
}

TEST_F(NutSolid, HexagonAndSquareNutVolumes) {
  // ISO 4032 M10: (2√3 · 8² - 25π) × 8.4 = 1202.567 less the two face chamfers. A cutter from
  // the inscribed circle (apothem a) whose flank reaches past the corners takes, over the twelve
  // half flats, tan 30° a³ ∫0^30° (sec³/3 - sec²/2 + 1/6) = 12 × 0.57735 × 512 × 0.0012534 =
  // 4.4463 per face: 1193.674.
  double integral =
      (2.0 / 3 + std::log(std::sqrt(3.0))) / 6 - std::tan(kMathPi / 6) / 2 + kMathPi / 36;
  double chamfer = 12 * std::tan(kMathPi / 6) * 512 * integral;
  double hexagon = (2 * std::sqrt(3.0) * 64 - 25 * kMathPi) * 8.4 - 2 * chamfer;
  EXPECT_NEAR(hexagon, 1193.674, 1e-3);
  ExpectValidSolid(kernel_, Build(kIso, "ISO4032.tab", "M10", 1), hexagon, 1e-4);
  // DIN 562 M10, no chamfer: (17² - 25π) × 5 = 1052.301.
  ExpectValidSolid(kernel_, Build(kDin, "DIN562.tab", "M10", 4), (289 - 25 * kMathPi) * 5, 1e-6);
}

TEST_F(NutSolid, SlotsCutWhereTheyShould) {
  // DIN 935 M10, no crown: six slots 2.925 wide, 4 deep. Each crosses the wall from the bore to
  // the flat: less than 6 × width × depth × wall 3.5 (the bottoms are round).
  SceneShape& slotted = Build(kDin, "DIN935.tab", "M10", 2);
  EXPECT_GT(SlotVolume(slotted), 200);
  EXPECT_LT(SlotVolume(slotted), 6 * 2.925 * 4 * 3.5);
  // The slots at 0° and 60° are empty; below their round bottoms the hexagon is whole.
  EXPECT_NEAR(MaterialIn(slotted, {6, -1, 9}, {8.4, 1, 11.9}), 0, kProbe);
  EXPECT_NEAR(MaterialIn(slotted, {3.5, 6, 9}, {4.0, 6.5, 11.9}), 0, kProbe);
  EXPECT_NEAR(MaterialIn(slotted, {6, -1, 7}, {8.4, 1, 7.9}), 2.4 * 2 * 0.9, kProbe);
  // DIN 935 M12 with its crown: the slots stop on the hexagon's top (10).
  SceneShape& castle = Build(kDin, "DIN935.tab", "M12", 2);
  EXPECT_GT(SlotVolume(castle), 50);
  EXPECT_NEAR(MaterialIn(castle, {6.5, -0.2, 9.7}, {7.5, 0.2, 9.9}), 0.08, kProbe);
  // ISO 7040 M10: the collar's bore is the thread's, 10: nothing inside radius 5.
  SceneShape& collar = Build(kIso, "ISO7040.tab", "M10", 3);
  EXPECT_NEAR(MaterialIn(collar, {4.6, -0.1, 9}, {4.95, 0.1, 11}), 0, kProbe);
  // DIN 981 KM0: four slots 3 × 2 through the height 4, in the rim of radius 9: a little less
  // than 96; the bore is the thread's, 10.
  SceneShape& round = Build(kDin, "DIN981.tab", "KM0 M10x0.75", 9);
  EXPECT_GT(SlotVolume(round), 90);
  EXPECT_LT(SlotVolume(round), 96);
  EXPECT_NEAR(MaterialIn(round, {-0.5, 3.6975, 1}, {0.5, 4.95, 3}), 0, kProbe);
  EXPECT_NEAR(MaterialIn(round, {-0.5, 5.05, 1}, {0.5, 6.9, 3}), 1.85 * 2, kProbe);
}

TEST_F(NutSolid, ArchBulgesOutwardsAndTheDomeStandsInsideTheHexagon) {
  // DIN 917 M10: at radius 6 the arch (circle centred on the axis through (8.5, 1.08) and
  // (0, 3.35) above the 10.65 high body) lies at 12.91, its chord at 12.40.
  SceneShape& arched = Build(kDin, "DIN917.tab", "M10", 7);
  EXPECT_NEAR(MaterialIn(arched, {5.9, -0.1, 12.45}, {6.1, 0.1, 12.8}), 0.2 * 0.2 * 0.35, kProbe);

  // DIN 1587 M10: the hexagon (s = 16) is k = 8 high; above it only the dome (dk = 15) stands,
  // its foot rounded within the hexagon's top face: no flat and no corner reaches above 8.
  SceneShape& part = Build(kDin, "DIN1587.tab", "M10", 6);
  EXPECT_NEAR(MaterialIn(part, {7.95, -4, 8.02}, {8.1, 4, 12}), 0, kProbe);
  EXPECT_NEAR(MaterialIn(part, {-4, 7.95, 8.02}, {4, 9.3, 12}), 0, kProbe);
  // Below k the flats stand whole, and the dome's foot fills the corner above the top face.
  EXPECT_NEAR(MaterialIn(part, {7.8, -1, 6}, {8, 1, 7}), 0.2 * 2 * 1, kProbe);
  EXPECT_GT(MaterialIn(part, {7.5, -0.1, 8}, {7.8, 0.1, 8.2}), 0.001);
}

TEST_F(NutSolid, OneSlotOrFewerCutsOnceAndNoneDividesByZeroAfterTheFirst) {
  // DIN 935 M12 castle and DIN 981 KM0 round nut: six and four slots from their records.
  struct Case {
    std::int16_t type;
    const char* file;
    const char* size;
    int slots;
  };
  for (const Case& c : {Case{2, "DIN935.tab", "M12", 6}, Case{9, "DIN981.tab", "KM0 M10x0.75", 4}}) {
    NutDimensions d = ReadNutDimensions(*MakeNut(c.type, Record(kDin, kNutKind, c.file, c.size)));
    SceneShape& all = NewPart(c.file);
    BuildNutByType(all, d);
    const double slot = SlotVolume(all) / c.slots;
    for (std::int16_t few : {1, -1, -7}) {
      d.numCave = few;
      SceneShape& part = NewPart("few");
      BuildNutByType(part, d);
      ExpectValidSolid(kernel_, part, Volume(part), 0);
      EXPECT_NEAR(SlotVolume(part), slot, slot * 1e-3) << c.file << " " << few;
    }
    // No slots: the first is cut, then the pattern divides 360 by 0.
    d.numCave = 0;
    SceneShape& none = NewPart("none");
    EXPECT_EQ(ErrorOf([&] { BuildNutByType(none, d); }), host::err::kDivisionByZero) << c.file;
    EXPECT_NEAR(SlotVolume(none), slot, slot * 1e-3) << c.file;
  }
}

TEST_F(NutSolid, SquareCornersAreCutAcrossTheirDiameter) {
  // DIN 557 M10: the 17 square's corners cut by lines Di/2 = 10.75 from the axis (x + y = 15.2
  // on the diagonal); its flats stay whole.
  SceneShape& part = Build(kDin, "DIN557.tab", "M10", 5);
  EXPECT_NEAR(MaterialIn(part, {8.3, 6.95, 1}, {8.5, 7.15, 6}), 0, kProbe);  // x + y > 15.25
  EXPECT_NEAR(MaterialIn(part, {8.3, 6.4, 1}, {8.5, 6.6, 6}), 0.2 * 0.2 * 5, kProbe);
  EXPECT_NEAR(MaterialIn(part, {8.2, -0.5, 1}, {8.5, 0.5, 6}), 0.3 * 1 * 5, kProbe);
}

TEST_F(NutSolid, ThreadTextureSpansTheNutsHeightAtItsPitch) {
  auto finish = [](SceneShape& part) -> auto& {
    return *part.Children().front()->Store().First(27)->Finishes().at(0);
  };
  // ISO 4032 M10: at (d/4, d/4, H/2) in metres, the nut's height 8.4 as the width's diameter,
  // 6.25 pitches of 1.5 high; DIN 981 KM0: 6.25 × 1.75 pitches of 0.75.
  const auto& hex = finish(Build(kIso, "ISO4032.tab", "M10", 1));
  EXPECT_NEAR(hex.point.x, 0.0025, 1e-15);
  EXPECT_NEAR(hex.point.z, 0.0042, 1e-15);
  EXPECT_NEAR(hex.projectionWidth, kMathPi * 8.4, 1e-9);
  EXPECT_NEAR(hex.projectionHeight, 6.25 * 1.5, 1e-12);
  const auto& round = finish(Build(kDin, "DIN981.tab", "KM0 M10x0.75", 9));
  EXPECT_NEAR(round.projectionWidth, kMathPi * 4, 1e-9);
  EXPECT_NEAR(round.projectionHeight, 6.25 * 1.75 * 0.75, 1e-12);
}

}  // namespace
}  // namespace vormbrace::test
