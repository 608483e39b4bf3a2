// The reference host's solid kernel (OpenCASCADE behind a kernel-free interface): Update on a
// feature builds its solid from the recorded profile, sweep and placement, and a part's solid
// (its features in creation order, added material fused, removal features cut, suppressed ones
// skipped) is evaluated only when something asks for it, and cached by the recipe of its
// features, so an unchanged or repeated part costs nothing the second time.
//
// The host's meaning of the records, beyond the placement rule of SceneDocument.h:
// * Extruded features sweep their region from the profile plane by the size box height
//   (negative: the other way), or, when attribute 55 or 56 is written, from -v56 to +v55
//   along the profile normal (a sweep on both sides, as the fins and cross-recess blades ask).
// * Attribute 47 is a draft angle in radians for one-loop straight-edged extrusions: the side
//   walls lean inwards by -v47 along the sweep (the region narrows when it is negative).
// * Revolved regions may lie on either side of the axis, not across it.
// Kernel faults never escape: they become host::RuntimeError naming the feature (or, when the
// features cannot be combined, the part).
#pragma once

#include <memory>

#include "host/reference/Math3.h"
#include "host/reference/SceneDocument.h"

namespace host::occt {

// What the kernel reports about a part's solid.
struct SolidFigures {
  bool valid = false;  // the kernel's checker finds no fault; false for a part without material
  int solids = 0;      // number of separate solids
  double volume = 0;   // mm³
  ref::Vec3 boxMin, boxMax;  // bounding box in the part's frame, mm
  int faces = 0;
};

class OcctEvaluator : public ref::FeatureEvaluator {
 public:
  OcctEvaluator();
  ~OcctEvaluator() override;
  OcctEvaluator(const OcctEvaluator&) = delete;
  OcctEvaluator& operator=(const OcctEvaluator&) = delete;

  // Raises host::RuntimeError (5 for records that make no solid, 440 for a kernel failure),
  // whose description names the feature and says what is wrong.
  void UpdateFeature(ref::SceneShape& feature) override;

  // The figures of a part's solid, evaluated now unless cached. Raises as UpdateFeature does.
  SolidFigures Figures(ref::SceneShape& part);

  // Kernel-side state (caches), reached by the kernel's own files.
  struct Impl;
  Impl& Internals() { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

// Gives the document a kernel (replacing any it had) and answers it.
OcctEvaluator& AttachKernel(ref::SceneDocument& document);

// The document's kernel; nullptr when it has none.
OcctEvaluator* KernelOf(ref::SceneDocument& document);

}  // namespace host::occt
