// Test support for the solid kernel: a reference host with a scene that has the kernel, parts
// in it, and helpers that record features by hand.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "host/Profile.h"
#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneDocument.h"
#include "occt/SolidChecks.h"
#include "support/TestHost.h"

namespace vormbrace::test {

class KernelTest : public ::testing::Test {
 protected:
  KernelTest() : kernel_(host::occt::AttachKernel(document_)) {}

  // A new part under the scene's root.
  host::ref::SceneShape& NewPart() {
    return static_cast<host::ref::SceneShape&>(
        document_.RootShape().Shapes(host::kShapePart).Add());
  }
  host::occt::SolidFigures Figures(host::ref::SceneShape& part) { return kernel_.Figures(part); }

  // A feature of `kind` in the part's body with the size box (sx, sy, sz); anchor, position and
  // profile untouched.
  host::ref::SceneShape& AddFeature(host::ref::SceneShape& part, std::int32_t kind, double sx,
                                    double sy, double sz) {
    auto& feature =
        static_cast<host::ref::SceneShape&>(part.Components(23).Item(1).Shapes(kind).Add());
    Set(feature.Components(1).Item(1), {{1, sx}, {2, sy}, {3, sz}});
    return feature;
  }
  // Numbered variables as doubles.
  static void Set(host::Component& c, std::initializer_list<std::pair<std::int32_t, double>> vars) {
    for (const auto& [index, value] : vars) c.Variable(index).SetValue(host::Value::Double(value));
  }
  static void SetAnchor(host::Shape& feature, double x, double y, double z) {
    Set(feature.Components(5).Item(1), {{1, x}, {2, y}, {3, z}});
  }
  static host::Profile& ProfileOf(host::Shape& feature) {
    return feature.Components(15).Item(1).Profile();
  }
  static host::Component& NewLoop(host::Shape& feature) {
    return ProfileOf(feature).Components(3).Add();
  }
  // The closed loop through the points (x, y), in order.
  static host::Component& Polygon(host::Shape& feature,
                                  std::initializer_list<std::pair<double, double>> points) {
    host::Component& loop = NewLoop(feature);
    loop.SetStartPoint(points.begin()->first, points.begin()->second);
    for (auto it = points.begin() + 1; it != points.end(); ++it)
      loop.AddLineTo(it->first, it->second);
    loop.AddLineTo(points.begin()->first, points.begin()->second);
    return loop;
  }
  static void MarkRemoval(host::Shape& feature) {
    feature.Components(14).Item(1).Variable(1).SetValue(host::Value::Int32(1));
  }

  void ExpectValidSolid(host::ref::SceneShape& part, double volume, double tolerance) {
    test::ExpectValidSolid(kernel_, part, volume, tolerance);
  }
  void ExpectBox(host::ref::SceneShape& part, host::ref::Vec3 min, host::ref::Vec3 max,
                 double tolerance = 1e-3) {
    test::ExpectBox(kernel_, part, min, max, tolerance);
  }

  TestHost host_;
  host::ref::SceneDocument document_;
  host::occt::OcctEvaluator& kernel_;
};

}  // namespace vormbrace::test
