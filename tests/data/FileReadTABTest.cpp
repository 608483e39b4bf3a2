// The table queries on small files written by each test: line counting, header matching, size
// groups, match rules, and every fault's message with its exact text and icon.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "data/FileReadTAB.h"
#include "data/NumberText.h"
#include "dialog/ListControl.h"
#include "host/Host.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;

std::vector<std::string> Texts(const ListControl& list) {
  std::vector<std::string> texts;
  for (std::int32_t i = 0; i < list.ListCount(); ++i) texts.push_back(list.List(i));
  return texts;
}

std::vector<std::int32_t> Data(const ListControl& list) {
  std::vector<std::int32_t> data;
  for (std::int32_t i = 0; i < list.ListCount(); ++i) data.push_back(list.ItemData(i));
  return data;
}

using Strings = std::vector<std::string>;
using Ints = std::vector<std::int32_t>;

class FileReadTAB : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& content) {
    return host_.WriteFile(name, content);
  }
  std::string Folder() const { return host_.Scratch().string() + "/"; }
  const std::vector<host::ref::MessageRecord>& Messages() { return host_.Host().Messages(); }
  // The one message shown, checked for its icon and the title every query uses.
  std::string OnlyMessage(std::int32_t style) {
    EXPECT_EQ(Messages().size(), 1u);
    if (Messages().empty()) return "";
    EXPECT_EQ(Messages()[0].style, style);
    EXPECT_EQ(Messages()[0].title, "Corvane");
    return Messages()[0].text;
  }

  test::TestHost host_;
};

// --- standards index: QNorma ----------------------------------------------------------------

constexpr const char* kIndex =
    "# bolts\r\n"
    "[1] hexagon heads\r\n"
    "\"wrong.tab\" \"NOT TYPE 1\" \"\"\r\n"
    "[1]\r\n"
    "\r\n"
    "\"ISO4017.tab\" \"ISO 4017\" \"Hex screw\" \"Hex screw\" \"Mat.tab\" \"N D CxL\"\r\n"
    "# comment inside\r\n"
    "\"ISO4014.tab\" \"ISO 4014\" \"Hex bolt\"\r\n"
    "[10] flanged\r\n"
    "\"EN1665.tab\" \"EN 1665\" \"Flange bolt\"\r\n"
    "[end]\r\n";

