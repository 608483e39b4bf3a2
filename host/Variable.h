// A numbered variable or a (column, row) cell of a host component.
#pragma once

#include <string>

#include "host/Value.h"

namespace host {

class Variable {
 public:
  virtual ~Variable() = default;
  virtual Value GetValue() const = 0;
  virtual void SetValue(const Value& value) = 0;
  // Non-empty when a formula drives the variable; the designer types one in the host.
  virtual std::string Expression() const = 0;
  virtual void SetExpression(const std::string& expression) = 0;
};

}  // namespace host
