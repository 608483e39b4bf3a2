// The drop handler class.
#include "dialog/DropHook.h"

#include "components/DropAnalysis.h"
#include "dialog/Dialog.h"
#include "host/RuntimeError.h"

namespace vormbrace {

void DropHook::OnDragDrop(host::DragDropHook& pDragDropHook) {
  if (AnalyseDrop(pDragDropHook)) ShowSelectionDialog();
}

host::Value DropHook::GetProperty(const std::string&) const {
  host::Raise(host::err::kMethodNotSupported);
}

void DropHook::PutProperty(const std::string&, const host::Value&) {
  host::Raise(host::err::kMethodNotSupported);
}

}  // namespace vormbrace
