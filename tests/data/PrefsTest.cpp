// The preferences file: 35 lines for five kind tabs, partial reads, failed writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "data/Globals.h"
#include "data/Prefs.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;

DialogPrefs Sample() {
  DialogPrefs p;
  p.left = 1234.5f;
  p.top = -60;
  p.createAssembly = 1;
  p.family = 0;  // unlike its neighbours, so that lines in the wrong order show
  p.kind = 4;
  for (std::int16_t k = 0; k < kKindCount; ++k) {
    p.kinds.push_back({static_cast<std::int16_t>(k + 2), static_cast<std::int16_t>(k),
                       static_cast<std::int16_t>(10 + k), -1, static_cast<std::int16_t>(3 * k)});
  }
  p.manualLength = "125";
  p.holeOptions = {false, false, true, false};
  return p;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class PrefsTest : public ::testing::Test {
 protected:
  void SetUp() override { State().paths.prefsPath = (host_.Scratch() / "Vormbrace.prf").string(); }
  test::TestHost host_;
  DialogPrefs Blank() {
    DialogPrefs p;
    p.kinds.resize(kKindCount);
    return p;
  }
};

// Written, the file has its 35 lines in the order earlier files have them, and reads back the
// same.
TEST_F(PrefsTest, FiveKindTabsWriteThirtyFiveLinesThatReadBackTheSame) {
  ASSERT_TRUE(WritePrefs(Sample()));
  std::vector<std::string> lines = Lines(host_.ReadFile(State().paths.prefsPath));
  ASSERT_EQ(lines.size(), 35u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5),
            (std::vector<std::string>{"1234.5", "-60", "1", "0", "4"}));
  // Kind 1 (screws): type code, standard, size, length, material list positions.
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 10, lines.begin() + 15),
            (std::vector<std::string>{"3", "1", "11", "-1", "3"}));
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 30, lines.end()),
            (std::vector<std::string>{"125", "False", "False", "True", "False"}));
  DialogPrefs read = Blank();
  ASSERT_TRUE(ReadPrefs(read));
  EXPECT_EQ(read, Sample());
}

TEST_F(PrefsTest, ReadingStopsAtAMissingOrUnreadableValueKeepingWhatWasRead) {
  DialogPrefs read = Blank();
  EXPECT_FALSE(ReadPrefs(read));  // no file
  EXPECT_EQ(read, Blank());

  host_.WriteFile("Vormbrace.prf", "10\r\n20\r\n0\r\n1\r\n2\r\n7\r\n3\r\n");
  read.manualLength = "untouched";
  EXPECT_FALSE(ReadPrefs(read));
  EXPECT_EQ(read.top, 20);
  EXPECT_EQ(read.kind, 2);
  EXPECT_EQ(read.kinds[0].typeCode, 7);
  EXPECT_EQ(read.kinds[0].standard, 3);
  EXPECT_EQ(read.kinds[0].size, 0);  // not reached
  EXPECT_EQ(read.manualLength, "untouched");

  ASSERT_TRUE(WritePrefs(Sample()));
  std::string text = host_.ReadFile(State().paths.prefsPath);
  text.replace(text.rfind("True"), 4, "Maybe");
  host_.WriteFile("Vormbrace.prf", text);
  read = Blank();
  EXPECT_FALSE(ReadPrefs(read));
  EXPECT_EQ(read.manualLength, "125");
  host_.WriteFile("Vormbrace.prf", "1\r\n2\r\n99999\r\n");  // beyond a 16-bit integer
  read = Blank();
  EXPECT_FALSE(ReadPrefs(read));
  EXPECT_EQ(read.top, 2);
  EXPECT_EQ(read.createAssembly, 0);
  EXPECT_TRUE(host_.Host().Messages().empty());  // none of it is reported
}

TEST_F(PrefsTest, FailedWriteIsReportedAndKeepsThePreviousFile) {
  ASSERT_TRUE(WritePrefs(Sample()));
  std::string before = host_.ReadFile(State().paths.prefsPath);
  std::filesystem::permissions(State().paths.prefsPath, std::filesystem::perms::owner_read);
  DialogPrefs changed = Sample();
  changed.kind = 0;
  EXPECT_FALSE(WritePrefs(changed));
  ASSERT_EQ(host_.Host().Messages().size(), 1u);
  EXPECT_EQ(host_.Host().Messages()[0].text, "ERRORE 75 Path/File access error");
  EXPECT_EQ(host_.Host().Messages()[0].title, "Write Prefs");
  EXPECT_EQ(host_.Host().Messages()[0].style, 16);
  EXPECT_EQ(host_.ReadFile(State().paths.prefsPath), before);
}

}  // namespace
