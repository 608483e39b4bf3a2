// Test support for the generators: a scene with the solid kernel and a part to build in, and
// readers of the records the generators leave (features, loops, variables, journal).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneDocument.h"
#include "support/TestHost.h"

namespace vormbrace::test {

class GeometryTest : public ::testing::Test {
 protected:
  GeometryTest()
      : kernel_(host::occt::AttachKernel(document_)),
        part_(static_cast<host::ref::SceneShape&>(
            document_.RootShape().Shapes(host::kShapePart).Add())) {}

  // The part's features in creation order.
  std::vector<host::ref::SceneShape*> Features() {
    std::vector<host::ref::SceneShape*> out;
    for (auto& c : part_.Children()) out.push_back(c.get());
    return out;
  }
  host::ref::SceneShape& Feature(std::size_t index) { return *Features().at(index); }

  static host::ref::SceneComponent& Component(host::ref::SceneShape& shape, std::int32_t code) {
    return *shape.Store().First(code);
  }
  static host::Value Var(host::ref::SceneShape& shape, std::int32_t code, std::int32_t index) {
    return Component(shape, code).Variables()[index].GetValue();
  }
  static host::ref::ComponentStore& ProfileStore(host::ref::SceneShape& feature) {
    return Component(feature, 15).ProfileIfAny()->Store();
  }
  // The profile origin (the profile's position variables 1-3).
  static std::vector<double> ProfileOrigin(host::ref::SceneShape& feature) {
    host::ref::SceneComponent& p = *ProfileStore(feature).First(4);
    return {p.Number(1), p.Number(2), p.Number(3)};
  }
  static std::vector<host::ref::ProfileCall>& Loop(host::ref::SceneShape& feature,
                                                   std::size_t i = 0) {
    return ProfileStore(feature).List(3).Items().at(i)->Loop();
  }
  // Three numbered variables of a component as doubles.
  static std::vector<double> Triple(host::ref::SceneShape& shape, std::int32_t code,
                                    std::int32_t first = 1) {
    host::ref::SceneComponent& c = Component(shape, code);
    return {c.Number(first), c.Number(first + 1), c.Number(first + 2)};
  }

  // The loop's calls equal `expected` (operation and arguments, to `tolerance`).
  static void ExpectLoop(const std::vector<host::ref::ProfileCall>& actual,
                         const std::vector<host::ref::ProfileCall>& expected, double tolerance) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
      EXPECT_EQ(actual[i].op, expected[i].op) << "call " << i;
      ASSERT_EQ(actual[i].args.size(), expected[i].args.size()) << "call " << i;
      for (std::size_t k = 0; k < actual[i].args.size(); ++k) {
        EXPECT_NEAR(actual[i].args[k], expected[i].args[k], tolerance)
            << "call " << i << " arg " << k;
      }
    }
  }
  static void ExpectNear(const std::vector<double>& actual, const std::vector<double>& expected,
                         double tolerance) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
      EXPECT_NEAR(actual[i], expected[i], tolerance) << i;
  }

  TestHost host_;
  host::ref::SceneDocument document_;
  host::occt::OcctEvaluator& kernel_;
  host::ref::SceneShape& part_;
};

}  // namespace vormbrace::test
