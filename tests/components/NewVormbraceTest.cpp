// New components from a record: every row of each class's mapping, the worked M8 record, and
// the component the dialog's choices describe.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

#include "components/NewVormbrace.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;

// Distinct entries, so that a property fed from the wrong index shows: v[i] = 100 + i.
ValueArray Distinct() {
  ValueArray v{};
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = 100.0 + static_cast<double>(i);
  return v;
}
double V(int i) { return 100.0 + i; }

// A mapping row as the property mapping writes it, for v = Distinct(): "Name i" takes v[i],
// "Name i-j" and "Name i-j-k" their difference, "Name =c" the constant c, "Name cup" the cup
// depth (v[2] / 2) / cos 30°.
std::map<std::string, double> ParseRow(const std::string& row) {
  std::map<std::string, double> expected;
  std::istringstream items(row);
  for (std::string item; std::getline(items, item, ',');) {
    std::istringstream words(item);
    std::string name, source;
    words >> name >> source;
    double value = 0;
    if (source == "cup") {
      value = (V(2) / 2) / std::cos(30 * 3.14159265358979 / 180);
    } else if (source[0] == '=') {
      value = std::stod(source.substr(1));
    } else {
      std::istringstream terms(source);
      std::string term;
      std::getline(terms, term, '-');
      value = V(std::stoi(term));
      while (std::getline(terms, term, '-')) value -= V(std::stoi(term));
    }
    expected[name] = value;
  }
  return expected;
}

// Every row of a class's mapping: each numeric property equals its row's value, or 0 (the
// class default) when the row does not list it; types just outside the range set nothing.
template <typename Make>
void ExpectMapping(Make make, const std::map<int, std::string>& rows, const char* typeProperty) {
  std::map<int, std::string> all = rows;
  all[0] = all[-1] = all[rows.rbegin()->first + 1] = "";
  for (const auto& [type, row] : all) {
    std::map<std::string, double> expected = ParseRow(row);
    if (!row.empty()) expected[typeProperty] = type;
    auto object = make(static_cast<std::int16_t>(type), Distinct());
    for (const std::string& name : object->PropertyNames()) {
      host::Value value = object->GetProperty(name);
      if (value.Type() == host::ValueType::Text) continue;
      double want = expected.count(name) ? expected[name] : 0.0;
      EXPECT_DOUBLE_EQ(value.AsDouble(), want) << typeProperty << " " << type << ": " << name;
    }
  }
}

TEST(NewVormbrace, BoltsFollowTheirMapping) {
  const std::string head = "Diametro 0, lung 1, DistFiletto 2, LungTesta 5, Passo 7, ";
  ExpectMapping([](std::int16_t t, const ValueArray& v) { return MakeBolt(t, v); },
                {{1, head + "DiametroCollarino 3, DiamCerchioTesta 8"},
                 {2, head + "DiametroCollarino 3, DiamCerchioTesta 8, LungCollarino 10"},
                 {3, "Diametro 0, lung 1, DistFiletto 2, Passo 5"},
                 {4, head + "DiamCerchioTesta 3, LatoTesta 4"},
                 {5, "Diametro 0, lung 1, Passo 2"},
                 {6, head + "DiamCerchioTesta 8, Var1 10, Var2 9"},
                 {7, head + "DiamCerchioTesta 8, Var1 9, Var2 11"},
                 {8, head + "DiamCerchioTesta 6, Var1 8, Var2 9, Var3 3"},
                 {9, head + "DiamCerchioTesta 6, Var1 10, Var2 11, Var3 3, Var4 9"},
                 {10, head + "DiamCerchioTesta 6, Var1 9, Var2 8, Var3 3"}},
                "HeaderType");
}

TEST(NewVormbrace, ScrewsFollowTheirMapping) {
  const std::string all = "Diametro 0, lung 1, DistFiletto 2, Passo 7, ";
  const std::string sunk = all + "DiamCerchioTesta 6, Var2 8, Var3 9, ";
  ExpectMapping([](std::int16_t t, const ValueArray& v) { return MakeScrew(t, v); },
                {{1, all + "LungTesta 5, DiamCerchioTesta 3, Var1 6, Var2 8, Var3 10"},
                 {2, all + "LungTesta 5, DiamCerchioTesta 6, Var1 3, Var2 8, Var3 10"},
                 {3, all + "LungTesta 5, DiamCerchioTesta 3, Var2 8, Var3 10"},
                 {4, all + "LungTesta 5, DiamCerchioTesta 3, Var1 10, Var2 11"},
                 {5, sunk + "LungTesta 5, Var1 3"},
                 {6, all + "LungTesta 5, DiamCerchioTesta 6, Var1 3, Var2 10, Var3 9, Var4 11"},
                 {7, sunk + "LungTesta 11, Var1 10, Var4 5-11"},
                 {8, sunk + "LungTesta 5, Var1 3, Var4 5-11"},
                 {9, sunk + "LungTesta 5, Var1 3, Var4 12"},
                 {10, sunk + "LungTesta 11, Var1 10, Var4 5-11"},
                 {11, sunk + "LungTesta 5, Var1 3, Var4 5-11"},
                 {12, sunk + "LungTesta 5, Var1 3, Var4 12"}},
                "HeaderType");
}

