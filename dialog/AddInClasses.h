// Every automation class of the add-in as the host registers it: the five fastener classes in
// kind order, then the drop hook, which opens the selection dialog and so lives above them.
// Taking the list also installs the flows the fastener classes' events run (the edit dialog,
// the length update, the hole update), which live in this layer: no host can raise an event
// on a class it has not registered from here.
#pragma once

#include <vector>

#include "components/Classes.h"

namespace vormbrace {

const std::vector<ClassInfo>& AddInClasses();

}  // namespace vormbrace
