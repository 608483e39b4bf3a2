// The add-in's entry points on the reference host with a scripted presenter showing the
// selection dialog: a drop through the drop hook, a double-click, a typed length.
#pragma once

#include <functional>

#include "dialog/DialogPresenter.h"
#include "host/reference/DropHit.h"
#include "host/reference/ReferenceHost.h"

namespace vormbrace::app {

// Runs an entry point of the add-in (a drop, a double-click, a typed length) with `presenter`
// showing the selection dialog, the host's messages cleared first; the presenter leaves the
// host however the entry ends.
void WithDialog(host::ref::ReferenceHost& host, DialogPresenter& presenter,
                const std::function<void()>& entry);

// Drops through the add-in's drop hook with `presenter` showing the selection dialog.
void DropWithDialog(host::ref::ReferenceHost& host, host::ref::RecordedDrop& hook,
                    DialogPresenter& presenter);

}  // namespace vormbrace::app
