// The server's share of the page's click-to-preview time: one dialog click answered (a fresh
// dialog loaded and the page's clicks replayed), and a preview built through the drop road and
// exported as glTF (what a choice not built before costs; one built before is a lookup). Then
// the changes to a placed bolt: the dialog opened on a drop on it, an edit through the dialog
// opened on it, a typed length, and the scene's SVG drawing, each as the page's request runs
// them.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "app/AppHost.h"
#include "server/DialogState.h"
#include "server/Preview.h"
#include "server/SceneSession.h"

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

// A scene in memory holding an ISO 4017 M10x50 bolt set down at the origin; answers its id.
std::int32_t PlaceBolt(server::SceneSession& scene) {
  DialogScript choice;
  choice.kind = "bolt";
  choice.standard = "ISO 4017";
  choice.size = "M10";
  choice.length = "50";
  return scene.Drop(scene.Version(), choice, server::DropPlace{})["added"][0].get<std::int32_t>();
}

int EntryIndex(const nlohmann::json& list, const std::string& entry) {
  const nlohmann::json& entries = list["entries"];
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] == entry) return static_cast<int>(i);
  }
  std::abort();
}

// OK in the page's edit: the bolt goes from M10 to M12 and back, a size each time.
void EditRebuild(benchmark::State& state) {
  app::AppHost app = StartBenchHost();
  server::SceneSession scene(*app.host, "", false, std::filesystem::temp_directory_path());
  const std::int32_t bolt = PlaceBolt(scene);
  const nlohmann::json sizes = scene.EditDialog(bolt, nlohmann::json::array())["Misura"];
  const int sizeIndex[] = {EntryIndex(sizes, "M12"), EntryIndex(sizes, "M10")};
  int turn = 0;
  for (auto _ : state) {
    const nlohmann::json clicks = {{{"list", "Misura"}, {"index", sizeIndex[turn++ % 2]}}};
    benchmark::DoNotOptimize(scene.Edit(scene.Version(), bolt, clicks));
  }
}
BENCHMARK(EditRebuild)->Unit(benchmark::kMillisecond);

// A click in the scene view on the bolt's shank: the dialog opened on that drop (the pick, the
// drop's analysis, the dialog with the bolt's size and the assembly box), then cancelled.
void DropDialogOnBolt(benchmark::State& state) {
  app::AppHost app = StartBenchHost();
  server::SceneSession scene(*app.host, "", false, std::filesystem::temp_directory_path());
  PlaceBolt(scene);
  const server::DropPlace onShank{{20, 0, -25}, host::ref::Vec3{-1, 0, 0}};
  const nlohmann::json none = nlohmann::json::array();
  for (auto _ : state) benchmark::DoNotOptimize(scene.DropDialog(onShank, none, none));
}
BENCHMARK(DropDialogOnBolt)->Unit(benchmark::kMillisecond);

// A length typed into the bolt: 40 and 50 in turn.
void LengthTyped(benchmark::State& state) {
  app::AppHost app = StartBenchHost();
  server::SceneSession scene(*app.host, "", false, std::filesystem::temp_directory_path());
  const std::int32_t bolt = PlaceBolt(scene);
  int turn = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.TypeLength(scene.Version(), bolt, turn++ % 2 ? 50 : 40, ""));
  }
}
BENCHMARK(LengthTyped)->Unit(benchmark::kMillisecond);

// The scene's drawing download: front and top views of the bolt with its thread.
void SceneDrawing(benchmark::State& state) {
  app::AppHost app = StartBenchHost();
  server::SceneSession scene(*app.host, "", false, std::filesystem::temp_directory_path());
  PlaceBolt(scene);
  for (auto _ : state) benchmark::DoNotOptimize(scene.Drawing());
}
BENCHMARK(SceneDrawing)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
