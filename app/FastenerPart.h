// Building one fastener's features into a part from its component's properties, by kind, as
// the class's CreateInPart does, without placing, naming or binding the part.
#pragma once

#include <cstdint>

#include "host/Automation.h"
#include "host/Shape.h"

namespace vormbrace::app {

// `kind`: 0 bolts, 1 screws, 2 set screws, 3 washers, 4 nuts.
void BuildFastenerPart(std::int16_t kind, const host::AutomationObject& object, host::Shape& part);

}  // namespace vormbrace::app
