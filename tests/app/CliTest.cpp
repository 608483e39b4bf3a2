// The command-line program: help, settings report, scene inspection and its errors.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "components/Bolt.h"
#include "components/Nut.h"
#include "data/Globals.h"
#include "host/reference/SceneFile.h"
#include "support/CliFixture.h"

namespace {

using namespace vormbrace;
using nlohmann::json;

using CliTest = test::CliFixture;

TEST_F(CliTest, HelpExplainsEveryCommandAndOption) {
  const std::pair<const char*, std::vector<const char*>> cases[] = {
      {"--help", {"inspect", "catalog", "record", "drawing", "--config"}},
      {"catalog --help", {"--settings", "--family", "--kind", "--type", "--standard", "--size"}},
      {"record --help",
       {"--family", "--kind", "--type", "--standard", "--size", "--length", "--material"}},
  };
  for (const auto& [args, words] : cases) {
    auto r = Run(args);
    EXPECT_EQ(r.exitCode, 0) << args;
    for (const char* word : words) EXPECT_NE(r.out.find(word), std::string::npos) << args << word;
  }
  EXPECT_NE(Run("frobnicate").exitCode, 0);
}

TEST_F(CliTest, SettingsReportShowsTheResolvedPaths) {
  host_.WriteFile("app/settings.json", R"({"registry": {
      "SOFTWARE\\Lindqvar\\Corvane": {"Language": "Italian", "ApplDir": "."},
      "SOFTWARE\\Lindqvar\\Corvane\\Vormbrace": {"Norme#0": "UNI", "Norme Dir#0": "\\UNI\\",
        "Data#2": "Grani\\", "File INI#2": "Grani.ini", "File Prefs": "\\p.prf"}}})");
  auto r = Run("--config app/settings.json catalog --settings");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::string app = (host_.Scratch() / "app").string();
  EXPECT_NE(r.out.find("string base 1000"), std::string::npos);
  EXPECT_NE(r.out.find("family 0 \"UNI\": " + app + "\\UNI\\"), std::string::npos);
  EXPECT_NE(r.out.find("kind 2 \" Viti ST \""), std::string::npos);
  EXPECT_NE(r.out.find(app + "\\UNI\\Grani.ini  ->  " + app + "/UNI/Grani.ini  (missing)"),
            std::string::npos);
  EXPECT_NE(r.out.find("preferences:        " + app + "\\p.prf"), std::string::npos);
}

TEST_F(CliTest, InspectShowsTheDataTableRowsWithTheirTypes) {
  host::ref::SceneDocument doc;
  State().kind = 4;
  State().typeCode = 1;
  Nut nut;
  nut.DiametroFiletto = 10;
  nut.Normativa = "ISO 4032";
  nut.WriteTable(doc.RootShape().Shapes(host::kShapePart).Add(), "N C");
  host::ref::SaveScene(doc, (host_.Scratch() / "scene.json").string());

  auto r = Run("inspect scene.json");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  json part = json::parse(r.out)["root"]["children"][0];
  json table;
  for (auto& c : part["components"]) {
    if (c["code"] == 34) table = c["items"][0]["cells"];
  }
  auto cell = [&](int row, int column) {
    for (auto& c : table) {
      if (c["row"] == row && c["column"] == column) return c["value"];
    }
    return json();
  };
  EXPECT_EQ(cell(0, 1), json({{"i16", 4}}));
  EXPECT_EQ(cell(1, 2), json({{"text", "Nut"}}));
  EXPECT_EQ(cell(2, 1), json({{"i32", 0}}));
  EXPECT_EQ(cell(10, 1), json({{"f64", 10.0}}));
  EXPECT_EQ(cell(13, 2), json({{"text", "ISO 4032"}}));
}

TEST_F(CliTest, InspectOfADamagedSceneFailsNamingItAndLeavesItAlone) {
  std::string path = host_.WriteFile("broken.json", "{\"format\": \"vormbrace-scene\", ");
  auto r = Run("inspect broken.json");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("broken.json: at byte"), std::string::npos) << r.err;
  EXPECT_EQ(host_.ReadFile(path), "{\"format\": \"vormbrace-scene\", ");
  EXPECT_EQ(Run("inspect missing.json").exitCode, 1);
}

}  // namespace
