// vormbrace export and batch from the command line: a dropped ISO 4017 M10x50 bolt exported
// with its material's look, part data and thread texture; whole catalogue choices written one
// file per record; and the bad input that must fail clearly and write nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "host/occt/Export.h"
#include "support/Glb.h"
#include "support/GltfValidator.h"
#include "support/CliFixture.h"

namespace {

using namespace vormbrace;
using nlohmann::json;
namespace fs = std::filesystem;

// The steel look of standards/Appearance.tab, which the property class 8.8 takes.
constexpr double kSteel[3] = {0.42, 0.43, 0.45};

class ExportCli : public test::CliFixture {
 protected:
  // Each command fails with exit status 1 and a message holding its text.
  void ExpectRefused(const std::vector<std::pair<std::string, std::string>>& cases,
                     const std::string& prefix = "") {
    for (const auto& [args, message] : cases) {
      auto r = Run(prefix + args);
      EXPECT_EQ(r.exitCode, 1) << args;
      EXPECT_NE(r.err.find(message), std::string::npos) << args << ": " << r.err;
    }
  }
  std::size_t FileCount() {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(host_.Scratch()),
                                                  fs::directory_iterator()));
  }
};

TEST_F(ExportCli, BoltCarriesItsMaterialsLookPartNumberAndThreadTexture) {
  auto r = Run("drop --standard 'ISO 4017' --size M10 --length 50 -o bolt.json --export bolt.glb");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  nlohmann::json report = test::ValidateGltf(Path("bolt.glb"));
  EXPECT_EQ(report["issues"]["numErrors"], 0) << report["issues"].dump(1);
  EXPECT_EQ(report["info"]["hasTextures"], true);
  test::Glb glb = test::Glb::Read(Path("bolt.glb"));
  ASSERT_EQ(glb.json["meshes"].size(), 1u);
  EXPECT_EQ(glb.json["meshes"][0]["extras"]["partNumber"], "ISO4017M105088");
  // The plain faces in steel; the thread's image in the same hue, brightest channel at 1 so
  // that the grey image does not darken it.
  ASSERT_EQ(glb.json["materials"].size(), 2u);
  for (const auto& material : glb.json["materials"]) {
    const auto& pbr = material["pbrMetallicRoughness"];
    double gain = pbr.contains("baseColorTexture") ? 1 / kSteel[2] : 1;
    for (int c = 0; c < 3; ++c) {
      EXPECT_NEAR(pbr["baseColorFactor"][c].get<double>(), kSteel[c] * gain, 1e-9);
    }
  }

  r = Run("export bolt.json bolt.step");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  host::occt::ReadTree tree = host::occt::ReadExportedTree(Path("bolt.step"));
  ASSERT_EQ(tree.roots.size(), 1u);
  ASSERT_EQ(tree.roots[0].children.size(), 1u);
  const host::occt::ReadNode& bolt = tree.roots[0].children[0];
  EXPECT_EQ(bolt.name, "ISO 4017 M10x50 - 8.8");
  ASSERT_TRUE(bolt.colour.has_value());
  for (int c = 0; c < 3; ++c) EXPECT_NEAR((*bolt.colour)[c], kSteel[c], 2e-3);
  bool numbered = false;
  for (const auto& p : tree.products) numbered = numbered || p.id == "ISO4017M105088";
  EXPECT_TRUE(numbered);
}

TEST_F(ExportCli, BadChoicesFailNamingThemAndWriteNothing) {
  auto r = Run("drop --standard 'ISO 4017' --size M10 --length 50 -o bolt.json --export bolt.stl");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::size_t files = FileCount();
  ExpectRefused({{"export bolt.json one.stl --part 'ISO 4014'", "no part named \"ISO 4014\""},
                 {"export bolt.json fine.glb --deflection 0", "deflection 0"},
                 {"export bolt.json fine.glb --angle 7", "angle 7"},
                 {"export bolt.json bolt.obj", "unknown export format"},
                 {"export bolt.json missing/bolt.step", "cannot write the file"}});
  EXPECT_EQ(FileCount(), files);

  // One part by name: the bolt alone.
  r = Run("export bolt.json one.stl --part 'ISO 4017 M10x50 - 8.8' --deflection 0.1");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_LT(fs::file_size(Path("one.stl")), fs::file_size(Path("bolt.stl")));
}

class BatchCli : public ExportCli {
 protected:
  // The small test library with its M10 bolt broken (a head 0 high).
  std::string BrokenLibrary() {
    fs::path copy = host_.Scratch() / "lib";
    fs::copy(VORMBRACE_TEST_DATA_DIR "/library", copy, fs::copy_options::recursive);
    std::ofstream(copy / "T/Bolts/HEX.tab", std::ios::trunc)
        << "M8|8|40|22|13|0|5.3|0|1.25|13|x|1\n"
           "M8|8|50|32|13|0|5.3|0|1.25|13|1|0\n"
           "M10|10|45|19|16|0|0|0|1.5|16|1|0\n";
    return (copy / "settings.json").string();
  }
};

TEST_F(BatchCli, WritesEveryGoodRecordAndReportsTheBadOne) {
  std::string settings = BrokenLibrary();
  fs::create_directory(Path("out"));
  auto r = Run("--config '" + settings + "' batch --family TEST --kind bolts --format step --out out");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("wrote 2 of 3 records"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("TST 1 M10x45: \"Head\""), std::string::npos) << r.err;

  json summary = json::parse(std::ifstream(Path("out/summary.json")));
  EXPECT_EQ(summary["records"], 3);
  EXPECT_EQ(summary["written"], 2);
  ASSERT_EQ(summary["failures"].size(), 1u);
  EXPECT_EQ(summary["failures"][0]["record"], "TST 1 M10x45");
  for (const char* name : {"TST 1 M8x40 - 8.8", "TST 1 M8x50 - 8.8"}) {
    auto parts = host::occt::ReadStepProducts(Path("out/") + name + ".step");
    ASSERT_EQ(parts.size(), 1u) << name;
    EXPECT_EQ(parts[0].name, name);
    EXPECT_TRUE(parts[0].figures.valid) << name;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(Path("out")), fs::directory_iterator()), 3);
  // The workers' dialogs remembered nothing for the user (nor met in one preferences file).
  if (fs::exists(Path("user"))) {
    for (const auto& entry : fs::recursive_directory_iterator(Path("user"))) {
      EXPECT_FALSE(entry.is_regular_file()) << entry.path();
    }
  }
}

TEST_F(BatchCli, RefusesAMissingFolderAndChoicesNotInTheCatalogue) {
  std::string config = "--config '" VORMBRACE_TEST_DATA_DIR "/library/settings.json' ";
  fs::create_directory(Path("out"));
  ExpectRefused({{"batch --family TEST --format glb --out nowhere", "nowhere: no such folder"},
                 {"batch --family NOPE --format glb --out out", "no standards family \"NOPE\""},
                 {"batch --family TEST --standard 'TST 9' --format glb --out out",
                  "no standard \"TST 9\""},
                 {"batch --family TEST --kind bolts --size M12 --format glb --out out",
                  "no size \"M12\""}},
                config);
  EXPECT_TRUE(fs::is_empty(Path("out")));
}

}  // namespace
