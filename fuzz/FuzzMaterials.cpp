// Fuzzes the materials list: every entry QData lists is a trimmed, non-empty line (a comment
// needs its "#" in the first column, so " # x" is the entry "# x").
#include <string_view>

#include "data/FileReadTAB.h"
#include "dialog/ListControl.h"
#include "fuzz/FuzzSupport.h"
#include "host/Host.h"

using namespace vormbrace;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string index =
      fuzz::WriteTable("mat.ini", "[1]\n\"s.tab\" \"S\" \"D\" \"x\" \"m.mat\" \"N\"\n[2]\n");
  static const std::string sizesFile = fuzz::WriteTable("s.tab", "M8|8|40\n");
  fuzz::WriteTable("m.mat", std::string_view(reinterpret_cast<const char*>(data), size));

  ListControl sizes, materials;
  LabelControl description;
  QData(index, fuzz::Scratch(), 2, sizes, description, materials);
  fuzz::Require(materials.Tag() == fuzz::Scratch() + "m.mat", "materials tag");
  for (std::int32_t i = 0; i < materials.ListCount(); ++i) {
    const std::string entry = materials.List(i);
    fuzz::Require(!entry.empty() && entry.front() != ' ' && entry.back() != ' ', "trimmed entry");
  }
  fuzz::CheckMessages();
  return 0;
}
