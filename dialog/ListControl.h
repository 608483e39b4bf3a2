// The dialog's drop-down list and label as headless models: what the form shows and what the
// table queries fill (through the interfaces of data/DialogControls.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/DialogControls.h"

namespace vormbrace {

class ListControl final : public DialogList {
 public:
  void Clear() override;
  void AddItem(const std::string& text) override;
  std::int32_t NewIndex() const override { return newIndex_; }
  std::int32_t ItemData(std::int32_t index) const override;
  void SetItemData(std::int32_t index, std::int32_t data) override;
  std::int32_t ListIndex() const override { return listIndex_; }
  std::string List(std::int32_t index) const override;
  std::int32_t ListCount() const override { return static_cast<std::int32_t>(entries_.size()); }
  std::string Tag() const override { return tag_; }
  void SetTag(const std::string& tag) override { tag_ = tag; }

  // Selects an entry (-1: none); error 380 (invalid property value) outside -1 .. count - 1.
  void SetListIndex(std::int32_t index);
  // The selected entry's text, "" when nothing is selected.
  std::string Text() const { return List(listIndex_); }

  bool Enabled = true;

 private:
  struct Entry {
    std::string text;
    std::int32_t data = 0;
  };
  void CheckIndex(std::int32_t index) const;

  std::vector<Entry> entries_;
  std::int32_t newIndex_ = -1;
  std::int32_t listIndex_ = -1;
  std::string tag_;
};

class LabelControl final : public DialogLabel {
 public:
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& caption) override { caption_ = caption; }

 private:
  std::string caption_;
};

}  // namespace vormbrace
