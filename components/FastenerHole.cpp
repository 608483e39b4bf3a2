// Holes made with bolts and screws.
#include "components/FastenerHole.h"

#include "components/FastenerTable.h"
#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "geometry/Utils.h"
#include "host/DragDropHook.h"
#include "host/Host.h"

namespace vormbrace {

FastenerHole StartFastenerHole(double D, double L) {
  FastenerHole hole;
  DropContext& drop = State().drop;
  if (drop.hook == nullptr) return hole;
  std::int32_t hit = drop.hook->HitElementType();
  if (hit != host::kHitEdge && hit != host::kHitFace) return hole;

  host::Host& host = host::CurrentHost();
  auto frame = host.NewTransform();
  frame->SetFromFrames(0, 0, 0, 0, 0, -1, drop.pick[0], drop.pick[1], drop.pick[2], drop.axis[0],
                       drop.axis[1], drop.axis[2]);
  double ax, ay, az, angle;
  frame->GetRotation(ax, ay, az, angle);

  host::Shape& part = drop.hook->HitElement().Part(false);
  hole.feature = &part.Components(kBodyCode).Item(1).Shapes(kRevolved).Add();
  const Paths& paths = State().paths;
  GetHoleToll(paths.toleranceIndex, paths.toleranceFolder, State().toleranceLine, D,
              hole.allowance);
  SetPosition(*hole.feature, drop.pick[0], drop.pick[1], drop.pick[2]);
  host::Component& position = hole.feature->Components(kPositionCode).Item(1);
  const double rotation[] = {ax, ay, az, angle};
  for (int i = 0; i < 4; ++i) position.Variable(4 + i).SetValue(host::Value::Double(rotation[i]));
  SetSizeBox(*hole.feature, D + hole.allowance, D + hole.allowance, L);
  return hole;
}

void MovePlacementIntoHole(double d) {
  DropContext& drop = State().drop;
  host::Host& host = host::CurrentHost();
  // The drop axis leaves the hit part's surface; the hole runs the other way. Both points are
  // carried into the part's parent, where the placement lives.
  auto box = host.NewSizebox();
  box->SetShape(drop.hook->HitElement().Part(false));
  auto parent = box->SizeboxToParentTransform();
  double x0 = drop.pick[0], y0 = drop.pick[1], z0 = drop.pick[2];
  double x1 = x0 - d * drop.axis[0], y1 = y0 - d * drop.axis[1], z1 = z0 - d * drop.axis[2];
  parent->MapPoint(x0, y0, z0);
  parent->MapPoint(x1, y1, z1);
  drop.placement[0] += x1 - x0;
  drop.placement[1] += y1 - y0;
  drop.placement[2] += z1 - z0;
}

void FinishFastenerHole(host::Shape& feature, const HoleTable& table, const std::string& progId) {
  WriteHoleTable(feature, table);
  host::Component& binding = FirstOrAdd(feature, kBindingCode);
  binding.Variable(4).SetValue(host::Value::Int32(5));
  binding.Variable(1).SetValue(host::Value::Int16(4));
  std::string classId = host::CurrentHost().ClassRegistry().ClassIdOf(progId);
  FirstOrAdd(feature, kClassIdCode).Variable(1).SetValue(host::Value::Text(classId));
  feature.Update();
}

}  // namespace vormbrace
