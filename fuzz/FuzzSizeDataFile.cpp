// Fuzzes the size data syntax (bar-separated records in size groups): the size list of QData,
// QLunghezze, QMisuraVariabili, QCercaDiametro and QDiameterVariabili, which must agree.
#include <fuzzer/FuzzedDataProvider.h>

#include "data/FileReadTAB.h"
#include "dialog/ListControl.h"
#include "fuzz/FuzzSupport.h"
#include "host/TextFile.h"

using namespace vormbrace;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string index =
      fuzz::WriteTable("sizes.ini", "[1]\n\"d.tab\" \"S\" \"D\" \"x\" \"m.mat\" \"N\"\n[2]\n");
  static const std::string materials = fuzz::WriteTable("m.mat", "8.8\n");
  FuzzedDataProvider in(data, size);
  const double diameter = in.ConsumeIntegralInRange<int>(-10, 400) / 10.0;
  const std::string length = in.ConsumeRandomLengthString(12);
  const std::string path = fuzz::WriteTable("d.tab", in.ConsumeRemainingBytesAsString());

  ListControl sizes, lengths, materialList;
  LabelControl description;
  QData(index, fuzz::Scratch(), 2, sizes, description, materialList);
  fuzz::Require(sizes.Tag() == "d.tab", "QData size list tag");
  for (std::int32_t i = 1; i < sizes.ListCount(); ++i) {
    fuzz::Require(sizes.ItemData(i) > sizes.ItemData(i - 1), "size groups ascend");
    fuzz::Require(sizes.List(i) != sizes.List(i - 1), "size groups collapse");
  }
  std::vector<std::string> lines;
  for (host::TextReader reader(path); !reader.Eof();) lines.push_back(reader.ReadLine());
  ValueArray values{};
  std::string partNumber;
  for (std::int32_t i = 0; i < sizes.ListCount() && i < 8; ++i) {
    sizes.SetListIndex(i);
    QLunghezze(fuzz::Scratch(), sizes, lengths);
    // A record without "|" names a size but has no length to list.
    bool firstHasBar = lines[sizes.ItemData(i)].find('|') != std::string::npos;
    fuzz::Require(lengths.ListCount() >= 1 || !firstHasBar, "a size group lists its first record");
    QMisuraVariabili(path, sizes.List(i), length, values, partNumber);
  }

  std::string nearest = "stale", exact = "stale", first = "stale";
  fuzz::Require(QCercaDiametro(path, diameter, false, nearest), "nearest search always answers");
  bool exactFound = QCercaDiametro(path, diameter, true, exact);
  fuzz::Require(exactFound || exact.empty(), "exact search clears the key");
  bool firstFound = QDiameterVariabili(path, diameter, first, values, partNumber);
  // Both take the first record of the diameter; only an over-long record can fail the second.
  if (firstFound) fuzz::Require(exactFound && exact == first, "exact and first record agree");
  fuzz::CheckMessages();
  return 0;
}
