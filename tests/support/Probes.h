// The material of a part inside a region, measured on the solid: what a removal there takes
// away (good to about 1e-4 mm³). The probe is taken out again.
#pragma once

#include <initializer_list>
#include <utility>

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneDocument.h"

namespace vormbrace::test {

// A removal feature of `kind` added last to the part (take it out with RemoveChild): its
// profile the closed loop through `corners`, anchored at the part's origin.
inline host::ref::SceneShape& AddProbe(host::ref::SceneShape& part, std::int32_t kind,
                                       std::initializer_list<std::pair<double, double>> corners) {
  auto& probe =
      static_cast<host::ref::SceneShape&>(part.Components(23).Item(1).Shapes(kind).Add());
  host::Component& anchor = probe.Components(5).Item(1);
  for (int i = 1; i <= 3; ++i) anchor.Variable(i).SetValue(host::Value::Double(0));
  host::Component& loop = probe.Components(15).Item(1).Profile().Components(3).Add();
  loop.SetStartPoint(corners.begin()->first, corners.begin()->second);
  for (auto c = corners.begin() + 1; c != corners.end(); ++c) loop.AddLineTo(c->first, c->second);
  loop.AddLineTo(corners.begin()->first, corners.begin()->second);
  probe.Components(14).Item(1).Variable(1).SetValue(host::Value::Int32(1));
  return probe;
}

// A removal box from `lo` to `hi`.
inline host::ref::SceneShape& AddBoxProbe(host::ref::SceneShape& part, host::ref::Vec3 lo,
                                          host::ref::Vec3 hi) {
  host::ref::SceneShape& probe = AddProbe(
      part, host::kShapeExtruded, {{lo.x, lo.y}, {hi.x, lo.y}, {hi.x, hi.y}, {lo.x, hi.y}});
  probe.Components(1).Item(1).Variable(3).SetValue(host::Value::Double(hi.z - lo.z));
  probe.Components(4).Item(1).Variable(3).SetValue(host::Value::Double(lo.z));
  return probe;
}

// What taking `probe` out of the part removes; the probe is taken out again.
inline double Removed(host::occt::OcctEvaluator& kernel, host::ref::SceneShape& part,
                      double before, host::ref::SceneShape& probe) {
  double after = kernel.Figures(part).volume;
  part.RemoveChild(probe);
  return before - after;
}

inline double MaterialInBox(host::occt::OcctEvaluator& kernel, host::ref::SceneShape& part,
                            host::ref::Vec3 lo, host::ref::Vec3 hi) {
  double before = kernel.Figures(part).volume;
  return Removed(kernel, part, before, AddBoxProbe(part, lo, hi));
}

// Inside radius r about the Z axis, from z0 to z1.
inline double MaterialInCylinder(host::occt::OcctEvaluator& kernel, host::ref::SceneShape& part,
                                 double r, double z0, double z1) {
  double before = kernel.Figures(part).volume;
  return Removed(kernel, part, before,
                 AddProbe(part, host::kShapeRevolved, {{0, z0}, {r, z0}, {r, z1}, {0, z1}}));
}

}  // namespace vormbrace::test
