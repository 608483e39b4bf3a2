// The dialog's controls as headless models: what the form shows (caption or text, value,
// visibility, enabled state, tooltip) and what the table queries fill (the drop-down list and
// the label, through the interfaces of data/DialogControls.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/DialogControls.h"

namespace vormbrace {

// What every control shows besides its content.
struct ControlState {
  bool Visible = true;
  bool Enabled = true;
  std::string ToolTipText;
};

class ListControl final : public DialogList, public ControlState {
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
  // The index of the first entry whose text is exactly `text`, -1 when none is.
  std::int32_t Find(const std::string& text) const;

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

class LabelControl final : public DialogLabel, public ControlState {
 public:
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& caption) override { caption_ = caption; }

 private:
  std::string caption_;
};

// A tab strip: one caption per tab, each tab enabled on its own; SelectedItem is 0-based.
struct TabStrip : ControlState {
  std::vector<std::string> Captions;
  std::vector<bool> TabEnabled;
  std::int16_t SelectedItem = 0;

  std::int16_t Count() const { return static_cast<std::int16_t>(Captions.size()); }
  // Replaces the tabs, all enabled, and selects the first.
  void SetTabs(std::vector<std::string> captions);
};

// Option buttons, check boxes, text boxes, buttons and frames.
struct OptionButton : ControlState {
  std::string Caption;
  bool Value = false;
};

struct CheckBox : ControlState {
  std::string Caption;
  bool Value = false;
};

struct TextBox : ControlState {
  std::string Text;
};

struct CommandButton : ControlState {
  std::string Caption;
};

struct Frame : ControlState {
  std::string Caption;
};

// Selects one option button of a group and clears the others.
template <typename Group>
void SelectOption(Group& group, std::size_t index) {
  for (std::size_t i = 0; i < group.size(); ++i) group[i].Value = i == index;
}
// The index of the group's selected option button, -1 when none is selected.
template <typename Group>
int SelectedOption(const Group& group) {
  for (std::size_t i = 0; i < group.size(); ++i) {
    if (group[i].Value) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace vormbrace
