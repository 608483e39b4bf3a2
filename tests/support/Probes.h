// The material of a part inside a region, measured on the solid: what a removal there takes
// away (good to about 1e-4 mm³). The probe is taken out again.
#pragma once

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneDocument.h"

namespace vormbrace::test {

// A removal box from `lo` to `hi`, added last to the part (take it out with RemoveChild).
inline host::ref::SceneShape& AddBoxProbe(host::ref::SceneShape& part, host::ref::Vec3 lo,
                                          host::ref::Vec3 hi) {
  auto& probe = static_cast<host::ref::SceneShape&>(
      part.Components(23).Item(1).Shapes(host::kShapeExtruded).Add());
  probe.Components(1).Item(1).Variable(3).SetValue(host::Value::Double(hi.z - lo.z));
  host::Component& anchor = probe.Components(5).Item(1);
  for (int i = 1; i <= 3; ++i) anchor.Variable(i).SetValue(host::Value::Double(0));
  probe.Components(4).Item(1).Variable(3).SetValue(host::Value::Double(lo.z));
  host::Component& loop = probe.Components(15).Item(1).Profile().Components(3).Add();
  loop.SetStartPoint(lo.x, lo.y);
  loop.AddLineTo(hi.x, lo.y);
  loop.AddLineTo(hi.x, hi.y);
  loop.AddLineTo(lo.x, hi.y);
  loop.AddLineTo(lo.x, lo.y);
  probe.Components(14).Item(1).Variable(1).SetValue(host::Value::Int32(1));
  return probe;
}

inline double MaterialInBox(host::occt::OcctEvaluator& kernel, host::ref::SceneShape& part,
                            host::ref::Vec3 lo, host::ref::Vec3 hi) {
  double before = kernel.Figures(part).volume;
  host::ref::SceneShape& probe = AddBoxProbe(part, lo, hi);
  double after = kernel.Figures(part).volume;
  part.RemoveChild(probe);
  return before - after;
}

// Inside radius r about the Z axis, from z0 to z1.
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
