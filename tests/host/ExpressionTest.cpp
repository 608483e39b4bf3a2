// Formulas typed into a part variable of the reference host.
#include <gtest/gtest.h>

#include "host/reference/Expression.h"

namespace {

using host::ref::EvaluateExpression;
using host::ref::ExpressionError;

TEST(Expression, ArithmeticFollowsPrecedenceAndParentheses) {
  EXPECT_DOUBLE_EQ(EvaluateExpression("45"), 45);
  EXPECT_DOUBLE_EQ(EvaluateExpression(" 2 * (20 + 2.5) "), 45);
  EXPECT_DOUBLE_EQ(EvaluateExpression("10 - 4 - 3"), 3);
  EXPECT_DOUBLE_EQ(EvaluateExpression("-3 + 10 / 4"), -0.5);
  EXPECT_DOUBLE_EQ(EvaluateExpression("2*-3"), -6);
}

TEST(Expression, FaultsNameTheFormulaAndThePlace) {
  const std::pair<const char*, const char*> cases[] = {
      {"2*(", "formula \"2*(\" at character 4: the formula ends too early"},
      {"(1+2", "formula \"(1+2\" at character 5: \")\" expected"},
      {"4 5", "formula \"4 5\" at character 3: unexpected \"5\""},
      {"abc", "formula \"abc\" at character 1: a number expected"},
      {"8/(2-2)", "formula \"8/(2-2)\" at character 3: division by zero"},
      {"1e308*10", "the result is not a finite number"},
      {"", "the formula ends too early"},
  };
  for (auto [text, message] : cases) {
    try {
      EvaluateExpression(text);
      ADD_FAILURE() << text;
    } catch (const ExpressionError& e) {
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
    }
  }
}

}  // namespace
