// The shipped standards library, walked through the real table queries and creation routines:
// every family, kind, type, standard, size and length must load without a message and give a
// component whose properties hold the columns its data file's header names for them, so a slip
// in any type's mapping fails here. Whether the figures make sense for each type (heads larger
// than threads, threads within the length, ...) is the validator's job: tools/check_tables.py,
// run by ctest as StandardsTables.Validate.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "components/NewVormbrace.h"
#include "data/NumberText.h"
#include "data/Settings.h"
#include "dialog/ListControl.h"
#include "host/TextFile.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;

constexpr int kTypeCount[kKindCount] = {10, 12, 9, 8, 9};

std::string Where(const std::string& file, const std::string& size, const std::string& length) {
  return file + " " + size + " length " + length;
}

// A column a data file's header names for a property: "#   v[i]  symbol  meaning (Name, ...)"
// gives Name = v[i], "(v[i] - v[j]: Name)" gives Name = v[i] - v[j] (j = -1 for none). Left out:
// words that name no property of the component ("not read", "listed"), "Name: what it draws"
// and columns whose meaning is a sum or difference the type works out ("h - m is the collar").
struct Column {
  std::string property;
  int i, j;
};

std::vector<Column> DocumentedColumns(const std::string& file) {
  static const std::regex column(R"(#\s+v\[(\d+)\]([^(]*)\(([^()]*)\).*)");
  static const std::regex difference(R"(v\[(\d+)\] - v\[(\d+)\]: (\w+))");
  static const std::regex name(R"(\s*(\w+)(;.*)?)");
  std::vector<Column> columns;
  host::TextReader in(file);
  while (!in.Eof()) {
    std::string line = in.ReadLine();
    std::smatch m, n;
    if (!std::regex_match(line, m, column)) continue;
    const std::string meaning = m[2], inside = m[3];
    if (std::regex_match(inside, n, difference)) {
      columns.push_back({n[3], std::stoi(n[1]), std::stoi(n[2])});
      continue;
    }
    if (std::regex_search(meaning, std::regex(R"( - | minus |\+)"))) continue;
    std::istringstream parts(inside);
    for (std::string part; std::getline(parts, part, ',');) {
      if (std::regex_match(part, n, name)) columns.push_back({n[1], std::stoi(m[1]), -1});
    }
  }
  return columns;
}

void ExpectDocumentedColumns(const FastenerComponent& c, const std::vector<Column>& columns,
                             const ValueArray& v, const std::string& at) {
  const std::vector<std::string> names = c.PropertyNames();
  for (const Column& col : columns) {
    if (std::find(names.begin(), names.end(), col.property) == names.end()) continue;
    EXPECT_EQ(c.GetProperty(col.property).AsDouble(), col.j < 0 ? v[col.i] : v[col.i] - v[col.j])
        << at << ": " << col.property << " is not the column its header names";
  }
}

struct Walked {
  int records = 0;
  std::map<std::pair<int, int>, std::set<std::string>> standardsByKindType;  // (kind, type)
};

