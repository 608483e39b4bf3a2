// A scratch folder to run the vormbrace program in, as a user would from a terminal.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/RunCommand.h"
#include "support/TestHost.h"

namespace vormbrace::test {

class CliFixture : public ::testing::Test {
 protected:
  CommandResult Run(const std::string& args) const {
    return RunVormbrace(args, host_.Scratch().string());
  }
  std::string Path(const std::string& name) const { return (host_.Scratch() / name).string(); }
  std::string Read(const std::string& name) const { return host_.ReadFile(Path(name)); }

  TestHost host_;
};

}  // namespace vormbrace::test
