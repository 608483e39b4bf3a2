// Host, scratch folder and invariant checks shared by the fuzz targets.
#include "fuzz/FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "host/Host.h"
#include "host/reference/ReferenceHost.h"

namespace vormbrace::fuzz {
namespace {

host::ref::ReferenceHost& Host() {
  static std::unique_ptr<host::ref::ReferenceHost> host = [] {
    auto h = std::make_unique<host::ref::ReferenceHost>(host::ref::SettingsStore{});
    host::SetCurrentHost(h.get());
    return h;
  }();
  return *host;
}

}  // namespace

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
  std::abort();
}

const std::string& Scratch() {
  static const std::string folder = [] {
    Host();
    auto path =
        std::filesystem::temp_directory_path() / ("vormbrace-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path.string() + "/";
  }();
  return folder;
}

std::string WriteTable(const std::string& name, std::string_view content) {
  std::string path = Scratch() + name;
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(content.data(), static_cast<std::streamsize>(content.size()));
  return path;
}

void CheckMessages() {
  for (const host::ref::MessageRecord& m : Host().Messages()) {
    Require(m.title == "Corvane", "message title");
    Require(m.style == host::kMsgCritical || m.style == host::kMsgExclamation, "message icon");
    Require(m.text.rfind("Error ", 0) == 0, "message text");
  }
  Host().ClearMessages();
}

}  // namespace vormbrace::fuzz
