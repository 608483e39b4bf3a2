// The drop handler class the host creates for a catalogue drop: it turns what the drop hit into
// the drop context and opens the selection dialog.
#pragma once

#include <string>
#include <vector>

#include "host/Automation.h"
#include "host/DragDropHook.h"

namespace vormbrace {

inline constexpr const char* kDropHookProgId = "Vormbrace.DropHook";

class DropHook final : public host::AutomationObject {
 public:
  // Analyses the drop (units check, placement, suggested diameter) and, when the scene is in
  // millimetres, shows the selection dialog modally; returns when it has been closed. Host
  // errors travel to the caller.
  void OnDragDrop(host::DragDropHook& pDragDropHook);

  // No properties: the hook is a method-only class.
  std::string ProgID() const override { return kDropHookProgId; }
  std::vector<std::string> PropertyNames() const override { return {}; }
  host::Value GetProperty(const std::string& name) const override;
  void PutProperty(const std::string& name, const host::Value& value) override;
};

}  // namespace vormbrace
