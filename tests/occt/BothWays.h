// Building one part twice, its chamfered prism once built directly and once cut by booleans,
// and checking that both give the same solid.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string>

#include "host/Host.h"
#include "host/occt/FaceCensus.h"
#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneDocument.h"

namespace vormbrace::test {

struct Built {
  host::occt::SolidFigures figures;
  std::map<std::string, int> faces;  // by surface kind
  host::occt::KernelCounts counts;
};

// The part `make` records, in a scene of its own, built with or without the direct road.
inline Built BuildPart(bool direct, const std::function<void(host::Shape&)>& make) {
  host::ref::SceneDocument document;
  host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(document);
  kernel.UseSolidCache(nullptr);
  kernel.UseDirectBuilds(direct);
  auto& part =
      static_cast<host::ref::SceneShape&>(document.RootShape().Shapes(host::kShapePart).Add());
  make(part);
  Built b;
  b.figures = kernel.Figures(part);
  b.faces = host::occt::FaceCensus(kernel, part);
  b.counts = kernel.Counts();
  return b;
}

inline std::string Describe(const std::map<std::string, int>& faces) {
  std::string out;
  for (const auto& [kind, n] : faces) out += kind + ":" + std::to_string(n) + " ";
  return out;
}

// Valid solids, as many as the booleans give, alike in volume (1e-6 relative), bounding box
// (1e-6 mm) and faces by kind.
inline void ExpectSameSolid(const Built& direct, const Built& reference, const std::string& what) {
  const host::occt::SolidFigures &d = direct.figures, &r = reference.figures;
  EXPECT_TRUE(d.valid) << what;
  EXPECT_EQ(d.solids, r.solids) << what;
  EXPECT_TRUE(r.valid) << what << " (booleans)";
  EXPECT_NEAR(d.volume, r.volume, 1e-6 * std::abs(r.volume)) << what;
  EXPECT_NEAR(d.boxMin.x, r.boxMin.x, 1e-6) << what;
  EXPECT_NEAR(d.boxMin.y, r.boxMin.y, 1e-6) << what;
  EXPECT_NEAR(d.boxMin.z, r.boxMin.z, 1e-6) << what;
  EXPECT_NEAR(d.boxMax.x, r.boxMax.x, 1e-6) << what;
  EXPECT_NEAR(d.boxMax.y, r.boxMax.y, 1e-6) << what;
  EXPECT_NEAR(d.boxMax.z, r.boxMax.z, 1e-6) << what;
  EXPECT_EQ(d.faces, r.faces) << what;
  EXPECT_EQ(Describe(direct.faces), Describe(reference.faces)) << what;
}

// Builds the part both ways, expects the direct road taken `builds` times, `booleans` booleans
// left on it (-1: any) and the same solid; answers the direct build.
inline Built ExpectDirectAsBooleans(const std::function<void(host::Shape&)>& make,
                                    const std::string& what, int builds = 1, int booleans = -1) {
  Built direct = BuildPart(true, make);
  Built reference = BuildPart(false, make);
  EXPECT_EQ(direct.counts.directBuilds, builds) << what << ": not built directly";
  if (booleans >= 0) {
    EXPECT_EQ(direct.counts.booleanBuilds, booleans) << what;
  }
  EXPECT_EQ(reference.counts.directBuilds, 0) << what;
  ExpectSameSolid(direct, reference, what);
  return direct;
}

}  // namespace vormbrace::test
