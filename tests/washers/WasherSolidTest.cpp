// All eight washer kinds built from the shipped records (M10; DIN 6916 starts at M12): one valid
// solid each on the seating plane with an open hole; volumes by hand; the spring washer's split
// and the taper washers' grooves, fillet and hole chamfer really cut.
#include <cmath>
#include <fstream>
#include <functional>
#include <string>

#include "components/NewVormbrace.h"
#include "geometry/generaRosette.h"
#include "nuts/NutWasherFixture.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;

// Simpson's rule with n (even) intervals.
double Integrate(const std::function<double(double)>& f, double a, double b, int n) {
  double h = (b - a) / n, sum = f(a) + f(b);
  for (int i = 1; i < n; ++i) sum += f(a + i * h) * (i % 2 == 1 ? 4 : 2);
  return sum * h / 3;
}

// A ring's volume, and a right triangle with legs a and b whose centroid lies r from the axis,
// turned a full turn (Pappus).
double Ring(double D, double d, double H) { return kMathPi / 4 * (D * D - d * d) * H; }
double Turned(double a, double b, double r) { return 2 * kMathPi * r * a * b / 2; }

class WasherSolid : public NutWasherTest {
 protected:
  WasherDimensions Dimensions(std::int16_t family, const std::string& file, const std::string& size,
                              std::int16_t type) {
    return ReadWasherDimensions(*MakeWasher(type, Record(family, kWasherKind, file, size)));
  }
  SceneShape& Build(const WasherDimensions& w, const std::string& name) {
    SceneShape& part = NewPart(name);
    BuildWasherByType(part, w);
    return part;
  }
  // The number of separate solids left by a cut through the ring on the +X side.
  int SolidsAfterACut(SceneShape& part, const WasherDimensions& w) {
    SceneShape& cut = AddBoxProbe(part, {w.DiametroInterno / 2 - 0.5, -0.5, -1},
                               {w.DiametroEsterno / 2 + 1, 0.5, w.Spessore + 1});
    int solids = kernel_.Figures(part).solids;
    part.RemoveChild(cut);
    return solids;
  }
};

TEST_F(WasherSolid, EveryKindIsOneValidSolidOnTheSeatingPlaneWithAnOpenHole) {
  struct Case {
    std::int16_t type, family;
    const char* file;
    const char* size;
    double half, top, volume;  // volume 0: not worked out by hand
  };
  const Case cases[] = {
      {1, kIso, "ISO7089.tab", "M10", 10, 2, Ring(20, 10.5, 2)},  // 455.138
      {2, kDin, "DIN127B.tab", "M10", 8.6, 2.2, 0},
      // The rim's triangle, legs 1 and 1, at radius 10 - 1/3: 424.769.
      {3, kIso, "ISO7090.tab", "M10", 10, 2, Ring(20, 10.5, 2) - Turned(1, 1, 10 - 1.0 / 3)},
      {4, kDin, "DIN440V.tab", "M10", 17, 3, (289 * kMathPi - 121) * 3},    // 2360.761
      {5, kDin, "DIN436.tab", "M10", 20, 4, (1600 - 30.25 * kMathPi) * 4},  // 6019.876
      {6, kDin, "DIN435.tab", "M10", 11, 6.14, 0},
      {7, kDin, "DIN434.tab", "M10", 11, 4.68, 0},
      // The hole 13; chamfers of 0.75 outside (centroid at 12 - 0.25) and 0.7 from the hole to
      // 1.2 d = 14.4 (centroid at 6.5 + 0.7/3): 872.432.
      {8, kDin, "DIN6916.tab", "M12", 12, 3,
       Ring(24, 13, 3) - Turned(0.75, 0.75, 11.75) - Turned(0.7, 0.7, 6.5 + 0.7 / 3)},
  };
  for (const Case& c : cases) {
    SceneShape& part = Build(Dimensions(c.family, c.file, c.size, c.type), c.file);
    ExpectValidSolid(kernel_, part, c.volume > 0 ? c.volume : Volume(part), 1e-6);
    ExpectBox(kernel_, part, {-c.half, -c.half, 0}, {c.half, c.half, c.top});
    EXPECT_NEAR(MaterialOnAxis(part), 0, kProbe) << c.file;
  }
}

