// Running the add-in's entry points on the reference host (a drop, a double-click, a typed
// length) with a front end's presenter working the selection dialog, and what counts as their
// failure: the same for the command line and the web page.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include "dialog/DialogPresenter.h"
#include "host/ModalForm.h"
#include "host/reference/DropHit.h"
#include "host/reference/ReferenceHost.h"

namespace vormbrace::front {

// What was asked cannot be done to this scene; nothing of it is to be kept or written.
class ActionRefused : public std::runtime_error {
 public:
  ActionRefused(const std::string& message, bool shown)
      : std::runtime_error(message), shown_(shown) {}
  // The add-in showed the message in a message box: the front end has seen it already.
  bool Shown() const { return shown_; }

 private:
  bool shown_;
};

// Runs `entry` with `present` showing the selection dialog, the host's messages cleared
// first; the presenter leaves the host however the entry ends.
void WithPresenter(host::ref::ReferenceHost& host,
                   const std::function<void(host::ModalForm&)>& present,
                   const std::function<void()>& entry);

// The same with a presenter object (Present(ModalForm&)), e.g. the scripted DialogPresenter.
template <typename Presenter>
void WithDialog(host::ref::ReferenceHost& host, Presenter& presenter,
                const std::function<void()>& entry) {
  WithPresenter(host, [&presenter](host::ModalForm& form) { presenter.Present(form); }, entry);
}

// Drops through the add-in's drop hook, with whatever presenter the host has.
void DropOnHook(host::ref::RecordedDrop& hook);

// Drops through the add-in's drop hook with `presenter` showing the selection dialog.
template <typename Presenter>
void DropWithDialog(host::ref::ReferenceHost& host, host::ref::RecordedDrop& hook,
                    Presenter& presenter) {
  WithDialog(host, presenter, [&hook] { DropOnHook(hook); });
}

// After a run: ActionRefused with `presenterError` when the presenter could not make its
// choice, with the add-in's first message ("title: text", shown) when it showed one, or when
// `unconfirmed`. A message that the remembered choices could not be saved is no failure: the
// answer is then false (the front end warns), else true.
bool CheckRun(const host::ref::ReferenceHost& host, const std::string& presenterError,
              bool unconfirmed);

// Runs `entry` with `presenter` (Present, Error, Confirmed) and checks it (CheckRun); with
// `needsConfirm`, a dialog not confirmed is a failure.
template <typename Presenter>
bool RunAddIn(host::ref::ReferenceHost& host, Presenter& presenter, bool needsConfirm,
              const std::function<void()>& entry) {
  WithDialog(host, presenter, entry);
  return CheckRun(host, presenter.Error(), needsConfirm && !presenter.Confirmed());
}

}  // namespace vormbrace::front
