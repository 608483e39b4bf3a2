// Saving from the command line never loses a scene: two commands at once keep both parts or
// refuse one, numbers that are not finite never reach the scene, the scene and an export never
// share a path, and a drop that fails writes no export.
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include <nlohmann/json.hpp>

#include "app/AppHost.h"
#include "host/reference/SceneFile.h"
#include "support/CliFixture.h"

namespace {

using namespace vormbrace;
namespace fs = std::filesystem;

class SafeSaveTest : public test::CliFixture {
 protected:
  int Parts(const std::string& name) const {
    return host::ref::LoadScene(Path(name))->RootShape().Shapes(host::kShapePart).Count();
  }
};

// Two drops on one scene at once, many times: each round ends with both new parts in the
// scene, or with one command refused saying why; never a broken or silently shortened scene.
TEST_F(SafeSaveTest, TwoDropsAtOnceKeepBothPartsOrRefuseOne) {
  ASSERT_EQ(Run("drop --kind washer -o scene.json").exitCode, 0);
  const std::string dir = host_.Scratch().string();
  auto one = [&](int k, int x) {
    return "(VORMBRACE_USER_DIR='" + dir + "/user' '" VORMBRACE_EXE "' drop scene.json --at " +
           std::to_string(x) + ",0,0 >out" + std::to_string(k) + " 2>err" + std::to_string(k) +
           "; echo $? >code" + std::to_string(k) + ")";
  };
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int expected = 1;
  for (int round = 1; round <= 25 && std::chrono::steady_clock::now() < deadline; ++round) {
    std::string both = "cd '" + dir + "' && { " + one(1, 20 * round) + " & " +
                       one(2, -20 * round) + " & wait; }";
    ASSERT_EQ(std::system(both.c_str()), 0);
    for (const char* k : {"1", "2"}) {
      int code = std::stoi(Read(std::string("code") + k));
      if (code == 0) {
        ++expected;
      } else {
        EXPECT_NE(Read(std::string("err") + k).find("scene.json: "), std::string::npos)
            << Read(std::string("err") + k);
      }
    }
    ASSERT_EQ(Parts("scene.json"), expected) << "round " << round;
  }
  EXPECT_GT(expected, 1);
}

TEST_F(SafeSaveTest, NumbersThatAreNotFiniteOrOutOfRangeAreRefusedBeforeAnyWork) {
  ASSERT_EQ(Run("drop --kind washer -o scene.json").exitCode, 0);
  const std::string before = Read("scene.json");
  for (const char* option : {"--at nan,0,0", "--at inf,0,0", "--at 0,-INF,0", "--at 1e400,0,0",
                             "--at 2e6,0,0", "--at 12abc,0,0", "--at ,0,0", "--at 1,2",
                             "--at 0,0,0 --dir nan,0,-1", "--at 0,0,0 --dir 0,0,1e999"}) {
    auto r = Run(std::string("drop scene.json --export out.stl ") + option);
    EXPECT_EQ(r.exitCode, 2) << option << "\n" << r.err;
    EXPECT_EQ(r.err.rfind("vormbrace: --", 0), 0u) << r.err;
  }
  EXPECT_EQ(Read("scene.json"), before);
  EXPECT_FALSE(fs::exists(Path("out.stl")));
}

TEST_F(SafeSaveTest, SceneAndExportOnOnePathAreRefused) {
  auto drop = Run("drop --kind washer -o same.step --export same.step");
  EXPECT_EQ(drop.exitCode, 2) << drop.err;
  EXPECT_NE(drop.err.find("both be written to \"same.step\""), std::string::npos) << drop.err;
  auto build = Run("build --kind washer --type 1 --set DiametroInterno=10.5 "
                   "--set DiametroEsterno=20 --set Spessore=2 --scene same.step same.step");
  EXPECT_EQ(build.exitCode, 2) << build.err;
  EXPECT_FALSE(fs::exists(Path("same.step")));
}

TEST_F(SafeSaveTest, DropThatCannotSaveItsSceneWritesNoExport) {
  ASSERT_EQ(Run("drop --kind washer -o scene.json").exitCode, 0);
  fs::permissions(Path("scene.json"), fs::perms::owner_read);
  auto r = Run("drop scene.json --at 30,0,0 --export out.step");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("scene.json: the file is read-only; not overwritten"), std::string::npos)
      << r.err;
  EXPECT_FALSE(fs::exists(Path("out.step")));
}

TEST_F(SafeSaveTest, PreferencesThatCannotBeSavedOnlyWarn) {
  fs::create_directories(Path("user/Vormbrace.prf"));  // a folder where the file should go
  auto r = Run("drop --kind washer -o scene.json");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("warning: the remembered choices were not saved"), std::string::npos)
      << r.err;
  EXPECT_EQ(Parts("scene.json"), 1);
}

// A preferences name in the settings that climbs out of the application folder stays unwritten,
// and without HOME the user folder is still the account's, not the working folder.
TEST_F(SafeSaveTest, PreferencesStayInTheUserFolder) {
  std::ifstream bundled(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json");
  nlohmann::json settings = nlohmann::json::parse(bundled);
  settings["registry"]["SOFTWARE\\Lindqvar\\Corvane\\Vormbrace"]["File Prefs"] =
      "\\..\\..\\escaped.prf";
  host_.WriteFile("a/app/settings.json", settings.dump());
  for (const char* family : {"ISO", "DIN"})
    fs::create_directory_symlink(fs::path(VORMBRACE_STANDARDS_SOURCE_DIR) / family,
                                 Path(std::string("a/app/") + family));
  auto r = Run("--config a/app/settings.json drop --kind washer -o scene.json");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("warning: the remembered choices were not saved"), std::string::npos);
  EXPECT_FALSE(fs::exists(Path("escaped.prf")));

  std::map<std::string, std::string> saved;
  for (const char* name : {"HOME", "XDG_DATA_HOME", "VORMBRACE_USER_DIR"}) {
    if (const char* value = std::getenv(name)) saved[name] = value;
    ::unsetenv(name);
  }
  const std::string store = app::UserStorePath();
  for (const auto& [name, value] : saved) ::setenv(name.c_str(), value.c_str(), 1);
  EXPECT_EQ(store, std::string(::getpwuid(::getuid())->pw_dir) + "/.local/share/vormbrace");
}

}  // namespace
