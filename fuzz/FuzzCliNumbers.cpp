// Fuzzes the command line's number reading: any text either gives finite numbers within the
// range asked for, or is refused with a message that names the option and quotes the text
// with nothing but printable characters.
#include <cmath>
#include <string>

#include "app/CliInput.h"
#include "fuzz/FuzzSupport.h"

namespace {

using vormbrace::fuzz::Require;

void CheckRefusal(const vormbrace::app::UsageError& e, const std::string& option) {
  const std::string message = e.what();
  Require(message.rfind(option, 0) == 0, "message names the option");
  for (unsigned char c : message) Require(c >= 0x20 && c < 0x7f, "message is printable");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    double v = vormbrace::app::ParseNumberOption(text, "--length", 0, vormbrace::app::kMaxLength);
    Require(std::isfinite(v) && v >= 0 && v <= vormbrace::app::kMaxLength, "number in range");
  } catch (const vormbrace::app::UsageError& e) {
    CheckRefusal(e, "--length");
  }
  try {
    host::ref::Vec3 p = vormbrace::app::ParseTriple(text, "--at");
    for (double c : {p.x, p.y, p.z}) {
      Require(std::isfinite(c) && std::fabs(c) <= vormbrace::app::kMaxCoordinate, "coordinate");
    }
  } catch (const vormbrace::app::UsageError& e) {
    CheckRefusal(e, "--at");
  }
  return 0;
}
