// Fuzzes the tolerance index (quoted records) and a tolerance table (d|t lines): QNormaHole and
// GetHoleToll.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <filesystem>

#include "data/FileReadTAB.h"
#include "dialog/ListControl.h"
#include "fuzz/FuzzSupport.h"

using namespace vormbrace;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool folder = std::filesystem::create_directories(fuzz::Scratch() + "tol");
  (void)folder;
  FuzzedDataProvider in(data, size);
  const auto line = in.ConsumeIntegralInRange<std::int32_t>(-1, 12);
  const double diameter = in.ConsumeIntegralInRange<int>(0, 300) / 10.0;
  std::string indexText = in.ConsumeRandomLengthString(512);
  // A table name stays inside the tolerance folder, whatever the index says.
  std::replace(indexText.begin(), indexText.end(), '/', '_');
  std::replace(indexText.begin(), indexText.end(), '\\', '_');
  const std::string index = fuzz::WriteTable("tol.ini", indexText);
  fuzz::WriteTable("tol/T", in.ConsumeRemainingBytesAsString());

  ListControl list;
  std::int16_t result = QNormaHole(index, list);
  fuzz::Require(result == 0 || result == 5 || result == 62, "QNormaHole result");
  fuzz::Require((result == 62) == (list.ListCount() == 0) || result == 5, "62 means empty");
  double allowance = 12345;
  GetHoleToll(index, fuzz::Scratch() + "tol/", line, diameter, allowance);
  fuzz::CheckMessages();
  return 0;
}
