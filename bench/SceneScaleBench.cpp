// Scenes of 10, 100 and 1,000 fasteners (10 distinct parts, each placed N/10 times): save,
// load, inspect (the scene as JSON with every part's solid figures) and export to STEP and
// GLB. Export counters give the file size. The 10 parts are dropped once through the dialog;
// the bigger scenes repeat them in the scene file at new places, as copies a designer pastes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "app/AppHost.h"
#include "front/AddInRun.h"
#include "app/ExportSettings.h"
#include "host/occt/Export.h"
#include "host/occt/OcctEvaluator.h"
#include "host/reference/DropHit.h"
#include "host/reference/SceneFile.h"

namespace {

using namespace vormbrace;
using nlohmann::json;
namespace fs = std::filesystem;

struct Choice {
  const char* kind;
  const char* standard;
  const char* size;
  const char* length;
};

// Ten distinct M8 and M10 fasteners.
constexpr Choice kParts[] = {
    {"bolt", "ISO 4017", "M10", "30"},     {"bolt", "ISO 4017", "M10", "50"},
    {"bolt", "ISO 4017", "M8", "40"},      {"bolt", "ISO 4014", "M10", "60"},
    {"screw", "ISO 4762", "M10", "30"},    {"screw", "ISO 4762", "M8", "25"},
    {"setscrew", "ISO 4026", "M10", "12"}, {"washer", "ISO 7089", "M10", ""},
    {"nut", "ISO 4032", "M10", ""},        {"nut", "ISO 4032", "M8", ""}};

fs::path Folder() {
  fs::path folder = fs::temp_directory_path() / "vormbrace-scale-bench";
  fs::create_directories(folder);
  return folder;
}

app::AppHost& Host() {
  static app::AppHost app = [] {
    setenv("VORMBRACE_USER_DIR", Folder().c_str(), 1);
    return app::StartHost("");
  }();
  return app;
}

// The ten parts dropped through the dialog, as a scene file's JSON.
const json& TenParts() {
  static const json scene = [] {
    app::AppHost& app = Host();
    host::ref::SceneDocument document;
    host::occt::AttachKernel(document);
    for (const Choice& c : kParts) {
      DialogScript script;
      script.family = "ISO";
      script.kind = c.kind;
      script.standard = c.standard;
      script.size = c.size;
      script.length = c.length;
      host::ref::RecordedDrop hook(document, host::ref::DropHit{});
      DialogPresenter presenter(script);
      front::DropWithDialog(*app.host, hook, presenter);
      if (!presenter.Confirmed()) throw std::runtime_error(presenter.Error());
    }
    fs::path path = Folder() / "ten.json";
    host::ref::SaveScene(document, path.string());
    return json::parse(std::ifstream(path));
  }();
  return scene;
}

// Gives every shape under `node` a fresh id and system name.
void Renumber(json& node, int& nextId) {
  if (node.contains("id")) {
    node["id"] = nextId;
    std::string name = node["systemName"].get<std::string>();
    name.erase(name.find_first_of("0123456789"));
    node["systemName"] = name + std::to_string(nextId);
    ++nextId;
  }
  for (json& child : node["children"]) Renumber(child, nextId);
}

// A scene file of `count` fasteners: the ten parts each placed count / 10 times on a grid.
std::string SceneOf(int count) {
  fs::path path = Folder() / ("scene" + std::to_string(count) + ".json");
  if (fs::exists(path)) return path.string();
  json scene = TenParts();
  json parts = scene["root"]["children"];
  json& children = scene["root"]["children"];
  children = json::array();
  int nextId = 1;
  Renumber(scene["root"], nextId);
  for (int i = 0; i < count; ++i) {
    json part = parts[static_cast<std::size_t>(i % 10)];
    Renumber(part, nextId);
    for (json& component : part["components"]) {
      if (component["code"] != 4) continue;  // the part's position in the scene
      auto& variables = component["items"][0]["variables"];
      variables[0]["value"] = {{"f64", 30.0 * (i % 10)}};
      variables[1]["value"] = {{"f64", 30.0 * (i / 10)}};
    }
    children.push_back(part);
  }
  std::ofstream(path) << scene.dump();
  return path.string();
}

std::unique_ptr<host::ref::SceneDocument> LoadWithSolids(int count) {
  auto document = host::ref::LoadScene(SceneOf(count));
  host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(*document);
  for (auto& part : document->Root().Children()) kernel.Figures(*part);
  return document;
}

void SetCounters(benchmark::State& state) {
  state.counters["fasteners"] = static_cast<double>(state.range(0));
  state.counters["fasteners/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * state.range(0)), benchmark::Counter::kIsRate);
}

void Save(benchmark::State& state) {
  auto document = host::ref::LoadScene(SceneOf(static_cast<int>(state.range(0))));
  std::string path = (Folder() / "saved.json").string();
  for (auto _ : state) host::ref::SaveScene(*document, path);
  state.counters["bytes"] = static_cast<double>(fs::file_size(path));
  SetCounters(state);
}

void Load(benchmark::State& state) {
  std::string path = SceneOf(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(host::ref::LoadScene(path));
  SetCounters(state);
}

// What inspect does: the scene's records as JSON and every part's figures, from a fresh load
// (the kernel's caches fill as they would in the command).
void Inspect(benchmark::State& state) {
  std::string path = SceneOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto document = host::ref::LoadScene(path);
    host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(*document);
    json out = host::ref::SceneToJson(*document);
    double volume = 0;
    for (auto& part : document->Root().Children()) volume += kernel.Figures(*part).volume;
    benchmark::DoNotOptimize(out.dump().size() + static_cast<std::size_t>(volume));
  }
  SetCounters(state);
}

// The export of a loaded scene whose solids are already evaluated: what `export` adds.
void Export(benchmark::State& state, const char* extension) {
  auto document = LoadWithSolids(static_cast<int>(state.range(0)));
  std::string path = (Folder() / (std::string("scene") + extension)).string();
  host::occt::ExportOptions options = app::ExportOptionsFor(Host());
  for (auto _ : state) host::occt::ExportScene(*document, path, options);
  state.counters["bytes"] = static_cast<double>(fs::file_size(path));
  SetCounters(state);
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(Save)->Apply(Sizes);
BENCHMARK(Load)->Apply(Sizes);
BENCHMARK(Inspect)->Apply(Sizes);
BENCHMARK_CAPTURE(Export, Step, ".step")->Apply(Sizes);
BENCHMARK_CAPTURE(Export, Glb, ".glb")->Apply(Sizes);
BENCHMARK_MAIN();
