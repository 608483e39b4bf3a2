// The cache folder's entries: naming, checking, atomic writing and eviction.
#include "host/occt/SolidCache.h"

#include <openssl/evp.h>
#include <sys/stat.h>

#include <Standard_Version.hxx>
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "host/SafeFile.h"

namespace host::occt {
namespace fs = std::filesystem;
namespace {

constexpr const char* kMagic = "vormbrace-solid-cache 1";
constexpr const char* kEntryExtension = ".entry";
constexpr const char* kTempPrefix = ".tmp-";
// Eviction brings the folder this far under the cap, so that it does not run on every write.
constexpr double kEvictTo = 0.9;
// A temporary file this old was left by a process that died while writing.
constexpr auto kStaleTemp = std::chrono::hours(1);

std::string Sha256Hex(const std::string& bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr) != 1) {
    // The digest cannot fail on a plain memory buffer unless the library is broken.
    std::abort();
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    hex += kHex[digest[i] >> 4];
    hex += kHex[digest[i] & 15];
  }
  return hex;
}

std::string KeyDigest(const std::string& key) { return Sha256Hex(CacheVersion() + '\n' + key); }

bool IsEntry(const fs::path& p) { return p.extension() == kEntryExtension; }
// An entry's temporary file while it is written ("DIGEST.entry.PID-TAG.tmp"), or one of the
// earlier form (".tmp-...").
bool IsTemp(const fs::path& p) {
  const std::string name = p.filename().string();
  return name.rfind(kTempPrefix, 0) == 0 ||
         (p.extension() == ".tmp" && name.find(std::string(kEntryExtension) + ".") != std::string::npos);
}

// The next line of `text` from `at`, moving `at` past it; nothing at the end of the text.
std::optional<std::string_view> Line(const std::string& text, std::size_t& at) {
  std::size_t end = text.find('\n', at);
  if (end == std::string::npos) return std::nullopt;
  std::string_view line(text.data() + at, end - at);
  at = end + 1;
  return line;
}

// The payload of a whole entry file, or nothing when any part of it does not check out.
std::optional<std::string> CheckedPayload(const std::string& file, const std::string& digest) {
  std::size_t at = 0;
  auto magic = Line(file, at), version = Line(file, at), key = Line(file, at),
       size = Line(file, at), checksum = Line(file, at);
  if (!checksum || *magic != kMagic || *version != CacheVersion() || *key != digest) {
    return std::nullopt;
  }
  std::size_t length = 0;
  auto [end, ec] = std::from_chars(size->data(), size->data() + size->size(), length);
  if (ec != std::errc() || end != size->data() + size->size() || file.size() - at != length) {
    return std::nullopt;
  }
  std::string payload = file.substr(at);
  if (Sha256Hex(payload) != *checksum) return std::nullopt;
  return payload;
}

}  // namespace

SolidCache::SolidCache(fs::path folder, std::uintmax_t capBytes)
    : folder_(std::move(folder)), cap_(capBytes) {}

fs::path SolidCache::EntryPath(const std::string& digest) const {
  return folder_ / (digest + kEntryExtension);
}

std::optional<std::string> SolidCache::Load(const std::string& key) {
  std::string digest = KeyDigest(key);
  fs::path path = EntryPath(digest);
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  in.close();
  std::optional<std::string> payload = CheckedPayload(bytes.str(), digest);
  std::error_code ec;
  if (!payload) {
    fs::remove(path, ec);
    return std::nullopt;
  }
  fs::last_write_time(path, fs::file_time_type::clock::now(), ec);
  return payload;
}

bool SolidCache::Store(const std::string& key, const std::string& payload) {
  std::string digest = KeyDigest(key);
  std::string header = std::string(kMagic) + '\n' + CacheVersion() + '\n' + digest + '\n' +
                       std::to_string(payload.size()) + '\n' + Sha256Hex(payload) + '\n';
  std::error_code ec;
  auto fail = [&](const std::string& why) {
    if (warning_.empty()) warning_ = "the solid cache " + folder_.string() + " " + why;
    return false;
  };
  fs::create_directories(folder_, ec);
  if (ec) return fail("cannot be created (" + ec.message() + ")");
  try {
    // Not flushed to disk, and the folder's stale temporaries are left to Evict: an entry torn
    // by a crash fails its checksum and is built again.
    host::ReplaceFileText(EntryPath(digest).string(), header + payload,
                          {.flush = false, .removeStaleTemps = false});
  } catch (const host::SafeFileError& e) {
    return fail(std::string("cannot be written (") + e.what() + ")");
  }
  if (!bytes_) {
    Evict();
  } else {
    *bytes_ += header.size() + payload.size();
    if (*bytes_ > cap_) Evict();
  }
  return true;
}

void SolidCache::Evict() {
  struct File {
    fs::file_time_type used;
    std::uintmax_t size;
    fs::path path;
  };
  std::vector<File> files;
  std::uintmax_t total = 0;
  std::error_code ec;
  auto now = fs::file_time_type::clock::now();
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code fileEc;
    fs::file_time_type used = it->last_write_time(fileEc);
    if (fileEc) continue;
    if (IsTemp(it->path())) {
      if (now - used > kStaleTemp) fs::remove(it->path(), fileEc);
      continue;
    }
    if (!IsEntry(it->path())) continue;
    std::uintmax_t size = it->file_size(fileEc);
    if (fileEc) continue;
    files.push_back({used, size, it->path()});
    total += size;
  }
  if (total > cap_) {
    std::sort(files.begin(), files.end(),
              [](const File& a, const File& b) { return a.used < b.used; });
    auto target = static_cast<std::uintmax_t>(static_cast<double>(cap_) * kEvictTo);
    for (const File& f : files) {
      if (total <= target) break;
      std::error_code removeEc;
      if (fs::remove(f.path, removeEc)) total -= f.size;
    }
  }
  bytes_ = total;
}

CacheStats SolidCache::Stats() const {
  CacheStats stats;
  std::error_code ec;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    if (!IsEntry(it->path())) continue;
    std::error_code fileEc;
    std::uintmax_t size = it->file_size(fileEc);
    if (fileEc) continue;
    ++stats.entries;
    stats.bytes += size;
  }
  return stats;
}

std::uintmax_t SolidCache::Clear() {
  std::uintmax_t removed = 0;
  std::error_code ec;
  std::vector<fs::path> doomed;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    if (IsEntry(it->path()) || IsTemp(it->path())) doomed.push_back(it->path());
  }
  for (const fs::path& p : doomed) {
    std::error_code removeEc;
    if (fs::remove(p, removeEc) && IsEntry(p)) ++removed;
  }
  bytes_.reset();
  return removed;
}

fs::path DefaultCacheFolder() {
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg != nullptr && *xdg != '\0') {
    return fs::path(xdg) / "vormbrace";
  }
  const char* home = std::getenv("HOME");
  return fs::path(home != nullptr ? home : ".") / ".cache" / "vormbrace";
}

std::string CacheVersion() {
  // The running program's size and modification time stand for its build: a rebuilt program may
  // make other solids from the same recipe, so it must not read entries of an earlier build.
  static const std::string version = [] {
    std::string text = std::string("vormbrace ") + VORMBRACE_VERSION + ", OpenCASCADE " +
                       OCC_VERSION_COMPLETE;
    struct stat program {};
    if (::stat("/proc/self/exe", &program) == 0) {
      text += ", build " + std::to_string(program.st_size) + "-" +
              std::to_string(program.st_mtim.tv_sec) + "." + std::to_string(program.st_mtim.tv_nsec);
    }
    return text;
  }();
  return version;
}

}  // namespace host::occt
