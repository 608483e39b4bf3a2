// Fuzzes the standards index syntax (sections of quoted records): QNorma and QDesignazione.
#include <fuzzer/FuzzedDataProvider.h>

#include "data/FileReadTAB.h"
#include "dialog/ListControl.h"
#include "fuzz/FuzzSupport.h"

using namespace vormbrace;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  // Types beyond 99 too, whose headers can never match.
  auto type = in.ConsumeIntegralInRange<std::int16_t>(-2, 105);
  std::string fileKey = in.ConsumeRandomLengthString(16);
  std::string standardKey = in.ConsumeRandomLengthString(16);
  std::string path = fuzz::WriteTable("index.ini", in.ConsumeRemainingBytesAsString());

  ListControl list;
  std::int16_t result = QNorma(path, type, list);
  fuzz::Require(result == 0 || result == 5 || result == 62, "QNorma result");
  // Only four characters are compared: "[-1]" is a header, "[100]" never is.
  fuzz::Require(type <= 99 || list.ListCount() == 0, "QNorma listed an unaddressable section");
  for (std::int32_t i = 1; i < list.ListCount(); ++i) {
    fuzz::Require(list.ItemData(i) > list.ItemData(i - 1), "QNorma line numbers ascend");
  }
  // A field never holds a double quote, so these stand for "not set".
  std::string nameTemplate = "\"t", designation = "\"d";
  QDesignazione(path, fileKey, standardKey, nameTemplate, designation);
  fuzz::Require((nameTemplate == "\"t") == (designation == "\"d"),
                "QDesignazione sets both outputs or neither");
  fuzz::CheckMessages();
  return 0;
}
