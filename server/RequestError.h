// A request the server refuses, with the HTTP status and the message the page shows. Nothing of
// the scene has changed when one is raised.
#pragma once

#include <stdexcept>
#include <string>

namespace vormbrace::server {

class RequestError : public std::runtime_error {
 public:
  RequestError(int status, const std::string& message)
      : std::runtime_error(message), status_(status) {}
  int Status() const { return status_; }

 private:
  int status_;
};

// 400: the request itself is malformed (wrong JSON, wrong type, too long).
[[noreturn]] inline void BadRequest(const std::string& message) {
  throw RequestError(400, message);
}

}  // namespace vormbrace::server
