// Input typed on the command line: numbers read whole, finite and within a plausible range, or
// refused with a message that names the option and the text as typed; texts quoted safely.
#pragma once

#include <CLI/CLI.hpp>
#include <stdexcept>
#include <string>
#include <string_view>

#include "host/QuotedText.h"
#include "host/reference/Math3.h"

namespace vormbrace::app {

// A command line the program refuses before doing any work (exit code 2).
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Coordinates and directions on the command line stay within a kilometre of the origin, and
// a fastener is at most 100 m long.
inline constexpr double kMaxCoordinate = 1e6;
inline constexpr double kMaxLength = 1e5;

// `text` as one number in [lo, hi]: the whole text, "." as decimal separator. Raises UsageError
// for anything else (empty text, trailing characters, NaN, infinities, out of range).
double ParseNumberOption(const std::string& text, const std::string& option, double lo, double hi);

// "X,Y,Z" as three numbers, each within kMaxCoordinate. Raises UsageError.
host::ref::Vec3 ParseTriple(const std::string& text, const std::string& option);

// A check for options whose empty text would otherwise count as not given.
inline const CLI::Validator kNotEmpty(
    [](const std::string& text) { return text.empty() ? std::string("must not be empty") : ""; },
    "", "NOT EMPTY");

// A check for texts that become names in the scene and the files written from it, which hold
// UTF-8 only.
inline const CLI::Validator kUtf8Text(
    [](const std::string& text) { return host::IsUtf8(text) ? "" : std::string("must be UTF-8 text"); },
    "", "UTF-8");

using host::Printable;
using host::Quoted;

}  // namespace vormbrace::app
