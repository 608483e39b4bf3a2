// The solid cache: entries kept across instances (as across runs), damaged, truncated and
// foreign entries ignored, a folder that cannot be written or a full disk costing only a
// warning, two writers of one entry, eviction of the least recently used; and the kernel
// serving part solids and imported STEP files from it exactly as it built them.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "geometry/generaTeste.h"
#include "host/occt/Export.h"
#include "host/occt/Import.h"
#include "host/occt/OcctEvaluator.h"
#include "host/occt/SolidCache.h"
#include "support/TestHost.h"

namespace vormbrace::test {
namespace {

namespace fs = std::filesystem;
using host::occt::SolidCache;

std::vector<fs::path> FilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  if (!fs::exists(folder)) return files;
  for (const auto& e : fs::directory_iterator(folder)) files.push_back(e.path());
  return files;
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void Spit(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class SolidCacheTest : public ::testing::Test {
 protected:
  fs::path Folder() const { return host_.Scratch() / "cache"; }
  // The one entry file a fresh folder holds after one Store.
  fs::path OnlyEntry() const {
    std::vector<fs::path> files = FilesIn(Folder());
    EXPECT_EQ(files.size(), 1u);
    return files.empty() ? fs::path() : files.front();
  }
  TestHost host_;
};

TEST_F(SolidCacheTest, EntriesOutliveTheInstanceThatWroteThem) {
  std::string payload(100000, '\0');
  for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<char>(i * 7);
  ASSERT_TRUE(SolidCache(Folder()).Store("bolt", payload));
  SolidCache later(Folder());
  EXPECT_EQ(later.Load("bolt"), payload);
  EXPECT_FALSE(later.Load("nut").has_value());
  EXPECT_EQ(later.Stats().entries, 1u);
  EXPECT_GT(later.Stats().bytes, payload.size());
  EXPECT_EQ(later.Clear(), 1u);
  EXPECT_FALSE(later.Load("bolt").has_value());
}

TEST_F(SolidCacheTest, DamagedTruncatedOrForeignEntriesAreIgnoredAndRemoved) {
  const std::string payload = "a solid's bytes";
  auto damage = [&](const std::function<std::string(std::string)>& change) {
    SolidCache cache(Folder());
    cache.Clear();
    EXPECT_TRUE(cache.Store("key", payload));
    fs::path entry = OnlyEntry();
    Spit(entry, change(Slurp(entry)));
    EXPECT_FALSE(cache.Load("key").has_value());
    EXPECT_FALSE(fs::exists(entry));
  };
  // One payload byte flipped, the payload cut short, the header cut short, no bytes at all.
  damage([](std::string b) { return b.back() ^= 1, b; });
  damage([](std::string b) { return b.substr(0, b.size() - 3); });
  damage([](std::string b) { return b.substr(0, 30); });
  damage([](const std::string&) { return std::string(); });
  // Another program version's entry (as if renamed into place), and another key's entry.
  damage([](std::string b) { return b.replace(b.find("vormbrace "), 10, "vormbracf "); });
  {
    SolidCache cache(Folder());
    cache.Clear();
    cache.Store("other", payload);
    fs::path other = OnlyEntry();
    cache.Store("key", payload);
    for (const fs::path& p : FilesIn(Folder())) {
      if (p != other) fs::copy_file(other, p, fs::copy_options::overwrite_existing);
    }
    EXPECT_FALSE(cache.Load("key").has_value());
    EXPECT_EQ(cache.Load("other"), payload);
  }
}

TEST_F(SolidCacheTest, AFullDiskLeavesNoHalfEntry) {
  // The file size limit stands in for a full disk: writes past it fail as they would.
  SolidCache cache(Folder());
  ASSERT_TRUE(cache.Store("small", "fits"));
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit = before;
  limit.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &limit);
  bool stored = cache.Store("large", std::string(100000, 'x'));
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(stored);
  EXPECT_FALSE(cache.Warning().empty());
  EXPECT_FALSE(cache.Load("large").has_value());
  EXPECT_EQ(FilesIn(Folder()).size(), 1u) << "a temporary file was left behind";
  EXPECT_EQ(cache.Load("small"), "fits");
}

TEST_F(SolidCacheTest, ClearRemovesWhatUnfinishedWritesLeft) {
  SolidCache cache(Folder());
  ASSERT_TRUE(cache.Store("kept", "bytes"));
  std::vector<fs::path> entries = FilesIn(Folder());
  ASSERT_EQ(entries.size(), 1u);
  // A writer killed during its write leaves its temporary beside the entry it was replacing.
  std::ofstream(entries[0].string() + ".999999-abc123.tmp") << "half an en";
  std::ofstream(Folder() / ".tmp-999999-1-0123456789abcdef") << "half";
  EXPECT_EQ(cache.Stats().entries, 1u);
  EXPECT_EQ(cache.Clear(), 1u);
  EXPECT_TRUE(FilesIn(Folder()).empty());
}

TEST_F(SolidCacheTest, TwoWritersOfOneEntryLeaveAWholeOne) {
  const std::string a(200000, 'a'), b(150000, 'b');
  auto writer = [&](const std::string& payload) {
    SolidCache own(Folder());  // each process has its own
    for (int i = 0; i < 40; ++i) own.Store("same", payload);
  };
  std::thread first(writer, a), second(writer, b);
  SolidCache reader(Folder());
  int seen = 0;
  for (int i = 0; i < 200; ++i) {
    if (std::optional<std::string> got = reader.Load("same")) {
      EXPECT_TRUE(*got == a || *got == b);
      ++seen;
    }
  }
  first.join();
  second.join();
  std::optional<std::string> last = reader.Load("same");
  ASSERT_TRUE(last.has_value());
  EXPECT_TRUE(*last == a || *last == b);
  EXPECT_EQ(FilesIn(Folder()).size(), 1u);
}

TEST_F(SolidCacheTest, EvictsTheEntriesUsedLeastRecently) {
  const std::string payload(10000, 'p');
  // Room for three entries and a half (each is the payload plus a header of about 200 bytes).
  SolidCache cache(Folder(), 35500);
  for (const char* key : {"a", "b", "c"}) ASSERT_TRUE(cache.Store(key, payload));
  ASSERT_TRUE(cache.Load("a").has_value());  // b is now the least recently used
  ASSERT_TRUE(cache.Store("d", payload));
  EXPECT_TRUE(cache.Load("a").has_value());
  EXPECT_FALSE(cache.Load("b").has_value());
  EXPECT_TRUE(cache.Load("c").has_value());
  EXPECT_TRUE(cache.Load("d").has_value());
  EXPECT_LE(cache.Stats().bytes, 35500u);
}

// The kernel with a cache: what a second run (a fresh scene and kernel) gets from it.
class KernelWithCache : public SolidCacheTest {
 protected:
  struct Run {
    host::ref::SceneDocument document;
    host::occt::OcctEvaluator* kernel = nullptr;
    host::ref::SceneShape* part = nullptr;
  };
  // A new scene whose kernel uses the cache, with an ISO 4017 M10 bolt in it; its head cut by
  // booleans when `direct` is false.
  std::unique_ptr<Run> BoltRun(double length = 50, bool direct = true) {
    auto run = std::make_unique<Run>();
    run->kernel = &host::occt::AttachKernel(run->document);
    run->kernel->UseSolidCache(std::make_shared<SolidCache>(Folder()));
    run->kernel->UseDirectBuilds(direct);
    run->part = &static_cast<host::ref::SceneShape&>(
        run->document.RootShape().Shapes(host::kShapePart).Add());
    run->part->SetName("bolt");
    HeadedDimensions d;
    d.HeaderType = 1, d.Diametro = 10, d.lung = length, d.Passo = 1.5, d.DiamCerchioTesta = 16;
    d.LungTesta = 6.4;
    BuildBoltByType(*run->part, d);
    return run;
  }
  // The part's solid as a STEP file reads it back: what export gets from the kernel.
  host::occt::SolidFigures Exported(Run& run) {
    std::string path = (host_.Scratch() / "bolt.step").string();
    host::occt::ExportScene(run.document, path);
    return host::occt::ReadStepProducts(path).at(0).figures;
  }
};

TEST_F(KernelWithCache, ASecondRunTakesThePartSolidFromTheCache) {
  auto first = BoltRun();
  host::occt::SolidFigures built = first->kernel->Figures(*first->part);
  ASSERT_TRUE(built.valid);
  EXPECT_EQ(first->kernel->Counts().directBuilds, 1);
  EXPECT_EQ(first->kernel->Counts().cacheWrites, 1);  // the part: built with no boolean to keep

  auto second = BoltRun();
  host::occt::SolidFigures kept = second->kernel->Figures(*second->part);
  EXPECT_EQ(second->kernel->Counts().booleanBuilds, 0);
  EXPECT_EQ(second->kernel->Counts().cacheHits, 1);
  EXPECT_TRUE(kept.valid);
  EXPECT_EQ(kept.volume, built.volume);
  EXPECT_EQ(kept.faces, built.faces);
  EXPECT_EQ(kept.boxMax.z, built.boxMax.z);
  ASSERT_EQ(kept.cylinders.size(), 1u);  // the threaded face
  EXPECT_EQ(kept.cylinders[0].zMin, built.cylinders.at(0).zMin);
  host::occt::SolidFigures exported = Exported(*second);
  EXPECT_TRUE(exported.valid);
  EXPECT_NEAR(exported.volume, built.volume, built.volume * 1e-9);
}

TEST_F(KernelWithCache, ABoltOfAnotherLengthReusesTheHeadsCut) {
  // The cut the booleans make (the direct road keeps no single operations).
  auto first = BoltRun(50, false);
  double volume50 = first->kernel->Figures(*first->part).volume;
  auto second = BoltRun(65, false);
  host::occt::SolidFigures f = second->kernel->Figures(*second->part);
  EXPECT_EQ(second->kernel->Counts().cacheHits, 1);  // the chamfered head
  EXPECT_TRUE(f.valid);
  // 15 mm more of the plain M10 shank: pi 5^2 15 = 1178.1 mm3 (the plain part's slight taper
  // is far inside the tolerance).
  EXPECT_NEAR(f.volume - volume50, 3.14159265 * 25 * 15, 1.0);
}

TEST_F(KernelWithCache, DamagedEntriesAreRebuiltAndRewritten) {
  auto first = BoltRun();
  double volume = first->kernel->Figures(*first->part).volume;
  for (const fs::path& entry : FilesIn(Folder())) {
    std::string bytes = Slurp(entry);
    bytes[bytes.size() / 2] ^= 0x55;
    Spit(entry, bytes);
  }
  auto second = BoltRun();
  host::occt::SolidFigures rebuilt = second->kernel->Figures(*second->part);
  EXPECT_TRUE(rebuilt.valid);
  EXPECT_NEAR(rebuilt.volume, volume, volume * 1e-9);
  EXPECT_EQ(second->kernel->Counts().directBuilds, 1);
  EXPECT_EQ(second->kernel->Counts().cacheHits, 0);

  auto third = BoltRun();
  third->kernel->Figures(*third->part);
  EXPECT_EQ(third->kernel->Counts().cacheHits, 1);
}

TEST_F(KernelWithCache, AnUnwritableCacheOnlyWarnsAndStillBuildsTheSolid) {
  // A regular file where the folder's parent should be: no user, root included, can create it.
  std::string blocker = host_.WriteFile("blocker", "x");
  auto run = BoltRun();
  auto cache = std::make_shared<SolidCache>(fs::path(blocker) / "vormbrace");
  run->kernel->UseSolidCache(cache);
  host::occt::SolidFigures f = run->kernel->Figures(*run->part);
  EXPECT_TRUE(f.valid);
  EXPECT_EQ(f.solids, 1);
  EXPECT_EQ(run->kernel->Counts().cacheWrites, 0);
  EXPECT_NE(cache->Warning().find(blocker), std::string::npos) << cache->Warning();
  EXPECT_FALSE(cache->Load("key").has_value());
  EXPECT_EQ(cache->Stats().entries, 0u);
}

TEST_F(KernelWithCache, AStepFileIsTranslatedOncePerContent) {
  auto bolt = BoltRun();
  double volume = bolt->kernel->Figures(*bolt->part).volume;
  std::string step = (host_.Scratch() / "plate.step").string();
  host::occt::ExportScene(bolt->document, step);
  std::string copy = (host_.Scratch() / "renamed.step").string();
  fs::copy_file(step, copy);

  auto importInto = [&](const std::string& path) {
    auto run = std::make_unique<Run>();
    run->kernel = &host::occt::AttachKernel(run->document);
    run->kernel->UseSolidCache(std::make_shared<SolidCache>(Folder()));
    run->part = &host::occt::ImportStepPart(run->document, path);
    return run;
  };
  auto first = importInto(step);
  EXPECT_EQ(first->kernel->Counts().cacheHits, 0);
  EXPECT_EQ(first->kernel->Counts().cacheWrites, 2);
  auto second = importInto(copy);
  EXPECT_EQ(second->part->Name(), "renamed");
  // The translation and the imported solid both come from the cache.
  EXPECT_EQ(second->kernel->Counts().cacheHits, 2);
  host::occt::SolidFigures f = second->kernel->Figures(*second->part);
  EXPECT_TRUE(f.valid);
  EXPECT_NEAR(f.volume, volume, volume * 1e-6);
}

}  // namespace
}  // namespace vormbrace::test
