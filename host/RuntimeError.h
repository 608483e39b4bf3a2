// The run-time error of the add-in and of host calls: an error number and its description, as
// the automation run time reports them. It travels to the host entry point, which reports it.
#pragma once

#include <stdexcept>
#include <string>

namespace host {

// Error numbers used by the add-in and the reference host (the run time's own numbering).
namespace err {
inline constexpr int kInvalidProcedureCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kFileNotFound = 53;
inline constexpr int kInputPastEndOfFile = 62;
inline constexpr int kPathFileAccessError = 75;
inline constexpr int kObjectRequired = 424;
inline constexpr int kArgumentNotOptional = 449;
inline constexpr int kMethodNotSupported = 438;
inline constexpr int kAutomationError = 440;
}  // namespace err

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  int Number() const { return number_; }
  std::string Description() const { return what(); }

 private:
  int number_;
};

// The run time's standard description of an error number ("Input past end of file" for 62).
std::string ErrorDescription(int number);

// Throws RuntimeError with the number and its standard description.
[[noreturn]] void Raise(int number);

}  // namespace host
