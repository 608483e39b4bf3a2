// The selection dialog's state for the page.
#include "server/DialogState.h"

#include <string>

#include "data/Globals.h"
#include "server/Choice.h"
#include "server/RequestError.h"

namespace vormbrace::server {
namespace {

using nlohmann::json;

json Control(const ControlState& c) {
  return {{"visible", c.Visible}, {"enabled", c.Enabled}, {"tip", c.ToolTipText}};
}

json List(const ListControl& list, const LabelControl* label) {
  json j = Control(list);
  json entries = json::array();
  for (std::int32_t i = 0; i < list.ListCount(); ++i) entries.push_back(list.List(i));
  j["entries"] = entries;
  j["selected"] = list.ListIndex();
  if (label != nullptr) j["label"] = label->Caption();
  return j;
}

json Box(const CheckBox& box) {
  json j = Control(box);
  j["caption"] = box.Caption;
  j["value"] = box.Value;
  return j;
}

json Tabs(const TabStrip& tabs) {
  json j = Control(tabs);
  j["captions"] = tabs.Captions;
  j["enabled"] = tabs.TabEnabled;
  j["selected"] = tabs.SelectedItem;
  return j;
}

json Options(std::span<const OptionButton> group) {
  json j = json::array();
  for (const OptionButton& o : group) {
    json b = Control(o);
    b["value"] = o.Value;
    j.push_back(b);
  }
  return j;
}

json StateOf(Dialog& d) {
  const std::int16_t kind = d.TabType.SelectedItem;
  return {{"title", d.Caption},
          {"families", Tabs(d.TabNorme)},
          {"kinds", Tabs(d.TabType)},
          {"types", Options(d.TypeOptions(kind))},
          {"Normativa", List(d.Normativa, &d.LblNormativa)},
          {"NormaDescr", d.NormaDescr.Caption()},
          {"Misura", List(d.Misura, &d.LblMisura)},
          {"Lunghezza", List(d.Lunghezza, &d.LblLunghezza)},
          {"LunghezzaManuale",
           {{"visible", d.LunghezzaManuale.Visible}, {"text", d.LunghezzaManuale.Text}}},
          {"Materiale", List(d.Materiale, &d.LblMateriale)},
          {"Frame2", Control(d.Frame2)},
          {"OptHole", Options(d.OptHole)},
          {"HToll", List(d.HToll, nullptr)},
          {"ToggleRondella", Box(d.ToggleRondella)},
          {"ToggleDado", Box(d.ToggleDado)},
          {"ToggleCreateAssembly", Box(d.ToggleCreateAssembly)},
          {"ToggleMisuraAuto", Box(d.ToggleMisuraAuto)},
          {"lblInfo", d.lblInfo.Caption()},
          {"autoSizeReason", d.ToggleMisuraAuto.Visible ? State().autoSizeReason : ""},
          {"OKButton", d.OKButton.Caption},
          {"CancelButton", d.CancelButton.Caption},
          {"choice", ChoiceToJson(ChoiceOf(d))}};
}

std::int16_t SmallNumber(const json& click, const char* field, int limit) {
  const json& v = click[field];
  if (!v.is_number_integer() || v.get<std::int64_t>() < 0 || v.get<std::int64_t>() > limit) {
    BadRequest(std::string(field) + " must be a whole number from 0 to " + std::to_string(limit));
  }
  return static_cast<std::int16_t>(v.get<std::int64_t>());
}

ListControl& ListNamed(Dialog& d, const std::string& name) {
  if (name == "Normativa") return d.Normativa;
  if (name == "Misura") return d.Misura;
  if (name == "Lunghezza") return d.Lunghezza;
  if (name == "Materiale") return d.Materiale;
  if (name == "HToll") return d.HToll;
  BadRequest("no list \"" + name + "\"");
}

CheckBox& BoxNamed(Dialog& d, const std::string& name) {
  if (name == "ToggleRondella") return d.ToggleRondella;
  if (name == "ToggleDado") return d.ToggleDado;
  if (name == "ToggleCreateAssembly") return d.ToggleCreateAssembly;
  if (name == "ToggleMisuraAuto") return d.ToggleMisuraAuto;
  BadRequest("no box \"" + name + "\"");
}

// A carried list click names its entry: the entry of that text, wherever this dialog lists it.
// Throws DialogInputError when the list does not hold it.
std::int32_t CarriedEntry(const ListControl& list, const json& click) {
  const std::int32_t index = list.Find(TextField(click, "entry"));
  if (index < 0) throw DialogInputError("the list does not hold the entry");
  return index;
}

void Replay(Dialog& d, const json& click, bool carried) {
  if (!click.is_object() || click.size() > 3) BadRequest("a click must be a small object");
  if (click.contains("kindTab")) return d.ClickKindTab(SmallNumber(click, "kindTab", 99));
  if (click.contains("familyTab")) return d.ClickFamilyTab(SmallNumber(click, "familyTab", 99));
  if (click.contains("type")) {
    const std::int16_t type = SmallNumber(click, "type", 99);
    if (type < 1) BadRequest("type must be a whole number from 1 to 99");
    return d.ClickTypeOption(static_cast<std::int16_t>(type - 1));
  }
  if (click.contains("hole")) return d.ClickHoleOption(SmallNumber(click, "hole", 99));
  if (click.contains("list")) {
    ListControl& list = ListNamed(d, TextField(click, "list"));
    if (carried && click.contains("entry")) return d.ChooseEntry(list, CarriedEntry(list, click));
    if (!click.contains("index")) BadRequest("a list click needs an index");
    return d.ChooseEntry(list, SmallNumber(click, "index", 9999));
  }
  if (click.contains("manualLength")) return d.TypeManualLength(TextField(click, "manualLength"));
  if (click.contains("box")) return d.ClickCheckBox(BoxNamed(d, TextField(click, "box")));
  BadRequest("a click names kindTab, familyTab, type, hole, list, manualLength or box");
}

void RequireClickList(const json& clicks) {
  if (!clicks.is_array()) BadRequest("clicks must be an array");
  if (clicks.size() > kMaxClicks) {
    BadRequest("more than " + std::to_string(kMaxClicks) + " clicks; reload the page");
  }
}

// Replays `clicks` on the open dialog; RequestError (400) naming the click at fault.
void ReplayClicks(Dialog& d, const json& clicks) {
  RequireClickList(clicks);
  for (std::size_t i = 0; i < clicks.size(); ++i) {
    try {
      Replay(d, clicks[i], false);
    } catch (const DialogInputError& e) {
      BadRequest("click " + std::to_string(i + 1) + ": " + e.what());
    } catch (const RequestError& e) {
      BadRequest("click " + std::to_string(i + 1) + ": " + e.what());
    }
  }
}

// Replays clicks carried over from another dialog: those this one refuses are left out.
void ReplayCarried(Dialog& d, const json& carried) {
  RequireClickList(carried);
  for (std::size_t i = 0; i < carried.size(); ++i) {
    try {
      Replay(d, carried[i], true);
    } catch (const DialogInputError&) {
      // Not offered on this dialog (a size the hole decides, a box it does not show).
    } catch (const RequestError& e) {
      BadRequest("carried click " + std::to_string(i + 1) + ": " + e.what());
    }
  }
}

}  // namespace

DialogScript ChoiceOf(Dialog& d) {
  DialogScript s;
  if (d.TabNorme.Count() > 0) {
    s.family = d.TabNorme.Captions[static_cast<std::size_t>(d.TabNorme.SelectedItem)];
  }
  const std::int16_t kind = d.TabType.SelectedItem;
  s.kind = kKindNames[kind];
  s.type = SelectedOption(d.TypeOptions(kind)) + 1;
  s.standard = d.Normativa.Text();
  s.size = d.Misura.Text();
  if (d.LunghezzaManuale.Visible) {
    s.length = d.LunghezzaManuale.Text;
  } else if (d.Lunghezza.Visible) {
    s.length = d.Lunghezza.Text();
  }
  s.material = d.Materiale.Text();
  if (d.Frame2.Visible && d.HoleOption() >= 0) s.hole = kHoleNames[d.HoleOption()];
  if (d.Frame2.Visible && d.HToll.Visible) s.tolerance = d.HToll.Text();
  s.washer = d.ToggleRondella.Visible && d.ToggleRondella.Value;
  s.nut = d.ToggleDado.Visible && d.ToggleDado.Value;
  s.assembly = d.ToggleCreateAssembly.Visible && d.ToggleCreateAssembly.Value;
  return s;
}

json DialogAfterClicks(const json& clicks) {
  // The page's dialog stands on no drop: no hole under it, nothing being edited.
  RunTimeState& s = State();
  s.holeDiameter = 0;
  s.componentId = 0;
  s.drop.editMode = false;
  Dialog d;
  d.Form_Load();
  ReplayClicks(d, clicks);
  return StateOf(d);
}

ClickPresenter::ClickPresenter(const json& clicks, bool confirm, const json& carried)
    : clicks_(clicks), carried_(carried), confirm_(confirm) {
  RequireClickList(clicks_);
  RequireClickList(carried_);
}

void ClickPresenter::Present(host::ModalForm& form) {
  auto* d = dynamic_cast<Dialog*>(&form);
  if (d == nullptr) {
    error_ = "the form \"" + form.FormName() + "\" cannot be shown on the page";
    return;
  }
  try {
    ReplayCarried(*d, carried_);
    ReplayClicks(*d, clicks_);
    state_ = StateOf(*d);
    if (confirm_) {
      d->ClickOK();
      if (d->IsOpen()) error_ = "nothing was built";
    }
  } catch (const RequestError& e) {
    error_ = e.what();
  }
  if (d->IsOpen()) d->ClickCancel();
  confirmed_ = d->Result() == Dialog::Outcome::Confirmed;
}

}  // namespace vormbrace::server
