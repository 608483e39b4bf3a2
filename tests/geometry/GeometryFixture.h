// Test support for the generators: a scene with the solid kernel, parts to build in, and probes
// of a part's solid.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneDocument.h"
#include "occt/SolidChecks.h"
#include "support/Probes.h"
#include "support/TestHost.h"

namespace vormbrace::test {

inline constexpr double kMathPi = 3.14159265358979323846;
// Material found by a probe is a difference of two part volumes (good to about 1e-4 mm³).
inline constexpr double kProbe = 1e-3;

// A truncated cone of radii r1, r2 and height h.
inline double Frustum(double r1, double r2, double h) {
  return kMathPi * h / 3 * (r1 * r1 + r1 * r2 + r2 * r2);
}

class GeometryTest : public ::testing::Test {
 protected:
  GeometryTest()
      : kernel_(host::occt::AttachKernel(document_)), part_(NewPart("part")) {}

  host::ref::SceneShape& NewPart(const std::string& name) {
    auto& part =
        static_cast<host::ref::SceneShape&>(document_.RootShape().Shapes(host::kShapePart).Add());
    part.SetName(name);
    return part;
  }
  double Volume(host::ref::SceneShape& part) { return kernel_.Figures(part).volume; }
  // The volume of the part's material inside the box from `lo` to `hi`.
  double MaterialIn(host::ref::SceneShape& part, host::ref::Vec3 lo, host::ref::Vec3 hi) {
    return MaterialInBox(kernel_, part, lo, hi);
  }
  // Material on the axis: inside a thin square rod along Z through the whole part.
  double MaterialOnAxis(host::ref::SceneShape& part) {
    host::occt::SolidFigures f = kernel_.Figures(part);
    return MaterialIn(part, {-0.25, -0.25, f.boxMin.z - 1}, {0.25, 0.25, f.boxMax.z + 1});
  }
  // What suppressing the part's features named `name` gives back.
  double VolumeOf(host::ref::SceneShape& part, const std::string& name) {
    double whole = Volume(part);
    for (auto& f : part.Children()) f->SetSuppressed(f->Name() == name);
    double without = Volume(part);
    for (auto& f : part.Children()) f->SetSuppressed(false);
    return without - whole;
  }

  TestHost host_;
  host::ref::SceneDocument document_;
  host::occt::OcctEvaluator& kernel_;
  host::ref::SceneShape& part_;
};

}  // namespace vormbrace::test
