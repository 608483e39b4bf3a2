// Fuzzes the served page's choice, the part of a request that drives the dialog: any JSON is
// either refused with a request error or read into a choice whose texts are within bounds.
#include <nlohmann/json.hpp>

#include "fuzz/FuzzSupport.h"
#include "server/Choice.h"
#include "server/RequestError.h"

using namespace vormbrace;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const nlohmann::json json = nlohmann::json::parse(data, data + size, nullptr, false);
  if (json.is_discarded()) return 0;
  try {
    const DialogScript s = server::ChoiceFromJson(json);
    for (const std::string* text : {&s.family, &s.kind, &s.standard, &s.size, &s.length,
                                    &s.material, &s.hole, &s.tolerance}) {
      fuzz::Require(text->size() <= server::kMaxText, "text within bounds");
    }
    fuzz::Require(s.type >= 0 && s.type <= 99, "type within bounds");
    fuzz::Require(server::ChoiceFromJson(server::ChoiceToJson(s)).standard == s.standard,
                  "choice read back");
  } catch (const server::RequestError& e) {
    fuzz::Require(e.Status() == 400, "a malformed choice is a bad request");
  }
  return 0;
}
