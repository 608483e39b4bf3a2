// Numbers read from table text and written back as the add-in's run time does.
#include <gtest/gtest.h>

#include "data/NumberText.h"
#include "host/RuntimeError.h"

namespace {

using vormbrace::CStr;
using vormbrace::Str;
using vormbrace::Trim;
using vormbrace::Val;

TEST(NumberText, ValReadsTheLeadingNumberOnly) {
  EXPECT_EQ(Val("  12.5abc"), 12.5);
  EXPECT_EQ(Val("10|20|30"), 10);
  EXPECT_EQ(Val("-3.25"), -3.25);
  EXPECT_EQ(Val("+.5"), 0.5);
  EXPECT_EQ(Val("1.5e3mm"), 1500);
  EXPECT_EQ(Val("2e"), 2);  // an exponent letter without digits ends the number
  EXPECT_EQ(Val("2e+x"), 2);
  EXPECT_EQ(Val("M10"), 0);
  EXPECT_EQ(Val("|5"), 0);
  EXPECT_EQ(Val(""), 0);
  EXPECT_EQ(Val("\t5"), 0);  // only blanks are skipped
  EXPECT_EQ(Val("-"), 0);
  EXPECT_EQ(Val("8.00"), 8);
  EXPECT_EQ(Val("1,5"), 1);  // the decimal separator is always "."
  EXPECT_EQ(Val("nan"), 0);  // no number; and one beyond a double overflows
  EXPECT_THROW(Val("1e400"), host::RuntimeError);
  EXPECT_THROW(Val("-1e309|5"), host::RuntimeError);
}

TEST(NumberText, CStrWritesFifteenDigitsWithoutTrailingZeros) {
  EXPECT_EQ(CStr(8.0), "8");
  EXPECT_EQ(CStr(8.25), "8.25");
  EXPECT_EQ(CStr(0.1), "0.1");
  EXPECT_EQ(CStr(-0.0), "0");
  EXPECT_EQ(CStr(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(CStr(123456789012345), "123456789012345");
  EXPECT_EQ(CStr(1e15), "1E+15");
  EXPECT_EQ(CStr(0.0001), "0.0001");
  EXPECT_EQ(CStr(0.00001), "1E-05");
}

TEST(NumberText, StrReservesThePlaceOfTheSign) {
  EXPECT_EQ(Str(10.5), " 10.5");
  EXPECT_EQ(Str(3), " 3");
  EXPECT_EQ(Str(0), " 0");
  EXPECT_EQ(Str(0.5), " .5");
  EXPECT_EQ(Str(-0.5), "-.5");
  EXPECT_EQ(Str(-2), "-2");
}

TEST(NumberText, TrimRemovesBlanksButNotTabs) {
  EXPECT_EQ(Trim("  M10  "), "M10");
  EXPECT_EQ(Trim("\tM10 "), "\tM10");
  EXPECT_EQ(Trim("    "), "");
}

}  // namespace
