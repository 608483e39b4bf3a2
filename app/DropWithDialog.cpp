// A drop through the drop hook with a scripted presenter.
#include "app/DropWithDialog.h"

#include "dialog/DropHook.h"

namespace vormbrace::app {

void DropWithDialog(host::ref::ReferenceHost& host, host::ref::RecordedDrop& hook,
                    DialogPresenter& presenter) {
  host.ClearMessages();
  host.SetPresenter([&presenter](host::ModalForm& form) { presenter.Present(form); });
  try {
    DropHook().OnDragDrop(hook);
  } catch (...) {
    host.SetPresenter(nullptr);
    throw;
  }
  host.SetPresenter(nullptr);
}

}  // namespace vormbrace::app
