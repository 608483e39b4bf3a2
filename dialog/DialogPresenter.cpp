// The scripted presenter of the selection dialog.
#include "dialog/DialogPresenter.h"

#include <cctype>
#include <optional>
#include <stdexcept>
#include <vector>

#include "data/NumberText.h"
#include "dialog/Dialog.h"
#include "dialog/Interface.h"
#include "host/QuotedText.h"

namespace vormbrace {
namespace {

class ChoiceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Blanks and case do not matter when a text names an entry: "iso4017" names "ISO 4017".
std::string Folded(const std::string& text) {
  std::string folded;
  for (char c : text) {
    if (c != ' ') folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return folded;
}

std::string Entries(const ListControl& list) {
  std::string entries;
  for (std::int32_t i = 0; i < list.ListCount(); ++i) {
    entries += (i > 0 ? ", " : "") + list.List(i);
  }
  return entries;
}

// The entry `text` names: the exact text, else the same text without regard to blanks and
// case, else (lengths) the same number.
std::int32_t FindEntry(const ListControl& list, const std::string& text, bool numeric) {
  if (std::int32_t i = list.Find(text); i >= 0) return i;
  for (std::int32_t i = 0; i < list.ListCount(); ++i) {
    if (Folded(list.List(i)) == Folded(text)) return i;
  }
  if (numeric) {
    for (std::int32_t i = 0; i < list.ListCount(); ++i) {
      if (Val(list.List(i)) == Val(text) && Val(text) > 0) return i;
    }
  }
  return -1;
}

// Chooses the entry `text` names in `list`; `where` says whose entries they are.
void Choose(Dialog& d, ListControl& list, const std::string& text, const std::string& what,
            const std::string& where, bool numeric = false) {
  std::int32_t index = FindEntry(list, text, numeric);
  if (index < 0) {
    if (list.ListCount() == 0) {
      throw ChoiceError("no " + what + " " + host::Quoted(text) + ": " + where + " has none");
    }
    throw ChoiceError("no " + what + " " + host::Quoted(text) + " in " + where + "; the " + what +
                      "s are: " + Entries(list));
  }
  if (index != list.ListIndex()) d.ChooseEntry(list, index);
}

std::int16_t KindIndex(const std::string& kind) {
  for (std::int16_t k = 0; k < 5; ++k) {
    if (kind == kKindNames[k]) return k;
  }
  throw ChoiceError("no kind " + host::Quoted(kind) + "; the kinds are: bolt, screw, setscrew, washer, nut");
}

std::int16_t HoleIndex(const std::string& hole) {
  for (std::int16_t h = 0; h < 4; ++h) {
    if (hole == kHoleNames[h]) return h;
  }
  throw ChoiceError("no hole " + host::Quoted(hole) +
                    "; the holes are: none, simple, counterbore, countersink");
}

// Ticks a box (a box already ticked stays ticked).
void Tick(Dialog& d, CheckBox& box, const std::string& option) {
  if (box.Value) return;
  try {
    d.ClickCheckBox(box);
  } catch (const DialogInputError&) {
    throw ChoiceError(option + ": not offered for this kind and type");
  }
}

void Drive(Dialog& d, const DialogScript& s) {
  if (!s.family.empty()) {
    std::int16_t tab = -1;
    std::string families;
    for (std::int16_t i = 0; i < d.TabNorme.Count(); ++i) {
      const std::string& caption = d.TabNorme.Captions[static_cast<std::size_t>(i)];
      if (Folded(caption) == Folded(s.family)) tab = i;
      families += (i > 0 ? ", " : "") + caption;
    }
    if (tab < 0) {
      throw ChoiceError("no family " + host::Quoted(s.family) + "; the families are: " + families);
    }
    d.ClickFamilyTab(tab);
  }
  if (!s.kind.empty()) d.ClickKindTab(KindIndex(s.kind));
  if (s.type != 0) {
    const auto count = static_cast<std::int32_t>(d.TypeOptions(d.TabType.SelectedItem).size());
    if (s.type < 1 || s.type > count) {
      throw ChoiceError("no type " + std::to_string(s.type) + "; the types are 1 to " +
                        std::to_string(count));
    }
    d.ClickTypeOption(static_cast<std::int16_t>(s.type - 1));
  }
  // "ISO bolt type 4": whose standards the standard list holds.
  const std::int16_t kind = d.TabType.SelectedItem;
  const std::string kindAndType =
      (d.TabNorme.Count() > 0
           ? d.TabNorme.Captions[static_cast<std::size_t>(d.TabNorme.SelectedItem)] + " "
           : "") +
      kKindNames[kind] + " type " + std::to_string(SelectedOption(d.TypeOptions(kind)) + 1);
  if (!s.standard.empty()) Choose(d, d.Normativa, s.standard, "standard", kindAndType);
  if (!s.size.empty()) {
    // The size list follows the hole while the auto size box is ticked: untick it first.
    if (!d.Misura.Enabled && d.ToggleMisuraAuto.Visible && d.ToggleMisuraAuto.Value) {
      d.ClickCheckBox(d.ToggleMisuraAuto);
    }
    Choose(d, d.Misura, s.size, "size", d.Normativa.Text());
  }
  if (!s.length.empty()) {
    if (d.LunghezzaManuale.Visible) {
      d.TypeManualLength(s.length);
    } else if (d.Lunghezza.Visible) {
      Choose(d, d.Lunghezza, s.length, "length", d.Normativa.Text() + " " + d.Misura.Text(), true);
    } else {
      throw ChoiceError("--length: this kind has no length to choose");
    }
  }
  if (!s.material.empty()) Choose(d, d.Materiale, s.material, "material", d.Normativa.Text());
  if (s.washer) Tick(d, d.ToggleRondella, "--washer");
  if (s.nut) Tick(d, d.ToggleDado, "--nut");
  if (s.assembly && !d.ToggleCreateAssembly.Visible) {
    throw ChoiceError(
        "--assembly: an assembly is offered only for bolts and screws dropped onto "
        "a fastener or a hole made for one");
  }
  if (s.assembly) Tick(d, d.ToggleCreateAssembly, "--assembly");
  if (!s.hole.empty()) {
    std::int16_t hole = HoleIndex(s.hole);
    try {
      d.ClickHoleOption(hole);
    } catch (const DialogInputError&) {
      throw ChoiceError("--hole: no hole is offered for this kind");
    }
  }
  if (!s.tolerance.empty()) {
    Interface::LoadTolerances(d);
    Choose(d, d.HToll, s.tolerance, "tolerance", "the tolerance index");
  }
  if (!s.fit.empty()) {
    std::optional<HoleFit> fit = ParseHoleFit(s.fit);
    if (!fit) throw ChoiceError("no fit \"" + s.fit + "\"; the fits are: rule, clearance, tapped, auto");
    d.ChooseHoleFit(*fit);
  }
}

}  // namespace

void DialogPresenter::Present(host::ModalForm& form) {
  shown_ = true;
  auto* dialog = dynamic_cast<Dialog*>(&form);
  if (dialog == nullptr) {
    error_ = "the form \"" + form.FormName() + "\" has no presenter";
    return;
  }
  // A choice the dialog does not offer: the person gives up and cancels.
  auto abandon = [&](const char* why) {
    error_ = why;
    if (dialog->IsOpen()) dialog->ClickCancel();
  };
  try {
    Drive(*dialog, script_);
    dialog->ClickOK();
    if (dialog->IsOpen()) abandon("nothing was built");
  } catch (const ChoiceError& e) {
    abandon(e.what());
  } catch (const DialogInputError& e) {
    abandon(e.what());
  }
  confirmed_ = dialog->Result() == Dialog::Outcome::Confirmed;
}

}  // namespace vormbrace
