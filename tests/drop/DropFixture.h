// Drops made as a designer makes them: the vormbrace program run on STEP plates the test writes,
// its report read back (the size chosen, the holes cut) and its scene loaded.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "host/reference/SceneFile.h"
#include "support/Parts.h"
#include "support/CliFixture.h"

namespace vormbrace::test {

class DropOnParts : public CliFixture {
 protected:
  // Runs and expects success.
  CommandResult Run(const std::string& args) const {
    CommandResult r = CliFixture::Run(args);
    EXPECT_EQ(r.exitCode, 0) << args << "\n" << r.err;
    return r;
  }
  void WritePlate(const std::string& name, const std::vector<HoleSpec>& holes, bool noisy = false) {
    WriteDrilledPlate(Path(name), holes, noisy);
  }
  // The size the drop chose: "M10" from its report line "size: M10, ...".
  static std::string SizeOf(const CommandResult& r) {
    std::size_t at = r.out.find("\nsize: ");
    if (at == std::string::npos) return "";
    at += 7;
    return r.out.substr(at, r.out.find(',', at) - at);
  }
  // The first line of the report that begins with `start`.
  static std::string LineOf(const CommandResult& r, const std::string& start) {
    std::size_t at = r.out.rfind(start, 0) == 0 ? 0 : r.out.find("\n" + start);
    if (at == std::string::npos) return "";
    if (at > 0) ++at;
    return r.out.substr(at, r.out.find('\n', at) - at);
  }
  // The preferences file the drops remember their choices in, line by line.
  std::vector<std::string> Prefs() const {
    std::ifstream in(Path("user/Vormbrace.prf"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  std::unique_ptr<host::ref::SceneDocument> Scene(const std::string& name) const {
    return host::ref::LoadScene(Path(name));
  }
};

}  // namespace vormbrace::test
