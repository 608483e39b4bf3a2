// Value conversions follow the automation run time.
#include <gtest/gtest.h>

#include "host/RuntimeError.h"
#include "host/Value.h"
#include "support/ErrorOf.h"

namespace {

using host::Value;

using vormbrace::test::ErrorOf;

TEST(Value, IntegerConversionsRoundHalfToEvenAndOverflow) {
  EXPECT_EQ(Value::Double(2.5).AsInt16(), 2);
  EXPECT_EQ(Value::Double(3.5).AsInt16(), 4);
  EXPECT_EQ(Value::Double(-0.5).AsInt32(), 0);
  EXPECT_EQ(ErrorOf([] { Value::Double(32768).AsInt16(); }), 6);
  EXPECT_EQ(ErrorOf([] { Value::Double(1e300).AsInt32(); }), 6);
}

TEST(Value, TextBecomesANumberOnlyWhenItIsOne) {
  EXPECT_EQ(Value::Text(" 12.5 ").AsDouble(), 12.5);
  EXPECT_EQ(ErrorOf([] { Value::Text("M10").AsDouble(); }), 13);
  EXPECT_EQ(ErrorOf([] { Value::Text("").AsDouble(); }), 13);
  for (const char* text : {"nan", "inf", "-Infinity", "NAN(1)"})
    EXPECT_EQ(ErrorOf([text] { Value::Text(text).AsDouble(); }), 13) << text;
  EXPECT_EQ(ErrorOf([] { Value::Text("1e400").AsDouble(); }), 6);
  EXPECT_EQ(Value().AsDouble(), 0);
  EXPECT_EQ(Value().AsText(), "");
}

TEST(Value, BooleansAreMinusOneAndTheirNames) {
  EXPECT_EQ(Value::Boolean(true).AsDouble(), -1);
  EXPECT_EQ(Value::Boolean(false).AsText(), "False");
  EXPECT_TRUE(Value::Text("True").AsBool());
  EXPECT_TRUE(Value::Int16(5).AsBool());
  EXPECT_EQ(Value::Double(0.1).AsText(), "0.1");
}

TEST(Value, EqualityIncludesTheType) {
  EXPECT_NE(Value::Int16(1), Value::Int32(1));
  EXPECT_NE(Value::Int32(1), Value::Double(1));
}

}  // namespace
