// The whole drop command on a scene holding a large imported part: a 400 x 300 x 10 plate with
// 300 holes of 10.5, made here and exported to STEP, imported into a scene; then `vormbrace
// drop SCENE --at .. --dir ..` puts an ISO 4017 M10x50 bolt into one of its holes, as a
// designer's command would, once the plate is in the solid cache (a first run fills it), and
// without the cache. Wall time per command, and the command's CPU time as the counter "cpu_ms".
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "host/Host.h"
#include "host/occt/Export.h"
#include "host/occt/Import.h"
#include "host/occt/OcctEvaluator.h"
#include "host/reference/ReferenceHost.h"
#include "host/reference/SceneFile.h"

namespace {

namespace fs = std::filesystem;

constexpr int kColumns = 20, kRows = 15;
constexpr double kPitch = 20, kThickness = 10, kHoleRadius = 5.25;

void Set(host::Component& c, std::initializer_list<double> values) {
  std::int32_t i = 1;
  for (double v : values) c.Variable(i++).SetValue(host::Value::Double(v));
}

// The plate as one extruded feature: the outline and 300 circles, the circles being holes by
// the even-odd rule. Its top face lies at z = 0.
void WritePlate(const fs::path& step) {
  host::ref::SceneDocument document;
  host::occt::AttachKernel(document);
  auto& part =
      static_cast<host::ref::SceneShape&>(document.RootShape().Shapes(host::kShapePart).Add());
  part.SetName("plate");
  host::Shape& block = part.Components(23).Item(1).Shapes(host::kShapeExtruded).Add();
  const double w = kColumns * kPitch, d = kRows * kPitch;
  Set(block.Components(1).Item(1), {w, d, kThickness});
  Set(block.Components(5).Item(1), {0, 0, kThickness});
  host::Profile& profile = block.Components(15).Item(1).Profile();
  host::Component& outline = profile.Components(3).Add();
  outline.SetStartPoint(0, 0);
  outline.AddLineTo(w, 0);
  outline.AddLineTo(w, d);
  outline.AddLineTo(0, d);
  outline.AddLineTo(0, 0);
  for (int i = 0; i < kColumns; ++i) {
    for (int j = 0; j < kRows; ++j) {
      host::Component& hole = profile.Components(3).Add();
      hole.SetStartPoint(0, 0);
      hole.AddEllipse((i + 0.5) * kPitch, (j + 0.5) * kPitch, kHoleRadius);
    }
  }
  block.Update();
  host::occt::ExportScene(document, step.string());
}

double ChildrenCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void PlateDrop(benchmark::State& state) {
  static auto host = std::make_unique<host::ref::ReferenceHost>(host::ref::SettingsStore{});
  host::SetCurrentHost(host.get());
  fs::path folder = fs::temp_directory_path() / ("vormbrace-plate-" + std::to_string(getpid()));
  fs::create_directories(folder);
  fs::path step = folder / "plate.step", scene = folder / "scene.json";
  WritePlate(step);
  {
    host::ref::SceneDocument document;
    host::occt::AttachKernel(document);
    host::occt::ImportStepPart(document, step.string());
    host::ref::SaveScene(document, scene.string());
  }
  state.counters["step_MB"] = static_cast<double>(fs::file_size(step)) / 1e6;
  // Onto the wall of the first hole (axis at x = y = 10), slanting down into it.
  std::string command = "cd '" + folder.string() + "' && XDG_CACHE_HOME='" + folder.string() +
                        "/cache' VORMBRACE_USER_DIR='" + folder.string() + "/user' '" VORMBRACE_EXE
                        "' " + (state.range(0) == 0 ? "--no-cache " : "") +
                        "drop scene.json --at 14,10,1 --dir 1,0,-1 --standard 'ISO 4017' "
                        "--size M10 --length 50 -o out.json >/dev/null";
  if (std::system(command.c_str()) != 0) state.SkipWithError("the drop failed");
  double cpu = 0;
  for (auto _ : state) {
    double before = ChildrenCpuMs();
    if (std::system(command.c_str()) != 0) state.SkipWithError("the drop failed");
    cpu += ChildrenCpuMs() - before;
  }
  state.counters["cpu_ms"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
  if (std::getenv("VORMBRACE_BENCH_KEEP") == nullptr) fs::remove_all(folder);
}

}  // namespace

// 0: with --no-cache, as before the solid cache; 1: with the cache filled by a first run.
BENCHMARK(PlateDrop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
