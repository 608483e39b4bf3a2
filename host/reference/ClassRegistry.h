// The reference host's class registry, standing in for COM: each ProgID text maps to a class
// identifier text and a factory. The host creates a fresh instance of a bound part's class from
// the identifier stored in the part's class binding (variable 1 of its first type-43 component).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "host/Automation.h"
#include "host/Services.h"
#include "host/Shape.h"

namespace host::ref {

class ClassRegistry : public host::HostClassRegistry {
 public:
  using Factory = std::function<std::unique_ptr<AutomationObject>()>;

  void Register(const std::string& progId, const std::string& classId, Factory factory);
  std::string ClassIdOf(const std::string& progId) const override;
  // A new instance of the class; nullptr for an unknown identifier.
  std::unique_ptr<AutomationObject> Create(const std::string& classId) const;
  // A new instance of the class a shape is bound to; nullptr when it is not bound.
  std::unique_ptr<AutomationObject> CreateBound(host::Shape& shape) const;

 private:
  struct Entry {
    std::string classId;
    Factory factory;
  };
  std::map<std::string, Entry> byProgId_;
};

}  // namespace host::ref
