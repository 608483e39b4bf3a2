// Every standard of the shipped library, at its smallest, middle and largest size and at that
// size's longest length, built through the creation path a drop takes: one valid solid whose
// STL export is a closed mesh, the threaded face of bolts and screws with its length, and no
// material inside the thread's diameter in the hole of a nut or washer. One case per family and
// kind, so that ctest spreads them over the cores.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include "components/NewVormbrace.h"
#include "host/occt/Export.h"
#include "host/occt/OcctEvaluator.h"
#include "support/Probes.h"
#include "support/SampledSizes.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;
using host::ref::SceneShape;

const char* const kKindNames[kKindCount] = {"Bolts", "Screws", "SetScrews", "Washers", "Nuts"};

// The edges of a binary STL used by an odd number of triangles: a closed mesh has none. Corners
// are welded on a 0.00001 mm grid (a face turned upright gives 0 as 3.55e-14 in one triangle and
// 3.554e-14 in its neighbour); triangles with a repeated corner (the mesher leaves them at the
// poles of a dome) have no area and are skipped.
int OpenEdges(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < 84) return -1;
  std::uint32_t count = 0;
  std::memcpy(&count, bytes.data() + 80, 4);
  if (bytes.size() != 84 + 50 * std::size_t{count}) return -1;
  using Corner = std::array<long long, 3>;
  std::map<std::pair<Corner, Corner>, int> uses;
  for (std::uint32_t t = 0; t < count; ++t) {
    Corner c[3];
    for (int i = 0; i < 3; ++i) {
      float xyz[3];
      std::memcpy(xyz, bytes.data() + 84 + 50 * t + 12 * (i + 1), 12);
      for (int k = 0; k < 3; ++k) c[i][k] = std::llround(double{xyz[k]} * 1e5);
    }
    if (c[0] == c[1] || c[1] == c[2] || c[2] == c[0]) continue;
    for (int i = 0; i < 3; ++i) ++uses[std::minmax(c[i], c[(i + 1) % 3])];
  }
  int open = 0;
  for (const auto& [edge, n] : uses) open += n % 2;
  return open;
}

double Number(const FastenerComponent& c, const char* name) {
  return c.GetProperty(name).AsDouble();
}

// Bolts and screws: the cylinder of the nominal diameter from the tip's chamfer up to the plain
// shank (a threaded rod: between its two chamfers) is a face of its own.
void ExpectThreadedFace(const FastenerComponent& c, std::int16_t kind,
                        const host::occt::SolidFigures& f, const std::string& what) {
  double D = Number(c, "Diametro"), L = Number(c, "lung"), p = Number(c, "Passo");
  std::int32_t type = c.GetProperty("HeaderType").AsInt32();
  // A domed cylinder head's under-head fillet (Var1) sits on the shank's top.
  double plain = std::max(Number(c, "DistFiletto"),
                          kind == 1 && (type == 7 || type == 10) ? Number(c, "Var1") : 0.0);
  double length = kind == 0 && type == 5 ? L - p : L - plain - p / 2;
  bool found = std::any_of(f.cylinders.begin(), f.cylinders.end(), [&](const auto& cyl) {
    return std::abs(cyl.radius - D / 2) < 1e-6 && std::abs(cyl.zMin + L - p / 2) < 1e-3 &&
           std::abs(cyl.zMax - cyl.zMin - length) < 1e-3;
  });
  EXPECT_TRUE(found) << what << ": no threaded face " << length << " long";
}

// Nuts and washers: nothing inside the thread's diameter through the hole (for a cap nut, up to
// the top of its threaded body).
void ExpectOpenHole(host::occt::OcctEvaluator& kernel, SceneShape& part,
                    const FastenerComponent& c, std::int16_t kind,
                    const host::occt::SolidFigures& f, const std::string& what) {
  double d = Number(c, kind == 3 ? "DiametroNominale" : "DiametroFiletto");
  std::int32_t type = c.GetProperty("ComponentType").AsInt32();
  bool capped = kind == 4 && type >= 6 && type <= 8;
  double top = capped ? Number(c, "Spessore") - 0.01 : f.boxMax.z + 1;
  EXPECT_NEAR(test::MaterialInCylinder(kernel, part, 0.999 * d / 2, f.boxMin.z - 1, top), 0, 1e-3)
      << what << ": the hole is narrower than the thread";
}

struct Sweep {
  std::int16_t family, kind;
};

class StandardsBuild : public ::testing::TestWithParam<Sweep> {};

TEST_P(StandardsBuild, SmallestMiddleAndLargestSizesAtTheirLongestLength) {
  const auto [family, kind] = GetParam();
  test::TestHost host(
      host::ref::SettingsStore::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json"));
  int built = test::VisitSampledSizes(
      family, kind, test::SampledLength::Longest, [&](const test::SampledSize& s) {
        auto component = MakeComponent(kind, s.type, s.values);
        host::ref::SceneDocument doc;
        host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(doc);
        State().page = &doc;
        auto& part = static_cast<SceneShape&>(doc.RootShape().Shapes(host::kShapePart).Add());
        try {
          component->CreateInPart(part);
          host::occt::SolidFigures f = kernel.Figures(part);
          EXPECT_TRUE(f.valid) << s.what;
          EXPECT_EQ(f.solids, 1) << s.what;
          std::string stl = (host.Scratch() / "part.stl").string();
          host::occt::ExportScene(doc, stl);
          EXPECT_EQ(OpenEdges(stl), 0) << s.what << ": the STL mesh is not closed";
          if (kind <= 1) ExpectThreadedFace(*component, kind, f, s.what);
          if (kind >= 3) ExpectOpenHole(kernel, part, *component, kind, f, s.what);
        } catch (const host::RuntimeError& e) {
          ADD_FAILURE() << s.what << ": " << e.what();
        }
      });
  EXPECT_GE(built, 3);
  for (const auto& m : host.Host().Messages()) ADD_FAILURE() << m.title << ": " << m.text;
}

INSTANTIATE_TEST_SUITE_P(
    EveryFamilyAndKind, StandardsBuild,
    ::testing::Values(Sweep{0, 0}, Sweep{0, 1}, Sweep{0, 2}, Sweep{0, 3}, Sweep{0, 4},
                      Sweep{1, 0}, Sweep{1, 1}, Sweep{1, 2}, Sweep{1, 3}, Sweep{1, 4}),
    [](const ::testing::TestParamInfo<Sweep>& param) {
      return std::string(param.param.family == 0 ? "ISO" : "DIN") + kKindNames[param.param.kind];
    });

}  // namespace
