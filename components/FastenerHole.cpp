// Holes made with bolts and screws.
#include "components/FastenerHole.h"

#include <cmath>

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
  // A placed fastener (or anything carrying a fastener table) is never drilled: a hole option
  // remembered from an earlier drop would cut away the shank the new part is dropped on.
  if (FindDataTable(part) != nullptr) return hole;
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
  auto& p = State().drop.placement;
  // The placement's rotation applied to the part's +Z (Rodrigues' formula), π as the add-in's.
  double kx = p[3], ky = p[4], kz = p[5];
  double length = std::sqrt(kx * kx + ky * ky + kz * kz);
  double zx = 0, zy = 0, zz = 1;
  if (length > 0) {
    kx /= length, ky /= length, kz /= length;
    double a = Radians(p[6]);
    double c = std::cos(a), s = std::sin(a);
    zx = ky * s + kx * kz * (1 - c);
    zy = -kx * s + ky * kz * (1 - c);
    zz = c + kz * kz * (1 - c);
  }
  p[0] -= d * zx;
  p[1] -= d * zy;
  p[2] -= d * zz;
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