TEST_F(WasherSolid, SpringWasherSplitOpensTheRingAtEverySize) {
  // DIN 127 B M10: R = 8.6, r = 5.1, H = 2.2. The slit is 0.1 wide in the washer's plane and
  // climbs 1 in √3 (its path turned 30°): at height z it covers y from √3 z - 0.05 to
  // √3 z + 0.05 across the ring's -X side, ∫0^H ∫ (√(R² - y²) - √(r² - y²)) dy dz in all.
  WasherDimensions m10 = Dimensions(kDin, "DIN127B.tab", "M10", 2);
  const double R = 8.6, r = 5.1, H = 2.2;
  auto chord = [&](double y) { return std::sqrt(R * R - y * y) - std::sqrt(r * r - y * y); };
  double slit = Integrate(
      [&](double z) {
        return Integrate(chord, std::sqrt(3.0) * z - 0.05, std::sqrt(3.0) * z + 0.05, 20);
      },
      0, H, 200);
  ExpectValidSolid(kernel_, Build(m10, "M10"), Ring(17.2, 10.2, 2.2) - slit, 1e-4);
  // Open: a second cut leaves two pieces, where the unsplit ring stays whole. The thick small
  // sizes are where the climbing slit comes nearest the hole (M6: 1.6 thick on a hole of 6.1).
  WasherDimensions plain = m10;
  plain.ComponentType = 1;
  EXPECT_EQ(SolidsAfterACut(Build(plain, "plain"), plain), 1);
  std::ifstream table(VORMBRACE_STANDARDS_SOURCE_DIR "/DIN/Washers/DIN127B.tab");
  int sizes = 0;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::string size = line.substr(0, line.find('|'));
    WasherDimensions w = Dimensions(kDin, "DIN127B.tab", size, 2);
    SceneShape& part = Build(w, size);
    ExpectValidSolid(kernel_, part, Volume(part), 0);
    EXPECT_EQ(SolidsAfterACut(part, w), 2) << size;
    ++sizes;
  }
  EXPECT_GT(sizes, 10);
}

TEST_F(WasherSolid, TaperWashersGroovesFilletAndHoleChamfer) {
  // DIN 435 M10 as kind 6 (one groove) and as kind 7 (two): 22 × 22, 6.14 down to 3.06.
  SceneShape& one = Build(Dimensions(kDin, "DIN435.tab", "M10", 6), "one groove");
  SceneShape& two = Build(Dimensions(kDin, "DIN435.tab", "M10", 7), "two grooves");
  // The second groove (0.5 × 0.5 across the length 22) is all the difference.
  EXPECT_NEAR(Volume(one) - Volume(two), 0.5 * 0.5 * 22, kProbe);
  // The groove of the thick half (x from -9 to -8.5, halfway between the edge and the hole's
  // chamfer at 6) in both; the thin half's only in 7.
  EXPECT_NEAR(MaterialIn(one, {-8.95, -10, 0}, {-8.55, 10, 0.45}), 0, kProbe);
  EXPECT_NEAR(MaterialIn(one, {8.55, -10, 0}, {8.95, 10, 0.45}), 0.4 * 20 * 0.45, kProbe);
  EXPECT_NEAR(MaterialIn(two, {8.55, -10, 0}, {8.95, 10, 0.45}), 0, kProbe);
  // The thin end's top edge is rounded with 0.8 × 3.06: its corner is gone.
  EXPECT_NEAR(MaterialIn(one, {10.7, -10, 2.76}, {11, 10, 3.06}), 0, kProbe);
  // The hole is the standard's 11; its 45° chamfer of 0.5 opens it to 12 at the bottom face
  // only.
  EXPECT_NEAR(MaterialIn(one, {5.52, -0.5, 0}, {5.8, 0.5, 0.15}), 0, kProbe);
  EXPECT_NEAR(MaterialIn(one, {5.52, -0.5, 1}, {5.8, 0.5, 1.15}), 0.28 * 0.15, kProbe);
}

}  // namespace
}  // namespace vormbrace::test
