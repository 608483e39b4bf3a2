// The add-in's class list for the host's registry.
#include "dialog/AddInClasses.h"

#include "dialog/DropHook.h"

namespace vormbrace {

const std::vector<ClassInfo>& AddInClasses() {
  static const std::vector<ClassInfo> classes = [] {
    std::vector<ClassInfo> all = FastenerClasses();
    all.push_back({kDropHookProgId, "{5B0E7A11-3C42-4D8E-9A61-0F2B6C1D7E06}",
                   [] { return std::unique_ptr<host::AutomationObject>(new DropHook()); }});
    return all;
  }();
  return classes;
}

}  // namespace vormbrace
