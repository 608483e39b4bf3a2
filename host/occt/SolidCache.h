// Solids kept across runs: a folder of entries, one file each, named by the digest of the
// entry's key together with the program's and the kernel's versions. Each entry carries a
// header (format, versions, key digest, payload size and checksum), so a damaged, truncated or
// foreign file is recognised, ignored and removed, and the caller builds the solid afresh.
// Writes replace an entry safely (host/SafeFile.h: a temporary file of its own, renamed over
// the entry), so a reader never sees half an entry and two writers of one entry both leave a
// whole one. The folder is held under a size cap by
// evicting the entries used least recently (a hit marks its entry as used now).
// The cache never fails its caller: a folder that cannot be written only leaves a warning.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace host::occt {

struct CacheStats {
  std::uintmax_t entries = 0;
  std::uintmax_t bytes = 0;
};

class SolidCache {
 public:
  static constexpr std::uintmax_t kDefaultCap = 1000000000;  // 1 GB

  explicit SolidCache(std::filesystem::path folder, std::uintmax_t capBytes = kDefaultCap);

  // The payload stored under `key` by this program and kernel version; nothing when there is
  // none, or when the entry is damaged, truncated or foreign (such an entry is removed).
  std::optional<std::string> Load(const std::string& key);

  // Stores the payload under `key`, replacing any entry, then evicts the least recently used
  // entries beyond the cap. False when the folder cannot be written (see Warning).
  bool Store(const std::string& key, const std::string& payload);

  // The entries in the folder now, whatever program wrote them.
  CacheStats Stats() const;
  // Removes every entry (and left-over temporary file); answers how many entries went.
  std::uintmax_t Clear();

  const std::filesystem::path& Folder() const { return folder_; }
  std::uintmax_t Cap() const { return cap_; }
  // Why the first failed write failed, naming the folder; empty when none failed.
  const std::string& Warning() const { return warning_; }

 private:
  std::filesystem::path EntryPath(const std::string& digest) const;
  void Evict();

  std::filesystem::path folder_;
  std::uintmax_t cap_;
  // The folder's size as last counted plus what this process wrote since; counted at the first
  // write.
  std::optional<std::uintmax_t> bytes_;
  std::string warning_;
};

// $XDG_CACHE_HOME/vormbrace, else $HOME/.cache/vormbrace.
std::filesystem::path DefaultCacheFolder();

// "vormbrace 0.1.0, OpenCASCADE 7.6.3, build SIZE-MTIME": what entries are keyed by besides their
// recipe; the build part changes whenever the program is rebuilt.
std::string CacheVersion();

}  // namespace host::occt
