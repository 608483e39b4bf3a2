// Safe file replacement: unique temporary files, flush before rename, advisory locks.
#include "host/SafeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

namespace host {
namespace {

namespace fs = std::filesystem;

// The files this process holds a FileLock on, by target, with what each was when locked.
std::map<std::string, FileStamp>& Locked() {
  static std::map<std::string, FileStamp> locked;
  return locked;
}

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw SafeFileError(path + ": " + why);
}

std::string SystemError() { return std::strerror(errno); }

// The file `path` leads to: every symlink along the way followed (a dangling one to the file it
// names, which a write creates).
std::string ResolveLinks(const std::string& path) {
  fs::path p = path;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(p, ec))) break;
    fs::path link = fs::read_symlink(p, ec);
    if (ec) break;
    p = link.is_absolute() ? link : p.parent_path() / link;
  }
  return p.string();
}

std::string Key(const std::string& target) {
  std::error_code ec;
  return fs::absolute(target, ec).lexically_normal().string();
}

FileStamp StampOf(const struct stat& st) {
  return {true, st.st_dev, st.st_ino, st.st_size,
          static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

FileStamp Stamp(const std::string& target) {
  struct stat st {};
  if (::lstat(target.c_str(), &st) != 0) return {};
  return StampOf(st);
}

// Our temporary names are "NAME.PID-XXXXXX.tmp"; one whose process is gone is stale.
void RemoveStaleTemps(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const std::string prefix = name + ".";
  while (dirent* entry = ::readdir(dir)) {
    std::string_view e = entry->d_name;
    if (e.size() <= prefix.size() + 11 || e.substr(0, prefix.size()) != prefix ||
        e.substr(e.size() - 4) != ".tmp") {
      continue;
    }
    std::string_view middle = e.substr(prefix.size(), e.size() - prefix.size() - 4);
    std::size_t dash = middle.find('-');
    if (dash == 0 || dash == std::string_view::npos || middle.size() - dash != 7) continue;
    long long pid = 0;
    bool digits = dash <= 9;
    for (char c : middle.substr(0, dash)) {
      digits = digits && c >= '0' && c <= '9';
      pid = pid * 10 + (c - '0');
    }
    if (!digits || pid == ::getpid()) continue;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

std::string RandomTag() {
  // One generator per thread: threads of one process write beside each other too.
  thread_local std::mt19937_64 random(std::random_device{}() ^ static_cast<unsigned>(::getpid()));
  static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string tag(6, '0');
  for (char& c : tag) c = kDigits[random() % 36];
  return tag;
}

// A fresh temporary file beside `target`, created by this call alone (never through a link).
int CreateTemp(const std::string& path, const std::string& target, std::string& temp,
               bool removeStale) {
  fs::path t = target;
  std::string folder = t.parent_path().empty() ? "." : t.parent_path().string();
  if (removeStale) RemoveStaleTemps(folder, t.filename().string());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = (fs::path(folder) / (t.filename().string() + "." + std::to_string(::getpid()) + "-" +
                                RandomTag() + ".tmp"))
               .string();
    int fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) {
      Fail(path, "cannot write the file (no temporary file in " + folder + ": " + SystemError() +
                     ")");
    }
  }
  Fail(path, "cannot write the file (no free temporary name in " + folder + ")");
}

void SyncFolder(const std::string& target) {
  fs::path folder = fs::path(target).parent_path();
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

using Writer = std::function<bool(const std::string& temp, int fd)>;

void Replace(const std::string& path, const Writer& write, const ReplaceOptions& options) {
  const std::string target = ResolveLinks(path);
  struct stat st {};
  const bool exists = ::lstat(target.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) Fail(path, "not a regular file; not overwritten");
  if (exists && ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
    Fail(path, "the file is read-only; not overwritten");
  auto locked = Locked().find(Key(target));
  auto checkUnchanged = [&] {
    if (locked != Locked().end() && Stamp(target) != locked->second) {
      Fail(path, locked->second.exists
                     ? "changed by another program since it was read; not overwritten"
                     : "created by another program meanwhile; not overwritten");
    }
  };
  checkUnchanged();

  std::string temp;
  int fd = CreateTemp(path, target, temp, options.removeStaleTemps);
  struct Cleanup {
    int fd;
    std::string temp;
    ~Cleanup() {
      if (fd >= 0) ::close(fd);
      if (!temp.empty()) ::unlink(temp.c_str());
    }
  } cleanup{fd, temp};
  if (exists) {
    ::fchmod(fd, st.st_mode & 07777);
    if (::geteuid() == 0) (void)!::fchown(fd, st.st_uid, st.st_gid);
  }
  if (!write(temp, fd)) Fail(path, "cannot write the file");
  struct stat mine {}, named {};
  if (::fstat(fd, &mine) != 0 || ::lstat(temp.c_str(), &named) != 0 ||
      mine.st_dev != named.st_dev || mine.st_ino != named.st_ino) {
    Fail(path, "the temporary file " + temp + " was replaced during the write; not written");
  }
  if (options.flush && ::fsync(fd) != 0) Fail(path, "cannot write the file: " + SystemError());
  ::close(cleanup.fd);
  cleanup.fd = -1;

  checkUnchanged();
  bool created = false;
  if (locked != Locked().end() && !locked->second.exists) {
    // Created only: a file that appeared meanwhile is another's, not ours to replace.
    if (::link(temp.c_str(), target.c_str()) == 0) {
      created = true;
    } else if (errno == EEXIST) {
      Fail(path, "created by another program meanwhile; not overwritten");
    }
  }
  if (!created && ::rename(temp.c_str(), target.c_str()) != 0)
    Fail(path, "cannot replace the file: " + SystemError());
  if (!created) cleanup.temp.clear();
  if (options.flush) SyncFolder(target);
  if (locked != Locked().end()) locked->second = Stamp(target);
}

}  // namespace

FileLock::FileLock(const std::string& path) {
  std::string target = ResolveLinks(path);
  std::string key = Key(target);
  if (Locked().count(key) != 0) return;  // already held by this process
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kLockWaitSeconds);
  FileStamp seen;
  for (;;) {
    int fd = ::open(target.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      // Nothing to lock (no file yet, or one a write refuses anyway).
      if (fd >= 0) ::close(fd);
      seen = Stamp(target);
      break;
    }
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK && errno != EINTR) break;
      if (std::chrono::steady_clock::now() > deadline) {
        ::close(fd);
        throw SafeFileError(path + ": in use by another command for more than " +
                            std::to_string(kLockWaitSeconds) + " s; try again later");
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    seen = Stamp(target);
    if (seen.exists && seen.device == st.st_dev && seen.inode == st.st_ino) {
      fd_ = fd;
      break;
    }
    ::close(fd);  // replaced while we waited: lock the file that stands there now
  }
  target_ = key;
  Locked()[key] = seen;
}

FileLock::~FileLock() {
  if (!target_.empty()) Locked().erase(target_);
  if (fd_ >= 0) ::close(fd_);
}

void ReplaceFile(const std::string& path, const std::function<bool(const std::string&)>& write) {
  Replace(path, [&](const std::string& temp, int) { return write(temp); }, {});
}

void ReplaceFileText(const std::string& path, std::string_view text) {
  ReplaceFileText(path, text, {});
}

void ReplaceFileText(const std::string& path, std::string_view text,
                     const ReplaceOptions& options) {
  Replace(path, [&](const std::string&, int fd) {
    while (!text.empty()) {
      ssize_t n = ::write(fd, text.data(), text.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
  }, options);
}

bool SameFile(const std::string& a, const std::string& b) {
  std::string ta = ResolveLinks(a), tb = ResolveLinks(b);
  if (Key(ta) == Key(tb)) return true;
  struct stat sa {}, sb {};
  return ::stat(ta.c_str(), &sa) == 0 && ::stat(tb.c_str(), &sb) == 0 &&
         sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace host
