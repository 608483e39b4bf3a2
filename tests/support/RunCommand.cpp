// Running the program under test.
#include "support/RunCommand.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vormbrace::test {

CommandResult RunVormbrace(const std::string& args, const std::string& cwd) {
  std::string out = cwd + "/stdout.txt", err = cwd + "/stderr.txt";
  // The solid cache goes to the scratch folder too, never to the user's own.
  std::string command = "cd '" + cwd + "' && VORMBRACE_USER_DIR='" + cwd +
                        "/user' XDG_CACHE_HOME='" + cwd + "/cache' '" VORMBRACE_EXE "' " + args +
                        " >'" + out + "' 2>'" + err + "'";
  int status = std::system(command.c_str());
  CommandResult r;
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::stringstream o, e;
  o << std::ifstream(out).rdbuf();
  e << std::ifstream(err).rdbuf();
  r.out = o.str();
  r.err = e.str();
  return r;
}

}  // namespace vormbrace::test
