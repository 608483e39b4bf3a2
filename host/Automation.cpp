// Interface identifiers compared as the host compares them.
#include "host/Automation.h"

#include <algorithm>
#include <cctype>

namespace host {

bool SameInterfaceId(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

}  // namespace host
