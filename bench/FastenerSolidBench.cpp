// Building fasteners: for each sub-type of Bolt, Screw, ScrewNoHead, Nut and Washer (M10), the
// feature records plus the part's solid with its check and figures, in a fresh scene each time,
// so nothing comes from a cache ("Build/"), the same with every solid combined by booleans as
// the kernel did before it built chamfered prisms face by face ("Booleans/"), and the solid
// alone read from a filled solid cache by a new kernel, as a new process would ("Cached/"); a
// hexagon head and a cross-recessed head alone;
// and the exports of an ISO 4017 M10 x 50 bolt whose solid is
// already evaluated. Times in ms per part; run with --benchmark_repetitions=5 for medians.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "geometry/generaDadi.h"
#include "geometry/generaRosette.h"
#include "geometry/generaTeste.h"
#include "host/Host.h"
#include "host/occt/Export.h"
#include "host/occt/OcctEvaluator.h"
#include "host/reference/ReferenceHost.h"

namespace {

using namespace vormbrace;

void InstallHost() {
  static auto host = [] {
    auto h = std::make_unique<host::ref::ReferenceHost>(host::ref::SettingsStore{});
    host::SetCurrentHost(h.get());
    return h;
  }();
}

HeadedDimensions Headed(std::int32_t type) {
  HeadedDimensions d;
  d.HeaderType = type, d.Diametro = 10, d.lung = 50, d.Passo = 1.5;
  return d;
}

// M10 bolts: hexagon (ISO 4017; 2 with a flange, ISO 4162), plain, square, rod, domed with fin or
// square neck, countersunk with fin or square neck.
HeadedDimensions Bolt(std::int32_t type) {
  HeadedDimensions d = Headed(type);
  switch (type) {
    case 1:
      d.DiamCerchioTesta = 16, d.LungTesta = 6.4;
      break;
    case 2:  // ISO 4162: the flange reaches past the hexagon's corners
      d.DiamCerchioTesta = 13, d.LungTesta = 8.2, d.LungCollarino = 1.5, d.DistFiletto = 24;
      d.DiametroCollarino = 20.8;
      break;
    case 4:
      d.DiamCerchioTesta = 22, d.LungTesta = 7, d.LatoTesta = 17;
      break;
    case 6:
      d.DiamCerchioTesta = 20, d.LungTesta = 6, d.Var1 = 2, d.Var2 = 2;
      break;
    case 7:
      d.DiamCerchioTesta = 24, d.LungTesta = 5.5, d.Var1 = 10, d.Var2 = 6;
      break;
    case 8:
      d.DiamCerchioTesta = 20, d.LungTesta = 5.5, d.Var1 = 2, d.Var2 = 3, d.Var3 = 90;
      break;
    case 9:
      d.DiamCerchioTesta = 20, d.LungTesta = 5.5, d.Var1 = 2, d.Var2 = 3, d.Var3 = 90, d.Var4 = 2;
      break;
    case 10:
      d.DiamCerchioTesta = 20, d.LungTesta = 5.5, d.Var1 = 10, d.Var2 = 8, d.Var3 = 90;
      break;
    default:
      break;
  }
  return d;
}

// M10 screws: socket cap, countersunk socket, button, cheese slotted, countersunk and raised
// countersunk slotted, pan and countersunk cross recesses.
HeadedDimensions Screw(std::int32_t type) {
  HeadedDimensions d = Headed(type);
  d.DistFiletto = 18;
  auto countersunk = [&] { d.DiamCerchioTesta = 18.3, d.LungTesta = 5, d.Var1 = 90; };
  switch (type) {
    case 1:
      d.DiamCerchioTesta = 16, d.LungTesta = 10, d.Var1 = 1, d.Var2 = 8, d.Var3 = 5.5;
      break;
    case 2:
      d.DiamCerchioTesta = 20, d.LungTesta = 5.5, d.Var1 = 90, d.Var2 = 6, d.Var3 = 3.6;
      break;
    case 3:
      d.DiamCerchioTesta = 17.5, d.LungTesta = 5.5, d.Var2 = 6, d.Var3 = 3.3;
      break;
    case 4:
      d.DiamCerchioTesta = 16, d.LungTesta = 6, d.Var1 = 2.5, d.Var2 = 2.4;
      break;
    case 5:
      countersunk(), d.Var2 = 2.5, d.Var3 = 2.4;
      break;
    case 6:
      countersunk(), d.Var2 = 2.5, d.Var3 = 4.4, d.Var4 = 2.3;
      break;
    case 7:
    case 10:
      d.DiamCerchioTesta = 20, d.LungTesta = 6, d.Var1 = 0.4, d.Var2 = 10, d.Var3 = 4, d.Var4 = 1.5;
      break;
    case 8:
    case 11:
      countersunk(), d.Var2 = 9, d.Var3 = 4;
      break;
    default:
      countersunk(), d.Var2 = 9, d.Var3 = 4, d.Var4 = 2.3;
      break;  // 9, 12
  }
  return d;
}

// M10 x 20 set screws with socket or slot and flat, dog, cone and cup points; an M10 stud.
SetScrewDimensions SetScrew(std::int32_t type) {
  SetScrewDimensions d;
  d.ComponentType = type, d.Diametro = 10, d.lung = 20, d.Passo = 1.5, d.SmussoSuperiore = 90;
  d.SmussoInferiore = 90, d.DiamInf = 7;
  if (type <= 4) d.LargIntaglio = 5, d.AltIntaglio = 4;
  if (type > 4) d.LargIntaglio = 1.6, d.AltIntaglio = 3;
  if (type == 2 || type == 6) d.DiamCilindro = 7, d.AltCilindro = 5;
  if (type == 3 || type == 7) d.DiamInf = 2.5;
  if (type == 4 || type == 8) d.DiamCoppa = 5, d.AltCoppa = 1.5;
  if (type == 9) d.lung = 40, d.LungGambo = 15, d.LungRadice = 10, d.AltCalotta = 1;
  return d;
}

// M10 nuts as the shipped tables give them: ISO 4032, DIN 935 (slotted), ISO 7040, DIN 562,
// DIN 557, DIN 1587, DIN 917, DIN 986, DIN 981 KM0.
NutDimensions Nut(std::int32_t type) {
  NutDimensions n;
  n.ComponentType = type, n.DiametroFiletto = 10, n.Passo = 1.5;
  switch (type) {
    case 1:
      n.DiametroEsterno = 16, n.Spessore = 8.4;
      break;
    case 2:
      n.DiametroEsterno = 17, n.InizioCorona = 12, n.LargScanalatura = 4, n.Scanalatura = 2.925;
      n.numCave = 6;
      break;
    case 3:
      n.DiametroEsterno = 16, n.Spessore = 8.04, n.DiametroCorona = 16, n.InizioCorona = 3.86;
      break;
    case 4:
      n.LatoRet = 17, n.Spessore = 5;
      break;
    case 5:
      n.LatoRet = 17, n.DiametroInterno = 21.5, n.Spessore = 8;
      break;
    case 6:
      n.DiametroEsterno = 16, n.Spessore = 8, n.DiametroCalotta = 15, n.DiametroInternoCalotta = 10;
      n.AltezzaCalotta = 10, n.AltezzaInternoCalotta = 5, n.RaggioCalotta = 4.9;
      n.RaggioInternoCalotta = 4.5;
      break;
    case 7:
      n.DiametroEsterno = 17, n.Spessore = 10.65, n.DiametroCalotta = 17, n.AltezzaCalotta = 3.35;
      n.AltezzaInternoCalotta = 1.08, n.RaggioCalotta = 2.27, n.RaggioInternoCalotta = 1.35;
      break;
    case 8:
      n.DiametroEsterno = 17, n.Spessore = 6, n.DiametroCalotta = 15, n.AltezzaCalotta = 7.5;
      n.AltezzaInternoCalotta = 4.9, n.RaggioCalotta = 7.5;
      break;
    default:  // 9
      n.DiametroEsterno = 18, n.DiametroInterno = 17, n.Spessore = 4, n.Scanalatura = 3;
      n.LargScanalatura = 2, n.Passo = 0.75, n.numCave = 4;
      break;
  }
  return n;
}

// M10 washers (M12 for DIN 6916, which starts there): ISO 7089, DIN 127 B, ISO 7090,
// DIN 440 V, DIN 436, DIN 435, DIN 434, DIN 6916.
WasherDimensions Washer(std::int32_t type) {
  WasherDimensions w;
  w.ComponentType = type;
  switch (type) {
    case 1:
      w.DiametroEsterno = 20, w.DiametroInterno = 10.5, w.Spessore = 2;
      break;
    case 2:
      w.DiametroEsterno = 17.2, w.DiametroInterno = 10.2, w.Spessore = 2.2;
      break;
    case 3:
      w.DiametroEsterno = 20, w.DiametroInterno = 10.5, w.Spessore = 2, w.SpessoreSmusso = 1;
      break;
    case 4:
      w.DiametroEsterno = 34, w.lato = 11, w.Spessore = 3;
      break;
    case 5:
      w.DiametroInterno = 11, w.lato = 40, w.Spessore = 4;
      break;
    case 6:
    case 7:
      w.lato = 22, w.Lato1 = 22, w.DiametroInterno = 10, w.SpessoreSmusso = 0.5;
      w.Scanalatura = 0.5, w.Spessore = type == 6 ? 6.14 : 4.68;
      w.Spessore1 = type == 6 ? 3.06 : 2.92;
      break;
    default:  // 8
      w.DiametroEsterno = 24, w.DiametroInterno = 12, w.Spessore = 3, w.SpessoreSmusso = 1.2;
      w.SpessoreSmusso1 = 0.75;
      break;
  }
  return w;
}

using Builder = std::function<void(host::Shape&)>;

// One part per iteration in a new scene: records, solid, check and figures; with chamfered
// prisms built directly, or (`direct` false) by booleans as before.
void BuildPartWith(benchmark::State& state, const Builder& build, bool direct) {
  InstallHost();
  double booleans = 0;  // part solids the kernel combined by booleans, per part
  double directs = 0;   // part solids with a chamfered prism built directly, per part
  for (auto _ : state) {
    host::ref::SceneDocument document;
    host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(document);
    kernel.UseDirectBuilds(direct);
    auto& part =
        static_cast<host::ref::SceneShape&>(document.RootShape().Shapes(host::kShapePart).Add());
    build(part);
    host::occt::SolidFigures f = kernel.Figures(part);
    if (!f.valid) state.SkipWithError("invalid solid");
    benchmark::DoNotOptimize(f.volume);
    booleans += static_cast<double>(kernel.Counts().booleanBuilds);
    directs += static_cast<double>(kernel.Counts().directBuilds);
  }
  state.counters["booleans"] = benchmark::Counter(booleans, benchmark::Counter::kAvgIterations);
  state.counters["direct"] = benchmark::Counter(directs, benchmark::Counter::kAvgIterations);
}

void BuildPart(benchmark::State& state, const Builder& build) { BuildPartWith(state, build, true); }

void BuildPartByBooleans(benchmark::State& state, const Builder& build) {
  BuildPartWith(state, build, false);
}

// The part's solid from the solid cache, as a new process finds it: the records are made once,
// the cache filled by a first kernel; each iteration gives the scene a new kernel (nothing in
// memory) and asks for the solid's figures, which come from the cache folder.
void CachedPart(benchmark::State& state, const Builder& build) {
  InstallHost();
  std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                 ("vormbrace-bench-cache-" + std::to_string(getpid()));
  auto cache = std::make_shared<host::occt::SolidCache>(folder);
  host::ref::SceneDocument document;
  host::occt::AttachKernel(document).UseSolidCache(cache);
  auto& part =
      static_cast<host::ref::SceneShape&>(document.RootShape().Shapes(host::kShapePart).Add());
  build(part);
  if (!host::occt::KernelOf(document)->Figures(part).valid) state.SkipWithError("invalid solid");
  for (auto _ : state) {
    host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(document);
    kernel.UseSolidCache(cache);
    host::occt::SolidFigures f = kernel.Figures(part);
    benchmark::DoNotOptimize(f.volume);
    if (kernel.Counts().cacheHits != 1) state.SkipWithError("the solid was not read from the cache");
  }
  cache->Clear();
  std::filesystem::remove(folder);
}

void Export(benchmark::State& state, const char* extension) {
  InstallHost();
  std::string path =
      (std::filesystem::temp_directory_path() / (std::string("vormbrace-bench") + extension))
          .string();
  for (auto _ : state) {
    state.PauseTiming();
    auto document = std::make_unique<host::ref::SceneDocument>();
    host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(*document);
    auto& part =
        static_cast<host::ref::SceneShape&>(document->RootShape().Shapes(host::kShapePart).Add());
    part.SetName("ISO 4017 M10x50");
    BuildBoltByType(part, Bolt(1));
    kernel.Figures(part);
    state.ResumeTiming();
    host::occt::ExportScene(*document, path);
  }
  std::filesystem::remove(path);
}

// Every type of every kind, built afresh ("Build/..."), built afresh by booleans alone as the
// kernel did before it built chamfered prisms directly ("Booleans/..."), and read from the
// cache ("Cached/...").
void RegisterKinds() {
  struct Kind {
    const char* name;
    std::int32_t types;
    std::function<void(host::Shape&, std::int32_t)> build;
  };
  const Kind kinds[] = {
      {"Bolt", 10, [](host::Shape& p, std::int32_t t) { BuildBoltByType(p, Bolt(t)); }},
      {"Screw", 12, [](host::Shape& p, std::int32_t t) { BuildScrewByType(p, Screw(t)); }},
      {"ScrewNoHead", 9,
       [](host::Shape& p, std::int32_t t) { BuildScrewNoHeadByType(p, SetScrew(t)); }},
      {"Nut", 9, [](host::Shape& p, std::int32_t t) { BuildNutByType(p, Nut(t)); }},
      {"Washer", 8, [](host::Shape& p, std::int32_t t) { BuildWasherByType(p, Washer(t)); }},
  };
  for (const char* road : {"Build", "Booleans", "Cached"}) {
    for (const Kind& kind : kinds) {
      for (std::int32_t t = 1; t <= kind.types; ++t) {
        std::string name = std::string(road) + "/" + kind.name + "/" + std::to_string(t);
        Builder builder = [build = kind.build, t](host::Shape& p) { build(p, t); };
        // CPU time of the whole process: the kernel's booleans run on worker threads too.
        auto run = road[0] == 'C' ? CachedPart : road[1] == 'u' ? BuildPart : BuildPartByBooleans;
        benchmark::RegisterBenchmark(name.c_str(), run, builder)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime();
      }
    }
  }
}

void Register() {
  RegisterKinds();
  // What one boolean costs on the contacts the designs ask for: the hexagon head alone (its
  // chamfer circle touches the six flats) and a countersunk head with only its cross recess
  // (the recess's arcs meet the cone in four curves the kernel must trace). No shank, so each
  // is one cut (after merging the recess's three tools) plus the check.
  Builder hexHead = [](host::Shape& p) { BuildHexHead(p, 16, 6.4, 0); };
  benchmark::RegisterBenchmark("Floor/HexHeadAlone", BuildPart, hexHead)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Floor/HexHeadAloneByBooleans", BuildPartByBooleans, hexHead)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Floor/CrossRecessAlone", BuildPart, Builder([](host::Shape& p) {
                                 BuildCountersunkHead(p, 18.3, 5, 10, host::Value::Double(90));
                                 CutCrossRecess(p, 0, 1.5, 4, 9);
                               }))
      ->Unit(benchmark::kMillisecond);
  for (const char* ext : {".step", ".stl", ".glb"}) {
    benchmark::RegisterBenchmark((std::string("Export/HexBolt") + ext).c_str(), Export, ext)
        ->Unit(benchmark::kMillisecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
