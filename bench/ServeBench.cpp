// The server's share of the page's click-to-preview time: one dialog click answered (a fresh
// dialog loaded and the page's clicks replayed), and a preview built through the drop road and
// exported as glTF (what a choice not built before costs; one built before is a lookup).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "app/AppHost.h"
#include "server/DialogState.h"
#include "server/Preview.h"

namespace {

using namespace vormbrace;

app::AppHost StartBenchHost() {
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "vormbrace-bench";
  std::filesystem::create_directories(folder);
  setenv("VORMBRACE_USER_DIR", folder.c_str(), 1);
  return app::StartHost("");
}

// The page's clicks to ISO 4017 M10: bolts tab, type 1, the second standard, the tenth size.
void DialogClick(benchmark::State& state) {
  app::AppHost app = StartBenchHost();
  const nlohmann::json clicks = nlohmann::json::parse(
      R"([{"kindTab": 0}, {"type": 1}, {"list": "Normativa", "index": 1},
          {"list": "Misura", "index": 9}])");
  for (auto _ : state) {
    nlohmann::json answer = server::DialogAfterClicks(clicks);
    benchmark::DoNotOptimize(answer);
  }
}
BENCHMARK(DialogClick)->Unit(benchmark::kMillisecond);

void PreviewBuilt(benchmark::State& state) {
  app::AppHost app = StartBenchHost();
  DialogScript choice;
  choice.kind = "bolt";
  choice.standard = "ISO 4017";
  choice.size = "M10";
  choice.length = "50";
  const std::filesystem::path scratch = std::filesystem::temp_directory_path() / "vormbrace-bench";
  for (auto _ : state) {
    server::Preview preview = server::BuildPreview(*app.host, choice, scratch);
    benchmark::DoNotOptimize(preview.glb.size());
  }
}
BENCHMARK(PreviewBuilt)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
