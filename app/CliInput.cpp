// Reading numbers from the command line and quoting texts for messages.
#include "app/CliInput.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vormbrace::app {
namespace {

std::string Figure(double value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", value);
  return buf;
}

}  // namespace

double ParseNumberOption(const std::string& text, const std::string& option, double lo,
                         double hi) {
  double value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;  // from_chars takes no plus sign
  auto [end, ec] = std::from_chars(first, last, value);
  if (text.empty() || ec == std::errc::invalid_argument || end != last || std::isnan(value))
    throw UsageError(option + ": " + Quoted(text) + " is not a number");
  if (ec == std::errc::result_out_of_range || !std::isfinite(value) || value < lo || value > hi) {
    throw UsageError(option + ": " + Quoted(text) + " is out of range (" + Figure(lo) + " to " +
                     Figure(hi) + ")");
  }
  return value;
}

host::ref::Vec3 ParseTriple(const std::string& text, const std::string& option) {
  double v[3];
  std::size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    std::size_t comma = text.find(',', start);
    if ((i < 2) != (comma != std::string::npos))
      throw UsageError(option + " takes X,Y,Z, not " + Quoted(text));
    std::string field = text.substr(start, i < 2 ? comma - start : std::string::npos);
    v[i] = ParseNumberOption(field, option, -kMaxCoordinate, kMaxCoordinate);
    start = comma + 1;
  }
  return {v[0], v[1], v[2]};
}

}  // namespace vormbrace::app
