// Editing one of 100 copies of a bolt: the double-click, the dialog driven to OK with a new
// size, the edited part and its 99 copies rebuilt in their places, and every part's solid
// evaluated. Sizes alternate between M12 and M10, so that each edit really changes the parts.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "app/AppHost.h"
#include "front/AddInRun.h"
#include "dialog/DropHook.h"
#include "host/occt/OcctEvaluator.h"
#include "host/reference/DropHit.h"

namespace {

using namespace vormbrace;
using host::ref::SceneShape;

constexpr int kCopies = 100;

DialogScript BoltScript(const char* size) {
  DialogScript script;
  script.family = "ISO";
  script.kind = "bolt";
  script.type = 1;
  script.standard = "ISO 4017";
  script.size = size;
  script.length = "40";
  return script;
}

// Runs an entry point with the dialog driven by `script`; false when it was not confirmed.
bool Confirmed(app::AppHost& app, const DialogScript& script,
               const std::function<void()>& entry) {
  DialogPresenter presenter(script);
  front::WithDialog(*app.host, presenter, entry);
  return presenter.Confirmed();
}

void EditOneOfHundredCopies(benchmark::State& state) {
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "vormbrace-bench";
  std::filesystem::create_directories(folder);
  setenv("VORMBRACE_USER_DIR", folder.c_str(), 1);
  app::AppHost app = app::StartHost("");
  host::ref::SceneDocument document;
  host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(document);
  app.host->Attach(document);
  host::ref::RecordedDrop hook(document, host::ref::DropHit{});
  if (!Confirmed(app, BoltScript("M10"), [&] { DropHook().OnDragDrop(hook); })) {
    state.SkipWithError("the drop was not confirmed");
    return;
  }
  SceneShape& first = *document.Root().Children().front();
  for (int i = 1; i < kCopies; ++i) {
    auto& copy = static_cast<SceneShape&>(first.Copy(true));
    host::ref::RigidTransform frame = first.Frame();
    frame.translation = {30.0 * (i % 10), 30.0 * (i / 10), 0};
    copy.SetFrame(frame);
  }
  // In edit mode the kind cannot change: the double-click's dialog is given the size only.
  DialogScript sizes[2];
  sizes[0].size = "M12";
  sizes[1].size = "M10";
  int edits = 0;
  for (auto _ : state) {
    SceneShape& edited = *document.Root().Children()[static_cast<std::size_t>(edits % kCopies)];
    if (!Confirmed(app, sizes[edits % 2], [&] { app.host->DoubleClick(edited); })) {
      state.SkipWithError("the edit was not confirmed");
      break;
    }
    for (auto& part : document.Root().Children()) {
      benchmark::DoNotOptimize(kernel.Figures(*part).volume);
    }
    ++edits;
  }
  state.SetLabel("ISO 4017 M10x40 <-> M12x40, 100 copies");
}

}  // namespace

BENCHMARK(EditOneOfHundredCopies)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK_MAIN();
