// Two commands at once that remember different things in the preferences file both keep what
// they remember: the file is locked from reading to writing and merged with the other's change.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/CliFixture.h"

namespace {

using namespace vormbrace;

// Lines of the file: 5 header lines, then 5 per kind tab (type, standard, size, length,
// material); the remembered standard of washers (tab 3) and nuts (tab 4).
constexpr std::size_t kWasherStandard = 5 + 3 * 5 + 1;
constexpr std::size_t kNutStandard = 5 + 4 * 5 + 1;

class PrefsTogether : public test::CliFixture {
 protected:
  std::string Washer(const char* standard) {
    return std::string("drop --kind washer --type 1 --standard \"") + standard +
           "\" --size M10 -o washer.json";
  }
  std::string Nut(const char* standard) {
    return std::string("drop --kind nut --type 1 --standard \"") + standard +
           "\" --size M10 -o nut.json";
  }
  // Runs both commands in two processes started together; answers whether both succeeded.
  bool RunTogether(const std::string& a, const std::string& b) {
    std::vector<pid_t> children;
    for (const std::string* args : {&a, &b}) {
      pid_t pid = ::fork();
      if (pid == 0) ::_exit(Run(*args).exitCode == 0 ? 0 : 1);
      children.push_back(pid);
    }
    bool ok = true;
    for (pid_t pid : children) {
      int status = 0;
      ::waitpid(pid, &status, 0);
      ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return ok;
  }
  std::string Line(std::size_t index) {
    std::ifstream in(host_.Scratch() / "user" / "Vormbrace.prf");
    std::string line;
    for (std::size_t i = 0; i <= index && std::getline(in, line); ++i) {
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }
};

TEST_F(PrefsTogether, TwoDropsAtOnceKeepBothRememberedChoices) {
  // What each choice leaves in the file when dropped alone.
  ASSERT_EQ(Run(Washer("ISO 7089")).exitCode, 0);
  ASSERT_EQ(Run(Nut("ISO 4032")).exitCode, 0);
  const std::string washerA = Line(kWasherStandard), nutA = Line(kNutStandard);
  ASSERT_EQ(Run(Washer("ISO 7091")).exitCode, 0);
  ASSERT_EQ(Run(Nut("ISO 4035")).exitCode, 0);
  const std::string washerB = Line(kWasherStandard), nutB = Line(kNutStandard);
  ASSERT_NE(washerA, washerB);
  ASSERT_NE(nutA, nutB);

  for (int round = 0; round < 4; ++round) {
    const bool first = round % 2 == 0;
    ASSERT_TRUE(RunTogether(Washer(first ? "ISO 7089" : "ISO 7091"),
                            Nut(first ? "ISO 4032" : "ISO 4035")))
        << "round " << round;
    EXPECT_EQ(Line(kWasherStandard), first ? washerA : washerB) << "round " << round;
    EXPECT_EQ(Line(kNutStandard), first ? nutA : nutB) << "round " << round;
  }
}

}  // namespace
