// The material of a part inside a cylinder about its Z axis, measured on the solid: what a
// revolved removal there takes away (good to about 1e-4 mm³).
#pragma once

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneDocument.h"

namespace vormbrace::test {

// Inside radius r from z0 to z1; the probe is taken out again.
inline double MaterialInCylinder(host::occt::OcctEvaluator& kernel, host::ref::SceneShape& part,
                                 double r, double z0, double z1) {
  double before = kernel.Figures(part).volume;
  auto& probe = static_cast<host::ref::SceneShape&>(
      part.Components(23).Item(1).Shapes(host::kShapeRevolved).Add());
  host::Component& anchor = probe.Components(5).Item(1);
  for (int i = 1; i <= 3; ++i) anchor.Variable(i).SetValue(host::Value::Double(0));
  host::Component& loop = probe.Components(15).Item(1).Profile().Components(3).Add();
  loop.SetStartPoint(0, z0);
  loop.AddLineTo(r, z0);
  loop.AddLineTo(r, z1);
  loop.AddLineTo(0, z1);
  loop.AddLineTo(0, z0);
  probe.Components(14).Item(1).Variable(1).SetValue(host::Value::Int32(1));
  double after = kernel.Figures(part).volume;
  part.RemoveChild(probe);
  return before - after;
}

}  // namespace vormbrace::test
