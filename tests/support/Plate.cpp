// The test plate.
#include "support/Plate.h"

#include <initializer_list>
#include <utility>

namespace vormbrace::test {
namespace {

void Set(host::Component& c, std::initializer_list<double> values) {
  std::int32_t i = 1;
  for (double v : values) c.Variable(i++).SetValue(host::Value::Double(v));
}

void Polygon(host::Component& loop, std::initializer_list<std::pair<double, double>> points) {
  auto p = points.begin();
  loop.SetStartPoint(p->first, p->second);
  for (++p; p != points.end(); ++p) loop.AddLineTo(p->first, p->second);
}

}  // namespace

host::ref::SceneShape& AddPlate(host::ref::SceneDocument& document) {
  auto& part =
      static_cast<host::ref::SceneShape&>(document.RootShape().Shapes(host::kShapePart).Add());
  part.SetName("Plate");
  host::Component& body = part.Components(23).Item(1);

  host::Shape& block = body.Shapes(host::kShapeExtruded).Add();
  Set(block.Components(1).Item(1), {kPlateSide, kPlateSide, kPlateThickness});
  Set(block.Components(5).Item(1), {0, 0, kPlateThickness});  // top face on z = 0
  const double h = kPlateSide / 2;
  Polygon(block.Components(15).Item(1).Profile().Components(3).Add(),
          {{-h, -h}, {h, -h}, {h, h}, {-h, h}, {-h, -h}});
  block.Update();

  host::Shape& hole = body.Shapes(host::kShapeRevolved).Add();
  const double r = kPlateHoleRadius;
  Set(hole.Components(1).Item(1), {2 * r, 2 * r, kPlateThickness});
  Set(hole.Components(5).Item(1), {r, r, kPlateThickness});
  host::Profile& profile = hole.Components(15).Item(1).Profile();
  Set(profile.Components(4).Item(1), {r, r, 0});
  Polygon(profile.Components(3).Add(),
          {{0, 0}, {r, 0}, {r, kPlateThickness}, {0, kPlateThickness}, {0, 0}});
  hole.Components(14).Item(1).Variable(1).SetValue(host::Value::Int32(1));  // removal
  hole.Update();
  return part;
}

}  // namespace vormbrace::test
