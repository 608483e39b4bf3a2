// The selection dialog's form: thin event handlers and the clicks a person makes.
#include "dialog/Dialog.h"

#include "data/Globals.h"
#include "data/NumberText.h"
#include "dialog/Interface.h"
#include "host/Host.h"

namespace vormbrace {
namespace {

std::string Describe(const std::string& name) { return name + " cannot be used"; }

void RequireUsable(const ControlState& control, const std::string& name) {
  if (!control.Visible) throw DialogInputError(name + " is not shown");
  if (!control.Enabled) throw DialogInputError(name + " is disabled");
}

}  // namespace

Dialog::Dialog() {
  // As the form is drawn: no hole, the size following the hole when there is one.
  OptHole[0].Value = true;
  ToggleMisuraAuto.Value = true;
}

std::span<OptionButton> Dialog::TypeOptions(std::int16_t kind) {
  switch (kind) {
    case 0:
      return OptBoltType;
    case 1:
      return OptScrewType;
    case 2:
      return OptScrewNoHeadType;
    case 3:
      return OptWasherType;
    case 4:
      return OptNutType;
    default:
      return {};
  }
}

std::int16_t Dialog::HoleOption() const {
  return static_cast<std::int16_t>(SelectedOption(OptHole));
}

void Dialog::Form_Load() { Interface::Initialise(*this); }

void Dialog::TabType_Click(std::int16_t previousTab) {
  Interface::SaveKindState(*this, previousTab);
  Interface::SwitchKind(*this, TabType.SelectedItem);
}

void Dialog::TabNorme_Click() { Interface::SwitchFamily(*this, TabNorme.SelectedItem); }

void Dialog::OptBoltType_Click(std::int16_t index) { Interface::SelectType(*this, 0, index); }
void Dialog::OptScrewType_Click(std::int16_t index) { Interface::SelectType(*this, 1, index); }
void Dialog::OptScrewNoHeadType_Click(std::int16_t index) {
  Interface::SelectType(*this, 2, index);
}
void Dialog::OptWasherType_Click(std::int16_t index) { Interface::SelectType(*this, 3, index); }
void Dialog::OptNutType_Click(std::int16_t index) { Interface::SelectType(*this, 4, index); }

void Dialog::Normativa_Click() {
  if (Normativa.ListIndex() >= 0) {
    Interface::StandardChosen(*this, Normativa.ItemData(Normativa.ListIndex()));
  }
}

void Dialog::Misura_Click() { Interface::SizeChosen(*this); }

void Dialog::LunghezzaManuale_Change() {
  double length = Val(LunghezzaManuale.Text);
  if (!(length > 0)) {
    // A rod needs a length: what is not a positive number becomes 50 (and the box's change
    // runs again with it).
    LunghezzaManuale.Text = "50";
    length = 50;
  }
  vormbrace::State().values[1] = length;
}

void Dialog::ToggleMisuraAuto_Click() { Interface::AutoSize(*this); }

void Dialog::HToll_Click() { Interface::AutoSize(*this); }

void Dialog::OptHole_Click(std::int16_t) {
  // A washer under the head leaves no room for a counterbore: the simple hole instead.
  if (OptHole[2].Value && ToggleRondella.Visible && ToggleRondella.Value) SelectOption(OptHole, 1);
  // A hole chosen: its tolerance classes are offered.
  if (Frame2.Visible && HoleOption() > 0) Interface::LoadTolerances(*this);
}

void Dialog::ToggleRondella_Click() {
  if (OptHole[2].Value && ToggleRondella.Value) SelectOption(OptHole, 1);
}

void Dialog::OKButton_Click() {
  if (Interface::Confirm(*this)) Unload(Outcome::Confirmed);
}

void Dialog::CancelButton_Click() { Unload(Outcome::Cancelled); }

void Dialog::RequireOpen() const {
  if (!IsOpen()) throw DialogInputError("the dialog is closed");
}

void Dialog::ClickKindTab(std::int16_t tab) {
  RequireOpen();
  RequireUsable(TabType, "TabType");
  if (tab < 0 || tab >= TabType.Count() || !TabType.TabEnabled[static_cast<std::size_t>(tab)]) {
    throw DialogInputError(Describe("TabType tab " + std::to_string(tab)));
  }
  std::int16_t previous = TabType.SelectedItem;
  if (tab == previous) return;
  TabType.SelectedItem = tab;
  TabType_Click(previous);
}

void Dialog::ClickFamilyTab(std::int16_t tab) {
  RequireOpen();
  RequireUsable(TabNorme, "TabNorme");
  if (tab < 0 || tab >= TabNorme.Count() || !TabNorme.TabEnabled[static_cast<std::size_t>(tab)]) {
    throw DialogInputError(Describe("TabNorme tab " + std::to_string(tab)));
  }
  if (tab == TabNorme.SelectedItem) return;
  TabNorme.SelectedItem = tab;
  TabNorme_Click();
}

void Dialog::ClickTypeOption(std::int16_t index) {
  RequireOpen();
  const std::int16_t kind = TabType.SelectedItem;
  std::span<OptionButton> group = TypeOptions(kind);
  if (index < 0 || static_cast<std::size_t>(index) >= group.size()) {
    throw DialogInputError(Describe("type option " + std::to_string(index)));
  }
  RequireUsable(group[static_cast<std::size_t>(index)], "type option " + std::to_string(index));
  SelectOption(group, static_cast<std::size_t>(index));
  switch (kind) {
    case 0:
      OptBoltType_Click(index);
      break;
    case 1:
      OptScrewType_Click(index);
      break;
    case 2:
      OptScrewNoHeadType_Click(index);
      break;
    case 3:
      OptWasherType_Click(index);
      break;
    default:
      OptNutType_Click(index);
      break;
  }
}

void Dialog::ChooseEntry(ListControl& list, std::int32_t index) {
  RequireOpen();
  const std::string name = &list == &Normativa   ? "Normativa"
                           : &list == &Misura    ? "Misura"
                           : &list == &Lunghezza ? "Lunghezza"
                           : &list == &Materiale ? "Materiale"
                                                 : "HToll";
  RequireUsable(list, name);
  if (index < 0 || index >= list.ListCount()) {
    throw DialogInputError(Describe(name + " entry " + std::to_string(index)));
  }
  list.SetListIndex(index);
  if (&list == &Normativa) Normativa_Click();
  if (&list == &Misura) Misura_Click();
  if (&list == &HToll) HToll_Click();
}

void Dialog::TypeManualLength(const std::string& text) {
  RequireOpen();
  RequireUsable(LunghezzaManuale, "LunghezzaManuale");
  LunghezzaManuale.Text = text;
  LunghezzaManuale_Change();
}

void Dialog::ClickCheckBox(CheckBox& box) {
  RequireOpen();
  const std::string name = &box == &ToggleMisuraAuto ? "ToggleMisuraAuto"
                           : &box == &ToggleRondella ? "ToggleRondella"
                           : &box == &ToggleDado     ? "ToggleDado"
                                                     : "ToggleCreateAssembly";
  RequireUsable(box, name);
  box.Value = !box.Value;
  if (&box == &ToggleMisuraAuto) ToggleMisuraAuto_Click();
  if (&box == &ToggleRondella) ToggleRondella_Click();
}

void Dialog::ChooseHoleFit(HoleFit fit) {
  RequireOpen();
  Interface::SetHoleFit(*this, fit);
}

void Dialog::ClickHoleOption(std::int16_t index) {
  RequireOpen();
  RequireUsable(Frame2, "Frame2");
  if (index < 0 || index >= static_cast<std::int16_t>(OptHole.size())) {
    throw DialogInputError(Describe("OptHole(" + std::to_string(index) + ")"));
  }
  RequireUsable(OptHole[static_cast<std::size_t>(index)], "OptHole(" + std::to_string(index) + ")");
  SelectOption(OptHole, static_cast<std::size_t>(index));
  OptHole_Click(index);
}

void Dialog::ClickOK() {
  RequireOpen();
  RequireUsable(OKButton, "OKButton");
  OKButton_Click();
}

void Dialog::ClickCancel() {
  RequireOpen();
  RequireUsable(CancelButton, "CancelButton");
  CancelButton_Click();
}

void ShowSelectionDialog() {
  Dialog dialog;
  dialog.Form_Load();
  host::CurrentHost().ShowModal(dialog);
}

}  // namespace vormbrace