TEST(NewVormbrace, SetScrewsFollowTheirMapping) {
  const std::string socket =
      "Diametro 0, DiamInf 2, SmussoSuperiore 7, Passo 5, "
      "LargIntaglio 4, AltIntaglio 6, ";
  const std::string slotted =
      "Diametro 0, DiamInf 2, SmussoSuperiore 6, Passo 5, "
      "LargIntaglio 3, AltIntaglio 4, ";
  ExpectMapping([](std::int16_t t, const ValueArray& v) { return MakeScrewNoHead(t, v); },
                {{1, socket + "lung 1, SmussoInferiore =0"},
                 {2, socket + "lung 1, SmussoInferiore =0, DiamCilindro 2, AltCilindro 8"},
                 {3, socket + "lung 1, SmussoInferiore 7"},
                 {4, socket + "lung 1, SmussoInferiore =90, DiamCoppa 2, AltCoppa cup"},
                 {5, slotted + "lung 1, SmussoInferiore =0"},
                 {6, slotted + "lung 1, SmussoInferiore =0, DiamCilindro 2, AltCilindro 7"},
                 {7, slotted + "lung 1, SmussoInferiore 6"},
                 {8, slotted + "lung 1, SmussoInferiore =90, DiamCoppa 2, AltCoppa cup"},
                 {9, "Diametro 0, lung 1, Passo 7, LungRadice 5, LungGambo 4, AltCalotta 7"}},
                "ComponentType");
}

TEST(NewVormbrace, WashersFollowTheirMapping) {
  const std::string taper =
      "DiametroNominale 0, DiametroInterno 5, Spessore 6, lato 2, Lato1 3, "
      "Spessore1 7, SpessoreSmusso 4, Scanalatura 8";
  ExpectMapping([](std::int16_t t, const ValueArray& v) { return MakeWasher(t, v); },
                {{1, "DiametroNominale 0, DiametroEsterno 3, DiametroInterno 2, Spessore 4"},
                 {2, "DiametroNominale 0, DiametroEsterno 4, DiametroInterno 2, Spessore 3"},
                 {3,
                  "DiametroNominale 0, DiametroEsterno 4, DiametroInterno 2, Spessore 3, "
                  "SpessoreSmusso 5"},
                 {4, "DiametroNominale 0, DiametroEsterno 3, Spessore 4, lato 2"},
                 {5, "DiametroNominale 0, DiametroInterno 2, Spessore 4, lato 3"},
                 {6, taper},
                 {7, taper},
                 {8,
                  "DiametroNominale 0, DiametroEsterno 3, DiametroInterno 6, Spessore 5, "
                  "SpessoreSmusso 2, SpessoreSmusso1 4"}},
                "ComponentType");
}

TEST(NewVormbrace, NutsFollowTheirMapping) {
  const std::string all = "DiametroFiletto 0, Spessore 3, ";
  ExpectMapping(
      [](std::int16_t t, const ValueArray& v) { return MakeNut(t, v); },
      {{1, all + "DiametroEsterno 4, Passo 5"},
       {2, all + "DiametroEsterno 4, Passo 5, Scanalatura 7, LargScanalatura 3-6, "
                 "DiametroCorona 8, InizioCorona 6, numCave 9"},
       {3, all + "DiametroEsterno 4, Passo 5, DiametroCorona 4, InizioCorona 6-3"},
       {4, all + "Passo 5, LatoRet 2"},
       {5, all + "Passo 5, LatoRet 2, DiametroInterno 4"},
       {6, all + "DiametroEsterno 4, Passo 13, DiametroCalotta 7, AltezzaCalotta 9-3, "
                 "DiametroInternoCalotta 8, AltezzaInternoCalotta 5, RaggioCalotta 11, "
                 "RaggioInternoCalotta 12"},
       {7, all + "DiametroEsterno 4, Passo 10, DiametroCalotta 7, AltezzaCalotta 8-3, "
                 "AltezzaInternoCalotta 9-3, RaggioCalotta 11, RaggioInternoCalotta 8-3-6"},
       {8, all + "DiametroEsterno 4, Passo 13, AltezzaCalotta 9-3, AltezzaInternoCalotta 10-3, "
                 "DiametroCalotta 8, RaggioCalotta 12"},
       {9, all + "DiametroEsterno 2, Passo 7, DiametroInterno 4, Scanalatura 5, "
                 "LargScanalatura 6, numCave 9"}},
      "ComponentType");
}

