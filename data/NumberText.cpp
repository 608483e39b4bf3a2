// Number-text conversions of the add-in.
#include "data/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/RuntimeError.h"

namespace vormbrace {

double Val(std::string_view text) {
  std::size_t i = 0, n = text.size();
  while (i < n && text[i] == ' ') ++i;
  std::size_t start = i;
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < n && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return 0;
  // An exponent counts only when at least one digit follows its letter and sign.
  if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < n && text[j] >= '0' && text[j] <= '9') {
      while (j < n && text[j] >= '0' && text[j] <= '9') ++j;
      i = j;
    }
  }
  std::string number(text.substr(start, i - start));
  for (char& c : number) {
    if (c == 'd' || c == 'D') c = 'E';
  }
  // strtod reads "." as the decimal point in the "C" locale the program keeps.
  double value = std::strtod(number.c_str(), nullptr);
  if (!std::isfinite(value)) host::Raise(host::err::kOverflow);  // beyond a double: "1e400"
  return value;
}

std::string CStr(double value) {
  if (value == 0) return "0";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15G", value);
  return buf;
}

std::string Str(double value) {
  std::string text = CStr(value);
  bool negative = text[0] == '-';
  std::string digits = negative ? text.substr(1) : text;
  if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') digits.erase(0, 1);
  return (negative ? "-" : " ") + digits;
}

std::string Trim(std::string_view text) {
  std::size_t b = text.find_first_not_of(' ');
  if (b == std::string_view::npos) return "";
  std::size_t e = text.find_last_not_of(' ');
  return std::string(text.substr(b, e - b + 1));
}

}  // namespace vormbrace
