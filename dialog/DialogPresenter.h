// A scripted presenter of the selection dialog: it drives the form through the clicks a person
// makes (family tab, kind tab, type option, list entries, boxes, hole option, OK), from choices
// given by name (on the command line, or by the web page); what is not given stays as the dialog
// shows it (the remembered choices, else the dialog's defaults).
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "host/ModalForm.h"

namespace vormbrace {

// The names a script gives the kinds (kind tab order) and the hole options (OptHole order).
inline constexpr const char* kKindNames[] = {"bolt", "screw", "setscrew", "washer", "nut"};
inline constexpr const char* kHoleNames[] = {"none", "simple", "counterbore", "countersink"};

// The choices by name; empty texts, type 0 and false leave the dialog's own choice.
struct DialogScript {
  std::string family;     // a family tab's caption: ISO, DIN
  std::string kind;       // bolt, screw, setscrew, washer, nut
  std::int32_t type = 0;  // 1-based type within the kind
  std::string standard;   // e.g. "ISO 4017" (blanks and case do not matter)
  std::string size;       // e.g. M10
  std::string length;     // a listed length, or any length of a threaded rod
  std::string material;
  std::string hole;       // none, simple, counterbore, countersink
  std::string tolerance;  // a hole tolerance class, e.g. "ISO 273 medium"
  bool washer = false;
  bool nut = false;
  bool assembly = false;
};

class DialogPresenter {
 public:
  explicit DialogPresenter(DialogScript script) : script_(std::move(script)) {}

  // Drives the form and presses OK. A choice the dialog does not offer (an unknown entry, a
  // box that is not shown) cancels the dialog and becomes Error(), which lists what is offered.
  // Errors of the add-in itself travel to the caller.
  void Present(host::ModalForm& form);

  bool Shown() const { return shown_; }
  // OK created the part and closed the dialog.
  bool Confirmed() const { return confirmed_; }
  const std::string& Error() const { return error_; }

 private:
  DialogScript script_;
  bool shown_ = false;
  bool confirmed_ = false;
  std::string error_;
};

}  // namespace vormbrace
