// vormbrace batch: every record of a catalogue choice built as the dialog builds it and
// exported as one file each, on every core (worker processes: the STEP writer is not
// thread-safe), with a progress bar and a summary JSON.
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <thread>

#include "app/BatchRecords.h"
#include "app/Commands.h"
#include "app/ExportSettings.h"
#include "data/Settings.h"
#include "host/SafeFile.h"
#include "host/RuntimeError.h"
#include "host/TextFile.h"
#include "host/occt/Export.h"
#include "host/reference/DropHit.h"

namespace vormbrace::app {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct BatchFlags {
  BatchFilter filter;
  std::string format, out, summary;
  int jobs = 0;
  MeshFlags mesh;
};

// A part name as a file name: separators and characters file systems refuse become "_".
std::string FileNameOf(const std::string& name) {
  std::string out = name;
  for (char& c : out) {
    if (std::string("/\\:*?\"<>|").find(c) != std::string::npos || c < ' ') c = '_';
  }
  return out.empty() || out == "." || out == ".." ? "_" : out;
}

// Builds one record on a new scene through the drop and the dialog, and exports it into
// `folder`, named after the part. Answers {"record", "file"} or {"record", "error"}.
json BuildRecord(AppHost& app, const BatchRecord& record, const std::string& extension,
                 const fs::path& folder, const host::occt::ExportOptions& options) {
  json out = {{"record", record.label}};
  try {
    host::ref::SceneDocument document;
    host::occt::AttachKernel(document);
    host::ref::RecordedDrop hook(document, host::ref::DropHit{});
    DialogPresenter presenter(record.script);
    front::DropWithDialog(*app.host, hook, presenter);
    std::string messages;
    for (const auto& m : app.host->Messages()) messages += (messages.empty() ? "" : "; ") + m.text;
    if (!presenter.Error().empty()) messages = presenter.Error();
    if (!messages.empty() || !presenter.Confirmed() || document.Root().Children().empty()) {
      out["error"] = messages.empty() ? "the dialog built nothing" : messages;
      return out;
    }
    std::string name = document.Root().Children().back()->Name();
    fs::path file = folder / (FileNameOf(name) + extension);
    // Two records of one name (the template leaves out what tells them apart) keep both files.
    if (fs::exists(file)) file = folder / (FileNameOf(name + " (" + record.label + ")") + extension);
    host::occt::ExportScene(document, file.string(), options);
    out["file"] = file.filename().string();
  } catch (const host::RuntimeError& e) {
    out["error"] = e.Description();
  } catch (const std::exception& e) {
    out["error"] = e.what();
  }
  return out;
}

// Runs records w, w + n, w + 2n ... in a child process that writes one JSON line per record to
// the pipe `fd`.
// The dialog writes the preferences file on every OK: each worker writes its own into a
// folder of its own, so that workers do not meet in one file and the user's remembered
// choices stay as they were.
[[noreturn]] void Work(AppHost& app, const std::vector<BatchRecord>& records, std::size_t w,
                       std::size_t n, int fd, const std::string& extension, const fs::path& folder,
                       const host::occt::ExportOptions& options) {
  std::string store = (fs::temp_directory_path() / "vormbrace-batch-XXXXXX").string();
  if (mkdtemp(store.data()) == nullptr) _exit(3);
  host::SetFileRedirect(app.host->Settings().Registry(kCorvaneKey, "ApplDir"), store);
  for (std::size_t i = w; i < records.size(); i += n) {
    json result = BuildRecord(app, records[i], extension, folder, options);
    result["index"] = i;
    std::string line = result.dump() + "\n";
    for (std::size_t done = 0; done < line.size();) {
      ssize_t wrote = write(fd, line.data() + done, line.size() - done);
      if (wrote <= 0) _exit(3);
      done += static_cast<std::size_t>(wrote);
    }
  }
  close(fd);
  std::error_code ec;
  fs::remove_all(store, ec);
  _exit(0);
}

// A bar redrawn in place on a terminal; into a log, a line at every tenth of the way.
void DrawProgress(std::size_t done, std::size_t total, const std::string& last) {
  if (!isatty(STDERR_FILENO)) {
    if (done > 0 && done * 10 / total != (done - 1) * 10 / total) {
      std::cerr << "batch: " << done << "/" << total << " records\n";
    }
    return;
  }
  constexpr std::size_t kWidth = 30;
  std::size_t filled = total == 0 ? kWidth : done * kWidth / total;
  std::cerr << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] "
            << done << "/" << total << " " << last.substr(0, 40) << "\x1b[K" << std::flush;
}

