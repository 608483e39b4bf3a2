// Dialog choices to and from the page's JSON.
#include "server/Choice.h"

#include <cmath>

#include "server/RequestError.h"

namespace vormbrace::server {
namespace {

const char* const kTextFields[] = {"family", "kind",     "standard", "size",
                                   "length", "material", "hole",     "tolerance"};
const char* const kBoxFields[] = {"washer", "nut", "assembly"};

bool Known(const std::string& key) {
  if (key == "type") return true;
  for (const char* f : kTextFields) {
    if (key == f) return true;
  }
  for (const char* f : kBoxFields) {
    if (key == f) return true;
  }
  return false;
}

bool BoxField(const nlohmann::json& object, const char* field) {
  auto it = object.find(field);
  if (it == object.end()) return false;
  if (!it->is_boolean()) BadRequest(std::string("choice.") + field + " must be true or false");
  return it->get<bool>();
}

}  // namespace

std::string TextField(const nlohmann::json& object, const char* field) {
  auto it = object.find(field);
  if (it == object.end() || it->is_null()) return "";
  if (!it->is_string()) BadRequest(std::string(field) + " must be a text");
  const std::string& text = it->get_ref<const std::string&>();
  if (text.size() > kMaxText) {
    BadRequest(std::string(field) + " is longer than " + std::to_string(kMaxText) + " characters");
  }
  return text;
}

double NumberField(const nlohmann::json& value, const std::string& field) {
  if (!value.is_number()) BadRequest(field + " must be a number");
  const double number = value.get<double>();
  // Scene coordinates are millimetres; a kilometre is far outside any scene.
  if (!std::isfinite(number) || std::fabs(number) > 1e6) {
    BadRequest(field + " must be a number between -1e6 and 1e6");
  }
  return number;
}

DialogScript ChoiceFromJson(const nlohmann::json& json) {
  if (!json.is_object()) BadRequest("choice must be an object");
  for (auto it = json.begin(); it != json.end(); ++it) {
    if (!Known(it.key()))
      BadRequest("choice has no field \"" + it.key().substr(0, kMaxText) + "\"");
  }
  DialogScript s;
  s.family = TextField(json, "family");
  s.kind = TextField(json, "kind");
  s.standard = TextField(json, "standard");
  s.size = TextField(json, "size");
  s.length = TextField(json, "length");
  s.material = TextField(json, "material");
  s.hole = TextField(json, "hole");
  s.tolerance = TextField(json, "tolerance");
  if (auto it = json.find("type"); it != json.end()) {
    if (!it->is_number_integer() || it->get<std::int64_t>() < 0 || it->get<std::int64_t>() > 99) {
      BadRequest("choice.type must be a whole number from 1 to 12");
    }
    s.type = it->get<std::int32_t>();
  }
  s.washer = BoxField(json, "washer");
  s.nut = BoxField(json, "nut");
  s.assembly = BoxField(json, "assembly");
  return s;
}

nlohmann::json ChoiceToJson(const DialogScript& s) {
  return {{"family", s.family},     {"kind", s.kind}, {"type", s.type},
          {"standard", s.standard}, {"size", s.size}, {"length", s.length},
          {"material", s.material}, {"hole", s.hole}, {"tolerance", s.tolerance},
          {"washer", s.washer},     {"nut", s.nut},   {"assembly", s.assembly}};
}

}  // namespace vormbrace::server
