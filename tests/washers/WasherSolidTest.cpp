// All eight washer kinds built from the shipped tables (M10, or M12 where the standard starts
// there): one valid solid each on the seating plane, with an open hole; the spring washer's
// split, the taper washers' grooves, fillet and hole chamfer really cut; volumes against a
// hand computation.
#include <cmath>
#include <fstream>
#include <functional>
#include <string>

#include "data/NewVormbrace.h"
#include "geometry/generaRosette.h"
#include "nuts/NutWasherFixture.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;

// Material found by a probe is a difference of two part volumes (about 1e-4 mm³ here).
constexpr double kProbe = 1e-3;

// Simpson's rule with n (even) intervals.
double Integrate(const std::function<double(double)>& f, double a, double b, int n = 200) {
  double h = (b - a) / n, sum = f(a) + f(b);
  for (int i = 1; i < n; ++i) sum += f(a + i * h) * (i % 2 == 1 ? 4 : 2);
  return sum * h / 3;
}

// A triangle of area `area` whose centroid lies `radius` from the axis, turned a full turn
// (Pappus).
double Turned(double area, double radius) { return 2 * kMathPi * radius * area; }

class WasherSolid : public NutWasherTest {
 protected:
  SceneShape& Build(std::int16_t family, const std::string& file, const std::string& size,
                    std::int16_t type) {
    auto washer = MakeWasher(type, Record(family, kWasherKind, file, size));
    SceneShape& part = NewPart(file + " " + size + " kind " + std::to_string(type));
    BuildWasherByType(part, ReadWasherDimensions(*washer));
    return part;
  }
  void ExpectOpen(SceneShape& part) { EXPECT_NEAR(MaterialOnAxis(part), 0, kProbe) << part.Name(); }
  // The number of separate solids after a cut through the ring on the +X side.
  int SolidsAfterACutAt(SceneShape& part, double x0, double x1, double top) {
    SceneShape& cut = AddProbe(part, {x0, -0.5, -1}, {x1, 0.5, top + 1});
    int solids = kernel_.Figures(part).solids;
    part.RemoveChild(cut);
    return solids;
  }
};

TEST_F(WasherSolid, PlainAndChamferedWasherVolumes) {
  // ISO 7089 M10: 20 across, hole 10.5, 2 thick: π/4 (400 - 110.25) × 2 = 455.138.
  SceneShape& plain = Build(kIso, "ISO7089.tab", "M10", 1);
  const double ring = kMathPi / 4 * (400 - 110.25) * 2;
  EXPECT_NEAR(ring, 455.138, 1e-3);
  ExpectValidSolid(kernel_, plain, ring, 1e-6);
  ExpectBox(kernel_, plain, {-10, -10, 0}, {10, 10, 2});
  ExpectOpen(plain);

  // ISO 7090 M10, c = 1: the same ring less the rim's triangle (legs 1 and 1, centroid at
  // radius 10 - 1/3) turned: 455.138 - 30.369 = 424.769.
  SceneShape& chamfered = Build(kIso, "ISO7090.tab", "M10", 3);
  ExpectValidSolid(kernel_, chamfered, ring - Turned(0.5, 10 - 1.0 / 3), 1e-6);
  ExpectBox(kernel_, chamfered, {-10, -10, 0}, {10, 10, 2});
  ExpectOpen(chamfered);

  // DIN 6916 M12 (the standard starts at M12): 24 across, hole 12, 3 thick, 45° chamfers of
  // 0.75 outside and 1.2 at the hole: π/4 (576 - 144) × 3 less the outer triangle at radius
  // 12 - 0.25 and the inner one at 6 + 0.4 = 968.159.
  SceneShape& hv = Build(kDin, "DIN6916.tab", "M12", 8);
  double expected =
      kMathPi / 4 * (576 - 144) * 3 - Turned(0.75 * 0.75 / 2, 11.75) - Turned(1.2 * 1.2 / 2, 6.4);
  EXPECT_NEAR(expected, 968.159, 1e-3);
  ExpectValidSolid(kernel_, hv, expected, 1e-6);
  ExpectBox(kernel_, hv, {-12, -12, 0}, {12, 12, 3});
  ExpectOpen(hv);
}

TEST_F(WasherSolid, SquareHoleAndSquareWashers) {
  // DIN 440 V M10: circle 34 less the square 11, 3 thick: (289π - 121) × 3 = 2360.761.
  SceneShape& round = Build(kDin, "DIN440V.tab", "M10", 4);
  ExpectValidSolid(kernel_, round, (289 * kMathPi - 121) * 3, 1e-6);
  ExpectBox(kernel_, round, {-17, -17, 0}, {17, 17, 3});
  ExpectOpen(round);
  // DIN 436 M10: the square 40 less the circle 11, 4 thick: (1600 - 30.25π) × 4 = 6019.876.
  SceneShape& square = Build(kDin, "DIN436.tab", "M10", 5);
  ExpectValidSolid(kernel_, square, (1600 - 30.25 * kMathPi) * 4, 1e-6);
  ExpectBox(kernel_, square, {-20, -20, 0}, {20, 20, 4});
  ExpectOpen(square);
}

