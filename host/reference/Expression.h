// The reference host's formulas for part variables: arithmetic on numbers in millimetres with
// + - * /, parentheses and unary signs, as a designer types them into a variable.
#pragma once

#include <stdexcept>
#include <string>

namespace host::ref {

class ExpressionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The value of `text`. Raises ExpressionError naming the text and the character position at
// fault for anything that does not parse, a division by zero or a result that is not finite.
double EvaluateExpression(const std::string& text);

}  // namespace host::ref