class StandardsLibrary : public ::testing::Test {
 protected:
  StandardsLibrary()
      : host_(host::ref::SettingsStore::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json")) {}
  test::TestHost host_;
};

TEST_F(StandardsLibrary, EveryRecordLoadsIntoItsTypesProperties) {
  Walked walked;
  std::vector<std::string> families = ReadFamilyCaptions();
  ASSERT_EQ(families, (std::vector<std::string>{"ISO", "DIN"}));
  for (std::int16_t family = 0; family < static_cast<std::int16_t>(families.size()); ++family) {
    State().family = family;
    for (std::int16_t kind = 0; kind < kKindCount; ++kind) {
      LoadKindSettings(kind);
      const Paths& p = State().paths;
      std::string index = p.standardsFolder + p.indexFile;
      for (std::int16_t type = 1; type <= kTypeCount[kind]; ++type) {
        ListControl standards;
        ASSERT_EQ(QNorma(index, type, standards), 0) << index << " type " << type;
        for (std::int32_t s = 0; s < standards.ListCount(); ++s) {
          ListControl sizes, materials, lengths;
          LabelControl description;
          QData(index, p.dataFolder, standards.ItemData(s), sizes, description, materials);
          std::string file = p.dataFolder + sizes.Tag();
          const std::vector<Column> columns = DocumentedColumns(file);
          EXPECT_FALSE(columns.empty()) << file << ": its header names no column";
          walked.standardsByKindType[std::make_pair(int{kind}, int{type})].insert(
              families[family] + ": " + standards.List(s));
          EXPECT_FALSE(description.Caption().empty()) << file;
          EXPECT_GT(materials.ListCount(), 0) << file;
          ASSERT_GT(sizes.ListCount(), 0) << file;
          std::string nameTemplate, designation;
          QDesignazione(index, sizes.Tag(), standards.List(s), nameTemplate, designation);
          EXPECT_FALSE(nameTemplate.empty()) << file;
          for (std::int32_t z = 0; z < sizes.ListCount(); ++z) {
            sizes.SetListIndex(z);
            QLunghezze(p.dataFolder, sizes, lengths);
            ASSERT_GT(lengths.ListCount(), 0) << file << " " << sizes.List(z);
            for (std::int32_t l = 0; l < lengths.ListCount(); ++l) {
              ValueArray v{};
              std::string partNumber;
              std::string at = Where(file, sizes.List(z), lengths.List(l));
              ASSERT_TRUE(QMisuraVariabili(file, sizes.List(z), lengths.List(l), v, partNumber))
                  << at;
              EXPECT_EQ(v[1], Val(lengths.List(l))) << at << ": not the record of this length";
              ++walked.records;
              auto component = MakeComponent(kind, type, v);
              ExpectDocumentedColumns(*component, columns, v, at);
            }
          }
        }
      }
    }
  }
  for (std::int16_t kind = 0; kind < kKindCount; ++kind) {
    for (int type = 1; type <= kTypeCount[kind]; ++type) {
      EXPECT_FALSE(walked.standardsByKindType[std::make_pair(int{kind}, type)].empty())
          << "kind " << kind << " type " << type << " has no standard in any family";
    }
  }
  EXPECT_GT(walked.records, 1000);
  for (const auto& m : host_.Host().Messages()) ADD_FAILURE() << m.title << ": " << m.text;
}

// Bolt type 3 draws no slot and type 4 no collar: a standard offered with them names the
// feature in its description only to say how the part leaves it out.
TEST_F(StandardsLibrary, TypesThatLeaveOutAFeatureOfTheirStandardSaySoInTheCatalogue) {
  const std::pair<std::int16_t, std::string> leftOut[] = {{3, "drawn without the slot"},
                                                         {4, "collar drawn square"}};
  int offered = 0;
  for (std::int16_t family = 0; family < 2; ++family) {
    State().family = family;
    LoadKindSettings(0);
    const Paths& p = State().paths;
    for (const auto& [type, saying] : leftOut) {
      ListControl standards;
      ASSERT_EQ(QNorma(p.standardsFolder + p.indexFile, type, standards), 0);
      for (std::int32_t s = 0; s < standards.ListCount(); ++s, ++offered) {
        ListControl sizes, materials;
        LabelControl description;
        QData(p.standardsFolder + p.indexFile, p.dataFolder, standards.ItemData(s), sizes,
              description, materials);
        EXPECT_NE(description.Caption().find(saying), std::string::npos)
            << standards.List(s) << ": " << description.Caption();
      }
    }
  }
  EXPECT_GE(offered, 3);
}

TEST_F(StandardsLibrary, MediumClearanceHoleOfM10Is11) {
  State().family = 0;
  LoadKindSettings(0);
  ListControl tolerances;
  ASSERT_EQ(QNormaHole(State().paths.toleranceIndex, tolerances), 0);
  bool medium = false;
  for (std::int32_t i = 0; i < tolerances.ListCount(); ++i) {
    if (tolerances.List(i).find("medium") == std::string::npos) continue;
    medium = true;
    double allowance = -1;
    GetHoleToll(State().paths.toleranceIndex, State().paths.toleranceFolder, tolerances.ItemData(i),
                10, allowance);
    EXPECT_EQ(10 + allowance, 11);
  }
  EXPECT_TRUE(medium);
  for (const auto& m : host_.Host().Messages()) ADD_FAILURE() << m.title << ": " << m.text;
}

}  // namespace
