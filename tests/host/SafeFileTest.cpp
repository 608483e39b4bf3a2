// Safe replacement of files: a lock over a read-modify-write refuses to overwrite what another
// program wrote meanwhile, the file's mode and links are kept, and stale temporary files of
// killed processes are cleaned up.
#include "host/SafeFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/TestHost.h"

namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return (host_.Scratch() / name).string(); }
  std::string Read(const std::string& name) const { return host_.ReadFile(Path(name)); }
  // The names in the scratch folder that end in ".tmp".
  int TempCount() const {
    int n = 0;
    for (const auto& e : fs::directory_iterator(host_.Scratch())) n += e.path().extension() == ".tmp";
    return n;
  }
  vormbrace::test::TestHost host_;
};

TEST_F(SafeFileTest, FileChangedSinceItWasLockedIsNotOverwritten) {
  std::string path = host_.WriteFile("scene.json", "mine");
  host::FileLock lock(path);
  std::ofstream(path, std::ios::trunc) << "theirs, written meanwhile";
  try {
    host::ReplaceFileText(path, "lost update");
    FAIL() << "overwrote another program's work";
  } catch (const host::SafeFileError& e) {
    EXPECT_EQ(std::string(e.what()),
              path + ": changed by another program since it was read; not overwritten");
  }
  EXPECT_EQ(Read("scene.json"), "theirs, written meanwhile");
  EXPECT_EQ(TempCount(), 0);
}

TEST_F(SafeFileTest, FileCreatedMeanwhileIsNotReplacedAndOwnWritesFollowEachOther) {
  std::string path = Path("new.json");
  {
    host::FileLock lock(path);
    host_.WriteFile("new.json", "theirs");
    EXPECT_THROW(host::ReplaceFileText(path, "mine"), host::SafeFileError);
    EXPECT_EQ(Read("new.json"), "theirs");
  }
  host::FileLock lock(path);
  host::ReplaceFileText(path, "first");
  host::ReplaceFileText(path, "second");  // our own write is no change by another
  EXPECT_EQ(Read("new.json"), "second");
}

TEST_F(SafeFileTest, ModeAndSymlinkAreKept) {
  std::string target = host_.WriteFile("real.json", "old");
  ::chmod(target.c_str(), 0600);
  fs::create_symlink("real.json", Path("link.json"));
  host::ReplaceFileText(Path("link.json"), "new");
  EXPECT_TRUE(fs::is_symlink(Path("link.json")));
  EXPECT_EQ(Read("real.json"), "new");
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST_F(SafeFileTest, ReadOnlyAndNonRegularTargetsAreRefused) {
  std::string readOnly = host_.WriteFile("ro.json", "keep");
  ::chmod(readOnly.c_str(), 0444);
  EXPECT_THROW(host::ReplaceFileText(readOnly, "x"), host::SafeFileError);
  EXPECT_EQ(Read("ro.json"), "keep");
  std::string fifo = Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  for (const std::string& path : {fifo, host_.Scratch().string()}) {
    try {
      host::ReplaceFileText(path, "x");
      FAIL() << "replaced " << path;
    } catch (const host::SafeFileError& e) {
      EXPECT_EQ(std::string(e.what()), path + ": not a regular file; not overwritten");
    }
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(TempCount(), 0);
}

TEST_F(SafeFileTest, LinkPlantedAtTheOldTemporaryNameIsNotFollowed) {
  std::string victim = host_.WriteFile("victim.txt", "precious");
  fs::create_symlink(victim, Path("scene.json.tmp"));
  host::ReplaceFileText(Path("scene.json"), "scene");
  EXPECT_EQ(Read("victim.txt"), "precious");
  EXPECT_EQ(Read("scene.json"), "scene");
}

TEST_F(SafeFileTest, StaleTemporariesOfEndedProcessesAreRemoved) {
  pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);  // a process that has ended, as if killed during a save
  std::string stale = "scene.json." + std::to_string(child) + "-abc123.tmp";
  std::string live = "scene.json." + std::to_string(::getppid()) + "-abc123.tmp";
  host_.WriteFile(stale, "half a sce");
  host_.WriteFile(live, "being written");
  host_.WriteFile("scene.json.notes.tmp", "not ours");
  host::ReplaceFileText(Path("scene.json"), "scene");
  EXPECT_FALSE(fs::exists(Path(stale)));
  EXPECT_TRUE(fs::exists(Path(live)));
  EXPECT_TRUE(fs::exists(Path("scene.json.notes.tmp")));
}

}  // namespace
