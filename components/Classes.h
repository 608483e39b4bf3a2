// The fastener classes as the host registers them: ProgID text, our fixed class
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

// The five fastener classes, in kind order (Bolt, Screw, ScrewNoHead, Washer, Nut).
const std::vector<ClassInfo>& FastenerClasses();

}  // namespace vormbrace
