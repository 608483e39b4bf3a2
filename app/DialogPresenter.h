// The command line's presenter of the selection dialog: it drives the form through the clicks a
// person makes (family tab, kind tab, type option, list entries, boxes, hole option, OK), from
// the choices given on the command line; what is not given stays as the dialog shows it (the
// remembered choices, else the dialog's defaults).
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "host/ModalForm.h"
#include "host/reference/DropHit.h"
#include "host/reference/ReferenceHost.h"

namespace vormbrace::app {

// The command line's choices; empty texts, type 0 and false leave the dialog's own choice.
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

// Drops through the add-in's drop hook with `presenter` showing the selection dialog, the
// host's messages cleared first; the presenter leaves the host however the drop ends.
void DropWithDialog(host::ref::ReferenceHost& host, host::ref::RecordedDrop& hook,
                    DialogPresenter& presenter);

}  // namespace vormbrace::app
