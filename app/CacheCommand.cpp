// vormbrace cache: what the solid cache holds, emptying it, and warming it with every head and
// nut of a part of the library, built by worker processes (one per core) so that a designer's
// first drop of the day finds its solid there.
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/CatalogWalk.h"
#include "app/Commands.h"
#include "app/FastenerPart.h"
#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "data/Settings.h"
#include "host/occt/OcctEvaluator.h"

namespace vormbrace::app {
namespace {

struct WarmOptions {
  std::string family, standard;
  int workers = 2;
};

// One standard's size, to be built at its first length.
struct WarmJob {
  std::int16_t family, kind, type;
  std::int32_t standard, size;
};

// The kinds with heads or nut bodies, whose booleans are what a drop waits for.
constexpr std::int16_t kWarmKinds[] = {0, 1, 4};

std::vector<WarmJob> CollectJobs(AppHost& app, const WarmOptions& o, std::int16_t family) {
  std::vector<WarmJob> jobs;
  CatalogWalk walk(*app.host);
  for (std::int16_t kind : kWarmKinds) {
    walk.SelectKind(family, kind);
    for (std::int16_t type = 1; type <= Kinds()[kind].typeCount; ++type) {
      if (!walk.SelectType(type)) continue;
      for (std::int32_t s = 0; s < walk.normativa.ListCount(); ++s) {
        if (!o.standard.empty() && walk.normativa.List(s) != o.standard) continue;
        walk.SelectStandard(s);
        for (std::int32_t size = 0; size < walk.misura.ListCount(); ++size) {
          jobs.push_back({family, kind, type, s, size});
        }
      }
    }
  }
  return jobs;
}

// Builds the job's part in a scene of its own, so that its solid (and the booleans that made
// it) land in the cache. False, with a line on standard error, when it makes no valid solid.
bool WarmOne(AppHost& app, const WarmJob& job) {
  CatalogWalk walk(*app.host);
  walk.SelectKind(job.family, job.kind);
  std::string what;
  try {
    walk.SelectType(job.type);
    walk.SelectStandard(job.standard);
    walk.SelectSize(job.size);
    what = walk.normativa.Text() + " " + walk.misura.Text();
    std::string length = walk.lunghezza.ListCount() > 0 ? walk.lunghezza.List(0) : "";
    std::string material = walk.materiale.ListCount() > 0 ? walk.materiale.List(0) : "";
    RunTimeState& s = State();
    if (!QMisuraVariabili(s.paths.dataFolder + walk.misura.Tag(), walk.misura.Text(), length,
                          s.values, s.partNumberText)) {
      std::cerr << "vormbrace cache warm: " << what << ": no record\n";
      return false;
    }
    auto component =
        NewComponentFromDialog(job.kind, WalkChoices(walk, material, length.empty() ? "100" : length));
    host::ref::SceneDocument document;
    host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(document);
    host::Shape& part = document.RootShape().Shapes(host::kShapePart).Add();
    BuildFastenerPart(job.kind, *component, part);
    if (!kernel.Figures(static_cast<host::ref::SceneShape&>(part)).valid) {
      std::cerr << "vormbrace cache warm: " << what << ": the solid is not valid\n";
      return false;
    }
    return true;
  } catch (const std::exception& e) {
    std::cerr << "vormbrace cache warm: " << what << ": " << e.what() << "\n";
    return false;
  }
}

void DrawProgress(std::size_t done, std::size_t total) {
  constexpr int kWidth = 40;
  int filled = total == 0 ? kWidth : static_cast<int>(kWidth * done / total);
  std::fprintf(stderr, "\rwarming [%s%s] %zu/%zu", std::string(filled, '#').c_str(),
               std::string(kWidth - filled, ' ').c_str(), done, total);
  std::fflush(stderr);
}

// Runs the jobs in `workers` child processes, job i in worker i mod workers; each reports one
// byte per job on its pipe ('+' built, '-' failed). Answers the number that failed.
std::size_t RunWorkers(AppHost& app, const std::vector<WarmJob>& jobs, int workers) {
  std::vector<int> pipes;
  std::vector<pid_t> children;
  for (int w = 0; w < workers; ++w) {
    int ends[2];
    if (::pipe(ends) != 0) break;
    pid_t child = ::fork();
    if (child == 0) {
      ::close(ends[0]);
      for (std::size_t i = static_cast<std::size_t>(w); i < jobs.size();
           i += static_cast<std::size_t>(workers)) {
        char report = WarmOne(app, jobs[i]) ? '+' : '-';
        if (::write(ends[1], &report, 1) != 1) break;
      }
      std::cerr.flush();
      ::_exit(0);
    }
    ::close(ends[1]);
    if (child < 0) {
      ::close(ends[0]);
      break;
    }
    pipes.push_back(ends[0]);
    children.push_back(child);
  }
  std::size_t done = 0, failed = 0;
  bool bar = ::isatty(STDERR_FILENO) != 0;
  std::vector<pollfd> open;
  for (int fd : pipes) open.push_back({fd, POLLIN, 0});
  while (!open.empty()) {
    if (bar) DrawProgress(done, jobs.size());
    if (::poll(open.data(), open.size(), -1) < 0) break;
    for (std::size_t i = 0; i < open.size();) {
      if (open[i].revents == 0) {
        ++i;
        continue;
      }
      char reports[64];
      ssize_t n = ::read(open[i].fd, reports, sizeof reports);
      if (n <= 0) {
        ::close(open[i].fd);
        open.erase(open.begin() + static_cast<std::ptrdiff_t>(i));
        continue;
      }
      for (ssize_t k = 0; k < n; ++k) failed += reports[k] == '-' ? 1 : 0;
      done += static_cast<std::size_t>(n);
      ++i;
    }
  }
  for (pid_t child : children) ::waitpid(child, nullptr, 0);
  if (bar) {
    DrawProgress(done, jobs.size());
    std::fprintf(stderr, "\n");
  }
  // A worker that died took its remaining jobs with it.
  return failed + (jobs.size() - done);
}

int Warm(AppHost& app, const WarmOptions& o) {
  if (!app.cache) {
    std::cerr << "vormbrace cache warm: --no-cache leaves nothing to warm\n";
    return 1;
  }
  LoadLanguage();
  std::vector<WarmJob> jobs;
  std::size_t familyCount = ReadFamilyCaptions().size();
  if (!o.family.empty()) {
    std::optional<std::int16_t> family = FindFamily(o.family);
    if (!family) {
      std::cerr << "vormbrace cache warm: no standards family \"" << o.family << "\"\n";
      return 1;
    }
    jobs = CollectJobs(app, o, *family);
  } else {
    for (std::size_t f = 0; f < familyCount; ++f) {
      std::vector<WarmJob> more = CollectJobs(app, o, static_cast<std::int16_t>(f));
      jobs.insert(jobs.end(), more.begin(), more.end());
    }
  }
  if (jobs.empty()) {
    std::cerr << "vormbrace cache warm: no head or nut matches the choice\n";
    return 1;
  }
  // Children must not inherit unwritten output.
  std::cout.flush();
  std::size_t failed = RunWorkers(app, jobs, o.workers);
  std::cout << "warmed " << jobs.size() - failed << " of " << jobs.size() << " heads and nuts in "
            << app.cache->Folder().string() << "\n";
  return failed == 0 ? 0 : 1;
}

std::string Megabytes(std::uintmax_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f MB", static_cast<double>(bytes) / 1e6);
  return text;
}

}  // namespace

void AddCacheCommand(CLI::App& cli, CommandTable& commands) {
  CLI::App* cache = cli.add_subcommand(
      "cache",
      "The solid cache, where evaluated solids are kept across runs: "
      "$XDG_CACHE_HOME/vormbrace, else ~/.cache/vormbrace. It holds at most 1 GB; the entries "
      "used least recently go first. --no-cache bypasses it.");
  cache->require_subcommand(1);

  CLI::App* stats = cache->add_subcommand("stats", "Print the cache's folder, entries and size");
  commands.emplace_back(stats, [](AppHost&) {
    host::occt::SolidCache folder(host::occt::DefaultCacheFolder());
    host::occt::CacheStats s = folder.Stats();
    std::cout << "folder: " << folder.Folder().string() << "\nentries: " << s.entries
              << "\nsize: " << Megabytes(s.bytes) << " of " << Megabytes(folder.Cap()) << "\n";
    return 0;
  });

  CLI::App* clear = cache->add_subcommand("clear", "Remove every entry of the cache");
  commands.emplace_back(clear, [](AppHost&) {
    host::occt::SolidCache folder(host::occt::DefaultCacheFolder());
    std::uintmax_t removed = folder.Clear();
    std::cout << "removed " << removed << " entries from " << folder.Folder().string() << "\n";
    return 0;
  });

  auto o = std::make_shared<WarmOptions>();
  CLI::App* warm = cache->add_subcommand(
      "warm",
      "Build every size of every bolt, screw and nut standard (at its first length) into the "
      "cache, on both cores, with a progress bar. Other lengths of a bolt or screw share its "
      "head's solid.");
  warm->add_option("--family", o->family, "Only this standards family (ISO, DIN or its index)");
  warm->add_option("--standard", o->standard, "Only this standard, e.g. \"ISO 4017\"");
  warm->add_option("--workers", o->workers, "Worker processes (default 2)")
      ->check(CLI::Range(1, 64));
  commands.emplace_back(warm, [o](AppHost& app) { return Warm(app, *o); });
}

}  // namespace vormbrace::app
