// Broken table files of every kind: empty, binary, huge lines, text in number fields. Each query
// answers with its own message (or quietly, where the rules say so) and never crashes or hangs.
#include <gtest/gtest.h>

#include "data/FileReadTAB.h"
#include "dialog/ListControl.h"
#include "host/Host.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;

class TableBadInput : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& content) {
    return host_.WriteFile(name, content);
  }
  std::string Folder() const { return host_.Scratch().string() + "/"; }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const auto& m : host_.Host().Messages()) texts.push_back(m.text);
    return texts;
  }

  test::TestHost host_;
  ListControl list_, sizes_, lengths_, materials_;
  LabelControl description_;
  ValueArray values_{};
  std::string text_;
};

TEST_F(TableBadInput, EmptyFilesGiveEndOfFileOrNothingFound) {
  std::string empty = Write("empty", "");
  EXPECT_EQ(QNorma(empty, 1, list_), 62);
  EXPECT_EQ(QNormaHole(empty, list_), 62);
  QData(empty, Folder(), 1, sizes_, description_, materials_);
  double allowance = 7;
  GetHoleToll(empty, Folder(), 1, 10, allowance);
  EXPECT_EQ(allowance, 7);
  sizes_.SetTag("empty");
  sizes_.AddItem("M8");
  sizes_.SetListIndex(0);
  QLunghezze(Folder(), sizes_, lengths_);
  EXPECT_FALSE(QMisuraVariabili(empty, "M8", "40", values_, text_));
  EXPECT_FALSE(QCercaDiametro(empty, 8, true, text_));
  EXPECT_FALSE(QDiameterVariabili(empty, 8, text_, values_, text_));
  std::string nameTemplate = "t", designation = "d";
  QDesignazione(empty, "a", "b", nameTemplate, designation);
  EXPECT_EQ(nameTemplate, "t");
  EXPECT_EQ(Texts(), (std::vector<std::string>{
                         "Error Reading " + empty + "\rin QNorma\r\nFieldID [ 1] not found",
                         "Error Reading " + empty + "\rin QData",
                         "Error Reading " + empty + "\rin GetHoleToll",
                         "Error Reading " + Folder() + "empty\rin QLunghezze"}));
}

TEST_F(TableBadInput, BinaryGarbageIsReadAsText) {
  const char raw[] = "\x00\xff\xfe[1]\x00\r\"\x01\"\"\x02\"|\x80|\x00\n\x1a\r\n";
  std::string garbage(raw, sizeof raw - 1);
  std::string path = Write("garbage", garbage);
  EXPECT_EQ(QNorma(path, 1, list_), 62);
  // The first line is a record without quotes.
  EXPECT_EQ(QNormaHole(path, list_), 5);
  EXPECT_TRUE(QMisuraVariabili(path, std::string("\"\x01\"\"\x02\"", 6), "0", values_, text_));
  EXPECT_EQ(text_, std::string("\x80", 1));
}

TEST_F(TableBadInput, MegabyteLinesAreReadWhole) {
  std::string big(1 << 20, 'x');
  std::string path = Write("big.tab", "M8|8|40|" + big + "|part|1\r\n" + big + "\r\nM10|10|50\r\n");
  ASSERT_TRUE(QMisuraVariabili(path, "M8", "40", values_, text_));
  EXPECT_EQ(text_, "part");
  EXPECT_EQ(values_[2], 0);  // a field of text reads as 0
  EXPECT_TRUE(QCercaDiametro(path, 10, true, text_));
  EXPECT_EQ(text_, "M10");
  std::string index = Write("big.ini", "[1]\n\"a\" \"" + big + "\"\n[2]\n");
  EXPECT_EQ(QNorma(index, 1, list_), 0);
  EXPECT_EQ(list_.List(0).size(), big.size());
  EXPECT_TRUE(Texts().empty());
}

// A file cut mid-line: the last record lacks fields, and the values of the record read before it
// must not stand in for them.
TEST_F(TableBadInput, RecordCutShortIsReportedAsTheBrokenLineItIs) {
  std::string path = Write("cut.tab", "# M10 rods\nM10|10|20|7|5|1.5|1|0\nM10|10|30|7\n");
  values_.fill(-1);
  EXPECT_FALSE(QMisuraVariabili(path, "M10", "30", values_, text_));
  EXPECT_EQ(values_[0], -1);  // nothing taken
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Error 5 " + path +
                                               ", line 3: a broken record (4 of 8 fields)\r\n"
                                               "in QMisuraVariabili"}));
  EXPECT_TRUE(QMisuraVariabili(path, "M10", "20", values_, text_));  // the whole one still reads
  EXPECT_EQ(values_[1], 20);
}

}  // namespace
