// What the table queries need of the dialog's controls: a drop-down list and a label. The dialog
// folder implements them (dialog/ListControl.h), so data never depends on dialog.
#pragma once

#include <cstdint>
#include <string>

namespace vormbrace {

// A drop-down list whose entries carry a text and an integer (ItemData), with a text Tag.
// Indices are 0-based; ListIndex is -1 when nothing is selected.
class DialogList {
 public:
  virtual ~DialogList() = default;
  virtual void Clear() = 0;
  virtual void AddItem(const std::string& text) = 0;
  // The index of the entry added last, -1 after Clear.
  virtual std::int32_t NewIndex() const = 0;
  // Error 381 (invalid property array index) for an index outside the list.
  virtual std::int32_t ItemData(std::int32_t index) const = 0;
  virtual void SetItemData(std::int32_t index, std::int32_t data) = 0;
  virtual std::int32_t ListIndex() const = 0;
  // The entry's text; "" for an index outside the list.
  virtual std::string List(std::int32_t index) const = 0;
  virtual std::int32_t ListCount() const = 0;
  virtual std::string Tag() const = 0;
  virtual void SetTag(const std::string& tag) = 0;
};

class DialogLabel {
 public:
  virtual ~DialogLabel() = default;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& caption) = 0;
};

}  // namespace vormbrace
