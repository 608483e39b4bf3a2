// The add-in's text files: line ends, errors, atomic writes and the user store.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/RuntimeError.h"
#include "host/TextFile.h"
#include "support/ErrorOf.h"
#include "support/TestHost.h"

namespace {

std::vector<std::string> ReadAll(const std::string& path) {
  host::TextReader in(path);
  std::vector<std::string> lines;
  while (!in.Eof()) lines.push_back(in.ReadLine());
  return lines;
}

using vormbrace::test::ErrorOf;

class TextFileTest : public ::testing::Test {
 protected:
  vormbrace::test::TestHost host_;
};

TEST_F(TextFileTest, CrLfLfAndCrLineEndsReadTheSame) {
  std::vector<std::string> expected = {"[1]", "\"a\" \"b\"", "", "last"};
  EXPECT_EQ(ReadAll(host_.WriteFile("crlf.ini", "[1]\r\n\"a\" \"b\"\r\n\r\nlast\r\n")), expected);
  EXPECT_EQ(ReadAll(host_.WriteFile("lf.ini", "[1]\n\"a\" \"b\"\n\nlast")), expected);
  EXPECT_EQ(ReadAll(host_.WriteFile("cr.ini", "[1]\r\"a\" \"b\"\r\rlast\r")), expected);
}

TEST_F(TextFileTest, MissingFileAndReadingPastTheEndRaiseTheirErrors) {
  std::string folder = host_.Scratch().string();
  EXPECT_EQ(ErrorOf([&] { host::TextReader r(folder + "\\none.txt"); }), 53);
  EXPECT_EQ(ErrorOf([&] { host::TextReader r(folder); }), 53);  // a folder is not a file
  std::string path = host_.WriteFile("one.txt", "only\r\n");
  EXPECT_EQ(ErrorOf([&] {
              host::TextReader r(path);
              r.ReadLine();
              r.ReadLine();
            }),
            62);
  std::string empty = host_.WriteFile("empty.txt", "");
  EXPECT_EQ(ErrorOf([&] { host::TextReader(empty).ReadLine(); }), 62);
}

TEST_F(TextFileTest, BackslashesAreSeparators) {
  host_.WriteFile("Std/ISO/Bolts.ini", "x");
  std::string composed = host_.Scratch().string() + "\\Std\\ISO\\" + "Bolts.ini";
  EXPECT_TRUE(host::PlatformFileExists(composed));
  EXPECT_EQ(ReadAll(composed), std::vector<std::string>{"x"});
}

TEST_F(TextFileTest, WriterReplacesTheFileOnlyOnCommit) {
  std::string path = host_.WriteFile("prefs.prf", "old\r\n");
  {
    host::TextWriter out(path);
    out.WriteLine("new");
  }  // abandoned
  EXPECT_EQ(host_.ReadFile(path), "old\r\n");
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  host::TextWriter out(path);
  out.WriteLine("new");
  out.Commit();
  EXPECT_EQ(host_.ReadFile(path), "new\r\n");
}

TEST_F(TextFileTest, WritesUnderAProtectedFolderGoToTheUserStoreAndNeverClimbOut) {
  std::string app = (host_.Scratch() / "a" / "app").string();
  std::string store = (host_.Scratch() / "store").string();
  std::filesystem::create_directories(app);
  host::SetFileRedirect(app, store);
  host::TextWriter out(app + "\\Vormbrace.prf");
  out.WriteLine("1");
  out.Commit();
  EXPECT_FALSE(std::filesystem::exists(app + "/Vormbrace.prf"));
  EXPECT_EQ(host_.ReadFile(store + "/Vormbrace.prf"), "1\r\n");
  EXPECT_TRUE(host::PlatformFileExists(app + "\\Vormbrace.prf"));
  EXPECT_EQ(ReadAll(app + "\\Vormbrace.prf"), std::vector<std::string>{"1"});
  EXPECT_EQ(ErrorOf([&] { host::TextWriter climb(app + "\\..\\..\\escaped.prf"); }), 75);
  EXPECT_FALSE(std::filesystem::exists(host_.Scratch() / "escaped.prf"));
}

}  // namespace
