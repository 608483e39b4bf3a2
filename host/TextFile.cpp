// Line-oriented text files for the add-in, with "\" accepted as a separator.
#include "host/TextFile.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "host/RuntimeError.h"
#include "host/SafeFile.h"

namespace host {
namespace {

std::string gProtectedRoot;
std::string gStoreRoot;

// `path` relative to `root` once ".." and links are resolved, or "" when it lies outside.
std::filesystem::path Inside(const std::string& path, const std::string& root) {
  std::error_code ec;
  auto full = std::filesystem::weakly_canonical(path, ec);
  if (ec) return {};
  auto rel = full.lexically_relative(std::filesystem::weakly_canonical(root, ec));
  if (ec || rel.empty() || *rel.begin() == "..") return {};
  return rel;
}

// The redirected location of a path under the protected root, or "" when it is not under it.
std::string StorePath(const std::string& nativePath) {
  if (gProtectedRoot.empty()) return "";
  auto rel = Inside(nativePath, gProtectedRoot);
  if (rel.empty()) return "";
  return (std::filesystem::path(gStoreRoot) / rel).string();
}

// Where a read of `path` goes: the user store's copy when there is one.
std::string ReadLocation(const std::string& path) {
  std::string native = NativePath(path);
  std::string store = StorePath(native);
  if (!store.empty() && std::filesystem::exists(store)) return store;
  return native;
}

}  // namespace

std::string NativePath(const std::string& path) {
  std::string out = path;
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

bool PlatformFileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(ReadLocation(path), ec);
}

void SetFileRedirect(const std::string& protectedRoot, const std::string& storeRoot) {
  if (protectedRoot.empty() || storeRoot.empty()) {
    gProtectedRoot.clear();
    gStoreRoot.clear();
    return;
  }
  std::error_code ec;
  gProtectedRoot = std::filesystem::weakly_canonical(protectedRoot, ec).string();
  gStoreRoot = storeRoot;
}

TextReader::TextReader(const std::string& path) {
  std::string location = ReadLocation(path);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(location, ec)) Raise(err::kFileNotFound);
  file_ = std::fopen(location.c_str(), "rb");
  if (file_ == nullptr) Raise(err::kPathFileAccessError);
}

TextReader::~TextReader() {
  if (file_ != nullptr) std::fclose(file_);
}

bool TextReader::Eof() {
  int c = std::getc(file_);
  if (c == EOF) return true;
  std::ungetc(c, file_);
  return false;
}

std::string TextReader::ReadLine() {
  if (Eof()) Raise(err::kInputPastEndOfFile);
  std::string line;
  for (int c = std::getc(file_); c != EOF; c = std::getc(file_)) {
    if (c == '\n') break;
    if (c == '\r') {
      int next = std::getc(file_);
      if (next != '\n' && next != EOF) std::ungetc(next, file_);
      break;
    }
    line.push_back(static_cast<char>(c));
  }
  return line;
}

TextWriter::TextWriter(const std::string& path) {
  target_ = NativePath(path);
  std::string store = StorePath(target_);
  // With a user store, what the add-in writes stays inside it: a name that climbs out of the
  // application folder ("\\..\\..\\tmp\\x") is refused.
  if (store.empty() && !gStoreRoot.empty() && Inside(target_, gStoreRoot).empty())
    Raise(err::kPathFileAccessError);
  if (!store.empty()) {
    target_ = store;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(target_).parent_path(), ec);
  }
}

void TextWriter::WriteLine(const std::string& line) {
  text_ += line;
  text_ += "\r\n";
}

void TextWriter::Commit() {
  try {
    ReplaceFileText(target_, text_);
  } catch (const SafeFileError&) {
    Raise(err::kPathFileAccessError);
  }
}

}  // namespace host
