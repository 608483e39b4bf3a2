// The fastener data table each class writes, the class binding, and reading a part back.
#include <gtest/gtest.h>

#include <map>

#include "components/Bolt.h"
#include "components/FastenerTable.h"
#include "components/Nut.h"
#include "components/Screw.h"
#include "components/ScrewNoHead.h"
#include "components/Washer.h"
#include "data/Globals.h"
#include "host/reference/SceneDocument.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;
using host::Value;
using host::ref::SceneComponent;

// Every cell of a table as "row,column" -> value.
std::map<std::string, Value> Cells(host::Shape& part) {
  std::map<std::string, Value> cells;
  auto& table = static_cast<SceneComponent&>(part.Components(kDataTableCode).Item(1));
  for (auto& [key, v] : table.Cells()) {
    cells[std::to_string(key.first) + "," + std::to_string(key.second)] = v.GetValue();
  }
  return cells;
}

class FastenerTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    State().kind = 1;
    State().typeCode = 3;
    State().componentId = 7654321;
    State().family = 1;
  }
  host::Shape& NewPart() { return doc_.RootShape().Shapes(host::kShapePart).Add(); }
  std::map<std::string, Value> Common(const char* kind) {
    return {{"0,2", Value::Text("Corvane")}, {"1,2", Value::Text(kind)},
            {"2,2", Value::Text("N C x@")},  {"0,1", Value::Int16(1)},
            {"1,1", Value::Int16(3)},        {"2,1", Value::Int32(7654321)},
            {"5,1", Value::Int16(1)},        {"13,2", Value::Text("ISO 4762")},
            {"14,2", Value::Text("M10")},    {"15,2", Value::Text("ISO4762.txt")},
            {"16,2", Value::Text("12.9")}};
  }
  template <typename C>
  C Named(C c) {
    c.Normativa = "ISO 4762";
    c.Codice = "M10";
    c.FileData = "ISO4762.txt";
    c.MaterialCode = "12.9";
    return c;
  }
  test::TestHost host_;
  host::ref::SceneDocument doc_;
};

TEST_F(FastenerTableTest, EachClassWritesItsRowsWithTheirTypes) {
  Screw screw = Named(Screw{});
  screw.LungTesta = 10, screw.DistFiletto = 18, screw.Diametro = 10, screw.lung = 50;
  screw.Passo = 1.5;
  Bolt bolt = Named(Bolt{});
  bolt.LungTesta = 6.4, bolt.DistFiletto = 24, bolt.Diametro = 10, bolt.lung = 60, bolt.Passo = 1.5;
  ScrewNoHead set = Named(ScrewNoHead{});
  set.AltCalotta = 1, set.LungRadice = 2, set.SmussoInferiore = 90, set.SmussoSuperiore = 120;
  set.DiamInf = 5, set.Diametro = 10, set.lung = 20, set.Passo = 1.5;
  Washer washer = Named(Washer{});
  washer.DiametroNominale = 10, washer.DiametroInterno = 10.5;
  Nut nut = Named(Nut{});
  nut.DiametroFiletto = 12, nut.DiametroEsterno = 18;
  const auto D = [](double v) { return Value::Double(v); };
  struct Case {
    const FastenerComponent& component;
    const char* kind;
    std::map<std::string, Value> rows;  // beside the rows every kind writes
  } cases[] = {
      // A screw keeps its head height in row 8; a bolt does not.
      {screw, "Screw", {{"6,1", Value::Int16(1)}, {"8,1", D(10)}, {"9,1", D(18)}, {"17,1", D(18)},
                        {"10,1", D(10)}, {"11,1", D(50)}, {"12,1", D(1.5)}}},
      {bolt, "Bolt", {{"6,1", Value::Int16(1)}, {"9,1", D(24)}, {"17,1", D(24)}, {"10,1", D(10)},
                      {"11,1", D(60)}, {"12,1", D(1.5)}}},
      {set, "ScrewNoHead", {{"3,1", D(1)}, {"6,1", D(2)}, {"7,1", D(90)}, {"8,1", D(120)},
                            {"9,1", D(5)}, {"10,1", D(10)}, {"11,1", D(20)}, {"12,1", D(1.5)}}},
      // Washers and nuts keep their nominal diameter in row 10, and nothing else.
      {washer, "Washer", {{"10,1", D(10)}}},
      {nut, "Nut", {{"10,1", D(12)}}},
  };
  for (const Case& c : cases) {
    host::Shape& part = NewPart();
    c.component.WriteTable(part, "N C x@");
    auto expected = Common(c.kind);
    expected.insert(c.rows.begin(), c.rows.end());
    EXPECT_EQ(Cells(part), expected) << c.kind;
  }
}

