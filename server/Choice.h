// A dialog choice as the page sends it and the server answers it: the selection dialog's
// choices by name, the same the command line's drop takes.
#pragma once

#include <nlohmann/json.hpp>

#include "dialog/DialogPresenter.h"

namespace vormbrace::server {

// Raises RequestError (400) naming the field at fault: an unknown field, a value of the wrong
// type, a text longer than kMaxText.
DialogScript ChoiceFromJson(const nlohmann::json& json);
nlohmann::json ChoiceToJson(const DialogScript& choice);

inline constexpr std::size_t kMaxText = 100;

// The text, number or Boolean `field` of `object`, checked; raises RequestError (400).
std::string TextField(const nlohmann::json& object, const char* field);
double NumberField(const nlohmann::json& value, const std::string& field);

}  // namespace vormbrace::server
