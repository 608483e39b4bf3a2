// The module behind the selection dialog.
#include "dialog/Interface.h"

#include <cmath>
#include <functional>
#include <memory>
#include <optional>

#include "components/FastenerComponent.h"
#include "components/FastenerTable.h"
#include "data/FileReadTAB.h"
#include "data/HoleFit.h"
#include "data/Globals.h"
#include "components/NewVormbrace.h"
#include "components/BoltMembers.h"
#include "components/NutSeat.h"
#include "data/NumberText.h"
#include "data/PartData.h"
#include "data/Resources.h"
#include "data/Settings.h"
#include "dialog/CompUpdate.h"
#include "dialog/Edit.h"
#include "host/DataObject.h"
#include "host/DragDropHook.h"
#include "host/Host.h"
#include "host/RuntimeError.h"
#include "host/Shape.h"

namespace vormbrace::Interface {
namespace {

constexpr std::int16_t kBolts = 0;
constexpr std::int16_t kScrews = 1;
constexpr std::int16_t kWashers = 3;
constexpr std::int16_t kNuts = 4;
constexpr std::int16_t kThreadedRod = 5;  // bolt type with the typed length

struct ModuleState {
  std::vector<KindMemory> memory;
  // The per-kind memory as the preferences file gave it: only the kind that is dropped writes
  // its own record back, so a tab visited on the way (or the size an automatic lookup chose on
  // it) never overwrites another kind's remembered choice.
  std::vector<KindMemory> remembered;
  HoleFit fit = HoleFit::Rule;
  // The automatic size box was switched off because the kind shown had no size for the hole,
  // not by the person: the next kind decides for itself again.
  bool autoSizeLapsed = false;
  host::Shape* editedPart = nullptr;
  // The dialog was opened on a drop that found a fastener's hole: the assembly box is offered.
  bool assemblyOffered = false;
  // While Confirm visits the washer and nut tabs for the assembly members, the size does not
  // follow the hole (the members take the bolt's size).
  bool autoSizeSuspended = false;
  // The preferences as the dialog read them (none when the file was missing or short): saving
  // keeps what another program changed since.
  std::optional<DialogPrefs> prefsRead;
};

ModuleState& Module() {
  static ModuleState state;
  return state;
}

// The text at the language base + offset. German has no text for "No hole" (offset 100): a
// missing text is shown as empty instead of failing the load with error 326.
std::string Text(int offset) { return FindResString(State().languageBase + offset).value_or(""); }

bool IsRod(std::int16_t kind, std::int16_t typeCode) {
  return kind == kBolts && typeCode == kThreadedRod;
}

bool InList(const ListControl& list, std::int16_t index) {
  return index >= 0 && index < list.ListCount();
}

void SetManualLength(Dialog& d, const std::string& text) {
  d.LunghezzaManuale.Text = text;
  d.LunghezzaManuale_Change();
}

void ShowAutoSizeCaption(Dialog& d) {
  d.ToggleMisuraAuto.Caption = Text(d.ToggleMisuraAuto.Value ? res::kAutoOn : res::kAutoOff);
}

// A type without standards in this family leaves nothing to choose: the lists of the type
// chosen before must not stay behind (OK would build that standard under the new type).
void ClearStandardDependents(Dialog& d) {
  d.NormaDescr.SetCaption("");
  d.Misura.Clear();
  d.Misura.SetTag("");
  d.Misura.Enabled = true;
  d.Lunghezza.Clear();
  d.Materiale.Clear();
  d.Materiale.SetTag("");
}

// The lengths of the selected size, keeping the length text chosen before.
void FillLengths(Dialog& d) {
  RunTimeState& s = State();
  const std::string length = d.Lunghezza.Text();
  QLunghezze(s.paths.dataFolder, d.Misura, d.Lunghezza);
  SelectListEntry(d.Lunghezza, length);
  if (d.Lunghezza.Visible) s.values[1] = Val(d.Lunghezza.Text());
}

// The dialog state that the preferences file keeps.
DialogPrefs CurrentPrefs(const Dialog& d) {
  const RunTimeState& s = State();
  DialogPrefs p;
  p.left = d.Left;
  p.top = d.Top;
  p.createAssembly = d.ToggleCreateAssembly.Value ? 1 : 0;
  p.family = s.family;
  p.kind = s.kind;
  const ModuleState& m = Module();
  p.kinds = m.remembered.size() == m.memory.size() ? m.remembered : m.memory;
  if (s.kind >= 0 && static_cast<std::size_t>(s.kind) < p.kinds.size()) {
    p.kinds[static_cast<std::size_t>(s.kind)] = m.memory[static_cast<std::size_t>(s.kind)];
  }
  p.fit = m.fit;
  p.manualLength = d.LunghezzaManuale.Text;
  for (std::size_t i = 0; i < p.holeOptions.size(); ++i) p.holeOptions[i] = d.OptHole[i].Value;
  return p;
}

// Puts what the preferences file gave back onto the dialog. Values the file cannot have meant
// (a family or kind without a tab) fall back to the first tab; the hole options stay one
// selected button, the last one the file marks, "No hole" when it marks none.
void ApplyPrefs(Dialog& d, const DialogPrefs& p) {
  RunTimeState& s = State();
  d.Left = p.left;
  d.Top = p.top;
  d.ToggleCreateAssembly.Value = p.createAssembly != 0;
  s.family = p.family >= 0 && p.family < d.TabNorme.Count() ? p.family : 0;
  s.kind = p.kind >= 0 && p.kind < d.TabType.Count() ? p.kind : 0;
  Module().memory = p.kinds;
  Module().remembered = p.kinds;
  Module().fit = p.fit;
  d.LunghezzaManuale.Text = p.manualLength;
  int hole = 0;
  for (std::size_t i = 0; i < p.holeOptions.size(); ++i) {
    if (p.holeOptions[i]) hole = static_cast<int>(i);
  }
  SelectOption(d.OptHole, static_cast<std::size_t>(hole));
}

// In edit mode the lists show the edited part's own standard, size, length and material.
void SelectEditedChoice(Dialog& d) {
  const EditState& e = State().edit;
  if (std::int32_t i = d.Normativa.Find(e.standard); i >= 0 && i != d.Normativa.ListIndex()) {
    d.Normativa.SetListIndex(i);
    StandardChosen(d, d.Normativa.ItemData(i));
  }
  if (std::int32_t i = d.Misura.Find(e.size); i >= 0 && i != d.Misura.ListIndex()) {
    d.Misura.SetListIndex(i);
    SizeChosen(d);
  }
  for (std::int32_t i = 0; i < d.Lunghezza.ListCount(); ++i) {
    if (Val(d.Lunghezza.List(i)) == e.length) {
      d.Lunghezza.SetListIndex(i);
      if (d.Lunghezza.Visible) State().values[1] = e.length;
      break;
    }
  }
  if (std::int32_t i = d.Materiale.Find(e.material); i >= 0) d.Materiale.SetListIndex(i);
  if (IsRod(State().kind, State().typeCode)) SetManualLength(d, Trim(Str(e.length)));
}

// --- OK -------------------------------------------------------------------------------------

// The length text the record is looked up with: the typed length of a rod, else the length
// (or thickness) list's.
std::string ChosenLengthText(const Dialog& d) {
  const RunTimeState& s = State();
  return IsRod(s.kind, s.typeCode) ? d.LunghezzaManuale.Text : d.Lunghezza.Text();
}

// The record of the chosen size and length into the value array and the part-number text.
bool FindChosenRecord(const Dialog& d) {
  RunTimeState& s = State();
  if (d.Misura.ListIndex() < 0 || d.Misura.Tag().empty()) return false;
  return QMisuraVariabili(s.paths.dataFolder + d.Misura.Tag(), d.Misura.Text(), ChosenLengthText(d),
                          s.values, s.partNumberText);
}

// "Measurement not valid" with what was looked for, in the add-in's message box.
void ReportNoRecord(const std::string& what) {
  host::CurrentHost().MsgBox(Text(res::kInvalidSize) + ": " + what, host::kMsgExclamation,
                             Text(res::kTitle));
}

// The washer or nut tab while Confirm looks up or builds an assembly member: the size follows
// the bolt, not the hole, and on leaving, the main kind's tab comes back with its remembered
// list positions and its size list as it was.
class MemberVisit {
 public:
  MemberVisit(Dialog& d, std::int16_t mainKind)
      : d_(d),
        mainKind_(mainKind),
        sizeEnabled_(d.Misura.Enabled),
        autoSize_(d.ToggleMisuraAuto.Value) {
    Module().autoSizeSuspended = true;
  }
  ~MemberVisit() {
    try {
      SwitchKind(d_, mainKind_);
    } catch (...) {  // the error that ended the visit early is the one to report
    }
    Module().autoSizeSuspended = false;
    d_.Misura.Enabled = sizeEnabled_;
    d_.ToggleMisuraAuto.Value = autoSize_;
  }
  MemberVisit(const MemberVisit&) = delete;
  MemberVisit& operator=(const MemberVisit&) = delete;