TEST_F(FastenerTableTest, ExistingTableIsRewrittenInPlace) {
  host::Shape& part = NewPart();
  part.Components(kDataTableCode).Add().Variable(1, 11).SetValue(Value::Double(99));
  Bolt bolt = Named(Bolt{});
  bolt.lung = 40;
  bolt.WriteTable(part, "first");
  bolt.lung = 45;
  bolt.WriteTable(part, "second");
  EXPECT_EQ(part.Components(kDataTableCode).Count(), 1);
  EXPECT_EQ(Cells(part).at("11,1"), Value::Double(45));
  EXPECT_EQ(Cells(part).at("2,2"), Value::Text("second"));
  EXPECT_EQ(part.Components(kBindingCode).Count(), 1);
  EXPECT_EQ(part.Components(kClassIdCode).Count(), 1);
}

TEST_F(FastenerTableTest, BindingLetsTheHostCreateTheClassAgain) {
  host::Shape& part = NewPart();
  Nut nut = Named(Nut{});
  nut.WriteTable(part, "x");
  auto instance = host_.Host().Classes().CreateBound(part);
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(instance->ProgID(), "Vormbrace.Nut");
  EXPECT_EQ(host_.Host().Classes().CreateBound(NewPart()), nullptr);
}

TEST_F(FastenerTableTest, GetPartDataLoadsTheStoredChoiceWhateverTheCallingClass) {
  host::Shape& part = NewPart();
  Screw screw = Named(Screw{});
  screw.lung = 35;
  screw.WriteTable(part, "x");
  State().edit = EditState{};
  Washer{}.GetPartData(part);  // the table decides, not the class asking
  const EditState& e = State().edit;
  EXPECT_EQ(e.family, 1);
  EXPECT_EQ(e.kind, 1);
  EXPECT_EQ(e.typeCode, 3);
  EXPECT_EQ(e.componentId, 7654321);
  EXPECT_EQ(e.length, 35);
  EXPECT_EQ(e.standard, "ISO 4762");
  EXPECT_EQ(e.size, "M10");
  EXPECT_EQ(e.material, "12.9");

  State().edit.size = "kept";
  Bolt{}.GetPartData(NewPart());
  EXPECT_EQ(State().edit.size, "kept");
}

TEST_F(FastenerTableTest, ThreadedClassesReadTheirRowsBack) {
  host::Shape& part = NewPart();
  ScrewNoHead written = Named(ScrewNoHead{});
  written.SmussoSuperiore = 118;
  written.lung = 16;
  written.WriteTable(part, "x");
  ScrewNoHead read;
  ASSERT_TRUE(read.LoadFromTable(part));
  EXPECT_EQ(read.ComponentType, 3);  // the sub-type cell, written from the dialog's choice
  EXPECT_EQ(read.SmussoSuperiore, 118);
  EXPECT_EQ(read.lung, 16);
  EXPECT_EQ(read.TransferToDrawingFlags, 1);
  EXPECT_EQ(read.LoadedShape(), &part);

  Screw none;
  none.TransferToDrawingFlags = 6;
  EXPECT_FALSE(none.LoadFromTable(NewPart()));
  EXPECT_EQ(none.TransferToDrawingFlags, 0);
  EXPECT_EQ(none.LoadedShape(), nullptr);
}

}  // namespace
