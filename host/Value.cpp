// Conversions of host values, following the automation run time.
#include "host/Value.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "host/RuntimeError.h"

namespace host {
namespace {

// A text converts to a number only when, blanks aside, it is one.
double TextToDouble(const std::string& text) {
  std::size_t b = text.find_first_not_of(' ');
  std::size_t e = text.find_last_not_of(' ');
  if (b == std::string::npos) Raise(err::kTypeMismatch);
  const char* first = text.data() + b;
  const char* last = text.data() + e + 1;
  if (*first == '+') ++first;
  double v = 0;
  auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec == std::errc::result_out_of_range && ptr == last) Raise(err::kOverflow);
  // "nan" and "inf" are no numbers to the run time.
  if (ec != std::errc() || ptr != last || !std::isfinite(v)) Raise(err::kTypeMismatch);
  return v;
}

template <typename Int>
Int RoundToInteger(double v) {
  // The run time rounds half to even (banker's rounding) when it converts to an integer.
  double r = std::nearbyint(v);
  if (!(r >= std::numeric_limits<Int>::min() && r <= std::numeric_limits<Int>::max())) {
    Raise(err::kOverflow);
  }
  return static_cast<Int>(r);
}

}  // namespace

double Value::AsDouble() const {
  switch (Type()) {
    case ValueType::Empty:
      return 0;
    case ValueType::Int16:
      return std::get<1>(v_);
    case ValueType::Int32:
      return std::get<2>(v_);
    case ValueType::Double:
      return std::get<3>(v_);
    case ValueType::Text:
      return TextToDouble(std::get<4>(v_));
    case ValueType::Boolean:
      return std::get<5>(v_) ? -1 : 0;
  }
  return 0;
}

std::int16_t Value::AsInt16() const { return RoundToInteger<std::int16_t>(AsDouble()); }
std::int32_t Value::AsInt32() const { return RoundToInteger<std::int32_t>(AsDouble()); }

bool Value::AsBool() const {
  if (Type() == ValueType::Boolean) return std::get<5>(v_);
  if (Type() == ValueType::Text) {
    const std::string& t = std::get<4>(v_);
    if (t == "True") return true;
    if (t == "False") return false;
  }
  return AsDouble() != 0;
}

std::string Value::AsText() const {
  switch (Type()) {
    case ValueType::Empty:
      return "";
    case ValueType::Int16:
      return std::to_string(std::get<1>(v_));
    case ValueType::Int32:
      return std::to_string(std::get<2>(v_));
    case ValueType::Double: {
      // Fifteen significant digits, as the run time prints a double.
      char buf[40];
      std::snprintf(buf, sizeof buf, "%.15g", std::get<3>(v_));
      return buf;
    }
    case ValueType::Text:
      return std::get<4>(v_);
    case ValueType::Boolean:
      return std::get<5>(v_) ? "True" : "False";
  }
  return "";
}

const char* ValueTypeName(ValueType type) {
  switch (type) {
    case ValueType::Empty:
      return "empty";
    case ValueType::Int16:
      return "i16";
    case ValueType::Int32:
      return "i32";
    case ValueType::Double:
      return "f64";
    case ValueType::Text:
      return "text";
    case ValueType::Boolean:
      return "bool";
  }
  return "empty";
}

}  // namespace host
