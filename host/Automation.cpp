// Interface identifiers compared as the host compares them, and a class without methods of its
// own.
#include "host/Automation.h"

#include <algorithm>
#include <cctype>

#include "host/RuntimeError.h"

namespace host {

bool SameInterfaceId(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

Argument AutomationObject::Invoke(const std::string&, std::vector<Argument>&) {
  Raise(err::kMethodNotSupported);
}

}  // namespace host
