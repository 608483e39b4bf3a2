// vormbrace catalog and record on the small test library (tests/data_files/library), and on
// copies of it with a broken table file.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/CliFixture.h"

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

class CatalogCli : public vormbrace::test::CliFixture {
 protected:
  vormbrace::test::CommandResult Run(const std::string& args) const {
    return CliFixture::Run("--config '" + settings_ + "' " + args);
  }
  // A copy of the library to break; later runs use it.
  std::string CopyLibrary() {
    fs::copy(VORMBRACE_TEST_DATA_DIR "/library", Path("lib"), fs::copy_options::recursive);
    settings_ = Path("lib/settings.json");
    return Path("lib");
  }
  static bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  std::string settings_ = VORMBRACE_TEST_DATA_DIR "/library/settings.json";
};

TEST_F(CatalogCli, ListsEveryLevelOfTheLibrary) {
  auto r = Run("catalog");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  for (const char* line :
       {"family 0 \"TEST\"\n", "  hole tolerances: Test fine\n", "  kind 0 bolts\n    type 1\n",
        "      standard \"TST 1\": Test hexagon bolts\n"
        "        size data file: HEX.tab\n"
        "        materials: 8.8, 10.9\n"
        "        size M8: lengths 40, 50\n"
        "        size M10: lengths 45\n",
        "    type 2: no standards\n", "        size M10: thicknesses 2\n"}) {
    EXPECT_TRUE(Has(r.out, line)) << line;
  }
}

TEST_F(CatalogCli, OptionsNarrowTheList) {
  auto r = Run("catalog --family TEST --kind washer --standard 'TST 7089' --size M8");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(Has(r.out, "size M8: thicknesses 1.6"));
  EXPECT_FALSE(Has(r.out, "M10"));
  EXPECT_FALSE(Has(r.out, "bolts"));
  EXPECT_FALSE(Has(r.out, "hole tolerances"));

  r = Run("catalog --kind 0 --type 2");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "family 0 \"TEST\"\n  kind 0 bolts\n    type 2: no standards\n");

  r = Run("catalog --standard 'TST 9'");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r.err, "vormbrace catalog: no standard \"TST 9\""));
  EXPECT_EQ(Run("catalog --kind rivets").exitCode, 1);
  EXPECT_EQ(Run("catalog --kind washers --type 9").exitCode, 1);
}

// The record's JSON: how the values are read from the record is the table queries' (tests/data)
// and which value each property takes the type mapping's (tests/standards); here, that the
// nearest length's record is the one printed, named and numbered as the part will be.
TEST_F(CatalogCli, RecordPrintsTheNearestLengthsRecord) {
  auto r = Run("record --kind bolts --type 1 --standard 'TST 1' --size M8 --length 44");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  json j = json::parse(r.out);
  EXPECT_EQ(j["values"].size(), 21u);
  EXPECT_EQ(j["values"][1], 40);
  EXPECT_EQ(j["name"], "TST 1 M8x40 - 8.8");
  EXPECT_EQ(j["lengthPattern"], "TST 1 M8x@ - 8.8");
  EXPECT_EQ(j["partNumberText"], "x");
  EXPECT_EQ(j["partNumber"], "x");
  EXPECT_EQ(j["class"], "Vormbrace.bolt");
  EXPECT_EQ(j["properties"]["lung"], 40);
  EXPECT_EQ(j["properties"]["FileData"], "HEX.tab");
  EXPECT_EQ(j["properties"]["MaterialCode"], "8.8");
}

TEST_F(CatalogCli, RecordDefaultsToTheFirstLengthAndMaterial) {
  auto r = Run("record --kind washers --type 1 --standard 'TST 7089' --size M10");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  json j = json::parse(r.out);
  EXPECT_EQ(j["length"], "2");
  EXPECT_EQ(j["name"], "TST 7089 - M10");
  EXPECT_EQ(j["partNumber"], "TST7089M10");
  EXPECT_EQ(j["properties"]["DiametroEsterno"], 20);
  EXPECT_EQ(j["properties"]["MaterialCode"], "200 HV");

  r = Run("record --kind bolts --type 1 --standard 'TST 1' --size M12");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Has(r.err, "TST 1 has no size \"M12\" (sizes: M8, M10)"));
}

TEST_F(CatalogCli, UnterminatedSectionIsReportedWithItsMessage) {
  std::string lib = CopyLibrary();
  host_.WriteFile("lib/T/Washers.ini",
            "[1]\r\n\"W.tab\" \"TST 7089\" \"Plain\" \"P\" \"W.mat\" \"N\"\r\n");
  auto r = Run("catalog --kind washers --type 1");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Corvane: Error Reading " + lib + "\\T\\Washers.ini\nin QNorma\n" +
                       "FieldID [ 1] not found\n");
}

TEST_F(CatalogCli, BrokenDataFilesAreReportedWithTheirMessages) {
  std::string lib = CopyLibrary();
  fs::remove(lib + "/T/Washers/W.tab");
  auto r = Run("catalog --kind washers");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "Corvane: Error Reading File INI\n\nW.tab\n\nFile INI not found\nIn QData\n");

  host_.WriteFile("lib/T/Bolts/HEX.tab", "M8|8|40" + std::string(20, '|') + "\r\n");
  r = Run("record --kind bolts --type 1 --standard 'TST 1' --size M8 --length 40");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Corvane: Error 9 Subscript out of range\nin QMisuraVariabili\n");
}

}  // namespace