TEST_F(FileReadTAB, QNormaMatchesHeadersAloneOnTheirLineOrFollowedByTextWithEitherLineEnd) {
  std::string lf = kIndex;
  for (std::size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.erase(p, 1);
  for (const std::string& index : {std::string(kIndex), lf}) {
    std::string path = Write("b.ini", index);
    ListControl list;
    EXPECT_EQ(QNorma(path, 1, list), 0);
    EXPECT_EQ(Texts(list), (Strings{"ISO 4017", "ISO 4014"}));
    // Lines counted from 1, comments, headers and blanks included.
    EXPECT_EQ(Data(list), (Ints{6, 8}));
    EXPECT_EQ(QNorma(path, 10, list), 0);
    EXPECT_EQ(Texts(list), (Strings{"EN 1665"}));
    EXPECT_EQ(Data(list), (Ints{10}));
  }
  // Headers of four characters address negative and three-digit types; longer ones nothing.
  ListControl list;
  std::string path = Write("b.ini", "[-1]\n\"a\" \"minus\"\n[100]\n\"b\" \"hundred\"\n[end]\n");
  EXPECT_EQ(QNorma(path, -1, list), 0);
  EXPECT_EQ(Texts(list), (Strings{"minus"}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(QNorma(path, 100, list), 62);
}

// --- tolerance index: QNormaHole ------------------------------------------------------------

TEST_F(FileReadTAB, QNormaHoleListsEveryRecordWithoutSectionsAndNoneOnCommentsOnly) {
  ListControl list;
  std::string path =
      Write("t.ini", "# tolerances\n\"H7.tab\" \"H7\"\n[x]\n\n\"H11.tab\" \"H11\"\n");
  EXPECT_EQ(QNormaHole(path, list), 0);
  EXPECT_EQ(Texts(list), (Strings{"H7", "H11"}));
  EXPECT_EQ(Data(list), (Ints{2, 5}));
  // Comments only: 62, the stale list emptied, and no message.
  EXPECT_EQ(QNormaHole(Write("t.ini", "# none yet\n#\n"), list), 62);
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_TRUE(Messages().empty());
}

// --- QData: the standard chosen -------------------------------------------------------------

class QDataTest : public FileReadTAB {
 protected:
  void SetUp() override {
    index_ = Write("b.ini",
                   "[1]\r\n"
                   "\"ISO4017.tab\" \"ISO 4017\" \"Hex screw, full thread\" \"Hex screw\" "
                   "\"Mat.tab\" \"N D CxL\"\r\n"
                   "[2]\r\n");
    Write("ISO4017.tab",
          "# size | d | l\r\n"
          "M8 | 8 | 40\r\n"
          "M8 | 8 | 50\r\n"
          "@ M9 | 9 | 40\r\n"
          "\r\n"
          " M10| 10 | 40\r\n"
          "M8 | 8 | 60\r\n");
    Write("Mat.tab", "# grade\r\n  8.8  \r\n@A2\r\n   \r\n # not a comment\r\n10.9\r\n");
  }
  std::string index_;
  ListControl sizes_, materials_;
  LabelControl description_;
};

TEST_F(QDataTest, FillsDescriptionSizeGroupsAndMaterials) {
  QData(index_, Folder(), 2, sizes_, description_, materials_);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(description_.Caption(), "Hex screw, full thread");
  EXPECT_EQ(sizes_.Tag(), "ISO4017.tab");
  // A size that comes back after another one is listed again, with its own first line.
  EXPECT_EQ(Texts(sizes_), (Strings{"M8", "M10", "M8"}));
  EXPECT_EQ(Data(sizes_), (Ints{1, 5, 6}));
  EXPECT_EQ(materials_.Tag(), Folder() + "Mat.tab");
  EXPECT_EQ(Texts(materials_), (Strings{"8.8", "@A2", "# not a comment", "10.9"}));
}

// --- QLunghezze: the size chosen ------------------------------------------------------------

class QLunghezzeTest : public FileReadTAB {
 protected:
  void Select(const std::string& file, std::int32_t entry, const std::string& text,
              std::int32_t firstLine) {
    sizes_.Clear();
    sizes_.SetTag(file);
    for (std::int32_t i = 0; i <= entry; ++i) sizes_.AddItem(i == entry ? text : "other");
    sizes_.SetItemData(entry, firstLine);
    sizes_.SetListIndex(entry);
  }
  ListControl sizes_, lengths_;
};

// Each case: the file, the size entry chosen (-1: none) with its text and first line, and the
// lengths listed.
TEST_F(QLunghezzeTest, ListsTheChosenGroupsLengthsAsNumbers) {
  struct Case {
    std::string file;
    std::int32_t entry;
    const char* text;
    std::int32_t firstLine;
    Strings lengths;
  };
  const Case cases[] = {
      // Comments skipped, "8.00" read as 8, the group ending where another size begins.
      {"M6|6|30\nM8|8|8.00|x\n# note\nM8 |8|50\nM10|10|40\nM8|8|70\n", 0, "M8", 1, {"8", "50"}},
      // The last group runs up to the last line, with or without its line end.
      {"M6|6|30\r\nM8|8|40\r\nM8|8|45\r\nM8|8|50", 1, "M8", 1, {"40", "45", "50"}},
      {"M6|6|30\r\nM8|8|40\r\nM8|8|45\r\nM8|8|50\r\n", 1, "M8", 1, {"40", "45", "50"}},
      // QData lists "M8" (the whole line is its key); its lengths start at a line with a "|".
      {"M8\r|M|10|2\n", 0, "M8", 0, {}},
      // No size chosen: the list is only cleared.
      {"M6|6|30\n", -1, "", 0, {}},
  };
  for (const Case& c : cases) {
    Write("d.tab", c.file);
    sizes_.Clear();
    sizes_.SetTag("d.tab");
    if (c.entry >= 0) Select("d.tab", c.entry, c.text, c.firstLine);
    lengths_.AddItem("stale");
    QLunghezze(Folder(), sizes_, lengths_);
    EXPECT_EQ(Texts(lengths_), c.lengths) << c.file;
    for (std::int32_t i = 0; i < lengths_.ListCount(); ++i) EXPECT_EQ(lengths_.ItemData(i), i);
  }
  EXPECT_TRUE(Messages().empty());
}

// --- QMisuraVariabili and QDiameterVariabili: the record ------------------------------------

TEST_F(FileReadTAB, QMisuraVariabiliFillsValuesAndPartNumberFromTheRecord) {
  std::string path =
      Write("d.tab", "M6|6|40|1|1|1|1|1|1|1|y|1\nM8|8|40|22|13|0|5.3|0|1.25|13|x|1\n");
  ValueArray v{};
  v[15] = 7;
  std::string partNumber = "old";
  ASSERT_TRUE(QMisuraVariabili(path, " M8 ", "40", v, partNumber));
  // f2 ... f12 go to v[0] ... v[10], f12 once more to v[11]; "x" reads as 0.
  const double expected[] = {8, 40, 22, 13, 0, 5.3, 0, 1.25, 13, 0, 1, 1};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(v[i], expected[i]) << i;
  EXPECT_EQ(v[15], 7);
  EXPECT_EQ(partNumber, "x");
}

TEST_F(FileReadTAB, QMisuraVariabiliTakesTheNearestLengthAndTheFirstOfEquals) {
  std::string path = Write("d.tab", "M8|8|45|a|1\nM8|8|50|b|1\nM8|8|49|c|1\n");
  ValueArray v{};
  std::string pn;
  ASSERT_TRUE(QMisuraVariabili(path, "M8", "47", v, pn));
  EXPECT_EQ(v[1], 45);  // 2 < 3, and 49 (also 2 away) comes later
  EXPECT_EQ(pn, "a");
  ASSERT_TRUE(QMisuraVariabili(path, "M8", "49.2", v, pn));
  EXPECT_EQ(pn, "c");
  EXPECT_FALSE(QMisuraVariabili(path, "M9", "47", v, pn));
  EXPECT_EQ(pn, "c");
  // An exact length stops the search: the broken record after it is never read.
  Write("d.tab", "M8|8|40|a|1\nM8|8|50" + std::string(30, '|') + "\n");
  EXPECT_TRUE(QMisuraVariabili(path, "M8", "40", v, pn));
  EXPECT_TRUE(Messages().empty());
  // A record with one bar has no part number: the one before is kept; its last field is
  // written again.
  Write("d.tab", "M8|8\n");
  pn = "kept";
  ASSERT_TRUE(QMisuraVariabili(path, "M8", "0", v, pn));
  EXPECT_EQ(pn, "kept");
  EXPECT_EQ(v[0], 8);
  EXPECT_EQ(v[1], 8);
}

TEST_F(FileReadTAB, QMisuraVariabiliTakes21FieldsAndRefusesMore) {
  std::string fields = "M8";
  for (int f = 2; f <= 21; ++f) fields += "|" + std::to_string(f);
  std::string path = Write("d.tab", fields + "\n");
  ValueArray v{};
  std::string pn;
  ASSERT_TRUE(QMisuraVariabili(path, "M8", "3", v, pn));
  EXPECT_EQ(v[19], 21);
  EXPECT_EQ(v[20], 21);
  EXPECT_EQ(pn, "20");

  Write("d.tab", "M8|8|40|a|1\n" + fields + "|22\n");
  ValueArray before = v;
  EXPECT_FALSE(QMisuraVariabili(path, "M8", "3", v, pn));
  EXPECT_EQ(v, before);
  EXPECT_EQ(pn, "20");
  EXPECT_EQ(OnlyMessage(host::kMsgCritical),
            "Error 9 Subscript out of range\r\nin QMisuraVariabili");
}

TEST_F(FileReadTAB, QDiameterVariabiliTakesTheFirstEqualDiameter) {
  std::string path =
      Write("w.tab", "# washers\nA 8|8|17|1.6|p1|1\nB 8|8|16|1.6|p2|1\nA 10|10|20|2|p3|1\n");
  ValueArray v{};
  std::string key, pn;
  ASSERT_TRUE(QDiameterVariabili(path, 8, key, v, pn));
  EXPECT_EQ(key, "A 8");
  EXPECT_EQ(v[1], 17);
  EXPECT_EQ(pn, "p1");
  EXPECT_FALSE(QDiameterVariabili(path, 9, key, v, pn));
  EXPECT_EQ(key, "A 10");  // the last size read
  EXPECT_EQ(pn, "p1");
}

// --- QCercaDiametro: the size of a diameter -------------------------------------------------

// Nearest takes the largest size not above the diameter; exact needs an equal one. A file
// without sizes finds no size and says nothing.
TEST_F(FileReadTAB, QCercaDiametroFindsTheSizeOfADiameter) {
  const std::string sizes = "M3|3|10\nM3|3|12\nM4|4|10\n@M4.5|4.5|1\nM5|5|10\nM6|6|10\n";
  struct Case {
    std::string file;
    double diameter;
    bool exact, found;
    const char* size;
  };
  const Case cases[] = {
      {sizes, 5.5, false, true, "M5"}, {sizes, 5, false, true, "M5"},
      {sizes, 2, false, true, "M3"},   {sizes, 9, false, true, "M6"},
      {sizes, 4.5, false, true, "M4"}, {sizes, 5, true, true, "M5"},
      {sizes, 5.5, true, false, ""},   {"# nothing\n", 8, false, true, ""},
  };
  for (const Case& c : cases) {
    std::string key = "stale";
    EXPECT_EQ(QCercaDiametro(Write("d.tab", c.file), c.diameter, c.exact, key), c.found)
        << c.diameter;
    EXPECT_EQ(key, c.size) << c.diameter << (c.exact ? " exact" : " nearest");
  }
  EXPECT_TRUE(Messages().empty());
}

// --- QDesignazione ---------------------------------------------------------------------------

TEST_F(FileReadTAB, QDesignazioneMatchesFileAndStandardAnywhereInTheFile) {
  std::string path = Write("b.ini",
                           "[1]\n"
                           "\"A.tab\" \"ISO 1\" \"x\" \"Wrong\" \"m\" \"wrong\"\n"
                           "[2]\n"
                           " \"B.tab\" \"ISO 1\" \"x\" \"Indented\" \"m\" \"indented\"\n"
                           "\" B.tab \" \"ISO 1 \" \"x\" \"Hex screw\" \"m\" \"N D CxL\"\n");
  std::string nameTemplate = "t", designation = "d";
  QDesignazione(path, "B.tab", " ISO 1", nameTemplate, designation);
  EXPECT_EQ(nameTemplate, "N D CxL");
  EXPECT_EQ(designation, "Hex screw");
  nameTemplate = "t";
  QDesignazione(path, "C.tab", "ISO 1", nameTemplate, designation);
  EXPECT_EQ(nameTemplate, "t");
  EXPECT_TRUE(Messages().empty());
}

// --- GetHoleToll -----------------------------------------------------------------------------

class GetHoleTollTest : public FileReadTAB {
 protected:
  void SetUp() override {
    index_ = Write("t.ini", "# classes\n\"H7.tab\" \"H7\"\n\"H11.tab\" \"H11\"\n");
    Write("tol/H7.tab", "# d | t\n10 | 0.2\n@10.05|9\n10.1|0.4\n12|0.5\n");
  }
  std::string index_;
};

TEST_F(GetHoleTollTest, LastLineWithinATenthWins) {
  double allowance = -1;
  GetHoleToll(index_, Folder() + "tol/", 2, 10.05, allowance);
  EXPECT_EQ(allowance, 0.4);
  GetHoleToll(index_, Folder() + "tol/", 2, 10, allowance);
  EXPECT_EQ(allowance, 0.4);
  allowance = -1;
  GetHoleToll(index_, Folder() + "tol/", 2, 11, allowance);
  EXPECT_EQ(allowance, -1);
  EXPECT_TRUE(Messages().empty());
}

// --- faults: each query's message, its icon, and what it keeps ---------------------------------

TEST_F(FileReadTAB, EveryQueryReportsItsFaultByFileAndQueryKeepingWhatItHad) {
  const std::string folder = Folder(), gone = folder + "none.ini", goneTab = folder + "gone.tab";
  const std::string index = Write("b.ini", kIndex);
  const std::string cut = Write("cut.ini", "[2]\n\"a.tab\" \"DIN 1\" \"\"\n\"b.tab\" \"DIN 2\" \"\"\n");
  const std::string quotes = Write("q.ini", "[1]\n\"a.tab\" \"ISO 1\"\n\"b.tab\" ISO 2\n[2]\n");
  const std::string noData = Write("g.ini", "[1]\n\"Gone.tab\" \"ISO 1\" \"d\" \"x\" \"m\" \"N\"\n");
  const std::string noMaterials = Write("m.ini", "[1]\n\"d.tab\" \"ISO 1\" \"Hex screw\"\n[2]\n");
  const std::string noTemplate = Write("t.ini", "\"B.tab\" \"ISO 1\" \"x\" \"Hex screw\" \"m\"\n");
  const std::string tolerances = Write("h.ini", "# classes\n\"H7.tab\" \"H7\"\n\"H11.tab\" \"H11\"\n");
  Write("d.tab", "M6|6|30\nM8|8|40\n");
  Write("tol/H7.tab", "10|0.2\n12 0.5\n");
  ListControl list, sizes, lengths, materials;
  LabelControl description;
  ValueArray v{};
  std::string text, designation = "d";
  double allowance = -1;
  auto listed = [](const ListControl& l) {
    std::string out;
    for (const std::string& t : Texts(l)) out += t + ";";
    return out;
  };
  auto code = [&](std::int32_t number, const ListControl& l) {
    return std::to_string(number) + " " + listed(l);
  };
  auto notFound = [](const std::string& file, const char* query) {
    return "Error Reading File\r\n\r\n" + file + "\r\n\r\nFile not found\rIn " + query;
  };
  auto iniNotFound = [](const std::string& file, const char* query) {
    return "Error Reading File INI\r\n\r\n" + file + "\r\n\r\nFile INI not found\rIn " + query;
  };
  const std::string invalid = "Error 5 Invalid procedure call or argument\r\nin ";
  struct Fault {
    std::function<std::string()> run;  // the call, answering what it kept or returned
    std::string kept, message;
    std::int32_t style;
  };
  const Fault faults[] = {
      {[&] { list.AddItem("stale"); return code(QNorma(index, 3, list), list); }, "62 ",
       "Error Reading " + index + "\rin QNorma\r\nFieldID [ 3] not found", host::kMsgCritical},
      {[&] { return code(QNorma(cut, 2, list), list); }, "62 DIN 1;DIN 2;",
       "Error Reading " + cut + "\rin QNorma\r\nFieldID [ 2] not found", host::kMsgCritical},
      {[&] { return code(QNorma(gone, 1, list), list); }, "53 ", iniNotFound(gone, "QNorma"),
       host::kMsgExclamation},
      {[&] { return code(QNorma(quotes, 1, list), list); }, "5 ISO 1;", invalid + "QNorma",
       host::kMsgCritical},
      {[&] { return code(QNormaHole(gone, list), list); }, "53 ", iniNotFound(gone, "QNormaHole"),
       host::kMsgExclamation},
      {[&] { QData(cut, folder, 4, sizes, description, materials); return std::string(); }, "",
       "Error Reading " + cut + "\rin QData", host::kMsgCritical},
      {[&] { QData(noData, folder, 2, sizes, description, materials); return description.Caption(); },
       "d", iniNotFound("Gone.tab", "QData"), host::kMsgExclamation},
      {[&] { QData(noMaterials, folder, 2, sizes, description, materials); return listed(sizes); },
       "M6;M8;", invalid + "QData", host::kMsgCritical},
      {[&] {
         sizes.SetItemData(0, 5);  // a group starting past the end
         sizes.SetListIndex(0);
         QLunghezze(folder, sizes, lengths);
         return listed(lengths);
       },
       "", "Error Reading " + folder + "d.tab\rin QLunghezze", host::kMsgCritical},
      {[&] { sizes.SetTag("gone.tab"); QLunghezze(folder, sizes, lengths); return listed(lengths); },
       "", iniNotFound(goneTab, "QSpessori"), host::kMsgExclamation},
      {[&] { return std::to_string(QMisuraVariabili(goneTab, "M8", "40", v, text)); }, "0",
       notFound(goneTab, "QMisuraVariabili"), host::kMsgExclamation},
      {[&] { return std::to_string(QCercaDiametro(goneTab, 8, true, text)); }, "0",
       notFound(goneTab, "QCercaDiametro"), host::kMsgExclamation},
      {[&] { return std::to_string(QDiameterVariabili(goneTab, 8, text, v, text)); }, "0",
       notFound(goneTab, "QDiameterVariabili"), host::kMsgExclamation},
      {[&] { QDesignazione(noTemplate, "B.tab", "ISO 1", text, designation); return designation; },
       "d", invalid + "QDesignazione", host::kMsgCritical},
      {[&] { GetHoleToll(tolerances, folder + "tol/", 4, 10, allowance); return CStr(allowance); },
       "-1", "Error Reading " + tolerances + "\rin GetHoleToll", host::kMsgCritical},
      {[&] { GetHoleToll(tolerances, folder + "tol/", 3, 10, allowance); return CStr(allowance); },
       "-1", notFound("H11.tab", "GetHoleToll"), host::kMsgExclamation},
      {[&] { GetHoleToll(tolerances, folder + "tol/", 2, 10, allowance); return CStr(allowance); },
       "-1", invalid + "GetHoleToll", host::kMsgCritical},
  };
  for (const Fault& f : faults) {
    host_.Host().ClearMessages();
    EXPECT_EQ(f.run(), f.kept) << f.message;
    EXPECT_EQ(OnlyMessage(f.style), f.message);
  }
}

}  // namespace
