// An automation object as the host sees an add-in class: its ProgID and its properties by
// member name, in slot order.
#pragma once

#include <string>
#include <vector>

#include "host/Value.h"

namespace host {

class AutomationObject {
 public:
  virtual ~AutomationObject() = default;
  virtual std::string ProgID() const = 0;
  virtual std::vector<std::string> PropertyNames() const = 0;
  // By member name, case-insensitive as automation names are; error 438 for an unknown name.
  virtual Value GetProperty(const std::string& name) const = 0;
  // The value is converted to the property's own type (error 13 when it cannot be).
  virtual void PutProperty(const std::string& name, const Value& value) = 0;
};

}  // namespace host