  // Shows the member's tab (its remembered type and standard) and selects the size whose
  // diameter is `diameter`, with its record in the value array. Answers false when the
  // standard has no such size.
  bool Enter(std::int16_t kind, double diameter) {
    SwitchKind(d_, kind);
    RunTimeState& s = State();
    if (d_.Misura.Tag().empty()) return false;
    std::string key;
    if (!QDiameterVariabili(s.paths.dataFolder + d_.Misura.Tag(), diameter, key, s.values,
                            s.partNumberText)) {
      return false;
    }
    std::int32_t index = d_.Misura.Find(key);
    if (index < 0) return false;
    if (index != d_.Misura.ListIndex()) {
      d_.Misura.SetListIndex(index);
      FillLengths(d_);
    }
    return true;
  }

 private:
  Dialog& d_;
  std::int16_t mainKind_;
  bool sizeEnabled_;
  bool autoSize_;
};

Placement Moved(Placement p, const std::array<double, 3>& direction, double distance) {
  for (std::size_t i = 0; i < 3; ++i) p[i] += distance * direction[i];
  return p;
}

// Description and part number of a part's description record (the part number derived from
// the description when the part-number text asks for it).
void WriteDescriptionRecord(host::Shape& part, const std::string& description,
                            const std::string& partNumberText) {
  host::DataObject* record = part.DataObject(host::kDescriptionGuid, true);
  if (record == nullptr) record = &part.AttachDataObject(host::kDescriptionGuid);
  record->SetDescription(description);
  record->SetPartNumber(PartNumberFor(description, partNumberText));
}

// The assembly part that gathers washer, bolt and nut: under the drop target, at the drop
// placement, which then becomes zero so the members are built in the assembly's own frame.
host::Shape& MakeAssembly(host::Shape& target, const std::string& description) {
  RunTimeState& s = State();
  host::Shape& assembly = target.Components(2).Item(1).Shapes(host::kShapeAssembly).Add();
  assembly.SetName(Text(res::kBoltAssembly));
  FirstOrAdd(assembly, kBindingCode).Variable(1).SetValue(host::Value::Int16(1));
  ApplyPlacement(assembly, s.drop.placement);
  s.drop.placement = {};
  WriteDescriptionRecord(assembly, description, "1");
  return assembly;
}

// Where a member goes, from its thickness (Spessore); none keeps the drop placement.
using PlaceMember = std::function<Placement(double thickness)>;

// Builds the member whose record the visit selected, with an identifier of its own so that
// it is never taken for a copy of the bolt; answers its thickness (Spessore).
double BuildMember(Dialog& d, host::Shape& target, std::int16_t kind,
                   const PlaceMember& place = nullptr) {
  RunTimeState& s = State();
  s.componentId = NewUniqueNumber();
  std::unique_ptr<FastenerComponent> member = NewComponentFromDialog(kind, d);
  if (place) s.drop.placement = place(member->GetProperty("Spessore").AsDouble());
  host::Shape& part = member->Create(target);
  WriteDescriptionRecord(part, part.Name(), s.partNumberText);
  return member->GetProperty("Spessore").AsDouble();
}

// A nut dropped on a bolt or screw goes on its axis against what it clamps (in the whole
// scene, also when the bolt is in an assembly), else flush with its tip; not at the hit point,
// which would put it inside the head.
void SeatNutOnHitBolt(FastenerComponent& nut) {
  std::optional<PlacedBolt> bolt = HitBoltOrScrew();
  if (!bolt) return;
  const double clamped = ClampedDepthInScene(*bolt);
  const double height = nut.GetProperty("Spessore").AsDouble();
  State().drop.placement =
      NutPlacement(bolt->onAxis.placement, clamped > 0 ? clamped : bolt->onAxis.length - height);
}

// An assembly dropped on a bolt or screw placed earlier (or on a washer or nut on it) completes
// it instead of building a second one in its place: the members the boxes ask for and it lacks
// (a washer under its head, which lifts it by the washer's thickness; a nut against the far
// face of what it clamps, else flush with its tip) are fitted to its own diameter and length,
// and gathered with it and the members it had in its bolt assembly, a new one at its placement
// when it is in none. The bolt keeps its identifier, records and hole.
bool CompletePlacedBolt(Dialog& d, const PlacedBolt& bolt, bool washer, bool nut) {
  RunTimeState& s = State();
  const std::vector<host::Shape*> washers = MembersOnBolt(bolt, kWashers);
  const std::vector<host::Shape*> nuts = MembersOnBolt(bolt, kNuts);
  washer = washer && washers.empty();
  nut = nut && nuts.empty();
  const double diameter = bolt.onAxis.diameter;
  host::Component& table = *FindDataTable(*bolt.part);
  if (washer || nut) {
    MemberVisit visit(d, s.kind);
    for (std::int16_t member : {kWashers, kNuts}) {
      if ((member == kWashers ? washer : nut) && !visit.Enter(member, diameter)) {
        ReportNoRecord(d.Normativa.Text() + " " + Trim(Str(diameter)));
        return false;
      }
    }
  }
  const double clamped = nut ? ClampedDepthInScene(bolt) : 0;
  host::Shape* assembly = bolt.owner;
  if (!IsBoltAssembly(*assembly)) {
    s.drop.placement = bolt.onAxis.placement;
    assembly = &MakeAssembly(*bolt.owner, Text(res::kBoltWord) + " " + TextAt(table, 14) + "x" +
                                              Trim(Str(bolt.onAxis.length)) + " " +
                                              TextAt(table, 16));
    host::HostElementHelper& elements = host::CurrentHost().ElementHelper();
    for (const auto& gathered : {std::vector<host::Shape*>{bolt.part}, washers, nuts}) {
      for (host::Shape* part : gathered) elements.MoveInto(*part, *assembly);
    }
  }
  // The bolt's seat in its assembly: where the washer lies and the nut's depth starts.
  const Placement seat = PlacementOf(*bolt.part);
  double lift = 0;
  if (washer || nut) {
    MemberVisit visit(d, s.kind);
    if (washer) {
      visit.Enter(kWashers, diameter);
      lift = BuildMember(d, *assembly, kWashers, [&](double) { return seat; });
    }
    if (nut) {
      visit.Enter(kNuts, diameter);
      BuildMember(d, *assembly, kNuts, [&](double height) {
        return NutPlacement(seat, clamped > 0 ? clamped : bolt.onAxis.length - lift - height);
      });
    }
  }
  if (lift > 0) ApplyPlacement(*bolt.part, Moved(seat, PlacementZ(seat), lift));
  s.componentId = bolt.componentId;
  SaveKindState(d, s.kind);
  WritePrefs(CurrentPrefs(d));
  return true;
}

}  // namespace

std::vector<KindMemory>& KindMemories() { return Module().memory; }

void SetPartBeingEdited(host::Shape* part) { Module().editedPart = part; }

void Initialise(Dialog& d) {
  RunTimeState& s = State();
  ModuleState& m = Module();
  const bool edit = s.drop.editMode;

  LoadLanguage();
  d.TabNorme.SetTabs(ReadFamilyCaptions());
  if (s.family < 0 || s.family >= d.TabNorme.Count()) s.family = 0;
  LoadFamilyPaths();

  d.Caption = Text(res::kTitle);
  d.LblNormativa.SetCaption(Text(res::kStandardLabel));
  d.LblMisura.SetCaption(Text(res::kSizeLabel));
  d.LblMateriale.SetCaption(Text(res::kMaterialLabel));
  d.LblLunghezza.SetCaption(Text(res::kLengthLabel));
  d.ToggleMisuraAuto.Caption = Text(res::kAutoOn);
  d.OKButton.Caption = Text(res::kOk);
  d.CancelButton.Caption = Text(res::kCancel);
  const int holeTips[] = {res::kNoHole, res::kSimpleHole, res::kCounterboreHole,
                          res::kCountersinkHole};
  for (std::size_t i = 0; i < d.OptHole.size(); ++i) d.OptHole[i].ToolTipText = Text(holeTips[i]);
  d.HToll.ToolTipText = Text(res::kHoleTolerance);
  std::vector<std::string> kinds;
  for (int t = 0; t < kKindCount; ++t) kinds.push_back(Text(res::kKindTab0 + t));
  d.TabType.SetTabs(std::move(kinds));

  // The assembly is offered on a drop that found a fastener or its hole (an identifier). No
  // kind tab is disabled meanwhile: the box belongs to bolts and screws and is hidden on the
  // other tabs, which stay open (a nut or washer dropped on a bolt is an everyday choice).
  m.assemblyOffered = s.componentId >= 1 && !edit;
  d.ToggleCreateAssembly.Visible = m.assemblyOffered;

  m.memory.assign(static_cast<std::size_t>(d.TabType.Count()), KindMemory{});
  DialogPrefs prefs = CurrentPrefs(d);
  const bool complete = ReadPrefs(prefs);
  m.prefsRead = complete ? std::optional<DialogPrefs>(prefs) : std::nullopt;
  ApplyPrefs(d, prefs);
  m.autoSizeLapsed = false;
  if (!complete) {
    m.memory.assign(static_cast<std::size_t>(d.TabType.Count()), KindMemory{});
    m.remembered = m.memory;
    s.typeCode = 1;
    s.kind = kBolts;
  }

  // The edited part's own choice wins over the remembered one (read after the preferences, so
  // they cannot overwrite it); its kind cannot change, its class is bound to the part.
  if (edit) {
    const EditState& e = s.edit;
    s.family = e.family >= 0 && e.family < d.TabNorme.Count() ? e.family : 0;
    s.kind = e.kind >= 0 && e.kind < d.TabType.Count() ? e.kind : 0;
    s.typeCode = e.typeCode;
    d.TabType.Visible = false;
  } else {
    s.typeCode = m.memory[static_cast<std::size_t>(s.kind)].typeCode;
  }
  d.TabNorme.SelectedItem = s.family;
  LoadFamilyPaths();
  SwitchKind(d, s.kind);
  if (edit) SelectEditedChoice(d);

  if (s.holeDiameter <= 0 || edit) {
    d.ToggleMisuraAuto.Visible = false;
    d.lblInfo.SetCaption("");
  } else {
    d.ToggleMisuraAuto.Visible = true;
    d.lblInfo.SetCaption("Diametro: " + Str(s.holeDiameter));
  }
  AutoSize(d);
}

void SaveKindState(Dialog& d, std::int16_t previousKind) {
  std::vector<KindMemory>& memory = Module().memory;
  if (!d.TabType.Visible || previousKind < 0 ||
      static_cast<std::size_t>(previousKind) >= memory.size()) {
    return;
  }
  memory[static_cast<std::size_t>(previousKind)] = {
      State().typeCode, static_cast<std::int16_t>(d.Normativa.ListIndex()),
      static_cast<std::int16_t>(d.Misura.ListIndex()),
      static_cast<std::int16_t>(d.Lunghezza.ListIndex()),
      static_cast<std::int16_t>(d.Materiale.ListIndex())};
}

void SwitchKind(Dialog& d, std::int16_t kind) {
  RunTimeState& s = State();
  ModuleState& m = Module();
  const bool edit = s.drop.editMode;
  if (kind < 0 || kind >= kKindCount) kind = kBolts;
  if (m.memory.size() < static_cast<std::size_t>(kKindCount)) m.memory.resize(kKindCount);
  const KindMemory memory = m.memory[static_cast<std::size_t>(kind)];
  if (kind != s.kind && !edit) s.typeCode = memory.typeCode;
  if (kind != s.kind && m.autoSizeLapsed && !m.autoSizeSuspended) {
    d.ToggleMisuraAuto.Value = true;
    m.autoSizeLapsed = false;
  }
  s.kind = kind;
  if (s.typeCode < 1) s.typeCode = 1;
  d.TabType.SelectedItem = kind;

  // Bolts and screws take washers (and bolts a nut, by type: see SelectType) and are built in
  // a hole; set screws, washers and nuts have neither.
  const bool headed = kind == kBolts || kind == kScrews;
  d.LblLunghezza.Visible = kind < kWashers;
  d.ToggleRondella.Visible = headed && !edit;
  d.ToggleDado.Visible = false;
  d.ToggleCreateAssembly.Visible = m.assemblyOffered && headed;
  d.Frame2.Visible = headed;
  for (OptionButton& o : d.OptHole) o.Visible = headed;
  d.HToll.Visible = headed;

  for (std::int16_t k = 0; k < kKindCount; ++k) {
    for (OptionButton& o : d.TypeOptions(k)) o.Visible = k == kind;
  }
  std::span<OptionButton> group = d.TypeOptions(kind);
  if (static_cast<std::size_t>(s.typeCode) > group.size()) s.typeCode = 1;
  const auto index = static_cast<std::int16_t>(s.typeCode - 1);
  SelectOption(group, static_cast<std::size_t>(index));
  SelectType(d, kind, index);

  if (InList(d.Normativa, memory.standard)) {
    d.Normativa.SetListIndex(memory.standard);
    StandardChosen(d, d.Normativa.ItemData(memory.standard));
  }
  if (InList(d.Misura, memory.size)) {
    d.Misura.SetListIndex(memory.size);
    SizeChosen(d);
  }
  if (InList(d.Lunghezza, memory.length)) {
    d.Lunghezza.SetListIndex(memory.length);
    if (d.Lunghezza.Visible) s.values[1] = Val(d.Lunghezza.Text());
  }
  if (InList(d.Materiale, memory.material)) d.Materiale.SetListIndex(memory.material);
}

void SwitchFamily(Dialog& d, std::int16_t family) {
  State().family = family;
  SwitchKind(d, State().kind);
}

void SelectType(Dialog& d, std::int16_t kind, std::int16_t index) {
  RunTimeState& s = State();
  const bool edit = s.drop.editMode;
  LoadKindSettings(s.kind);
  s.typeCode = static_cast<std::int16_t>(index + 1);
  const std::int16_t type = s.typeCode;

  switch (kind) {
    case kBolts:
      if (type == kThreadedRod) {
        d.Lunghezza.Visible = false;
        d.LunghezzaManuale.Visible = true;
        if (!(Val(d.LunghezzaManuale.Text) > 0)) SetManualLength(d, "100");
        d.ToggleRondella.Visible = false;
      } else {
        d.Lunghezza.Visible = true;
        d.LunghezzaManuale.Visible = false;
        if (type == 1 || type == 2 || type == 4) d.ToggleRondella.Visible = !edit;
        if (type == 10) d.ToggleRondella.Visible = false;
      }
      // A nut is offered for the bolts it fits: hexagon, flange and square heads.
      d.ToggleDado.Visible = !edit && (type == 1 || type == 2 || type == 4);
      break;
    case kScrews:
    case 2:
      d.Lunghezza.Visible = true;
      d.LunghezzaManuale.Visible = false;
      break;
    default:
      d.Lunghezza.Visible = false;
      d.LunghezzaManuale.Visible = false;
      break;
  }

  QNorma(s.paths.standardsFolder + s.paths.indexFile, type, d.Normativa);
  if (d.Normativa.ListCount() > 0 && d.Normativa.ListIndex() < 0) {
    d.Normativa.SetListIndex(0);
    StandardChosen(d, d.Normativa.ItemData(0));
  } else if (d.Normativa.ListCount() == 0) {
    ClearStandardDependents(d);
  }

  // Another family has its own tolerance classes: read when a hole needs them.
  if (d.HToll.Tag() != s.paths.toleranceIndex) {
    d.HToll.Clear();
    d.HToll.SetTag("");
  }
  if (HoleWanted(d)) OfferTolerances(d);
  if (Module().fit != HoleFit::Rule) AutoSize(d);  // a clearance reading needs the class
}

bool HoleWanted(const Dialog& d) {
  const DropContext& drop = State().drop;
  if (!d.Frame2.Visible || d.HoleOption() <= 0 || drop.hook == nullptr || drop.editMode)
    return false;
  const std::int32_t hit = drop.hook->HitElementType();
  return hit == host::kHitEdge || hit == host::kHitFace;
}

namespace {

// The tolerance list holds the family's index already.
bool TolerancesLoaded(const Dialog& d) {
  return d.HToll.Tag() == State().paths.toleranceIndex && d.HToll.ListCount() > 0;
}

void TolerancesRead(Dialog& d) {
  d.HToll.SetTag(State().paths.toleranceIndex);
  if (d.HToll.ListCount() > 0 && d.HToll.ListIndex() < 0) d.HToll.SetListIndex(0);
}

}  // namespace

void LoadTolerances(Dialog& d) {
  if (TolerancesLoaded(d)) return;
  QNormaHole(State().paths.toleranceIndex, d.HToll);
  TolerancesRead(d);
}

void OfferTolerances(Dialog& d) {
  if (TolerancesLoaded(d)) return;
  try {
    ReadToleranceIndex(State().paths.toleranceIndex, d.HToll);
  } catch (const host::RuntimeError&) {
    d.HToll.Clear();
    return;
  }
  TolerancesRead(d);
}

void StandardChosen(Dialog& d, std::int32_t line) {
  RunTimeState& s = State();
  const std::string size = d.Misura.Text();
  const std::string material = d.Materiale.Text();
  QData(s.paths.standardsFolder + s.paths.indexFile, s.paths.dataFolder, line, d.Misura,
        d.NormaDescr, d.Materiale);
  SelectListEntry(d.Misura, size);
  SelectListEntry(d.Materiale, material);
  SizeChosen(d);
}

void SizeChosen(Dialog& d) {
  FillLengths(d);
  AutoSize(d);
}

void AutoSize(Dialog& d) {
  RunTimeState& s = State();
  ModuleState& m = Module();
  if (m.autoSizeSuspended) return;
  bool follows = false;
  s.autoSizeReason.clear();
  if (d.ToggleMisuraAuto.Value && s.holeDiameter > 0 && !s.drop.editMode) {
    // A diameter from a fastener's data is nominal: the size of exactly it. One read from
    // geometry follows the chosen fit (the described rule unless the designer opts in).
    const HoleFit fit = s.holeIsNominal ? HoleFit::Rule : m.fit;
    if (fit != HoleFit::Rule) LoadTolerances(d);
    const std::int32_t tolerance =
        d.HToll.ListIndex() >= 0 ? d.HToll.ItemData(d.HToll.ListIndex()) : kNoToleranceClass;
    SizeForHole size;
    if (d.Misura.ListCount() > 0 && !d.Misura.Tag().empty()) {
      size = ChooseSizeForHole(s.paths.dataFolder + d.Misura.Tag(), s.holeDiameter, fit,
                               s.kind >= kWashers, tolerance);
    }
    const std::int32_t index = size.sizeKey.empty() ? -1 : d.Misura.Find(size.sizeKey);
    if (index < 0) {
      d.ToggleMisuraAuto.Value = false;
      m.autoSizeLapsed = true;
    } else {
      if (index != d.Misura.ListIndex()) {
        d.Misura.SetListIndex(index);
        FillLengths(d);
      }
      s.autoSizeReason = s.holeIsNominal ? "the nominal diameter " + Trim(Str(s.holeDiameter)) +
                                               " of the fastener (or its hole) hit"
                                         : size.why;
      follows = true;
    }
  }
  d.Misura.Enabled = !follows;
  ShowAutoSizeCaption(d);
}

void SetHoleFit(Dialog& d, HoleFit fit) {
  Module().fit = fit;
  AutoSize(d);
}

// OK. Everything a choice needs is looked up first, so a size without a record stops with a
// message before anything is built. Then, on a new drop (never in edit mode), in this order:
//  1. the assembly part ("Bolt Assembly") when its box is on: under the drop target at the
//     drop placement; its description is "Bolt <size>x<length> <material>" (text 8 of the
//     language first), its part number derived from that; the members are built inside it;
//  2. the washer when its box is on: the washer tab's remembered type and standard, the size
//     of the bolt's diameter (M10 gives 10), lying on the part at the drop point;
//  3. the nut when its box is on (bolts of types 1, 2 and 4): the nut tab's remembered type
//     and standard, the bolt's diameter, on the bolt's axis with its bearing face against the
//     far face of the parts the bolt clamps (else its outer face flush with the bolt's end);
//  4. the bolt or screw itself, seated on the washer (moved along its axis by the washer's
//     thickness).
// Each member gets an identifier of its own: only the bolt keeps the link to the hole. An
// assembly dropped on a placed bolt or screw only adds what it lacks (CompletePlacedBolt).
bool Confirm(Dialog& d) {
  RunTimeState& s = State();
  ModuleState& m = Module();
  const std::int16_t kind = s.kind;
  const bool edit = s.drop.editMode;
  const bool headed = kind == kBolts || kind == kScrews;
  const bool washer = !edit && headed && d.ToggleRondella.Visible && d.ToggleRondella.Value;
  const bool nut = !edit && kind == kBolts && d.ToggleDado.Visible && d.ToggleDado.Value;
  const bool assembly = !edit && headed && m.assemblyOffered && d.ToggleCreateAssembly.Visible &&
                        d.ToggleCreateAssembly.Value;
  if (assembly) {
    if (std::optional<PlacedBolt> bolt = BoltCarryingHit()) {
      return CompletePlacedBolt(d, *bolt, washer, nut);
    }
  }
  const std::string size = d.Misura.Text();
  const std::string lengthText = ChosenLengthText(d);

  if (!FindChosenRecord(d)) {
    ReportNoRecord(d.Normativa.Text() + " " + size + (lengthText.empty() ? "" : "x" + lengthText));
    return false;
  }
  const double length = IsRod(kind, s.typeCode) ? Val(lengthText) : s.values[1];
  const double diameter = size.empty() ? 0 : Val(size.substr(1));
  if (washer || nut) {
    SaveKindState(d, kind);
    MemberVisit visit(d, kind);
    for (std::int16_t member : {kWashers, kNuts}) {
      if (!(member == kWashers ? washer : nut)) continue;
      if (!visit.Enter(member, diameter)) {
        ReportNoRecord(d.Normativa.Text() + " " + Trim(Str(diameter)));
        return false;
      }
    }
  }

  host::Shape* target = s.drop.target;
  if (!edit && target == nullptr) host::Raise(host::err::kObjectRequired);
  const std::int32_t linkedId = s.componentId;
  // Where the parts the bolt will clamp end under its seat, found before anything is built
  // (and before an assembly takes the placement over).
  const double clamped =
      nut ? ClampedDepth(*target, {s.drop.placement, diameter, length, nullptr}) : 0;
  if (assembly) {
    target = &MakeAssembly(
        *target, Text(res::kBoltWord) + " " + size + "x" + lengthText + " " + d.Materiale.Text());
  }
  const Placement origin = s.drop.placement;
  const std::array<double, 3> axis = PlacementZ(origin);
  double seat = 0;
  if (washer || nut) {
    MemberVisit visit(d, kind);
    if (washer) {
      visit.Enter(kWashers, diameter);
      seat = BuildMember(d, *target, kWashers);
    }
    if (nut) {
      visit.Enter(kNuts, diameter);
      BuildMember(d, *target, kNuts, [&](double height) {
        return NutPlacement(origin, clamped > 0 ? clamped : length - seat - height);
      });
    }
  }
  s.drop.placement = Moved(origin, axis, seat);
  s.componentId = linkedId;

  // The members overwrote the value array: the chosen record once more.
  if (washer || nut) FindChosenRecord(d);
  std::unique_ptr<FastenerComponent> component = NewComponentFromDialog(kind, d);
  s.holeType = d.HoleOption() < 0 ? 0 : d.HoleOption();
  if (HoleWanted(d)) LoadTolerances(d);
  s.toleranceLine = d.HToll.ListIndex() >= 0 ? d.HToll.ItemData(d.HToll.ListIndex()) : 0;
  host::Shape* part = nullptr;
  if (edit) {
    if (m.editedPart == nullptr) host::Raise(host::err::kObjectRequired);
    part = &RebuildInPlace(*component, *m.editedPart);
  } else {
    if (kind == kNuts) SeatNutOnHitBolt(*component);
    part = &component->Create(*target);
  }

  WriteDescriptionRecord(*part, part->Name(), s.partNumberText);
  SaveKindState(d, kind);
  WritePrefs(CurrentPrefs(d), m.prefsRead ? &*m.prefsRead : nullptr);
  // An edit carries over: the hole made for the part follows it, and so do its copies (which
  // reload the run-time state for each copy's own standard, so they come last).
  if (edit) {
    const std::int32_t id = s.componentId;
    if (headed) UpdateLinkedHole(id, *component, *part);
    ApplyEdit(*part, id, size);
  }
  return true;
}

void SelectListEntry(ListControl& list, const std::string& text) {
  if (!text.empty()) {
    if (std::int32_t i = list.Find(text); i >= 0) {
      list.SetListIndex(i);
      return;
    }
  }
  if (list.ListCount() > 0 && list.ListIndex() < 0) list.SetListIndex(0);
  if (list.ListIndex() >= list.ListCount()) list.SetListIndex(list.ListCount() - 1);
}

}  // namespace vormbrace::Interface
