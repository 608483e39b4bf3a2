// The edit module: the double-click entry and the copies that follow a confirmed edit.
#include "dialog/Edit.h"

#include "components/Classes.h"
#include "components/FastenerTable.h"
#include "components/NewVormbrace.h"
#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "data/NumberText.h"
#include "data/PartData.h"
#include "data/Resources.h"
#include "data/Settings.h"
#include "dialog/CompUpdate.h"
#include "dialog/Dialog.h"
#include "dialog/Interface.h"
#include "host/Host.h"

namespace vormbrace {
namespace {

constexpr std::int16_t kWasherKind = 3;
constexpr std::int16_t kThreadedRod = 5;

// Forgets the part being edited when the dialog closes, however it closes.
class EditedPart {
 public:
  explicit EditedPart(host::Shape& part) { Interface::SetPartBeingEdited(&part); }
  ~EditedPart() { Interface::SetPartBeingEdited(nullptr); }
  EditedPart(const EditedPart&) = delete;
  EditedPart& operator=(const EditedPart&) = delete;
};

std::int16_t KindOf(host::Component& table) {
  return table.Variable(kNumberColumn, 0).GetValue().AsInt16();
}

void ReadPlacement(host::Shape& shape) {
  auto placement = host::CurrentHost().NewPlacement();
  placement->ReadFrom(shape);
  State().drop.placement = {placement->PositionX(), placement->PositionY(), placement->PositionZ(),
                            placement->AxisX(),     placement->AxisY(),     placement->AxisZ(),
                            placement->Angle()};
}

// The record of `sizeCode` for copy `s` into the value array: washers by the diameter in the
// code (its first character skipped), the others by the code and the copy's own length.
bool FindCopyRecord(std::int16_t kind, const std::string& dataPath, const std::string& sizeCode,
                    double length) {
  RunTimeState& st = State();
  if (kind == kWasherKind) {
    std::string key;
    return QDiameterVariabili(dataPath, Val(sizeCode.substr(sizeCode.empty() ? 0 : 1)), key,
                              st.values, st.partNumberText);
  }
  return QMisuraVariabili(dataPath, sizeCode, Trim(Str(length)), st.values, st.partNumberText);
}

void RebuildCopy(host::Shape& s, host::Component& table, const std::string& sizeCode) {
  RunTimeState& st = State();
  const std::int16_t family = table.Variable(kNumberColumn, 5).GetValue().AsInt16();
  const std::int16_t type = table.Variable(kNumberColumn, 1).GetValue().AsInt16();
  const std::int16_t kind = KindOf(table);
  const std::int32_t id = table.Variable(kNumberColumn, 2).GetValue().AsInt32();
  const std::string standard = TextAt(table, 13);
  const std::string file = TextAt(table, 15);
  const std::string material = TextAt(table, 16);
  const double length = NumberAt(table, 11);

  st.family = family;
  st.kind = kind;
  st.typeCode = type;
  LoadKindSettings(kind);
  if (!FindCopyRecord(kind, st.paths.dataFolder + file, sizeCode, length)) {
    s.SetSuppressed(true);
    s.SetName(ResText(res::kInvalidSize));
    return;
  }
  ReadPlacement(s);
  std::unique_ptr<FastenerComponent> component = MakeComponent(kind, type, st.values);
  if (component == nullptr) return;
  // A threaded rod keeps its own length: rods are cut to any length.
  if (kind == 0 && type == kThreadedRod)
    component->PutProperty("lung", host::Value::Double(length));
  component->Codice = sizeCode;
  component->FileData = file;
  component->Normativa = standard;
  component->MaterialCode = material;
  st.componentId = id;
  RebuildInPlace(*component, s);
  if (kind == 0 || kind == 1) UpdateLinkedHole(id, *component, s);
}

}  // namespace

void EditPart(host::Shape& part, std::int16_t kind) {
  host::Component* table = FindDataTable(part);
  const auto& classes = FastenerClasses();
  if (table == nullptr || kind < 0 || static_cast<std::size_t>(kind) >= classes.size()) return;
  RunTimeState& s = State();
  host::Host& host = host::CurrentHost();
  LoadLanguage();
  s.drop.editMode = true;
  s.page = &part.Page();
  ReadPlacement(part);
  s.drop.target = host.ElementHelper().Owner(part);
  std::unique_ptr<host::AutomationObject> instance =
      classes[static_cast<std::size_t>(kind)].create();
  static_cast<FastenerComponent&>(*instance).GetPartData(part);
  s.componentId = s.edit.componentId;
  s.holeDiameter = NumberAt(*table, 10);
  EditedPart edited(part);
  ShowSelectionDialog();
}

void ApplyEdit(host::Shape& part, std::int32_t componentId, const std::string& sizeCode) {
  if (componentId == 0) return;
  host::Shape* owner = host::CurrentHost().ElementHelper().Owner(part);
  if (owner == nullptr) return;
  host::Component* editedTable = FindDataTable(part);
  if (editedTable == nullptr) return;
  const std::string edited = part.SystemName();
  const std::int16_t kind = KindOf(*editedTable);
  host::ShapeCollection& shapes = owner->Shapes(0);
  for (std::int32_t i = 1; i <= shapes.Count(); ++i) {
    host::Shape& s = shapes.Item(i);
    host::Component* table = FindDataTable(s);
    if (table == nullptr || s.SystemName() == edited) continue;
    if (table->Variable(kNumberColumn, 2).GetValue().AsInt32() != componentId) continue;
    // A washer or nut dropped onto a bolt takes the bolt's identifier too: it is linked to the
    // bolt, not a copy of it, and must not be rebuilt from the bolt's size.
    if (KindOf(*table) != kind) continue;
    RebuildCopy(s, *table, sizeCode);
  }
}

host::Shape& RebuildInPlace(FastenerComponent& component, host::Shape& part) {
  ClearPartShapes(part);
  if (part.Suppressed() && part.Name() == ResText(res::kInvalidSize)) part.SetSuppressed(false);
  return component.CreateInPart(part);
}

}  // namespace vormbrace
