// Language, derived paths, family captions, the thread texture lookup and component numbers.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/Globals.h"
#include "data/Resources.h"
#include "data/Settings.h"
#include "host/RuntimeError.h"
#include "host/reference/SceneDocument.h"
#include "support/ErrorOf.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;

class SettingsTest : public ::testing::Test {
 protected:
  test::TestHost host_;
  void Set(const char* key, const std::string& name, const std::string& value) {
    host_.Settings().SetRegistry(key, name, value);
  }
};

TEST_F(SettingsTest, LanguageIsChosenBySubstringInOrder) {
  const std::pair<const char*, std::int16_t> cases[] = {{"English (United Kingdom)", 2000},
                                                        {"italian", 2000},
                                                        {"", 2000},
                                                        {"German", 3000},
                                                        {"Italian", 1000},
                                                        {"GermanEnglish", 2000},
                                                        {"Klingon", 2000}};
  for (const auto& [language, base] : cases) {
    Set(kCorvaneKey, "Language", language);
    EXPECT_EQ(LoadLanguage(), base) << language;
    EXPECT_EQ(State().languageBase, base);
  }
}

TEST_F(SettingsTest, MissingSettingsReadAsEmpty) {
  EXPECT_EQ(LoadLanguage(), 2000);
  LoadKindSettings(3);
  EXPECT_EQ(State().paths.standardsFolder, "");
  EXPECT_EQ(State().paths.toleranceIndex, "");
  EXPECT_TRUE(ReadFamilyCaptions().empty());
}

TEST_F(SettingsTest, PathsArePlainConcatenations) {
  Set(kCorvaneKey, "ApplDir", "C:\\Corvane");
  Set(kVormbraceKey, "Norme Dir#1", "\\DIN\\");
  Set(kVormbraceKey, "Data#4", "Nuts\\");
  Set(kVormbraceKey, "File INI#4", "Nuts.ini");
  Set(kVormbraceKey, "Toll Dir", "Toll\\");
  Set(kVormbraceKey, "Toll INI", "Toll.ini");
  Set(kVormbraceKey, "File Prefs", "Vormbrace.prf");  // no separator of its own
  State().family = 1;
  LoadKindSettings(4);
  const Paths& p = State().paths;
  EXPECT_EQ(p.standardsFolder, "C:\\Corvane\\DIN\\");
  EXPECT_EQ(p.dataFolder, "C:\\Corvane\\DIN\\Nuts\\");
  EXPECT_EQ(p.indexFile, "Nuts.ini");
  EXPECT_EQ(p.toleranceFolder, "C:\\Corvane\\DIN\\Toll\\");
  EXPECT_EQ(p.toleranceIndex, "C:\\Corvane\\DIN\\Toll.ini");
  EXPECT_EQ(p.prefsPath, "C:\\CorvaneVormbrace.prf");
}

TEST_F(SettingsTest, FamilyCaptionsEndAtTheFirstEmptyOne) {
  Set(kVormbraceKey, "Norme#0", "ISO");
  Set(kVormbraceKey, "Norme#1", "DIN");
  Set(kVormbraceKey, "Norme#3", "UNI");  // after a gap: not a tab
  EXPECT_EQ(ReadFamilyCaptions(), (std::vector<std::string>{"ISO", "DIN"}));
  EXPECT_EQ(ReadFamilyCaption(2), "");
}

// Runs a test body with the working folder moved to the test's scratch folder, so that the
// relative lookups of Windows-style paths ("v:\bin.32\...") land there.
class InScratch {
 public:
  explicit InScratch(const std::filesystem::path& folder)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~InScratch() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

TEST_F(SettingsTest, ThreadTextureIsLookedUpInTheApplicationThenTheHostThenTheDefaultFolder) {
  InScratch here(host_.Scratch());
  std::string path = "unchanged";
  EXPECT_FALSE(FindThreadTexture(path));
  EXPECT_EQ(path, "unchanged");
  host_.WriteFile("v:/bin.32/3iaoftt.jpg", "jpeg");
  ASSERT_TRUE(FindThreadTexture(path));
  EXPECT_EQ(path, "v:\\bin.32\\3iaoftt.jpg");
  // The host's folder setting, without its trailing separator, comes before the default.
  host_.Settings().SetConfig("Directories", "ThreadFile", host_.Scratch().string() + "\\host\\");
  host_.WriteFile("host/3iaoftt.jpg", "jpeg");
  ASSERT_TRUE(FindThreadTexture(path));
  EXPECT_EQ(path, host_.Scratch().string() + "\\host\\3iaoftt.jpg");
  // The application folder's image comes first.
  Set(kCorvaneKey, "ApplDir", host_.Scratch().string() + "\\app");
  host_.WriteFile("app/Images/3iaoftt.jpg", "jpeg");
  ASSERT_TRUE(FindThreadTexture(path));
  EXPECT_EQ(path, host_.Scratch().string() + "\\app\\Images\\3iaoftt.jpg");
}

TEST_F(SettingsTest, ComponentNumbersSkipZeroAndNumbersInUse) {
  EXPECT_EQ(FirstFreeNumber(0, {}), 1);
  EXPECT_EQ(FirstFreeNumber(500, {500, 501, 503}), 502);
  EXPECT_EQ(FirstFreeNumber(500, {}), 500);
}

TEST_F(SettingsTest, ComponentNumbersInUseComeFromPartsAndHolesAtAnyDepth) {
  host::ref::SceneDocument doc;
  host::Shape& assembly = doc.RootShape().Shapes(host::kShapeAssembly).Add();
  host::Shape& bolt = assembly.Shapes(host::kShapePart).Add();
  bolt.Components(34).Add().Variable(1, 2).SetValue(host::Value::Int32(4200));
  host::Shape& plate = doc.RootShape().Shapes(host::kShapePart).Add();
  host::Shape& hole = plate.Components(23).Item(1).Shapes(host::kShapeRevolved).Add();
  hole.Components(34).Add().Variable(1, 2).SetValue(host::Value::Int32(4201));
  doc.RootShape().Shapes(host::kShapePart).Add();  // no table
  EXPECT_EQ(UsedComponentIds(doc), (std::set<std::int32_t>{4200, 4201}));
}

TEST_F(SettingsTest, NewUniqueNumberAvoidsEveryIdentifierOfTheOpenScene) {
  // Fill every number the clock can give in the next few seconds: the new one must lie beyond.
  host::ref::SceneDocument doc;
  State().page = &doc;
  std::int32_t first = NewUniqueNumber();
  std::int32_t second = (first / 100) * 100;
  for (std::int32_t id = second - 100; id < second + 500; ++id) {
    doc.RootShape()
        .Shapes(host::kShapePart)
        .Add()
        .Components(34)
        .Add()
        .Variable(1, 2)
        .SetValue(host::Value::Int32(id));
  }
  std::int32_t fresh = NewUniqueNumber();
  EXPECT_GE(fresh, second + 500);
  State().page = nullptr;
}

TEST(Resources, GermanHasNoTextForTheNoHoleOption) {
  EXPECT_EQ(FindResString(2100).value(), "No hole");
  EXPECT_FALSE(FindResString(3100).has_value());
  EXPECT_EQ(test::ErrorOf([] { LoadResString(3100); }), 326);
  EXPECT_EQ(LoadResString(1020), " Viti 1  ");  // blanks kept
  EXPECT_EQ(LoadResString(3013), "L\xC3\xA4nge");
}

}  // namespace
