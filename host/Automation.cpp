// A class without methods of its own.
#include "host/Automation.h"

#include "host/RuntimeError.h"

namespace host {

Argument AutomationObject::Invoke(const std::string&, std::vector<Argument>&) {
  Raise(err::kMethodNotSupported);
}

}  // namespace host
