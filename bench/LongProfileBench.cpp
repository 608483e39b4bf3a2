// Scenes that are large in one record rather than in parts: a part extruded from one loop of N
// straight segments (a star of N/2 points), and a small part whose name is N bytes long. Load,
// inspect (the scene as JSON and the part's solid figures), STEP export and reading the STEP
// file back as an imported part should each grow in proportion to N.
//
// CPU seconds of the benchmark's thread on the shared 2-core machine (December 2026):
//   export   10,000: 5.3 -> 4.8    30,000: 19.9 -> 16.4    100,000: 102.6 -> 60.3
//   inspect  10,000: 2.3           30,000: 6.7             100,000: 25.1
//   import    1,000: 1.8 -> 1.0     3,000: 40.7 -> 3.4      10,000: over 120 (stopped) -> 12.9
// Export wrote each long edge loop whole before (the translator's sort of a loop grows with
// the square of its length); now in runs (StepLoopPieces). The rest of export is the
// translator's own work per entity (about 80 entities and 4 KB of text per segment). Import
// checked every entity on reading (skipped now, as on writing) and repaired each long loop by
// comparing every pair of its edges (now left out when a loop is long and what is read is valid);
// the rest is the reader's per-entity work and its repair's ordering of each loop. Inspect
// spends two thirds in the validity check, mostly the kernel's checker on the small faces.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "host/Component.h"
#include "host/Shape.h"
#include "host/Value.h"
#include "host/occt/Export.h"
#include "host/occt/Import.h"
#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneFile.h"

namespace {

namespace fs = std::filesystem;

constexpr double kHeight = 5;

fs::path Folder() {
  fs::path folder = fs::temp_directory_path() / "vormbrace-long-profile-bench";
  fs::create_directories(folder);
  return folder;
}

void SetValues(host::Component& c, std::initializer_list<double> values) {
  std::int32_t i = 1;
  for (double v : values) c.Variable(i++).SetValue(host::Value::Double(v));
}

// A scene of one part named `name`: an extruded star of `segments` sides (an even number, at
// least 4) between radii 40 and 38.
std::string SceneFile(int segments, const std::string& name, const std::string& file) {
  fs::path path = Folder() / file;
  if (fs::exists(path)) return path.string();
  host::ref::SceneDocument document;
  auto& part =
      static_cast<host::ref::SceneShape&>(document.RootShape().Shapes(host::kShapePart).Add());
  part.SetName(name);
  host::Shape& block = part.Components(23).Item(1).Shapes(host::kShapeExtruded).Add();
  SetValues(block.Components(1).Item(1), {80, 80, kHeight});
  SetValues(block.Components(5).Item(1), {0, 0, kHeight});
  host::Component& loop = block.Components(15).Item(1).Profile().Components(3).Add();
  for (int i = 0; i <= segments; ++i) {
    double angle = 2 * M_PI * (i % segments) / segments;
    double radius = i % 2 == 0 ? 40 : 38;
    double x = radius * std::cos(angle), y = radius * std::sin(angle);
    if (i == 0) {
      loop.SetStartPoint(x, y);
    } else {
      loop.AddLineTo(x, y);
    }
  }
  block.Update();
  host::ref::SaveScene(document, path.string());
  return path.string();
}

std::string StarScene(int segments) {
  return SceneFile(segments, "Star", "star" + std::to_string(segments) + ".json");
}

std::string LongNameScene(int bytes) {
  return SceneFile(4, std::string(static_cast<std::size_t>(bytes), 'N'),
                   "name" + std::to_string(bytes) + ".json");
}

void Counters(benchmark::State& state, const char* what) {
  state.counters[what] = static_cast<double>(state.range(0));
  state.counters[std::string(what) + "/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * state.range(0)), benchmark::Counter::kIsRate);
}

void LoadLongProfile(benchmark::State& state) {
  std::string path = StarScene(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(host::ref::LoadScene(path));
  Counters(state, "segments");
}

// What inspect does, from a fresh load without the solid cache.
void InspectLongProfile(benchmark::State& state) {
  std::string path = StarScene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto document = host::ref::LoadScene(path);
    host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(*document);
    nlohmann::json out = host::ref::SceneToJson(*document);
    double volume = kernel.Figures(*document->Root().Children().front()).volume;
    benchmark::DoNotOptimize(out.dump().size() + static_cast<std::size_t>(volume));
  }
  Counters(state, "segments");
}

void Export(benchmark::State& state, const std::string& scene) {
  auto document = host::ref::LoadScene(scene);
  host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(*document);
  kernel.Figures(*document->Root().Children().front());
  std::string path = (Folder() / "out.step").string();
  for (auto _ : state) host::occt::ExportScene(*document, path);
  state.counters["file bytes"] = static_cast<double>(fs::file_size(path));
}

void ExportLongProfile(benchmark::State& state) {
  Export(state, StarScene(static_cast<int>(state.range(0))));
  Counters(state, "segments");
}

// Reading the star's STEP file back as an imported part (without the solid cache).
void ImportLongProfile(benchmark::State& state) {
  const int segments = static_cast<int>(state.range(0));
  fs::path step = Folder() / ("star" + std::to_string(segments) + ".step");
  if (!fs::exists(step)) {
    auto document = host::ref::LoadScene(StarScene(segments));
    host::occt::AttachKernel(*document);
    host::occt::ExportScene(*document, step.string());
  }
  for (auto _ : state) {
    host::ref::SceneDocument document;
    benchmark::DoNotOptimize(&host::occt::ImportStepPart(document, step.string()));
  }
  Counters(state, "segments");
}

void ExportLongName(benchmark::State& state) {
  Export(state, LongNameScene(static_cast<int>(state.range(0))));
  Counters(state, "name bytes");
}

void Segments(benchmark::internal::Benchmark* b) {
  b->Arg(1000)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(LoadLongProfile)->Apply(Segments);
BENCHMARK(InspectLongProfile)->Apply(Segments);
BENCHMARK(ExportLongProfile)->Apply(Segments);
BENCHMARK(ImportLongProfile)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportLongName)->Arg(1000)->Arg(100000)->Arg(1000000)->Arg(5000000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
