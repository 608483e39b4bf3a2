// The whole road of a drop, per kind: the drop analysed, the selection dialog driven to OK, the
// part created with its records, its solid evaluated and checked, and the scene saved. Reports
// parts per second; the second argument 1 takes the solid from a filled solid cache, as every
// drop after the first (or after `vormbrace cache warm`) does.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/AppHost.h"
#include "dialog/DialogPresenter.h"
#include "dialog/DropHook.h"
#include "host/occt/OcctEvaluator.h"
#include "host/reference/DropHit.h"
#include "host/reference/SceneFile.h"

namespace {

using namespace vormbrace;

struct Choice {
  const char* kind;
  const char* standard;
  const char* length;
};

// An M10 of a common standard per kind.
constexpr Choice kChoices[] = {{"bolt", "ISO 4017", "50"},
                               {"screw", "ISO 4762", "50"},
                               {"setscrew", "ISO 4026", "12"},
                               {"washer", "ISO 7089", ""},
                               {"nut", "ISO 4032", ""}};

void DropRoad(benchmark::State& state) {
  const Choice& choice = kChoices[state.range(0)];
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "vormbrace-bench";
  std::filesystem::create_directories(folder);
  setenv("VORMBRACE_USER_DIR", folder.c_str(), 1);
  app::AppHost app = app::StartHost("");
  DialogScript script;
  script.family = "ISO";
  script.kind = choice.kind;
  script.standard = choice.standard;
  script.size = "M10";
  script.length = choice.length;
  std::string scenePath = (folder / "scene.json").string();
  std::shared_ptr<host::occt::SolidCache> cache;
  if (state.range(1) == 1) cache = std::make_shared<host::occt::SolidCache>(folder / "cache");
  host::occt::SetDefaultSolidCache(cache);
  for (auto _ : state) {
    host::ref::SceneDocument document;
    host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(document);
    host::ref::RecordedDrop hook(document, host::ref::DropHit{});
    DialogPresenter presenter(script);
    app.host->SetPresenter([&presenter](host::ModalForm& form) { presenter.Present(form); });
    DropHook().OnDragDrop(hook);
    if (!presenter.Confirmed()) {
      state.SkipWithError(presenter.Error().c_str());
      break;
    }
    auto& part = *document.Root().Children().back();
    benchmark::DoNotOptimize(kernel.Figures(part).valid);
    host::ref::SaveScene(document, scenePath);
  }
  app.host->SetPresenter(nullptr);
  host::occt::SetDefaultSolidCache(nullptr);
  if (cache) cache->Clear();
  state.SetLabel(std::string(choice.kind) + " " + choice.standard + " M10" +
                 (cache ? ", cached" : ""));
  state.counters["parts/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(DropRoad)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_MAIN();
