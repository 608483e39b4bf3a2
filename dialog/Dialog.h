// The selection dialog as a headless form: its controls with what a person sees of them, its
// event handlers (thin: the module Interface does the work), and the clicks a person makes,
// which front ends call to drive it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

#include "components/NewVormbrace.h"
#include "dialog/ListControl.h"
#include "host/ModalForm.h"

namespace vormbrace {

// A click on a control a person cannot use (hidden, disabled, or not there).
class DialogInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Dialog final : public host::ModalForm, public DialogChoices {
 public:
  enum class Outcome { Open, Confirmed, Cancelled };

  std::string FormName() const override { return "Dialog"; }

  // The form: title and window position (kept in the preferences file).
  std::string Caption;
  float Left = 0;
  float Top = 0;

  // The controls, by their real names.
  TabStrip TabType;   // fastener kind: 0 bolts, 1 screws, 2 set screws, 3 washers, 4 nuts
  TabStrip TabNorme;  // standards family
  std::array<OptionButton, 10> OptBoltType;  // type code = index + 1
  std::array<OptionButton, 12> OptScrewType;
  std::array<OptionButton, 9> OptScrewNoHeadType;
  std::array<OptionButton, 8> OptWasherType;
  std::array<OptionButton, 9> OptNutType;
  ListControl Normativa;  // standards of the type
  LabelControl LblNormativa;
  LabelControl NormaDescr;  // description of the chosen standard
  ListControl Misura;       // sizes
  LabelControl LblMisura;
  ListControl Lunghezza;  // lengths (thicknesses for washers and nuts)
  LabelControl LblLunghezza;
  TextBox LunghezzaManuale;  // typed length of threaded rods (bolt type 5)
  ListControl Materiale;
  LabelControl LblMateriale;
  CheckBox ToggleMisuraAuto;            // size from the hole diameter under the drop
  std::array<OptionButton, 4> OptHole;  // 0 none, 1 simple, 2 counterbore, 3 countersink
  ListControl HToll;                    // hole tolerance class
  CheckBox ToggleRondella;              // add a washer
  CheckBox ToggleDado;                  // add a nut
  CheckBox ToggleCreateAssembly;        // gather the parts in an assembly
  Frame Frame2;                         // groups the hole options
  LabelControl lblInfo;                 // the hole diameter found under the drop
  CommandButton OKButton;
  CommandButton CancelButton;

  Dialog();

  // The type option buttons of a kind (0 to 4); an empty span for any other.
  std::span<OptionButton> TypeOptions(std::int16_t kind);

  // Event handlers, as the form runs them.
  void Form_Load();
  void TabType_Click(std::int16_t previousTab);
  void TabNorme_Click();
  void OptBoltType_Click(std::int16_t index);
  void OptScrewType_Click(std::int16_t index);
  void OptScrewNoHeadType_Click(std::int16_t index);
  void OptWasherType_Click(std::int16_t index);
  void OptNutType_Click(std::int16_t index);
  void Normativa_Click();
  void Misura_Click();
  void LunghezzaManuale_Change();
  void ToggleMisuraAuto_Click();
  void OptHole_Click(std::int16_t index);
  void ToggleRondella_Click();
  void OKButton_Click();
  void CancelButton_Click();

  // What a person does. Each raises DialogInputError for a control that is hidden or disabled
  // (or an index that is not there), changes the control as the click does, then runs the
  // control's event handler.
  void ClickKindTab(std::int16_t tab);
  void ClickFamilyTab(std::int16_t tab);
  void ClickTypeOption(std::int16_t index);  // in the current kind's group
  void ChooseEntry(ListControl& list, std::int32_t index);
  void TypeManualLength(const std::string& text);
  void ClickCheckBox(CheckBox& box);
  void ClickHoleOption(std::int16_t index);
  void ClickOK();
  void ClickCancel();

  // Open until OK has created the part or Cancel was pressed.
  Outcome Result() const { return outcome_; }
  bool IsOpen() const { return outcome_ == Outcome::Open; }
  // Closes the form (OK after creation, or Cancel).
  void Unload(Outcome outcome) { outcome_ = outcome; }

  // The dialog's choices the new component takes its texts from.
  std::string SizeFileName() const override { return Misura.Tag(); }
  std::string SelectedSize() const override { return Misura.Text(); }
  std::string SelectedStandard() const override { return Normativa.Text(); }
  std::string SelectedMaterial() const override { return Materiale.Text(); }
  std::string ManualLength() const override { return LunghezzaManuale.Text; }

  // The selected hole option (0 none .. 3 countersink).
  std::int16_t HoleOption() const;

 private:
  void RequireOpen() const;
  Outcome outcome_ = Outcome::Open;
};

// Creates the selection dialog, loads it and shows it modally through the host; returns when
// it has been closed. Host errors of the load or of the creation travel to the caller.
void ShowSelectionDialog();

}  // namespace vormbrace
