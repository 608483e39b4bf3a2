// Fuzzes the scene file reader as a load reads a file (numbers beyond a double, deep nesting
// included): any input either loads into a document that saves and loads back to the same
// JSON, or is refused with a message that names the source.
#include <nlohmann/json.hpp>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "host/reference/SceneFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    auto document = host::ref::ParseScene(text, "fuzz.json");
    nlohmann::json saved = host::ref::SceneToJson(*document);
    auto again = host::ref::ParseScene(saved.dump(), "saved.json");
    vormbrace::fuzz::Require(host::ref::SceneToJson(*again) == saved, "round trip");
  } catch (const host::ref::SceneFileError& e) {
    vormbrace::fuzz::Require(std::string(e.what()).rfind("fuzz.json: ", 0) == 0, "message");
  }
  return 0;
}
