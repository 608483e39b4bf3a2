// The add-in's class list for the host's registry.
#include "dialog/AddInClasses.h"

#include "components/EventFlows.h"
#include "dialog/CompUpdate.h"
#include "dialog/DropHook.h"
#include "dialog/Edit.h"

namespace vormbrace {
namespace {

class DialogEventFlows final : public EventFlows {
 public:
  void EditPart(host::Shape& part, std::int16_t kind) override { vormbrace::EditPart(part, kind); }
  void LengthUpdate(host::Shape& part) override { vormbrace::LengthUpdate(part); }
  void HoleUpdate(host::Shape& hole) override { vormbrace::HoleUpdate(hole); }
};

}  // namespace

const std::vector<ClassInfo>& AddInClasses() {
  static const std::vector<ClassInfo> classes = [] {
    static DialogEventFlows flows;
    InstallEventFlows(flows);
    std::vector<ClassInfo> all = FastenerClasses();
    all.push_back({kDropHookProgId, "{5B0E7A11-3C42-4D8E-9A61-0F2B6C1D7E06}",
                   [] { return std::unique_ptr<host::AutomationObject>(new DropHook()); }});
    return all;
  }();
  return classes;
}

}  // namespace vormbrace
