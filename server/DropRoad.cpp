// One catalogue drop through the drop hook and the selection dialog.
#include "server/DropRoad.h"

#include "dialog/DropHook.h"
#include "server/RequestError.h"

namespace vormbrace::server {

void RunDrop(host::ref::ReferenceHost& host, host::ref::SceneDocument& document,
             const host::ref::DropHit& hit, const DialogScript& choice) {
  host::ref::RecordedDrop hook(document, hit);
  DialogPresenter presenter(choice);
  host.ClearMessages();
  host.SetPresenter([&presenter](host::ModalForm& form) { presenter.Present(form); });
  struct PresenterReset {
    host::ref::ReferenceHost& host;
    ~PresenterReset() { host.SetPresenter(nullptr); }
  } reset{host};
  DropHook().OnDragDrop(hook);
  if (!presenter.Error().empty()) throw RequestError(422, presenter.Error());
  if (!host.Messages().empty()) {
    const host::ref::MessageRecord& m = host.Messages().front();
    throw RequestError(422, m.title + ": " + m.text);
  }
  if (!presenter.Confirmed()) throw RequestError(422, "nothing was built");
}

}  // namespace vormbrace::server
