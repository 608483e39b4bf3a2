// A drop through the add-in's drop hook on the reference host, with a scripted presenter showing
// the selection dialog.
#pragma once

#include "dialog/DialogPresenter.h"
#include "host/reference/DropHit.h"
#include "host/reference/ReferenceHost.h"

namespace vormbrace::app {

// Drops through the add-in's drop hook with `presenter` showing the selection dialog, the
// host's messages cleared first; the presenter leaves the host however the drop ends.
void DropWithDialog(host::ref::ReferenceHost& host, host::ref::RecordedDrop& hook,
                    DialogPresenter& presenter);

}  // namespace vormbrace::app
