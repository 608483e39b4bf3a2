// Safe replacement of the files the program writes (scenes, preferences, exports): the new
// content goes to a fresh temporary file beside the target, created for this write alone, is
// flushed to disk and renamed over the target, so a crash or a second writer never leaves a
// half or mixed file. An advisory lock held over a whole read-modify-write keeps two commands
// from losing each other's changes.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace host {

// A refused or failed write; the text names the file and the reason. The target is untouched.
class SafeFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How long a FileLock waits for another command to finish with the file.
inline constexpr int kLockWaitSeconds = 60;

// What a file was when it was read: gone, or its identity, size and modification time.
struct FileStamp {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long modifiedNs = 0;
  bool operator==(const FileStamp&) const = default;
};

// Holds the advisory lock of the file at `path` (the file a symlink leads to) for a whole
// read-modify-write, and notes what the file was when locked. While it lives, every
// ReplaceFile of that file in this process refuses to write when the file has changed since
// (another program wrote it), and a file that did not exist is only created, never replaced.
// Raises SafeFileError when another command holds the lock for longer than kLockWaitSeconds.
class FileLock {
 public:
  explicit FileLock(const std::string& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_ = -1;
  std::string target_;
};

// Replaces the file at `path` with what `write` puts into the temporary file whose path it gets
// (`write` answers false on failure). A symlink is written through to its target; the target
// keeps its mode. Refuses a target that is not a regular file or is read-only, and never
// follows a link planted at the temporary name. Stale temporary files of this program beside
// the target (left by a killed process) are removed first. Raises SafeFileError; on any failure
// the target is as it was and no temporary file stays.
void ReplaceFile(const std::string& path, const std::function<bool(const std::string&)>& write);

// ReplaceFile with the given bytes as the whole content.
void ReplaceFileText(const std::string& path, std::string_view text);

// How a replacement goes about it. By default the new file is flushed to disk, with its folder,
// before it takes the target's place, and stale temporary files beside the target are removed
// first. A cache whose entries carry their own checksum and whose folder is swept by its own
// eviction can skip both: a torn entry after a crash is recognised and built again.
struct ReplaceOptions {
  bool flush = true;
  bool removeStaleTemps = true;
};
void ReplaceFileText(const std::string& path, std::string_view text, const ReplaceOptions& options);

// Whether two paths lead to the same file: through symlinks, or as one existing file.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace host