TEST(NewVormbrace, WorkedM8RecordMakesTheHexagonBolt) {
  test::TestHost host;
  std::string path = host.WriteFile("d.tab", "M8|8|40|22|13|0|5.3|0|1.25|13|x|1\r\n");
  RunTimeState& s = State();
  ASSERT_TRUE(QMisuraVariabili(path, "M8", "40", s.values, s.partNumberText));
  auto bolt = MakeBolt(1);
  EXPECT_EQ(bolt->Diametro, 8);
  EXPECT_EQ(bolt->lung, 40);
  EXPECT_EQ(bolt->DistFiletto, 22);
  EXPECT_EQ(bolt->DiametroCollarino, 13);
  EXPECT_EQ(bolt->LungTesta, 5.3);
  EXPECT_EQ(bolt->Passo, 1.25);
  EXPECT_EQ(bolt->DiamCerchioTesta, 13);
  EXPECT_EQ(bolt->LungCollarino, 0);
  EXPECT_EQ(s.partNumberText, "x");
}

TEST(NewVormbrace, BoltType3IgnoresTheHeadFieldsOfItsRecord) {
  ValueArray v;
  v.fill(7);
  auto bolt = MakeBolt(3, v);
  EXPECT_EQ(bolt->DiametroCollarino, 0);
  EXPECT_EQ(bolt->LungTesta, 0);
  EXPECT_EQ(bolt->DiamCerchioTesta, 0);
  EXPECT_EQ(bolt->LungCollarino, 0);
}

struct Choices : DialogChoices {
  std::string SizeFileName() const override { return "ISO4017.tab"; }
  std::string SelectedSize() const override { return "M10"; }
  std::string SelectedStandard() const override { return "ISO 4017"; }
  std::string SelectedMaterial() const override { return "8.8"; }
  std::string ManualLength() const override { return " 120mm"; }
};

TEST(NewVormbrace, DialogComponentTakesTheChosenTexts) {
  test::TestHost host;
  State().typeCode = 2;
  State().values = Distinct();
  auto nut = NewComponentFromDialog(4, Choices());
  ASSERT_NE(dynamic_cast<Nut*>(nut.get()), nullptr);
  EXPECT_EQ(nut->FileData, "ISO4017.tab");
  EXPECT_EQ(nut->Codice, "M10");
  EXPECT_EQ(nut->Normativa, "ISO 4017");
  EXPECT_EQ(nut->MaterialCode, "8.8");
  EXPECT_EQ(static_cast<Nut&>(*nut).numCave, 109);
  EXPECT_EQ(NewComponentFromDialog(5, Choices()), nullptr);
}

TEST(NewVormbrace, OnlyThreadedKindsGetAComponentIdentifier) {
  test::TestHost host;
  State().typeCode = 1;
  for (std::int16_t kind : {3, 4}) {
    NewComponentFromDialog(kind, Choices());
    EXPECT_EQ(State().componentId, 0) << kind;
  }
  NewComponentFromDialog(1, Choices());
  std::int32_t id = State().componentId;
  EXPECT_NE(id, 0);
  NewComponentFromDialog(0, Choices());
  NewComponentFromDialog(3, Choices());
  EXPECT_EQ(State().componentId, id);
}

TEST(NewVormbrace, ThreadedRodTakesTheManualLength) {
  test::TestHost host;
  State().values = Distinct();
  State().typeCode = 5;
  auto rod = NewComponentFromDialog(0, Choices());
  EXPECT_EQ(static_cast<Bolt&>(*rod).lung, 120);
  State().typeCode = 4;
  auto bolt = NewComponentFromDialog(0, Choices());
  EXPECT_EQ(static_cast<Bolt&>(*bolt).lung, V(1));
}

}  // namespace
