// The command line tells the truth: a part whose solid is not valid is not written (unless
// asked for), what it cannot take is refused naming the value as typed, never replaced by
// something else in silence.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/occt/Export.h"
#include "support/CliFixture.h"

namespace {

using namespace vormbrace;
namespace fs = std::filesystem;

using HonestExitTest = test::CliFixture;

TEST_F(HonestExitTest, PartWithoutAValidSolidIsWrittenOnlyWhenAskedFor) {
  const std::string rod = "drop --kind bolt --family DIN --type 5 --size M10 --length 1e-12 ";
  auto refused = Run(rod + "-o rod.json --export rod.step");
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("vormbrace: \"DIN 975 M10x1E-12 - 8.8\": its solid is not valid; "
                             "nothing was written"),
            std::string::npos)
      << refused.err;
  EXPECT_FALSE(fs::exists(Path("rod.json")));
  EXPECT_FALSE(fs::exists(Path("rod.step")));
  // A slot wider and deeper than the set screw's body cuts it away.
  auto slot = Run("build --kind setscrew --type 1 --set Diametro=10 --set lung=20 "
                  "--set LargIntaglio=30 --set AltIntaglio=30 slot.step");
  EXPECT_EQ(slot.exitCode, 1) << slot.err;
  EXPECT_FALSE(fs::exists(Path("slot.step")));

  auto kept = Run(rod + "-o rod.json --export rod.step --keep-invalid");
  EXPECT_EQ(kept.exitCode, 0) << kept.err;
  EXPECT_TRUE(fs::exists(Path("rod.json")));
}

TEST_F(HonestExitTest, ChoicesTheDialogWouldNotTakeAreRefusedNamingTheValue) {
  struct Case {
    std::string args, message;
  };
  const std::string rod = "drop --kind bolt --family DIN --type 5 --size M10 ";
  const Case cases[] = {
      {rod + "--length abc", "vormbrace: --length: \"abc\" is not a number\n"},
      {rod + "--length 12abc", "vormbrace: --length: \"12abc\" is not a number\n"},
      {rod + "--length nan", "vormbrace: --length: \"nan\" is not a number\n"},
      {rod + "--length 0", "vormbrace: --length: \"0\" is not more than 0\n"},
      {rod + "--length -100", "vormbrace: --length: \"-100\" is out of range (0 to 100000)\n"},
      {"drop --type 0", "--type: Value 0 not in range 1 to 12\n"},
      {"drop --standard ''", "--standard: must not be empty\n"},
      {"drop -o ''", "-o: must not be empty\n"},
      {"drop --kind washer --hole simple", "vormbrace: --hole: no hole is offered for this kind\n"},
      {"drop --family \"$(printf 'IS\\033[31mO')\"",
       "vormbrace: no family \"IS\\x1b[31mO\"; the families are: ISO, DIN\n"},
  };
  for (const Case& c : cases) {
    auto r = Run(c.args);
    EXPECT_NE(r.exitCode, 0) << c.args;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << "\n" << r.err;
  }
  EXPECT_FALSE(fs::exists(Path("drop.json")));
}

TEST_F(HonestExitTest, MessagesNameWhatIsAtFaultInTheUsersTerms) {
  fs::create_directory(Path("folder.step"));
  auto folder = Run("drop --import folder.step --kind washer");
  EXPECT_EQ(folder.err.rfind("vormbrace: folder.step: a folder, not a file\n", 0), 0u);
  // The kernel's own reader complains on standard output; the program says it in its words.
  host_.WriteFile("bad.step", "ISO-10303-21;\nHEADER;\ngarbage\nENDSEC;\n");
  auto bad = Run("drop --import bad.step --kind washer");
  EXPECT_EQ(bad.out, "");
  // (rfind at 0: a sanitizer build may add its own report after the message.)
  EXPECT_EQ(bad.err.rfind("vormbrace: bad.step: not a readable STEP file\n", 0), 0u) << bad.err;
  for (const auto& r : {folder, bad}) EXPECT_EQ(r.exitCode, 1) << r.err;
}

// A standards index file with terminal control codes in it: the message that quotes it shows
// them as text.
TEST_F(HonestExitTest, BinaryTableTextReachesTheTerminalEscaped) {
  const fs::path standards = VORMBRACE_STANDARDS_SOURCE_DIR;
  host_.WriteFile("app/ISO/Bolts.ini",
                  "[1]\n\"\x1b[31mEVIL\x07\"|\"x\"|\"z\"|\"w\"|\"v\"|\"u\"\n[2]\n");
  fs::copy_file(standards / "settings.json", Path("app/settings.json"));
  fs::create_directory_symlink(standards / "DIN", Path("app/DIN"));
  for (const auto& entry : fs::directory_iterator(standards / "ISO")) {
    if (entry.path().filename() != "Bolts.ini")
      fs::create_symlink(entry.path(), Path("app/ISO/" + entry.path().filename().string()));
  }
  auto r = Run("--config app/settings.json drop --kind bolt");
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("\\x1b[31mEVIL\\x07"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find('\x1b'), std::string::npos);
}

}  // namespace
