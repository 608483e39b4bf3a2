// A host variable's value: a variant that remembers whether it was written as a 16-bit integer,
// a 32-bit integer, a double, a text or a Boolean, as the host's automation variants do.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace host {

enum class ValueType { Empty, Int16, Int32, Double, Text, Boolean };

class Value {
 public:
  Value() = default;
  static Value Int16(std::int16_t v) { return Value(Storage(std::in_place_index<1>, v)); }
  static Value Int32(std::int32_t v) { return Value(Storage(std::in_place_index<2>, v)); }
  static Value Double(double v) { return Value(Storage(std::in_place_index<3>, v)); }
  static Value Text(std::string v) { return Value(Storage(std::in_place_index<4>, std::move(v))); }
  static Value Boolean(bool v) { return Value(Storage(std::in_place_index<5>, v)); }

  ValueType Type() const { return static_cast<ValueType>(v_.index()); }
  bool IsEmpty() const { return Type() == ValueType::Empty; }

  // Conversions follow the automation rules: Empty reads as 0 or "", True is -1 as a number,
  // integer conversions round half to even and fail with error 6 (overflow) out of range,
  // a text converts to a number only when it is one (error 13, type mismatch, otherwise).
  double AsDouble() const;
  std::int16_t AsInt16() const;
  std::int32_t AsInt32() const;
  bool AsBool() const;
  std::string AsText() const;

  bool operator==(const Value&) const = default;

 private:
  using Storage =
      std::variant<std::monostate, std::int16_t, std::int32_t, double, std::string, bool>;
  explicit Value(Storage v) : v_(std::move(v)) {}
  Storage v_;
};

// The type's name as written in scene files and inspection output: "i16", "i32", "f64", "text",
// "bool" ("empty" for Empty).
const char* ValueTypeName(ValueType type);

}  // namespace host
