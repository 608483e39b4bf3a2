// The fastener data table (first type-34 component of a part: cells (row, column), column 1
// numbers, column 2 texts) and the class binding that routes a part's events to its class.
#pragma once

#include <cstdint>
#include <string>

#include "host/Component.h"
#include "host/Shape.h"

namespace vormbrace {

inline constexpr std::int32_t kDataTableCode = 34;
inline constexpr std::int32_t kBindingCode = 25;
inline constexpr std::int32_t kClassIdCode = 43;
inline constexpr std::int16_t kNumberColumn = 1;
inline constexpr std::int16_t kTextColumn = 2;

// The shape's first type-34 component, or nullptr.
host::Component* FindDataTable(host::Shape& shape);
// The part's first type-34 component, added when there is none.
host::Component& DataTableOf(host::Shape& part);
// The first component of a code, added when there is none.
host::Component& FirstOrAdd(host::ComponentOwner& owner, std::int32_t code);

void SetNumber(host::Component& table, std::int16_t row, const host::Value& value);
void SetText(host::Component& table, std::int16_t row, const std::string& text);
double NumberAt(host::Component& table, std::int16_t row);
std::string TextAt(host::Component& table, std::int16_t row);

// The class binding: in the first type-25 component variables 3, 5 and 1 become 5, 5 and 1
// (32-bit); in the first type-43 component variable 1 becomes the class identifier text that
// the host's class registry gives for the ProgID.
void WriteClassBinding(host::Shape& part, const std::string& progId);

}  // namespace vormbrace
