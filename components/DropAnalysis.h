// What a catalogue drop hit, turned into the drop context: the target under which the new part
// goes, its placement, the pick and axis vectors, the suggested hole diameter, the linked
// component identifier and the hole part. DropHook.OnDragDrop runs it before the dialog.
#pragma once

#include "host/DragDropHook.h"

namespace vormbrace {

// Loads the language, stores the hook, its page and the target, and checks the scene units:
// a scene not in millimetres gets the units message and the answer false (no dialog). Then
// places the part freely, on a face, or on the axis of a hole or circular edge, and answers
// true. Host errors travel to the caller.
bool AnalyseDrop(host::DragDropHook& hook);

}  // namespace vormbrace
