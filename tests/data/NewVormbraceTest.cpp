// New components from a record: every row of each class's mapping, the worked M8 record, and
// the component the dialog's choices describe.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "data/NewVormbrace.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;
using Expected = std::map<std::string, double>;

// Distinct entries, so that a property fed from the wrong index shows: v[i] = 100 + i.
ValueArray Distinct() {
  ValueArray v{};
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = 100.0 + static_cast<double>(i);
  return v;
}
double V(int i) { return 100.0 + i; }

// Every numeric property equals its expected value, or 0 (the class default) when not listed.
void ExpectProperties(const host::AutomationObject& object, const Expected& expected,
                      const std::string& what) {
  for (const std::string& name : object.PropertyNames()) {
    host::Value value = object.GetProperty(name);
    if (value.Type() == host::ValueType::Text) continue;
    auto it = expected.find(name);
    EXPECT_DOUBLE_EQ(value.AsDouble(), it == expected.end() ? 0.0 : it->second)
        << what << " " << name;
  }
}

// The mapping rows as the design states them, with v[i] = V(i).
const std::map<int, Expected> kBoltRows = {
    {1,
     {{"Diametro", V(0)},
      {"lung", V(1)},
      {"DistFiletto", V(2)},
      {"DiametroCollarino", V(3)},
      {"LungTesta", V(5)},
      {"Passo", V(7)},
      {"DiamCerchioTesta", V(8)}}},
    {2,
     {{"Diametro", V(0)},
      {"lung", V(1)},
      {"DistFiletto", V(2)},
      {"DiametroCollarino", V(3)},
      {"LungTesta", V(5)},
      {"Passo", V(7)},
      {"DiamCerchioTesta", V(8)},
      {"LungCollarino", V(10)}}},
    {3, {{"Diametro", V(0)}, {"lung", V(1)}, {"DistFiletto", V(2)}, {"Passo", V(5)}}},
    {4,
     {{"Diametro", V(0)},
      {"lung", V(1)},
      {"DistFiletto", V(2)},
      {"LungTesta", V(5)},
      {"Passo", V(7)},
      {"DiamCerchioTesta", V(3)},
      {"LatoTesta", V(4)}}},
    {5, {{"Diametro", V(0)}, {"lung", V(1)}, {"Passo", V(2)}}},
    {6,
     {{"Diametro", V(0)},
      {"lung", V(1)},
      {"DistFiletto", V(2)},
      {"LungTesta", V(5)},
      {"Passo", V(7)},
      {"DiamCerchioTesta", V(8)},
      {"Var1", V(10)},
      {"Var2", V(9)}}},
    {7,
     {{"Diametro", V(0)},
      {"lung", V(1)},
      {"DistFiletto", V(2)},
      {"LungTesta", V(5)},
      {"Passo", V(7)},
      {"DiamCerchioTesta", V(8)},
      {"Var1", V(9)},
      {"Var2", V(11)}}},
    {8,
     {{"Diametro", V(0)},
      {"lung", V(1)},
      {"DistFiletto", V(2)},
      {"LungTesta", V(5)},
      {"Passo", V(7)},
      {"DiamCerchioTesta", V(6)},
      {"Var1", V(8)},
      {"Var2", V(9)},
      {"Var3", V(3)}}},
    {9,
     {{"Diametro", V(0)},
      {"lung", V(1)},
      {"DistFiletto", V(2)},
      {"LungTesta", V(5)},
      {"Passo", V(7)},
      {"DiamCerchioTesta", V(6)},
      {"Var1", V(10)},
      {"Var2", V(11)},
      {"Var3", V(3)},
      {"Var4", V(9)}}},
    {10,
     {{"Diametro", V(0)},
      {"lung", V(1)},
      {"DistFiletto", V(2)},
      {"LungTesta", V(5)},
      {"Passo", V(7)},
      {"DiamCerchioTesta", V(6)},
      {"Var1", V(9)},
      {"Var2", V(8)},
      {"Var3", V(3)}}},
};

Expected ScrewRow(double lungTesta, double cerchio, std::map<std::string, double> vars) {
  Expected e{{"Diametro", V(0)}, {"lung", V(1)},           {"DistFiletto", V(2)},
             {"Passo", V(7)},    {"LungTesta", lungTesta}, {"DiamCerchioTesta", cerchio}};
  e.insert(vars.begin(), vars.end());
  return e;
}

