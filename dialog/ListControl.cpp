// The headless drop-down list (entries, item data, selection and tag) and the tab strip.
#include "dialog/ListControl.h"

#include <utility>

#include "host/RuntimeError.h"

namespace vormbrace {
namespace {

// The control run time's own numbers for a bad index and a bad property value.
constexpr int kInvalidPropertyArrayIndex = 381;
constexpr int kInvalidPropertyValue = 380;

}  // namespace

void ListControl::Clear() {
  entries_.clear();
  newIndex_ = -1;
  listIndex_ = -1;
}

void ListControl::AddItem(const std::string& text) {
  entries_.push_back({text, 0});
  newIndex_ = ListCount() - 1;
}

void ListControl::CheckIndex(std::int32_t index) const {
  if (index < 0 || index >= ListCount()) {
    throw host::RuntimeError(kInvalidPropertyArrayIndex, "Invalid property array index");
  }
}

std::int32_t ListControl::ItemData(std::int32_t index) const {
  CheckIndex(index);
  return entries_[static_cast<std::size_t>(index)].data;
}

void ListControl::SetItemData(std::int32_t index, std::int32_t data) {
  CheckIndex(index);
  entries_[static_cast<std::size_t>(index)].data = data;
}

std::string ListControl::List(std::int32_t index) const {
  if (index < 0 || index >= ListCount()) return "";
  return entries_[static_cast<std::size_t>(index)].text;
}

void ListControl::SetListIndex(std::int32_t index) {
  if (index < -1 || index >= ListCount()) {
    throw host::RuntimeError(kInvalidPropertyValue, "Invalid property value");
  }
  listIndex_ = index;
}

std::int32_t ListControl::Find(const std::string& text) const {
  for (std::int32_t i = 0; i < ListCount(); ++i) {
    if (entries_[static_cast<std::size_t>(i)].text == text) return i;
  }
  return -1;
}

void TabStrip::SetTabs(std::vector<std::string> captions) {
  Captions = std::move(captions);
  TabEnabled.assign(Captions.size(), true);
  SelectedItem = 0;
}

}  // namespace vormbrace
