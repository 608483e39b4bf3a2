// The selection dialog as the page shows it. Each request loads a fresh dialog with no drop
// under it (the remembered choices apply, as when the dialog opens) and replays the page's
// clicks on it in order, so the lists, what is shown and what is enabled come from the
// dialog's own rules; the page only draws them.
#pragma once

#include <nlohmann/json.hpp>

#include "dialog/Dialog.h"
#include "dialog/DialogPresenter.h"

namespace vormbrace::server {

inline constexpr std::size_t kMaxClicks = 500;

// `clicks` is an array of at most kMaxClicks objects, each one click:
//   {"kindTab": k} {"familyTab": i} {"type": n (1-based)} {"hole": n (0 none .. 3)}
//   {"list": "Normativa"|"Misura"|"Lunghezza"|"Materiale"|"HToll", "index": i, "entry": text}
//   {"manualLength": "text"}
//   {"box": "ToggleRondella"|"ToggleDado"|"ToggleCreateAssembly"|"ToggleMisuraAuto"}
// A list click's "entry" (the entry's text) counts only when the click is carried over.
// Answers the dialog's controls and "choice", the choice they describe. Malformed clicks, or
// one on a control that cannot be used, raise RequestError (400) naming the click.
nlohmann::json DialogAfterClicks(const nlohmann::json& clicks);

// What the dialog shows, as the choice a script would drive it to.
DialogScript ChoiceOf(Dialog& d);

// Works the selection dialog when the add-in opens it (on a drop, on a double-clicked part):
// replays the `carried` clicks, the choice made on the page before the dialog opened there
// (a list click picks its entry by text; a click the dialog refuses, such as a size while the
// size follows the hole, is left out), then the page's clicks on this dialog (as
// DialogAfterClicks takes them); keeps what the dialog then shows and presses OK (`confirm`) or
// Cancel. One of `clicks` that the dialog refuses cancels it and becomes Error(); a list that
// is not one of clicks raises RequestError (400) before anything runs.
class ClickPresenter {
 public:
  ClickPresenter(const nlohmann::json& clicks, bool confirm,
                 const nlohmann::json& carried = nlohmann::json::array());
  void Present(host::ModalForm& form);
  const std::string& Error() const { return error_; }
  bool Confirmed() const { return confirmed_; }
  // The dialog's controls and choice after the clicks; null when no dialog was shown.
  const nlohmann::json& State() const { return state_; }

 private:
  const nlohmann::json& clicks_;
  nlohmann::json carried_;
  bool confirm_;
  bool confirmed_ = false;
  std::string error_;
  nlohmann::json state_;
};

}  // namespace vormbrace::server
