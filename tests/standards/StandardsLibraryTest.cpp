// The shipped standards library, walked through the real table queries and creation routines:
// every family, kind, type, standard, size and length must load without a message and give a
// component whose dimensions make sense for its type and whose properties hold the columns its
// data file's header names for them. A typo in any record or a slip in any type's mapping fails
// here.
#include <gtest/gtest.h>

#include <cmath>
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

// Dimension checks by kind and type. Each names the record it came from when it fails.
void CheckBolt(const Bolt& b, const std::string& at) {
  SCOPED_TRACE(at);
  EXPECT_GT(b.Diametro, 0);
  EXPECT_GT(b.Passo, 0);
  EXPECT_LT(b.Passo, b.Diametro / 2);
  EXPECT_GT(b.lung, 0);
  EXPECT_GE(b.DistFiletto, 0);
  EXPECT_LT(b.DistFiletto, b.lung - b.Passo / 2) << "no thread left";
  const int t = b.HeaderType;
  if (t == 3 || t == 5) return;
  EXPECT_GT(b.LungTesta, 0);
  EXPECT_GT(b.DiamCerchioTesta, b.Diametro) << "head not larger than the thread";
  if (t == 4) {
    EXPECT_GE(b.LatoTesta, b.Diametro);          // DIN 478: the square side equals d
    EXPECT_GT(b.DiamCerchioTesta, b.LatoTesta);  // the circle trims the corners
    EXPECT_LT(b.DiamCerchioTesta, b.LatoTesta * std::sqrt(2.0));
  }
  if (t == 6) {
    EXPECT_GT(b.Var1 * b.Var2, 0) << "fin";
  }
  if (t == 7 || t == 10) {
    EXPECT_GE(b.Var1, b.Diametro) << "square neck narrower than the shank";
    EXPECT_GT(b.Var2, 0);
    EXPECT_LT(b.Var2, b.lung);
  }
  if (t >= 8) {
    EXPECT_GT(b.Var3, 0);
    EXPECT_LT(b.Var3, 180);
    double beta = b.Var3 * 3.14159265358979 / 180 / 2;
    double cone = std::cos(beta) * (b.DiamCerchioTesta / 2 - b.Diametro / 2) / std::sin(beta);
    EXPECT_LE(cone, b.LungTesta + 1e-9) << "countersink cone taller than the head";
  }
  if (t == 8 || t == 9) {
    EXPECT_GT(b.Var1 * b.Var2, 0) << "countersunk fin";
  }
  if (t == 9) {
    EXPECT_GT(b.Var4, 0) << "raise";
  }
}

void CheckScrew(const Screw& s, const std::string& at) {
  SCOPED_TRACE(at);
  EXPECT_GT(s.Diametro, 0);
  EXPECT_GT(s.Passo, 0);
  EXPECT_LT(s.Passo, s.Diametro / 2);
  EXPECT_GT(s.lung, 0);
  EXPECT_GE(s.DistFiletto, 0);
  EXPECT_LT(s.DistFiletto, s.lung);
  EXPECT_GT(s.LungTesta, 0);
  EXPECT_GT(s.DiamCerchioTesta, s.Diametro) << "head not larger than the thread";
  const int t = s.HeaderType;
  const bool countersunk = t == 2 || t == 5 || t == 6 || t == 8 || t == 9 || t == 11 || t == 12;
  if (countersunk) {
    EXPECT_GT(s.Var1, 0);
    EXPECT_LT(s.Var1, 180);
    double beta = s.Var1 * 3.14159265358979 / 180 / 2;
    double cone = std::cos(beta) * (s.DiamCerchioTesta / 2 - s.Diametro / 2) / std::sin(beta);
    EXPECT_LE(cone, s.LungTesta + 1e-9) << "countersink cone taller than the head";
  }
  if (t <= 3) {
    EXPECT_GT(s.Var2, 0) << "socket";
    EXPECT_LT(s.Var2 / std::cos(3.14159265358979 / 6), s.DiamCerchioTesta)
        << "socket corners outside the head";
    EXPECT_GT(s.Var3, 0);
  }
  if (t >= 4 && t <= 6) {
    double slot = t == 4 ? s.Var1 : s.Var2;
    EXPECT_GT(slot, 0);
    EXPECT_LT(slot, s.DiamCerchioTesta / 2);
  }
  if (t >= 7) {
    EXPECT_GT(s.Var2, 0) << "cross recess size";
    EXPECT_LT(s.Var2, s.DiamCerchioTesta);
    EXPECT_GT(s.Var3, 0) << "recess depth";
  }
  if (t == 7 || t == 10) {
    EXPECT_GT(s.Var4, 0) << "dome";
  }
  if (t == 6 || t == 9 || t == 12) {
    EXPECT_GT(s.Var4, 0) << "raise";
  }
}

