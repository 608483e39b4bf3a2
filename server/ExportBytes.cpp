// Exporting a document to memory.
#include "server/ExportBytes.h"

#include <fstream>
#include <sstream>

namespace vormbrace::server {

std::string ExportBytes(host::ref::SceneDocument& document, const std::filesystem::path& file) {
  host::occt::ExportScene(document, file.string());
  std::ostringstream bytes;
  bytes << std::ifstream(file, std::ios::binary).rdbuf();
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  return bytes.str();
}

}  // namespace vormbrace::server