const std::map<int, Expected> kScrewRows = {
    {1, ScrewRow(V(5), V(3), {{"Var1", V(6)}, {"Var2", V(8)}, {"Var3", V(10)}})},
    {2, ScrewRow(V(5), V(6), {{"Var1", V(3)}, {"Var2", V(8)}, {"Var3", V(10)}})},
    {3, ScrewRow(V(5), V(3), {{"Var2", V(8)}, {"Var3", V(10)}})},
    {4, ScrewRow(V(5), V(3), {{"Var1", V(10)}, {"Var2", V(11)}})},
    {5, ScrewRow(V(5), V(6), {{"Var1", V(3)}, {"Var2", V(8)}, {"Var3", V(9)}})},
    {6, ScrewRow(V(5), V(6), {{"Var1", V(3)}, {"Var2", V(10)}, {"Var3", V(9)}, {"Var4", V(11)}})},
    {7, ScrewRow(V(11), V(6),
                 {{"Var1", V(10)}, {"Var2", V(8)}, {"Var3", V(9)}, {"Var4", V(5) - V(11)}})},
    {8, ScrewRow(V(5), V(6),
                 {{"Var1", V(3)}, {"Var2", V(8)}, {"Var3", V(9)}, {"Var4", V(5) - V(11)}})},
    {9, ScrewRow(V(5), V(6), {{"Var1", V(3)}, {"Var2", V(8)}, {"Var3", V(9)}, {"Var4", V(12)}})},
    {10, ScrewRow(V(11), V(6),
                  {{"Var1", V(10)}, {"Var2", V(8)}, {"Var3", V(9)}, {"Var4", V(5) - V(11)}})},
    {11, ScrewRow(V(5), V(6),
                  {{"Var1", V(3)}, {"Var2", V(8)}, {"Var3", V(9)}, {"Var4", V(5) - V(11)}})},
    {12, ScrewRow(V(5), V(6), {{"Var1", V(3)}, {"Var2", V(8)}, {"Var3", V(9)}, {"Var4", V(12)}})},
};

// (v[2] / 2) / cos 30°, π written to fifteen significant digits.
const double kCupDepth = (V(2) / 2) / std::cos(30 * 3.14159265358979 / 180);

Expected SetScrewRow(double lung, double smussoSup, double smussoInf, double passo, double larg,
                     double alt, std::map<std::string, double> further = {}) {
  Expected e{{"Diametro", V(0)},
             {"lung", lung},
             {"DiamInf", V(2)},
             {"SmussoSuperiore", smussoSup},
             {"SmussoInferiore", smussoInf},
             {"Passo", passo},
             {"LargIntaglio", larg},
             {"AltIntaglio", alt}};
  e.insert(further.begin(), further.end());
  return e;
}

const std::map<int, Expected> kSetScrewRows = {
    {1, SetScrewRow(V(1), V(7), 0, V(5), V(4), V(6))},
    {2, SetScrewRow(V(1) - V(8), V(7), 0, V(5), V(4), V(6),
                    {{"DiamCilindro", V(2)}, {"AltCilindro", V(8)}})},
    {3, SetScrewRow(V(1), V(7), V(7), V(5), V(4), V(6))},
    {4,
     SetScrewRow(V(1), V(7), 90, V(5), V(4), V(6), {{"DiamCoppa", V(2)}, {"AltCoppa", kCupDepth}})},
    {5, SetScrewRow(V(1), V(6), 0, V(5), V(3), V(4))},
    {6, SetScrewRow(V(1) - V(7), V(6), 0, V(5), V(3), V(4),
                    {{"DiamCilindro", V(2)}, {"AltCilindro", V(7)}})},
    {7, SetScrewRow(V(1), V(6), V(6), V(5), V(3), V(4))},
    {8,
     SetScrewRow(V(1), V(6), 90, V(5), V(3), V(4), {{"DiamCoppa", V(2)}, {"AltCoppa", kCupDepth}})},
    {9,
     {{"Diametro", V(0)},
      {"lung", V(1)},
      {"Passo", V(7)},
      {"LungRadice", V(5)},
      {"LungGambo", V(4)},
      {"AltCalotta", V(7)}}},
};

const Expected kTaperWasher = {{"DiametroNominale", V(0)},
                               {"DiametroInterno", V(0)},
                               {"Spessore", V(6)},
                               {"lato", V(2)},
                               {"Lato1", V(3)},
                               {"Spessore1", V(7)},
                               {"SpessoreSmusso", V(4)},
                               {"Scanalatura", V(8)}};

const std::map<int, Expected> kWasherRows = {
    {1,
     {{"DiametroNominale", V(0)},
      {"DiametroEsterno", V(3)},
      {"DiametroInterno", V(2)},
      {"Spessore", V(4)}}},
    {2,
     {{"DiametroNominale", V(0)},
      {"DiametroEsterno", V(4)},
      {"DiametroInterno", V(2)},
      {"Spessore", V(3)}}},
    {3,
     {{"DiametroNominale", V(0)},
      {"DiametroEsterno", V(4)},
      {"DiametroInterno", V(2)},
      {"Spessore", V(3)},
      {"SpessoreSmusso", V(5)}}},
    {4,
     {{"DiametroNominale", V(0)}, {"DiametroEsterno", V(3)}, {"Spessore", V(4)}, {"lato", V(2)}}},
    {5,
     {{"DiametroNominale", V(0)}, {"DiametroInterno", V(2)}, {"Spessore", V(4)}, {"lato", V(3)}}},
    {6, kTaperWasher},
    {7, kTaperWasher},
    {8,
     {{"DiametroNominale", V(0)},
      {"DiametroEsterno", V(3)},
      {"DiametroInterno", V(0)},
      {"Spessore", V(5)},
      {"SpessoreSmusso", V(2)},
      {"SpessoreSmusso1", V(4)}}},
};