void CheckSetScrew(const ScrewNoHead& s, const std::string& at) {
  SCOPED_TRACE(at);
  EXPECT_GT(s.Diametro, 0);
  EXPECT_GT(s.Passo, 0);
  EXPECT_GT(s.lung, 0);
  const int t = s.ComponentType;
  if (t == 9) {
    EXPECT_GT(s.LungRadice, 0);
    EXPECT_GT(s.LungGambo, s.AltCalotta);
    EXPECT_GT(s.AltCalotta, 0);
    EXPECT_LT(s.LungGambo, s.lung);
    return;
  }
  EXPECT_GT(s.SmussoSuperiore, 0);
  EXPECT_LE(s.SmussoSuperiore, 180);
  EXPECT_GE(s.DiamInf, 0);
  EXPECT_LE(s.DiamInf, s.Diametro);
  EXPECT_GT(s.LargIntaglio, 0) << "socket or slot";
  EXPECT_LT(s.LargIntaglio, s.Diametro) << "socket or slot wider than the screw";
  EXPECT_GT(s.AltIntaglio, 0);
  EXPECT_LT(s.AltIntaglio, s.lung);
  if (t == 2 || t == 6) {
    EXPECT_GT(s.AltCilindro, 0);
    EXPECT_LT(s.DiamCilindro, s.Diametro);
  }
  if (t == 4 || t == 8) {
    EXPECT_LT(s.DiamCoppa, s.Diametro);
    EXPECT_LT(s.AltCoppa, s.lung);
  }
}

void CheckWasher(const Washer& w, const std::string& at) {
  SCOPED_TRACE(at);
  EXPECT_GT(w.DiametroNominale, 0);
  EXPECT_GT(w.Spessore, 0);
  const int t = w.ComponentType;
  if (t <= 3 || t >= 5) {
    EXPECT_GT(w.DiametroInterno, w.DiametroNominale) << "hole not larger than the bolt";
  }
  if (t <= 3 || t == 8) {
    EXPECT_GT(w.DiametroEsterno, w.DiametroInterno);
  }
  if (t == 4) {
    EXPECT_GT(w.lato, w.DiametroNominale) << "square hole";
    EXPECT_GT(w.DiametroEsterno, w.lato * std::sqrt(2.0) / 1.2);
  }
  if (t == 5) {
    EXPECT_GT(w.lato, w.DiametroInterno);
  }
  if (t == 6 || t == 7) {
    EXPECT_GT(w.lato, w.DiametroInterno);
    EXPECT_GT(w.Lato1, w.DiametroNominale);
    EXPECT_GT(w.Spessore1, 0);
  }
}

void CheckNut(const Nut& n, const std::string& at) {
  SCOPED_TRACE(at);
  const double d = n.DiametroFiletto;
  EXPECT_GT(d, 0);
  EXPECT_GT(n.Passo, 0);
  EXPECT_GT(n.Spessore, 0.15 * d) << "nut height";
  EXPECT_LT(n.Spessore, 2.5 * d) << "nut height";
  const int t = n.ComponentType;
  if (t != 4 && t != 5) {
    EXPECT_GT(n.DiametroEsterno, d) << "outside not larger than the thread";
  }
  if (t == 2 || t == 9) {
    EXPECT_GE(n.numCave, 1) << "slots";
    EXPECT_GT(n.Scanalatura, 0);
    EXPECT_GT(n.LargScanalatura, 0);
  }
  if (t == 4 || t == 5) {
    EXPECT_GT(n.LatoRet, d);
  }
  if (t == 5) {
    EXPECT_GT(n.DiametroInterno, n.LatoRet);
    EXPECT_LT(n.DiametroInterno, n.LatoRet * std::sqrt(2.0));
  }
  if (t >= 6 && t <= 8) {
    EXPECT_GT(n.DiametroCalotta, 0);
    EXPECT_GT(n.AltezzaCalotta, 0);
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

TEST_F(StandardsLibrary, EveryRecordLoadsAndMakesASensibleComponent) {
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
              switch (kind) {
                case 0:
                  CheckBolt(static_cast<const Bolt&>(*component), at);
                  break;
                case 1:
                  CheckScrew(static_cast<const Screw&>(*component), at);
                  break;
                case 2:
                  CheckSetScrew(static_cast<const ScrewNoHead&>(*component), at);
                  break;
                case 3:
                  CheckWasher(static_cast<const Washer&>(*component), at);
                  break;
                case 4:
                  CheckNut(static_cast<const Nut&>(*component), at);
                  break;
              }
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
