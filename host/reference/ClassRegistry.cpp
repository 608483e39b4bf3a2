// ProgID and class identifier lookups of the reference host.
#include "host/reference/ClassRegistry.h"

namespace host::ref {

namespace {
constexpr std::int32_t kClassBinding = 43;
}

void ClassRegistry::Register(const std::string& progId, const std::string& classId,
                             Factory factory) {
  byProgId_[progId] = {classId, std::move(factory)};
}

std::string ClassRegistry::ClassIdOf(const std::string& progId) const {
  auto it = byProgId_.find(progId);
  return it == byProgId_.end() ? "" : it->second.classId;
}

std::unique_ptr<AutomationObject> ClassRegistry::Create(const std::string& classId) const {
  for (const auto& [progId, entry] : byProgId_) {
    if (entry.classId == classId) return entry.factory();
  }
  return nullptr;
}

std::unique_ptr<AutomationObject> ClassRegistry::CreateBound(host::Shape& shape) const {
  auto& bindings = shape.Components(kClassBinding);
  if (bindings.Count() == 0) return nullptr;
  Value id = bindings.Item(1).Variable(1).GetValue();
  if (id.Type() != ValueType::Text) return nullptr;
  return Create(id.AsText());
}

}  // namespace host::ref
