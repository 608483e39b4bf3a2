// Properties by member name: each class lists its properties once, in slot order, with their
// exact types, and the table serves get and put as the automation interface does.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "host/RuntimeError.h"
#include "host/Value.h"

namespace vormbrace {

// Automation member names compare without regard to case.
inline bool SameMemberName(const std::string& a, const char* b) {
  std::string bs(b);
  return a.size() == bs.size() && std::equal(a.begin(), a.end(), bs.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

template <typename C>
class DispatchTable {
 public:
  using Member = std::variant<std::int16_t C::*, std::int32_t C::*, double C::*, std::string C::*>;
  struct Slot {
    const char* name;
    Member member;
  };

  explicit DispatchTable(std::vector<Slot> slots) : slots_(std::move(slots)) {}

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const Slot& s : slots_) names.emplace_back(s.name);
    return names;
  }

  host::Value Get(const C& object, const std::string& name) const {
    return std::visit([&](auto member) -> host::Value { return Wrap(object.*member); },
                      Find(name).member);
  }

  // Converts the value to the property's type (error 13 or 6 when it cannot be).
  void Put(C& object, const std::string& name, const host::Value& value) const {
    std::visit([&](auto member) { Assign(object.*member, value); }, Find(name).member);
  }

 private:
  static host::Value Wrap(std::int16_t v) { return host::Value::Int16(v); }
  static host::Value Wrap(std::int32_t v) { return host::Value::Int32(v); }
  static host::Value Wrap(double v) { return host::Value::Double(v); }
  static host::Value Wrap(const std::string& v) { return host::Value::Text(v); }
  static void Assign(std::int16_t& t, const host::Value& v) { t = v.AsInt16(); }
  static void Assign(std::int32_t& t, const host::Value& v) { t = v.AsInt32(); }
  static void Assign(double& t, const host::Value& v) { t = v.AsDouble(); }
  static void Assign(std::string& t, const host::Value& v) { t = v.AsText(); }

  const Slot& Find(const std::string& name) const {
    for (const Slot& s : slots_) {
      if (SameMemberName(name, s.name)) return s;
    }
    host::Raise(host::err::kMethodNotSupported);
  }

  std::vector<Slot> slots_;
};

// Serves a class's AutomationObject members from its table (Self::Table()).
template <typename Self, typename Base>
class Dispatched : public Base {
 public:
  std::vector<std::string> PropertyNames() const override { return Self::Table().Names(); }
  host::Value GetProperty(const std::string& name) const override {
    return Self::Table().Get(static_cast<const Self&>(*this), name);
  }
  void PutProperty(const std::string& name, const host::Value& value) override {
    Self::Table().Put(static_cast<Self&>(*this), name, value);
  }
};

}  // namespace vormbrace
