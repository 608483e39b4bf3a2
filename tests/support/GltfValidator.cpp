// Running the glTF validator through Node.
#include "support/GltfValidator.h"

#include <cstdio>
#include <memory>

namespace vormbrace::test {

nlohmann::json ValidateGltf(const std::string& path) {
  std::string command = "node '" VORMBRACE_GLTF_VALIDATE "' '" + path + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  char buffer[4096];
  while (pipe && fgets(buffer, sizeof buffer, pipe.get()) != nullptr) out += buffer;
  nlohmann::json report = nlohmann::json::parse(out, nullptr, false);
  if (report.is_discarded() || !report.contains("issues")) {
    return {{"issues",
             {{"numErrors", 1},
              {"messages",
               {{{"message", "the validator did not run (scripts/setup.sh installs it): " + out}}}}}}};
  }
  return report;
}

}  // namespace vormbrace::test
