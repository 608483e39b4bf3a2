// Numbers typed on the command line: read whole, finite and within a plausible range, or
// refused with a message that names the option and the text as typed.
#pragma once

#include <stdexcept>
#include <string>

#include "host/reference/Math3.h"

namespace vormbrace::app {

// A command line the program refuses before doing any work (exit code 2).
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Coordinates and directions on the command line stay within a kilometre of the origin.
inline constexpr double kMaxCoordinate = 1e6;

// `text` as one number in [lo, hi]: the whole text, "." as decimal separator. Raises UsageError
// for anything else (empty text, trailing characters, NaN, infinities, out of range).
double ParseNumberOption(const std::string& text, const std::string& option, double lo, double hi);

// "X,Y,Z" as three numbers, each within kMaxCoordinate. Raises UsageError.
host::ref::Vec3 ParseTriple(const std::string& text, const std::string& option);

// The text quoted for a message: in double quotes, control characters and non-ASCII bytes as
// \xNN, so whatever was typed reaches the terminal as plain text.
std::string Quoted(const std::string& text);

}  // namespace vormbrace::app
