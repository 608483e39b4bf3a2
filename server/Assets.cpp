// The page's files.
#include "server/Assets.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vormbrace::server {
namespace {

namespace fs = std::filesystem;

const std::map<std::string, std::string>& ContentTypes() {
  static const std::map<std::string, std::string> types = {
      {".html", "text/html; charset=utf-8"},
      {".css", "text/css; charset=utf-8"},
      {".js", "text/javascript; charset=utf-8"},
      {".png", "image/png"},
      {".svg", "image/svg+xml"}};
  return types;
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error(file.string() + ": cannot read the page's file");
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

Assets::Assets(const std::string& folder, const std::string& threeFolder) {
  if (!fs::is_directory(folder)) throw std::runtime_error(folder + ": no such folder of the page");
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    auto type = ContentTypes().find(entry.path().extension().string());
    if (type == ContentTypes().end()) continue;
    const std::string url = "/" + fs::relative(entry.path(), folder).generic_string();
    assets_[url] = {type->second, ReadAll(entry.path())};
  }
  if (auto index = assets_.find("/index.html"); index != assets_.end()) {
    assets_["/"] = index->second;
  }
  for (const char* module : {"build/three.module.js", "examples/jsm/loaders/GLTFLoader.js",
                             "examples/jsm/controls/OrbitControls.js"}) {
    assets_[std::string("/three/") + module] = {"text/javascript; charset=utf-8",
                                                ReadAll(fs::path(threeFolder) / module)};
  }
}

const Asset* Assets::Find(const std::string& urlPath) const {
  auto it = assets_.find(urlPath);
  return it == assets_.end() ? nullptr : &it->second;
}

std::string DefaultAssetsFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    fs::path installed = exe.parent_path() / ".." / VORMBRACE_SERVER_ASSETS_INSTALL_DIR;
    if (fs::is_directory(installed, ec)) return fs::weakly_canonical(installed, ec).string();
  }
  return VORMBRACE_SERVER_ASSETS_SOURCE_DIR;
}

std::string DefaultThreeFolder() { return VORMBRACE_THREE_DIR; }

}  // namespace vormbrace::server
