// New components from a record: types outside each class's range, fields a type leaves out, and
// the component the dialog's choices describe. Every type's mapping is checked against the shipped
// data files' headers in tests/standards.
#include <gtest/gtest.h>

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

TEST(NewVormbrace, TypesOutsideEachRangeTakeNothingFromTheRecord) {
  const int last[kKindCount] = {10, 12, 9, 8, 9};
  for (std::int16_t kind = 0; kind < kKindCount; ++kind) {
    for (int type : {-1, 0, last[kind] + 1}) {
      auto object = MakeComponent(kind, static_cast<std::int16_t>(type), Distinct());
      for (const std::string& name : object->PropertyNames()) {
        host::Value value = object->GetProperty(name);
        if (value.Type() == host::ValueType::Text) continue;
        EXPECT_EQ(value.AsDouble(), 0) << kind << " " << type << " " << name;
      }
    }
  }
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
