// What a fastener built from typed properties can be: no negative dimension, a body with a
// diameter and a length (a washer or nut with a width and a thickness), a head wider than its
// shank, a hole narrower than what surrounds it.
#pragma once

#include <string>

#include "host/Automation.h"

namespace vormbrace::app {

// "" when the object's dimensions can make the fastener of `kind` (bolt, screw, setscrew,
// washer, nut); else a message that names the property and its value.
std::string ImpossibleDimensions(const std::string& kind, const host::AutomationObject& object);

}  // namespace vormbrace::app
