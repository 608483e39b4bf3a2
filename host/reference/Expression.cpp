// A recursive-descent reader of arithmetic formulas.
#include "host/reference/Expression.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace host::ref {
namespace {

class Reader {
 public:
  explicit Reader(const std::string& text) : text_(text) {}

  double Whole() {
    double value = Sum();
    Skip();
    if (at_ < text_.size()) Fail("unexpected \"" + std::string(1, text_[at_]) + "\"");
    if (!std::isfinite(value)) Fail("the result is not a finite number");
    return value;
  }

 private:
  double Sum() {
    double value = Product();
    while (true) {
      if (Next('+')) {
        value += Product();
      } else if (Next('-')) {
        value -= Product();
      } else {
        return value;
      }
    }
  }

  double Product() {
    double value = Factor();
    while (true) {
      if (Next('*')) {
        value *= Factor();
      } else if (Next('/')) {
        const std::size_t where = at_;
        double divisor = Factor();
        if (divisor == 0) Fail("division by zero", where);
        value /= divisor;
      } else {
        return value;
      }
    }
  }

  double Factor() {
    if (Next('-')) return -Factor();
    if (Next('+')) return Factor();
    if (Next('(')) {
      double value = Sum();
      if (!Next(')')) Fail("\")\" expected");
      return value;
    }
    Skip();
    const char* start = text_.c_str() + at_;
    char* end = nullptr;
    double value = std::strtod(start, &end);
    const bool digitFirst = std::isdigit(static_cast<unsigned char>(*start)) || *start == '.';
    if (end == start || !digitFirst) {
      Fail(at_ < text_.size() ? "a number expected" : "the formula ends too early");
    }
    at_ += static_cast<std::size_t>(end - start);
    return value;
  }

  void Skip() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
  }
  bool Peek(char c) {
    Skip();
    return at_ < text_.size() && text_[at_] == c;
  }
  bool Next(char c) {
    if (!Peek(c)) return false;
    ++at_;
    return true;
  }
  [[noreturn]] void Fail(const std::string& why) { Fail(why, at_); }
  [[noreturn]] void Fail(const std::string& why, std::size_t where) {
    throw ExpressionError("formula \"" + text_ + "\" at character " + std::to_string(where + 1) +
                          ": " + why);
  }

  const std::string& text_;
  std::size_t at_ = 0;
};

}  // namespace

double EvaluateExpression(const std::string& text) { return Reader(text).Whole(); }

}  // namespace host::ref