Expected NutRow(std::map<std::string, double> row) {
  row.emplace("DiametroFiletto", V(0));
  row.emplace("Spessore", V(3));
  return row;
}

const std::map<int, Expected> kNutRows = {
    {1, NutRow({{"DiametroEsterno", V(4)}, {"Passo", V(5)}})},
    {2, NutRow({{"DiametroEsterno", V(4)},
                {"Passo", V(5)},
                {"Scanalatura", V(7)},
                {"LargScanalatura", V(3) - V(6)},
                {"DiametroCorona", V(8)},
                {"InizioCorona", V(6)},
                {"numCave", V(9)}})},
    {3, NutRow({{"DiametroEsterno", V(4)},
                {"Passo", V(5)},
                {"DiametroCorona", V(4)},
                {"InizioCorona", V(6) - V(3)}})},
    {4, NutRow({{"Passo", V(5)}, {"LatoRet", V(2)}})},
    {5, NutRow({{"Passo", V(5)}, {"LatoRet", V(2)}, {"DiametroInterno", V(4)}})},
    {6, NutRow({{"DiametroEsterno", V(4)},
                {"Passo", V(13)},
                {"DiametroCalotta", V(7)},
                {"AltezzaCalotta", V(9) - V(3)},
                {"DiametroInternoCalotta", V(8)},
                {"AltezzaInternoCalotta", V(5)},
                {"RaggioCalotta", V(11)},
                {"RaggioInternoCalotta", V(12)}})},
    {7, NutRow({{"DiametroEsterno", V(4)},
                {"Passo", V(10)},
                {"DiametroCalotta", V(7)},
                {"AltezzaCalotta", V(8) - V(3)},
                {"AltezzaInternoCalotta", V(9) - V(3)},
                {"RaggioCalotta", V(11)},
                {"RaggioInternoCalotta", V(8) - V(3) - V(6)}})},
    {8, NutRow({{"DiametroEsterno", V(4)},
                {"Passo", V(13)},
                {"AltezzaCalotta", V(9) - V(10)},
                {"AltezzaInternoCalotta", V(10) - V(3)},
                {"DiametroCalotta", V(8)},
                {"RaggioCalotta", V(12)}})},
    {9, NutRow({{"DiametroEsterno", V(2)},
                {"Passo", V(7)},
                {"DiametroInterno", V(4)},
                {"Scanalatura", V(5)},
                {"LargScanalatura", V(6)},
                {"numCave", V(9)}})},
};

// Checks every row of a class's mapping and that types just outside the range set nothing.
template <typename Make>
void ExpectMapping(Make make, const std::map<int, Expected>& rows, const char* typeProperty) {
  const ValueArray v = Distinct();
  for (const auto& [type, row] : rows) {
    Expected expected = row;
    expected[typeProperty] = type;
    ExpectProperties(*make(static_cast<std::int16_t>(type), v), expected,
                     typeProperty + std::to_string(type));
  }
  const int outside[] = {0, rows.rbegin()->first + 1, -1};
  for (int type : outside) {
    ExpectProperties(*make(static_cast<std::int16_t>(type), v), {},
                     "outside " + std::to_string(type));
  }
}

TEST(NewVormbrace, BoltsFollowTheirMapping) {
  ExpectMapping([](std::int16_t t, const ValueArray& v) { return MakeBolt(t, v); }, kBoltRows,
                "HeaderType");
}

TEST(NewVormbrace, ScrewsFollowTheirMapping) {
  ExpectMapping([](std::int16_t t, const ValueArray& v) { return MakeScrew(t, v); }, kScrewRows,
                "HeaderType");
}

TEST(NewVormbrace, SetScrewsFollowTheirMapping) {
  ExpectMapping([](std::int16_t t, const ValueArray& v) { return MakeScrewNoHead(t, v); },
                kSetScrewRows, "ComponentType");
}

TEST(NewVormbrace, WashersFollowTheirMapping) {
  ExpectMapping([](std::int16_t t, const ValueArray& v) { return MakeWasher(t, v); }, kWasherRows,
                "ComponentType");
}

TEST(NewVormbrace, NutsFollowTheirMapping) {
  ExpectMapping([](std::int16_t t, const ValueArray& v) { return MakeNut(t, v); }, kNutRows,
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
