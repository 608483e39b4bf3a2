// One catalogue drop onto a document, as the host makes it: the drop hook analyses the hit and
// opens the selection dialog, which is driven to the page's choice and confirmed.
#pragma once

#include "dialog/DialogPresenter.h"
#include "host/reference/DropHit.h"
#include "host/reference/ReferenceHost.h"

namespace vormbrace::server {

// Raises RequestError (422) with the add-in's own message when the dialog does not offer the
// choice, when OK builds nothing, or when the add-in shows a message; host errors travel to
// the caller. What a failed drop added to the document stays there: the caller restores it.
void RunDrop(host::ref::ReferenceHost& host, host::ref::SceneDocument& document,
             const host::ref::DropHit& hit, const DialogScript& choice);

}  // namespace vormbrace::server
