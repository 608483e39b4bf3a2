// The add-in's automation classes as the host registers them: ProgID text, our fixed class
// identifier text, and a factory for a fresh instance.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "host/Automation.h"

namespace vormbrace {

inline constexpr const char* kBoltProgId = "Vormbrace.bolt";
inline constexpr const char* kScrewProgId = "Vormbrace.Screw";
inline constexpr const char* kScrewNoHeadProgId = "Vormbrace.ScrewNoHead";
inline constexpr const char* kWasherProgId = "Vormbrace.Washer";
inline constexpr const char* kNutProgId = "Vormbrace.Nut";

struct ClassInfo {
  const char* progId;
  const char* classId;
  std::function<std::unique_ptr<host::AutomationObject>()> create;
};

// Every class of the add-in, in kind order (Bolt, Screw, ScrewNoHead, Washer, Nut), then the
// drop hook.
const std::vector<ClassInfo>& AddInClasses();

}  // namespace vormbrace
