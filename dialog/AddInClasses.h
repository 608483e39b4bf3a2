// Every automation class of the add-in as the host registers it: the five fastener classes in
// kind order, then the drop hook, which opens the selection dialog and so lives above them.
#pragma once

#include <vector>

#include "components/Classes.h"

namespace vormbrace {

const std::vector<ClassInfo>& AddInClasses();

}  // namespace vormbrace
