// Standard descriptions of the run time's error numbers.
#include "host/RuntimeError.h"

namespace host {

std::string ErrorDescription(int number) {
  switch (number) {
    case err::kInvalidProcedureCall:
      return "Invalid procedure call or argument";
    case err::kOverflow:
      return "Overflow";
    case err::kSubscriptOutOfRange:
      return "Subscript out of range";
    case err::kDivisionByZero:
      return "Division by zero";
    case err::kTypeMismatch:
      return "Type mismatch";
    case err::kFileNotFound:
      return "File not found";
    case err::kInputPastEndOfFile:
      return "Input past end of file";
    case err::kPathFileAccessError:
      return "Path/File access error";
    case err::kObjectRequired:
      return "Object required";
    case err::kArgumentNotOptional:
      return "Argument not optional";
    case err::kMethodNotSupported:
      return "Object doesn't support this property or method";
    case err::kAutomationError:
      return "Automation error";
    default:
      return "Application-defined or object-defined error";
  }
}

void Raise(int number) { throw RuntimeError(number, ErrorDescription(number)); }

}  // namespace host
