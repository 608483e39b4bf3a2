// Numbers to text and back, as the add-in's run time converts them. Locale-independent: the
// decimal separator is always ".".
#pragma once

#include <string>
#include <string_view>

namespace vormbrace {

// The number-prefix rule: leading spaces skipped, then an optional sign, digits, an optional
// "." with decimals and an optional exponent; reading stops at the first character that cannot
// continue the number. Text that does not begin with a number reads as 0. A number beyond the
// range of a double raises error 6 (overflow).
double Val(std::string_view text);

// A number as the run time writes it when it becomes text: up to 15 significant digits, no
// trailing zeros (8.00 gives "8"), exponent form below 1E-4 and from 1E+15 ("1E-05").
std::string CStr(double value);

// The same with a position reserved for the sign: a blank before zero and positive numbers,
// and no zero before the decimal point (10.5 gives " 10.5", 0.5 gives " .5", -2 gives "-2").
std::string Str(double value);

// The text without its leading and trailing blanks (code 32 only; tabs stay).
std::string Trim(std::string_view text);

}  // namespace vormbrace
