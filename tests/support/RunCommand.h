// Runs the vormbrace program as a user would and captures what it prints.
#pragma once

#include <string>

namespace vormbrace::test {

struct CommandResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs `vormbrace ARGS` (ARGS already quoted for the shell) from the scratch folder `cwd`, with
// its user folder in cwd/user and its solid cache in cwd/cache/vormbrace.
CommandResult RunVormbrace(const std::string& args, const std::string& cwd);

}  // namespace vormbrace::test
