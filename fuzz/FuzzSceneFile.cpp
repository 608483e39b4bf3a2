// Fuzzes the scene file reader: any input either loads into a document that saves and loads
// back to the same JSON, or is refused with a message that names the source.
#include <nlohmann/json.hpp>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "host/reference/SceneFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nlohmann::json json = nlohmann::json::parse(data, data + size, nullptr, false);
  if (json.is_discarded()) return 0;
  try {
    auto document = host::ref::SceneFromJson(json, "fuzz.json");
    nlohmann::json saved = host::ref::SceneToJson(*document);
    auto again = host::ref::SceneFromJson(saved, "saved.json");
    vormbrace::fuzz::Require(host::ref::SceneToJson(*again) == saved, "round trip");
  } catch (const host::ref::SceneFileError& e) {
    vormbrace::fuzz::Require(std::string(e.what()).rfind("fuzz.json: at ", 0) == 0, "message");
  }
  return 0;
}
