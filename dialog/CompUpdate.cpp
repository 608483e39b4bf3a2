// The regeneration module: linked holes and typed shank lengths.
#include "dialog/CompUpdate.h"

#include <cmath>

#include "components/FastenerTable.h"
#include "components/NewVormbrace.h"
#include "components/Screw.h"
#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "data/NumberText.h"
#include "data/PartData.h"
#include "data/Resources.h"
#include "data/Settings.h"
#include "dialog/InfoLung.h"
#include "geometry/Utils.h"
#include "geometry/generaGambo.h"
#include "geometry/generaHoles.h"
#include "host/Host.h"
#include "host/Page.h"

namespace vormbrace {
namespace {

constexpr std::int16_t kBoltKind = 0;
constexpr std::int16_t kThreadedRod = 5;
constexpr std::int16_t kSimple = 1, kCounterbore = 2, kCountersink = 3;
constexpr std::int32_t kShankLength = 3;  // the size box variable the designer types into
constexpr double kLengthTolerance = 0.1;  // mm: smaller changes are typing noise

double Property(const FastenerComponent& c, const char* name) {
  return c.GetProperty(name).AsDouble();
}

void SetCell(host::Component& table, std::int16_t row, double value) {
  SetNumber(table, row, host::Value::Double(value));
}

// The length pattern with its first "@" replaced by the length; the pattern without one stays
// the name it was.
std::string NameForLength(const std::string& pattern, const std::string& current,
                          const std::string& length) {
  const std::size_t at = pattern.find('@');
  if (at == std::string::npos) return current;
  return pattern.substr(0, at) + length + pattern.substr(at + 1);
}

}  // namespace

host::Shape* FindFastHole(host::ShapeCollection* shapes, std::int32_t componentId) {
  if (shapes == nullptr || componentId == 0) return nullptr;
  for (std::int32_t i = 1; i <= shapes->Count(); ++i) {
    host::Shape& item = shapes->Item(i);
    host::Shape& instance = item.InstanceShape();
    host::Component* table = FindDataTable(instance);
    if (table != nullptr && TextAt(*table, 1) == "FastHole" &&
        table->Variable(kNumberColumn, 2).GetValue().AsInt32() == componentId) {
      return &instance;
    }
    if (host::Shape* hit = FindFastHole(&item.ChildShapes(), componentId)) return hit;
  }
  return nullptr;
}

void UpdateLinkedHole(std::int32_t componentId, FastenerComponent& component, host::Shape& part) {
  host::Page& page = part.Page();
  host::Shape* hole = FindFastHole(&page.RootShape().ChildShapes(), componentId);
  if (hole == nullptr) return;
  host::Component& table = *FindDataTable(*hole);
  const std::int16_t oldType = table.Variable(kNumberColumn, 1).GetValue().AsInt16();
  const double oldHead = NumberAt(table, 7);
  const double head = Property(component, "LungTesta");
  const double circle = Property(component, "DiamCerchioTesta");
  SetCell(table, 3, Property(component, "Diametro"));
  SetCell(table, 4, Property(component, "lung"));
  SetCell(table, 7, head);
  SetCell(table, 8, Property(component, "Var1"));

  double delta = 0;
  if (component.KindIndex() == kBoltKind) {
    // The counterbore clears the hexagon's corners: 1.2 × e / cos 30°.
    SetCell(table, 6, 1.2 * circle / std::cos(kRad30));
    delta = oldHead - head;
  } else {
    SetCell(table, 6, 1.2 * circle);
    if (IsCountersunk(component.GetProperty("HeaderType").AsInt32())) {
      SetNumber(table, 1, host::Value::Int16(kCountersink));
      SetCell(table, 6, circle);
      // Out of the old counterbore onto the countersink, which starts at the surface.
      delta = oldType == kCounterbore ? oldHead : 0;
    } else if (oldType == kCountersink) {
      SetNumber(table, 1, host::Value::Int16(kSimple));
    }
  }

  const std::int16_t type = table.Variable(kNumberColumn, 1).GetValue().AsInt16();
  if (type == kCounterbore || (type == kCountersink && delta != 0)) {
    double nx = 0, ny = 0, nz = 0;
    part.GetNormal(nx, ny, nz);
    const double d = ToHostLength(delta, page);
    part.Shift(nx * d, ny * d, nz * d, true);
  }
  hole->Update();
}

void HoleUpdate(host::Shape& hole) {
  HoleTable t;
  ReadHoleTable(hole, t);
  switch (t.holeKind) {
    case kSimple:
      MakeHole(hole, t.diameter, t.tolerance, t.depth);
      break;
    case kCounterbore:
      MakeCounterboreHole(hole, t.diameter, t.depth, t.tolerance, t.incDiameter, t.incDepth);
      break;
    case kCountersink:
      MakeCountersinkHole(hole, t.diameter, t.depth, t.tolerance, t.incDiameter, t.incAngle);
      break;
    default:
      break;
  }
}

void LengthUpdate(host::Shape& part) {
  host::Component* table = FindDataTable(part);
  if (table == nullptr) return;
  LoadLanguage();
  RunTimeState& s = State();
  const double d = NumberAt(*table, 10);
  const double L = NumberAt(*table, 11);
  const double p = NumberAt(*table, 12);
  const std::string pattern = TextAt(*table, 2);
  const std::string file = TextAt(*table, 15);
  const std::string code = TextAt(*table, 14);
  const std::int16_t family = table->Variable(kNumberColumn, 5).GetValue().AsInt16();
  const std::int16_t kind = table->Variable(kNumberColumn, 0).GetValue().AsInt16();
  const std::int16_t type = table->Variable(kNumberColumn, 1).GetValue().AsInt16();

  host::ComponentCollection& bodies = part.Components(kBodyCode);
  if (bodies.Count() == 0) return;
  host::ShapeCollection& shapes = bodies.Item(1).Shapes(0);
  for (std::int32_t i = 1; i <= shapes.Count(); ++i) {
    host::Shape& shape = shapes.Item(i);
    if (shape.Name() != ResText(res::kBody)) continue;
    host::Variable& typed = shape.Components(kSizeBoxCode).Item(1).Variable(kShankLength);
    if (!typed.Expression().empty()) return;
    const double value = typed.GetValue().AsDouble();
    if (std::fabs(value - L) <= kLengthTolerance) {
      typed.SetValue(host::Value::Double(L));
      continue;
    }

    double length = 0;
    if (kind == kBoltKind && type == kThreadedRod) {
      length = std::trunc(value);
      RebuildThreadedRod(shape, d, length, p);
    } else {
      s.family = family;
      LoadKindSettings(kind);
      const std::string lengthText = Trim(Str(value));
      if (!QMisuraVariabili(s.paths.dataFolder + file, code, lengthText, s.values,
                            s.partNumberText)) {
        typed.SetValue(host::Value::Double(L));
        host::CurrentHost().MsgBox(
            ResText(res::kInvalidSize) + ": " + TextAt(*table, 13) + " " + code + "x" + lengthText,
            host::kMsgExclamation, ResText(res::kTitle));
        return;
      }
      std::unique_ptr<FastenerComponent> record = MakeComponent(kind, type, s.values);
      if (record == nullptr) return;
      length = Property(*record, "lung");
      const double unthreaded = Property(*record, "DistFiletto");
      RebuildShank(shape, d, length, unthreaded, p);
      // The thread runs as the new record says: the rows that keep it follow the shank.
      SetCell(*table, 9, unthreaded);
      SetCell(*table, 17, unthreaded);
    }

    const std::string lengthText = Trim(Str(length));
    TheInfoLung().Show(ResText(res::kLengthLabel), lengthText);
    SetCell(*table, 11, length);
    const std::string name = NameForLength(pattern, part.Name(), lengthText);
    part.SetName(name);
    UpdateBomLength(part, length, name);
  }
}

}  // namespace vormbrace
