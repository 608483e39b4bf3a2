// The record, length and size queries over generated size data files of 10,000 and 100,000
// lines (100 lengths per size), to show that their time grows with the file and nothing else.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "data/FileReadTAB.h"
#include "dialog/ListControl.h"
#include "host/Host.h"
#include "host/reference/ReferenceHost.h"

namespace {

using namespace vormbrace;

constexpr int kLengthsPerSize = 100;

struct Library {
  std::string folder;    // ends in "/"
  std::string index;     // the standards index naming "sizes.tab"
  std::string lastSize;  // the size whose group ends the file
};

host::ref::ReferenceHost& Host() {
  static auto host = [] {
    auto h = std::make_unique<host::ref::ReferenceHost>(host::ref::SettingsStore{});
    host::SetCurrentHost(h.get());
    return h;
  }();
  return *host;
}

// A size data file of `lines` records like the shipped ones: twelve fields, part-number "1".
const Library& MakeLibrary(int lines) {
  static std::map<int, Library> made;
  auto it = made.find(lines);
  if (it != made.end()) return it->second;
  Host();
  Library lib;
  auto dir = std::filesystem::temp_directory_path() / ("vormbrace-bench-" + std::to_string(lines));
  std::filesystem::create_directories(dir);
  lib.folder = dir.string() + "/";
  std::ofstream data(lib.folder + "sizes.tab", std::ios::binary);
  data << "# size|d|l|l-b|dw|e|k|b|P|s|part number|closing\r\n";
  for (int i = 0; i < lines; ++i) {
    int size = i / kLengthsPerSize + 1;
    int length = (i % kLengthsPerSize + 1) * 5;
    lib.lastSize = "M" + std::to_string(size);
    data << lib.lastSize << "|" << size << "|" << length << "|" << length / 2
         << "|14.63|17.77|6.4|26|1.5|16|1|0\r\n";
  }
  std::ofstream(lib.folder + "mat.tab", std::ios::binary) << "8.8\r\n10.9\r\n";
  lib.index = lib.folder + "index.ini";
  std::ofstream(lib.index, std::ios::binary)
      << "[1]\r\n\"sizes.tab\" \"B 1\" \"Bench\" \"Bench\" \"mat.tab\" \"N CxL\"\r\n[2]\r\n";
  return made.emplace(lines, lib).first->second;
}

void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_kB"] = static_cast<double>(usage.ru_maxrss);
}

// The record of the file's last size at its longest length: a scan of the whole file.
void BM_QMisuraVariabili(benchmark::State& state) {
  const Library& lib = MakeLibrary(static_cast<int>(state.range(0)));
  ValueArray values{};
  std::string partNumber;
  for (auto _ : state) {
    bool found =
        QMisuraVariabili(lib.folder + "sizes.tab", lib.lastSize, "500", values, partNumber);
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ReportPeakMemory(state);
}

// The lengths of the last size group: every line up to it is read, then the group.
void BM_QLunghezze(benchmark::State& state) {
  const Library& lib = MakeLibrary(static_cast<int>(state.range(0)));
  ListControl sizes, lengths;
  sizes.SetTag("sizes.tab");
  sizes.AddItem(lib.lastSize);
  sizes.SetItemData(0, static_cast<std::int32_t>(state.range(0)) - kLengthsPerSize + 1);
  sizes.SetListIndex(0);
  for (auto _ : state) {
    QLunghezze(lib.folder, sizes, lengths);
    benchmark::DoNotOptimize(lengths.ListCount());
  }
  if (lengths.ListCount() != kLengthsPerSize) state.SkipWithError("wrong length list");
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ReportPeakMemory(state);
}

// A standard chosen: the size list of the whole file and the materials.
void BM_QData(benchmark::State& state) {
  const Library& lib = MakeLibrary(static_cast<int>(state.range(0)));
  ListControl sizes, materials;
  LabelControl description;
  for (auto _ : state) {
    QData(lib.index, lib.folder, 2, sizes, description, materials);
    benchmark::DoNotOptimize(sizes.ListCount());
  }
  if (sizes.ListCount() != state.range(0) / kLengthsPerSize) state.SkipWithError("wrong sizes");
  state.SetItemsProcessed(state.iterations() * state.range(0));
  ReportPeakMemory(state);
}

BENCHMARK(BM_QMisuraVariabili)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QLunghezze)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QData)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
