// The add-in's entry points with a front end's presenter.
#include "front/AddInRun.h"

#include "data/Prefs.h"
#include "dialog/DropHook.h"

namespace vormbrace::front {

void WithPresenter(host::ref::ReferenceHost& host,
                   const std::function<void(host::ModalForm&)>& present,
                   const std::function<void()>& entry) {
  host.ClearMessages();
  host.SetPresenter(present);
  try {
    entry();
  } catch (...) {
    host.SetPresenter(nullptr);
    throw;
  }
  host.SetPresenter(nullptr);
}

void DropOnHook(host::ref::RecordedDrop& hook) { DropHook().OnDragDrop(hook); }

bool CheckRun(const host::ref::ReferenceHost& host, const std::string& presenterError,
              bool unconfirmed) {
  if (!presenterError.empty()) throw ActionRefused(presenterError, false);
  bool saved = true;
  for (const host::ref::MessageRecord& m : host.Messages()) {
    if (m.title == kWritePrefsTitle) {
      saved = false;
    } else {
      throw ActionRefused(m.title + ": " + m.text, true);
    }
  }
  if (unconfirmed) throw ActionRefused("the dialog was not confirmed: nothing was built", false);
  return saved;
}

}  // namespace vormbrace::front
