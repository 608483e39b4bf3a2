// The methods of the fastener classes by member name, and the double-click event.
#include <algorithm>

#include "components/Classes.h"
#include "components/Dispatch.h"
#include "components/EventFlows.h"
#include "components/FastenerComponent.h"
#include "host/RuntimeError.h"

namespace vormbrace {
namespace {

host::Shape& ShapeAt(std::vector<host::Argument>& args, std::size_t index) {
  if (index >= args.size()) host::Raise(host::err::kArgumentNotOptional);
  if (args[index].object == nullptr) host::Raise(host::err::kObjectRequired);
  return *args[index].object;
}

std::int32_t NumberAt(std::vector<host::Argument>& args, std::size_t index) {
  if (index >= args.size()) host::Raise(host::err::kArgumentNotOptional);
  return args[index].value.AsInt32();
}

host::Argument Nothing() { return {}; }
host::Argument ShapeResult(host::Shape& shape) { return {&shape, host::Value()}; }

using Method = host::Argument (*)(FastenerComponent&, std::vector<host::Argument>&);
struct MethodSlot {
  const char* name;
  Method call;
};

// Slot order; Update (last) only for the classes that have the event.
const MethodSlot kMethods[] = {
    {"Create", [](FastenerComponent& c, auto& a) { return ShapeResult(c.Create(ShapeAt(a, 0))); }},
    {"CreateInPart",
     [](FastenerComponent& c, auto& a) { return ShapeResult(c.CreateInPart(ShapeAt(a, 0))); }},
    {"GetPartData",
     [](FastenerComponent& c, auto& a) {
       c.GetPartData(ShapeAt(a, 0));
       return Nothing();
     }},
    {"DblClick",
     [](FastenerComponent& c, auto& a) {
       c.DblClick(ShapeAt(a, 0), NumberAt(a, 1), NumberAt(a, 2));
       return Nothing();
     }},
    {"PreUpdate",
     [](FastenerComponent& c, auto& a) {
       c.PreUpdate(ShapeAt(a, 0));
       return Nothing();
     }},
};
constexpr const char* kUpdate = "Update";

}  // namespace

std::int16_t FastenerComponent::KindIndex() const {
  const auto& classes = FastenerClasses();
  const std::string progId = ProgID();
  auto it = std::find_if(classes.begin(), classes.end(),
                         [&](const ClassInfo& c) { return progId == c.progId; });
  return static_cast<std::int16_t>(it - classes.begin());
}

void FastenerComponent::DblClick(host::Shape& objPart, std::int32_t, std::int32_t) {
  InstalledEventFlows().EditPart(objPart, KindIndex());
}

std::vector<std::string> FastenerComponent::MethodNames() const {
  std::vector<std::string> names;
  for (const MethodSlot& m : kMethods) names.emplace_back(m.name);
  if (HasUpdateEvent()) names.emplace_back(kUpdate);
  return names;
}

host::Argument FastenerComponent::Invoke(const std::string& name,
                                         std::vector<host::Argument>& args) {
  for (const MethodSlot& m : kMethods) {
    if (SameMemberName(name, m.name)) return m.call(*this, args);
  }
  if (HasUpdateEvent() && SameMemberName(name, kUpdate)) {
    Update(ShapeAt(args, 0));
    return Nothing();
  }
  host::Raise(host::err::kMethodNotSupported);
}

}  // namespace vormbrace
