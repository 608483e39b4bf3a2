// Fuzzes the text written into STEP files: any bytes as a name give a string of printable ASCII
// only, cut to any length it stays within it; and any bytes taken as a written STEP file are
// rewritten without a crash or a hang.
#include <sstream>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "host/occt/StepStrings.h"

using vormbrace::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string written = host::occt::StepString(text);
  for (unsigned char c : written) Require(c >= 0x20 && c < 0x7f, "STEP string is printable ASCII");

  const std::size_t most = size == 0 ? 0 : data[0] % (size + 8);
  const std::string cut = host::occt::CutStepText(text, most);
  Require(text.compare(0, cut.size(), cut) == 0, "a cut text is the text's start");
  Require(host::occt::StepString(cut).size() <= most, "a cut text fits");

  std::ostringstream out;
  host::occt::WriteAsciiStepFile(text, out);
  return 0;
}
