// The add-in's file access: line-oriented text files in and out, and the file test.
// Paths may use "\" or "/" as separators (the add-in composes Windows-style paths by plain
// concatenation); both are mapped to the platform's separator here.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace host {

// The path with every "\" turned into "/".
std::string NativePath(const std::string& path);

bool PlatformFileExists(const std::string& path);

// Reads a text file line by line without holding it in memory. A line ends at CR LF, LF or a
// lone CR; the end of the file ends the last line. Opening a missing file raises error 53,
// reading past the end error 62.
class TextReader {
 public:
  explicit TextReader(const std::string& path);
  ~TextReader();
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  bool Eof();
  std::string ReadLine();

 private:
  std::FILE* file_ = nullptr;
};

// Writes a text file in full: the lines are gathered and replace the target safely on Commit
// (host/SafeFile.h), so a failed write never destroys the previous file. Errors raise error 75
// (path/file access error).
class TextWriter {
 public:
  explicit TextWriter(const std::string& path);
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  void WriteLine(const std::string& line);  // ends it with CR LF
  void Commit();                            // without it, nothing is written
  // The file Commit replaces (in the user store when the path is redirected there).
  const std::string& Target() const { return target_; }

 private:
  std::string target_;
  std::string text_;
};

// Files written under a protected folder (an installed, read-only application folder) go to a
// user store instead, and reads look there first: the reference host's stand-in for the
// platform's file virtualisation. While it is on, a write that lands neither under the
// protected root nor in the store raises error 75. Empty roots switch it off.
void SetFileRedirect(const std::string& protectedRoot, const std::string& storeRoot);

}  // namespace host
