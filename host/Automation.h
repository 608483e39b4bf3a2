// An automation object as the host sees an add-in class: its ProgID, its properties and its
// methods by member name in slot order, and the further interfaces it implements, found by
// identifier.
#pragma once

#include <string>
#include <vector>

#include "host/Value.h"

namespace host {

// An interface a class may implement beside its automation interface. Each one names its
// identifier in a static member kInterfaceId.
class HostInterface {
 public:
  virtual ~HostInterface() = default;
};

class Shape;

// An argument or result of a method call: a host object (a shape) or a plain value.
struct Argument {
  Shape* object = nullptr;
  Value value;
};

class AutomationObject {
 public:
  virtual ~AutomationObject() = default;
  virtual std::string ProgID() const = 0;
  virtual std::vector<std::string> PropertyNames() const = 0;
  // By member name, case-insensitive as automation names are; error 438 for an unknown name.
  virtual Value GetProperty(const std::string& name) const = 0;
  // The value is converted to the property's own type (error 13 when it cannot be).
  virtual void PutProperty(const std::string& name, const Value& value) = 0;
  // The class's implementation of the interface with this identifier (letter case ignored);
  // nullptr when the class does not support it.
  virtual HostInterface* QueryInterface(const std::string& interfaceId) = 0;
  // The methods after the properties, in slot order.
  virtual std::vector<std::string> MethodNames() const { return {}; }
  // Calls a method by member name (case-insensitive): error 438 for an unknown name, 449 for a
  // missing argument, 424 for a value where an object is wanted. Errors of the method travel
  // to the caller.
  virtual Argument Invoke(const std::string& name, std::vector<Argument>& args);
};

// Whether two interface identifier texts name the same interface (letter case ignored).
bool SameInterfaceId(const std::string& a, const std::string& b);

// The interface I of an object, nullptr when the object does not support it.
template <typename I>
I* QueryInterface(AutomationObject& object) {
  return dynamic_cast<I*>(object.QueryInterface(I::kInterfaceId));
}

}  // namespace host
