// The add-in's entry points with a scripted presenter.
#include "app/DropWithDialog.h"

#include "dialog/DropHook.h"

namespace vormbrace::app {

void WithDialog(host::ref::ReferenceHost& host, DialogPresenter& presenter,
                const std::function<void()>& entry) {
  host.ClearMessages();
  host.SetPresenter([&presenter](host::ModalForm& form) { presenter.Present(form); });
  try {
    entry();
  } catch (...) {
    host.SetPresenter(nullptr);
    throw;
  }
  host.SetPresenter(nullptr);
}

void DropWithDialog(host::ref::ReferenceHost& host, host::ref::RecordedDrop& hook,
                    DialogPresenter& presenter) {
  WithDialog(host, presenter, [&] { DropHook().OnDragDrop(hook); });
}

}  // namespace vormbrace::app
