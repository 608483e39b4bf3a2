// The drag-drop hook of a recorded drop.
#include "host/reference/DropHit.h"

#include "host/RuntimeError.h"

namespace host::ref {

RecordedDrop::RecordedDrop(SceneDocument& document, DropHit hit)
    : document_(document), hit_(std::move(hit)) {
  if (hit_.path.empty()) hit_.path.push_back(&document.Root());
}

host::HitElement& RecordedDrop::HitElement() {
  if (hit_.elementType != kHitEdge && hit_.elementType != kHitFace) Raise(err::kObjectRequired);
  return *this;
}

host::Shape& RecordedDrop::Part(bool) {
  if (hit_.path.size() < 2) Raise(err::kObjectRequired);
  return *hit_.path.back();
}

std::int32_t RecordedDrop::Count() const { return static_cast<std::int32_t>(hit_.path.size()); }

host::Shape& RecordedDrop::Item(std::int32_t index) {
  if (index < 1 || index > Count()) Raise(err::kSubscriptOutOfRange);
  return *hit_.path[index - 1];
}

}  // namespace host::ref
