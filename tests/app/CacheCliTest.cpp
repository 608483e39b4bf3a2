// The solid cache from the command line: a second drop reads the part from it, --no-cache
// leaves it alone, stats and clear report on it, warm fills it from two workers.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "support/CliFixture.h"

namespace {

using namespace vormbrace;
using nlohmann::json;

class CacheCli : public test::CliFixture {
 protected:
  // The kernel's counts and the bolt's solid after inspecting the dropped scene.
  json Inspect(const std::string& options = "") {
    test::CommandResult r = Run(options + " inspect --stats drop.json");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return json::parse(r.out);
  }
  static const json& FirstPart(const json& scene) { return scene["root"]["children"][0]; }
};

constexpr const char* kDrop = "drop --standard \"ISO 4017\" --size M10 --length 50";

TEST_F(CacheCli, ASecondRunReadsThePartFromTheCache) {
  ASSERT_EQ(Run("--no-cache " + std::string(kDrop)).exitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(host_.Scratch() / "cache"));
  json fresh = Inspect("--no-cache");
  EXPECT_EQ(fresh["kernel"]["booleanBuilds"], 0);
  EXPECT_EQ(fresh["kernel"]["directBuilds"], 1);  // the chamfered hexagon with its shank
  EXPECT_EQ(fresh["kernel"]["cacheWrites"], 0);

  ASSERT_EQ(Run(kDrop).exitCode, 0);
  json kept = Inspect();
  EXPECT_EQ(kept["kernel"]["booleanBuilds"], 0);
  EXPECT_EQ(kept["kernel"]["cacheHits"], 1);
  EXPECT_EQ(FirstPart(kept)["solid"], FirstPart(fresh)["solid"]);

  test::CommandResult stats = Run("cache stats");
  EXPECT_EQ(stats.exitCode, 0);
  EXPECT_NE(stats.out.find((host_.Scratch() / "cache" / "vormbrace").string()), std::string::npos);
  EXPECT_NE(stats.out.find("entries: 1"), std::string::npos) << stats.out;  // the part
  test::CommandResult clear = Run("cache clear");
  EXPECT_NE(clear.out.find("removed 1 entries"), std::string::npos) << clear.out;
  EXPECT_EQ(Inspect()["kernel"]["cacheHits"], 0);
}

TEST_F(CacheCli, AnUnwritableCacheFolderWarnsOnce) {
  host_.WriteFile("cache", "a file where the cache folder should be");
  test::CommandResult r = Run(kDrop);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("solid: valid"), std::string::npos);
  EXPECT_NE(r.err.find("warning: the solid cache"), std::string::npos) << r.err;
}

TEST_F(CacheCli, WarmBuildsEverySizeOfTheStandard) {
  test::CommandResult r = Run("cache warm --family ISO --standard \"ISO 4032\"");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("warmed "), std::string::npos) << r.out;
  // A nut dropped now is read from the cache.
  ASSERT_EQ(Run("drop --kind nut --standard \"ISO 4032\" --size M10").exitCode, 0);
  EXPECT_EQ(Inspect()["kernel"]["booleanBuilds"], 0);
  EXPECT_NE(Run("--no-cache cache warm").exitCode, 0);
  EXPECT_NE(Run("cache warm --standard \"ISO 99999\"").exitCode, 0);
}

}  // namespace