TEST_F(WasherSolid, SpringWasherSplitOpensTheRing) {
  // DIN 127 B M10: R = 8.6, r = 5.1, H = 2.2. The slit is 0.1 wide across the washer's plane
  // and climbs 1 in √3 (its path turned 30°): at height z it covers y from √3 z - 0.05 to
  // √3 z + 0.05 across the whole ring on the -X side. It takes
  // ∫0^H ∫ (√(R² - y²) - √(r² - y²)) dy dz.
  SceneShape& spring = Build(kDin, "DIN127B.tab", "M10", 2);
  WasherDimensions ring =
      ReadWasherDimensions(*MakeWasher(2, Record(kDin, kWasherKind, "DIN127B.tab", "M10")));
  ring.ComponentType = 1;
  SceneShape& plain = NewPart("DIN127B.tab M10 unsplit");
  BuildWasherByType(plain, ring);
  const double R = 8.6, r = 5.1, H = 2.2;
  double slit = Integrate(
      [&](double z) {
        double y = std::sqrt(3.0) * z;
        return Integrate(
            [&](double t) { return std::sqrt(R * R - t * t) - std::sqrt(r * r - t * t); }, y - 0.05,
            y + 0.05, 20);
      },
      0, H);
  EXPECT_GT(slit, 0.1 * 3.5 * H);  // the ring is crossed obliquely, so a little over width × H
  ExpectValidSolid(kernel_, spring, Volume(plain) - slit, 1e-4);
  ExpectBox(kernel_, spring, {-8.6, -8.6, 0}, {8.6, 8.6, 2.2});
  ExpectOpen(spring);
  // Open: one more cut through the ring on the other side leaves two pieces; the plain ring
  // stays whole.
  EXPECT_EQ(SolidsAfterACutAt(spring, 4, 9, H), 2);
  EXPECT_EQ(SolidsAfterACutAt(plain, 4, 9, H), 1);
}

TEST_F(WasherSolid, EveryShippedSpringWasherIsSplitOpen) {
  // The thick small sizes are where the climbing slit comes nearest the hole at the top
  // (M6: 1.6 thick on a hole of 6.1).
  std::ifstream table(VORMBRACE_STANDARDS_SOURCE_DIR "/DIN/Washers/DIN127B.tab");
  std::string line;
  int sizes = 0;
  while (std::getline(table, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::string size = line.substr(0, line.find('|'));
    SceneShape& part = Build(kDin, "DIN127B.tab", size, 2);
    ExpectValidSolid(kernel_, part, Volume(part), 0);
    WasherDimensions w =
        ReadWasherDimensions(*MakeWasher(2, Record(kDin, kWasherKind, "DIN127B.tab", size)));
    EXPECT_EQ(
        SolidsAfterACutAt(part, w.DiametroInterno / 2 - 0.5, w.DiametroEsterno / 2 + 1, w.Spessore),
        2)
        << size;
    ++sizes;
  }
  EXPECT_GT(sizes, 10);
}

TEST_F(WasherSolid, TaperWashersGroovesFilletAndHoleChamfer) {
  // DIN 435 M10 as kind 6 (one groove) and as kind 7 (two): 22 × 22, 6.14 down to 3.06.
  SceneShape& one = Build(kDin, "DIN435.tab", "M10", 6);
  SceneShape& two = Build(kDin, "DIN435.tab", "M10", 7);
  for (SceneShape* part : {&one, &two}) {
    ExpectValidSolid(kernel_, *part, Volume(*part), 0);
    ExpectBox(kernel_, *part, {-11, -11, 0}, {11, 11, 6.14});
    ExpectOpen(*part);
  }
  // The second groove (0.5 × 0.5 across the length 22) is all the difference.
  EXPECT_NEAR(Volume(one) - Volume(two), 0.5 * 0.5 * 22, kProbe);
  // The groove of the thick half (x from -8.75 to -8.25) in both; the thin half's only in 7.
  EXPECT_NEAR(MaterialIn(one, {-8.7, -10, 0}, {-8.3, 10, 0.45}), 0, kProbe);
  EXPECT_NEAR(MaterialIn(one, {8.3, -10, 0}, {8.7, 10, 0.45}), 0.4 * 20 * 0.45, kProbe);
  EXPECT_NEAR(MaterialIn(two, {8.3, -10, 0}, {8.7, 10, 0.45}), 0, kProbe);
  // The thin end's top edge is rounded with 0.8 × 3.06: its corner is gone.
  EXPECT_NEAR(MaterialIn(one, {10.7, -10, 2.76}, {11, 10, 3.06}), 0, kProbe);
  // The hole's 45° chamfer of 0.5 at the bottom face opens it to 11 there.
  EXPECT_NEAR(MaterialIn(one, {5.02, -0.5, 0}, {5.3, 0.5, 0.15}), 0, kProbe);
  EXPECT_GT(MaterialIn(one, {5.02, -0.5, 1}, {5.3, 0.5, 1.15}), 0.04);
}

}  // namespace
}  // namespace vormbrace::test