int RunBatch(AppHost& app, const BatchFlags& flags) {
  const auto start = std::chrono::steady_clock::now();
  const std::string extension = "." + flags.format;
  const fs::path folder = flags.out;
  if (!fs::is_directory(folder)) throw std::runtime_error(flags.out + ": no such folder");
  {
    // A folder that takes no files fails here, before any work.
    fs::path probe = folder / ".vormbrace-batch-probe";
    if (!std::ofstream(probe)) throw std::runtime_error(flags.out + ": cannot write into it");
    fs::remove(probe);
  }
  host::occt::ExportOptions options = ExportOptionsFor(app, flags.mesh);
  std::vector<BatchRecord> records = ChooseRecords(app, flags.filter);
  if (records.empty()) throw std::runtime_error("the choice holds no record");

  // Messages of a record go into its failure, not onto the progress bar.
  app.host->SetMessageSink([](const host::ref::MessageRecord&) {});
  std::size_t workers = flags.jobs > 0 ? static_cast<std::size_t>(flags.jobs)
                                       : std::max(1u, std::thread::hardware_concurrency());
  workers = std::min(workers, records.size());
  std::vector<pollfd> pipes;
  std::vector<pid_t> children;
  std::cout.flush();
  std::cerr.flush();
  for (std::size_t w = 0; w < workers; ++w) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("cannot start a worker process");
    pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("cannot start a worker process");
    if (pid == 0) {
      close(fds[0]);
      for (const pollfd& p : pipes) close(p.fd);
      Work(app, records, w, workers, fds[1], extension, folder, options);
    }
    close(fds[1]);
    pipes.push_back({fds[0], POLLIN, 0});
    children.push_back(pid);
  }

  std::vector<json> results(records.size());
  std::vector<std::string> pending(workers);
  std::size_t done = 0, open = workers;
  DrawProgress(0, records.size(), "");
  while (open > 0) {
    if (poll(pipes.data(), pipes.size(), -1) < 0) continue;
    for (std::size_t w = 0; w < workers; ++w) {
      if (pipes[w].fd < 0 || pipes[w].revents == 0) continue;
      char buffer[4096];
      ssize_t got = read(pipes[w].fd, buffer, sizeof buffer);
      if (got <= 0) {
        close(pipes[w].fd);
        pipes[w].fd = -1;
        --open;
        continue;
      }
      pending[w].append(buffer, static_cast<std::size_t>(got));
      for (std::size_t eol; (eol = pending[w].find('\n')) != std::string::npos;) {
        json result = json::parse(pending[w].substr(0, eol));
        pending[w].erase(0, eol + 1);
        results[result["index"].get<std::size_t>()] = result;
        DrawProgress(++done, records.size(), result["record"].get<std::string>());
      }
    }
  }
  for (pid_t pid : children) waitpid(pid, nullptr, 0);
  if (isatty(STDERR_FILENO)) std::cerr << "\n";

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  json files = json::array(), failures = json::array();
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (results[i].is_null()) {
      failures.push_back({{"record", records[i].label}, {"error", "the worker process stopped"}});
    } else if (results[i].contains("file")) {
      files.push_back({{"record", records[i].label}, {"file", results[i]["file"]}});
    } else {
      failures.push_back({{"record", records[i].label}, {"error", results[i]["error"]}});
    }
  }
  const double rate = seconds > 0 ? static_cast<double>(files.size()) / seconds : 0;
  json summary = {{"format", flags.format}, {"folder", flags.out},
                  {"records", records.size()},  {"written", files.size()},
                  {"failed", failures.size()},  {"seconds", seconds},
                  {"partsPerSecond", rate},     {"workers", workers},
                  {"failures", failures},       {"files", files}};
  fs::path summaryPath = flags.summary.empty() ? folder / "summary.json" : fs::path(flags.summary);
  host::ReplaceFileText(summaryPath.string(), summary.dump(2) + "\n");
  for (const json& f : failures) {
    std::cerr << "vormbrace batch: " << f["record"].get<std::string>() << ": "
              << f["error"].get<std::string>() << "\n";
  }
  std::printf("wrote %zu of %zu records to %s in %.1f s (%.1f parts/s, %zu workers); summary %s\n",
              files.size(), records.size(), flags.out.c_str(), seconds, rate, workers,
              summaryPath.string().c_str());
  return failures.empty() ? 0 : 1;
}

}  // namespace

void AddBatchCommand(CLI::App& cli, CommandTable& commands) {
  auto flags = std::make_shared<BatchFlags>();
  CLI::App* command = cli.add_subcommand(
      "batch",
      "Write whole catalogues: every record chosen (each size and, for bolts, screws and set "
      "screws, each length) built as the selection dialog builds it, one file per record "
      "named after the part, on every core, with a progress bar. A record that fails is "
      "reported and skipped; the summary JSON lists counts, failures with their messages, "
      "files and time. Exit status 1 when any record failed.");
  command->add_option("--family", flags->filter.family, "Standards family: ISO, DIN or 0, 1 ...")
      ->required();
  command->add_option("--kind", flags->filter.kind,
                      "Only this kind: bolts, screws, set-screws, washers, nuts or 0-4");
  command->add_option("--type", flags->filter.type, "Only this type (1-based) of the kinds");
  command->add_option("--standard", flags->filter.standard, "Only this standard, e.g. \"ISO 4017\"");
  command->add_option("--size", flags->filter.sizes, "Only these sizes, e.g. --size M8 M10");
  command->add_option("--format", flags->format, "step, stl or glb")
      ->required()
      ->check(CLI::IsMember({"step", "stl", "glb"}));
  command->add_option("--out", flags->out, "Existing folder the files are written into")
      ->required();
  command->add_option("--summary", flags->summary, "Summary JSON (default: OUT/summary.json)");
  command->add_option("--jobs", flags->jobs,
                      "Worker processes (default: one per core)")
      ->check(CLI::Range(1, 64));
  AddMeshFlags(*command, flags->mesh);
  commands.emplace_back(command, [flags](AppHost& app) { return RunBatch(app, *flags); });
}

}  // namespace vormbrace::app
