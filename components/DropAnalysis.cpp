// Drop handling and placement.
#include "components/DropAnalysis.h"

#include <cmath>
#include <string>

#include "components/FastenerTable.h"
#include "components/NutSeat.h"
#include "data/PartData.h"
#include "geometry/Utils.h"
#include "data/Globals.h"
#include "data/NumberText.h"
#include "data/Resources.h"
#include "data/Settings.h"
#include "host/Host.h"
#include "host/Page.h"
#include "host/Shape.h"

namespace vormbrace {
namespace {

struct Vec {
  double x, y, z;
};

void SetPlacement(const host::HostTransform& t) {
  auto& p = State().drop.placement;
  t.GetTranslation(p[0], p[1], p[2]);
  t.GetRotation(p[3], p[4], p[5], p[6]);
}

// Carries the origin with `from` onto `point` with `to`, then into the hit part's parent, and
// takes the placement from the result.
void PlaceFromFrames(host::HitElement& element, Vec from, Vec point, Vec to) {
  host::Host& host = host::CurrentHost();
  auto t = host.NewTransform();
  t->SetFromFrames(0, 0, 0, from.x, from.y, from.z, point.x, point.y, point.z, to.x, to.y, to.z);
  auto box = host.NewSizebox();
  box->SetShape(element.Part(false));
  auto parent = box->SizeboxToParentTransform();
  t->Multiply(*parent);
  SetPlacement(*t);
  if (parent->UseMappedPoint()) {
    auto& p = State().drop.placement;
    p[0] = point.x, p[1] = point.y, p[2] = point.z;
    parent->MapPoint(p[0], p[1], p[2]);
  }
}

Vec HitNormal(host::DragDropHook& hook) {
  std::int32_t n = hook.ShapePath().Count();
  auto v = host::CurrentHost().NewVector();
  v->Set(hook.HitNormalX(n), hook.HitNormalY(n), hook.HitNormalZ(n));
  v->Normalize();
  return {v->X(), v->Y(), v->Z()};
}

void ClearHole() {
  State().holeDiameter = 0;
  State().holeIsNominal = false;
  State().componentId = 0;
  State().drop.holePart = nullptr;
}

void PlaceFreely(host::DragDropHook& hook) {
  State().drop.placement = {hook.HitPointX(1), hook.HitPointY(1), hook.HitPointZ(1), 0, 0, 0, 0};
  ClearHole();
}

void PlaceOnFace(host::DragDropHook& hook, host::HitElement& element) {
  Vec p{element.PickPointX(), element.PickPointY(), element.PickPointZ()};
  State().drop.pick = {p.x, p.y, p.z};
  Vec n = HitNormal(hook);
  State().drop.axis = {n.x, n.y, n.z};
  PlaceFromFrames(element, {0, 0, 1}, p, n);
  ClearHole();
}

// The hole's own data when the hit part is a fastener or a hole made for one.
void TakeOverFastenerData(host::Shape& part) {
  host::Component* table = FindDataTable(part);
  if (table == nullptr) return;
  if (NumberAt(*table, 10) > 0) {
    State().holeDiameter = NumberAt(*table, 10);
    State().holeIsNominal = true;
    State().drop.holePart = &part;
  }
  if (TextAt(*table, 1).rfind("Hole", 0) == 0) {
    std::string code = TextAt(*table, 14);
    if (!code.empty() && code[0] == 'M') code.erase(0, 1);
    State().holeDiameter = Val(code);
    State().holeIsNominal = true;
  }
  State().componentId = table->Variable(kNumberColumn, 2).GetValue().AsInt32();
}

// A hole an earlier bolt or screw cut into the hit part, on the hit axis (point q, direction
// d, in the part's frame): its fastener's identifier (so the assembly is offered) and its
// nominal diameter.
void TakeOverHoleMadeForFastener(host::Shape& part, Vec q, Vec d) {
  if (FindDataTable(part) != nullptr) return;
  host::ShapeCollection& holes = part.Components(kBodyCode).Item(1).Shapes(kRevolved);
  const double length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
  if (length == 0) return;
  d = {d.x / length, d.y / length, d.z / length};
  for (std::int32_t i = 1; i <= holes.Count(); ++i) {
    host::Shape& hole = holes.Item(i);
    host::Component* table = FindDataTable(hole);
    if (table == nullptr || TextAt(*table, 1) != "FastHole") continue;
    host::Component& position = hole.Components(kPositionCode).Item(1);
    Placement p{};
    for (std::int32_t k = 0; k < 7; ++k) {
      p[static_cast<std::size_t>(k)] = position.Variable(k + 1).GetValue().AsDouble();
    }
    // The hole runs into the part along its own -Z, against the axis it was made on.
    const std::array<double, 3> z = PlacementZ(p);
    const Vec off{p[0] - q.x, p[1] - q.y, p[2] - q.z};
    const double along = off.x * d.x + off.y * d.y + off.z * d.z;
    const double across = std::hypot(off.x - along * d.x, off.y - along * d.y, off.z - along * d.z);
    const double turn = std::abs(z[0] * d.x + z[1] * d.y + z[2] * d.z);
    if (across > 1e-6 || turn < 1 - 1e-9) continue;
    HoleTable made;
    ReadHoleTable(hole, made);
    State().componentId = made.componentId;
    State().holeDiameter = made.diameter;
    State().holeIsNominal = true;
    return;
  }
}

void PlaceOnAxis(host::DragDropHook& hook, host::HitElement& element, bool edge) {
  Vec pick{element.PickPointX(), element.PickPointY(), element.PickPointZ()};
  State().drop.pick = {pick.x, pick.y, pick.z};
  Vec q{element.PointX(), element.PointY(), element.PointZ()};
  if (!edge) {
    // A coordinate the axis does not fix is taken from the picked point.
    if (std::abs(element.NormalX()) > 999) q.x = pick.x;
    if (std::abs(element.NormalY()) > 999) q.y = pick.y;
    if (std::abs(element.NormalZ()) > 999) q.z = pick.z;
  }
  Vec n = HitNormal(hook);
  Vec d = edge ? Vec{element.DirectionX(), element.DirectionY(), element.DirectionZ()}
               : Vec{element.NormalX(), element.NormalY(), element.NormalZ()};
  // A hole made for the fastener goes on the axis of what was hit, not on the picked point of
  // its wall: otherwise it would stand off the axis by the radius.
  State().drop.pick = {q.x, q.y, q.z};

  host::Host& host = host::CurrentHost();
  auto normal = host.NewVector();
  normal->Set(n.x, n.y, n.z);
  auto direction = host.NewVector();
  direction->Set(d.x, d.y, d.z);
  direction->Normalize();
  double a = normal->AngleTo(*direction);
  Vec axis = a == 0 ? n : Vec{direction->X(), direction->Y(), direction->Z()};
  State().drop.axis = {axis.x, axis.y, axis.z};
  // A normal pointing against the axis (a hole entered from its far side) turns the part over.
  Vec reference = a >= 91 ? Vec{0, 0, -1} : Vec{0, 0, 1};
  PlaceFromFrames(element, reference, q, axis);

  State().holeDiameter = 2 * element.MajorRadius();
  State().holeIsNominal = false;
  State().componentId = 0;
  State().drop.holePart = nullptr;
  TakeOverFastenerData(element.Part(false));
  TakeOverHoleMadeForFastener(element.Part(false), q, d);
}

}  // namespace

bool AnalyseDrop(host::DragDropHook& hook) {
  LoadLanguage();
  RunTimeState& s = State();
  s.drop.hook = &hook;
  s.page = &hook.Page();
  s.drop.editMode = false;
  host::ShapePath& path = hook.ShapePath();
  s.drop.target = path.Count() > 1 ? &path.Item(path.Count() - 1) : &hook.Page().RootShape();
  if (hook.Page().UnitsEx(2) != 0) {
    host::CurrentHost().MsgBox(ResText(res::kUnitsWarning), host::kMsgOkOnly, ResText(res::kTitle));
    return false;
  }
  std::int32_t type = hook.HitElementType();
  if (type == host::kHitEdge || type == host::kHitFace) {
    host::HitElement& element = hook.HitElement();
    std::int32_t g = element.GeometryType();
    // A surface of revolution has an axis to use when it rounds a hole (the host then gives
    // the hole's radius); any other is placed on as a face.
    if (g == 2 || g == 4 || (g == 11 && element.MajorRadius() > 0)) {
      PlaceOnAxis(hook, element, type == host::kHitEdge);
    } else {
      PlaceOnFace(hook, element);
      // On a fastener's face (a bolt's head) the drop is on that fastener, as on its shank.
      TakeOverFastenerData(element.Part(false));
    }
  } else {
    PlaceFreely(hook);
  }
  return true;
}

}  // namespace vormbrace
