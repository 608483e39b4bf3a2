// Drawings: one ISO 4017 M10x50 bolt in three views (front, top, right), and a scene of 100
// fasteners (bolts, screws, set screws, washers and nuts of M10 on a 10 x 10 grid) in one view.
// Each measures the views with hidden lines and cosmetic threads and the SVG sheet; "warm"
// reuses the document's part solids, "cold" loads the scene afresh and builds them too.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "app/AppHost.h"
#include "front/AddInRun.h"
#include "host/occt/Drawing.h"
#include "host/occt/OcctEvaluator.h"
#include "host/reference/DrawingSheet.h"
#include "host/reference/DropHit.h"
#include "host/reference/SceneFile.h"

namespace {

using namespace vormbrace;

struct Choice {
  const char* kind;
  const char* standard;
  const char* length;
};

constexpr Choice kBolt = {"bolt", "ISO 4017", "50"};
constexpr Choice kMix[] = {kBolt,
                           {"screw", "ISO 4762", "40"},
                           {"setscrew", "ISO 4026", "12"},
                           {"washer", "ISO 7089", ""},
                           {"nut", "ISO 4032", ""}};

// Drops each choice on nothing at its point, as the command line does, and saves the scene.
std::string MakeScene(app::AppHost& app,
                      const std::vector<std::pair<Choice, host::ref::Vec3>>& drops,
                      const std::string& name) {
  host::ref::SceneDocument document;
  for (const auto& [choice, at] : drops) {
    DialogScript script;
    script.family = "ISO";
    script.kind = choice.kind;
    script.standard = choice.standard;
    script.size = "M10";
    script.length = choice.length;
    DialogPresenter presenter(script);
    host::ref::DropHit hit;
    hit.dropPoint = at;
    host::ref::RecordedDrop hook(document, hit);
    front::DropWithDialog(*app.host, hook, presenter);
  }
  std::string path = (std::filesystem::temp_directory_path() / "vormbrace-bench" / name).string();
  host::ref::SaveScene(document, path);
  return path;
}

app::AppHost& Host() {
  static app::AppHost app = [] {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "vormbrace-bench";
    std::filesystem::create_directories(folder);
    setenv("VORMBRACE_USER_DIR", folder.c_str(), 1);
    return app::StartHost("");
  }();
  return app;
}

const std::string& BoltScene() {
  static const std::string path = MakeScene(Host(), {{kBolt, {0, 0, 0}}}, "drawing-bolt.json");
  return path;
}

const std::string& HundredScene() {
  static const std::string path = [] {
    std::vector<std::pair<Choice, host::ref::Vec3>> drops;
    for (int i = 0; i < 100; ++i) {
      drops.push_back({kMix[i % 5], {40.0 * (i % 10), 40.0 * (i / 10), 0}});
    }
    return MakeScene(Host(), drops, "drawing-100.json");
  }();
  return path;
}

void Draw(benchmark::State& state, const std::string& scene, std::vector<std::string> views,
          bool warm) {
  host::occt::DrawingRequest request{std::move(views), "", false};
  auto document = host::ref::LoadScene(scene);
  if (warm) host::occt::DrawViews(*document, Host().host->Classes(), request);
  for (auto _ : state) {
    if (!warm) {
      state.PauseTiming();
      document = host::ref::LoadScene(scene);
      state.ResumeTiming();
    }
    auto drawn = host::occt::DrawViews(*document, Host().host->Classes(), request);
    benchmark::DoNotOptimize(host::ref::DrawingSvg(drawn, "bench").size());
  }
}

void BoltThreeViews(benchmark::State& state) {
  Draw(state, BoltScene(), {"front", "top", "right"}, state.range(0) == 1);
  state.SetLabel(state.range(0) == 1 ? "warm" : "cold");
}

void HundredFastenersOneView(benchmark::State& state) {
  Draw(state, HundredScene(), {"front"}, state.range(0) == 1);
  state.SetLabel(state.range(0) == 1 ? "warm" : "cold");
}

}  // namespace

BENCHMARK(BoltThreeViews)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(HundredFastenersOneView)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
