// The reference host's solid kernel (OpenCASCADE behind a kernel-free interface). Update on a
// feature builds its solid, so that records which make none fail in that call; a part's solid
// is evaluated only when something asks for it (figures, export), always from the records as
// they are now, and cached by the recipe of its features: an unchanged or repeated part, or
// one that shares a head and its recesses with another, costs nothing the second time.
//
// What the records mean to this host:
// * Loops: SetStartPoint, then lines and arcs (AddArcTo's ratio is sagitta/chord, > 0 bulging
//   left of travel), closed back on the start point; AddEllipse(x, y, r) right after the start
//   point is the whole loop, a circle about (x, y). AddFilletAt(i, r) rounds corner i, counted
//   from 1 at the start point, a fillet already added counting as two corners. Segments of
//   zero length are dropped. A profile's region is the even-odd combination of its loops.
// * Frames: the profile's position component is its origin and turn in the feature; a feature
//   point p lands in the part at position + R (p - anchor), R from the feature's position
//   variables 4-7 (axis, degrees); an anchor never written is the centre of the size box's
//   base. Rotate and Copy work on these records (SceneDocument).
// * Extruded features sweep their region along the profile normal by the size box height
//   (negative: the other way), or, when attribute 55 or 56 is written, from -v56 to +v55 (both
//   sides of the profile plane, as the fins and cross-recess blades ask). Attribute 47 is a
//   draft in radians for a one-loop straight-edged profile: the walls lean in by -v47 along
//   the sweep.
// * Revolved features turn the region, x the distance from the axis and y the position along
//   it, about the axis through the profile origin along feature Z (turned with the profile);
//   the region may lie on either side of the axis, not across it. Swept features carry the section
//   along the first loop of the path profile (component 24), each placed by its own origin and
//   turn.
// * Removal features (attribute 1 = 1) cut, the others add, in creation order; suppressed
//   features are skipped; removals before any material remove nothing.
// * ResetSizeBox leaves the records alone: the size box the generators wrote is part of the
//   recipe (sweep height, default anchor), and the fitted box is what the figures report.
// Kernel faults never escape: they become host::RuntimeError naming the feature (or, when the
// features cannot be combined, the part).
// With a solid cache (SolidCache), part solids with their figures, the results of the booleans
// that made them and imported solids are also kept across runs: a later process finds them
// there instead of building them again.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/reference/Math3.h"
#include "host/occt/SolidCache.h"
#include "host/reference/SceneDocument.h"

namespace host::occt {

// A cylindrical face about the part's Z axis: its radius and the heights it spans, mm.
struct AxialCylinder {
  double radius = 0;
  double zMin = 0, zMax = 0;
};

// What the kernel reports about a part's solid.
struct SolidFigures {
  bool valid = false;  // the kernel's checker finds no fault; false for a part without material
  int solids = 0;      // number of separate solids
  double volume = 0;   // mm³
  ref::Vec3 boxMin, boxMax;  // bounding box in the part's frame, mm
  int faces = 0;
  std::vector<AxialCylinder> cylinders;  // each cylindrical face about the Z axis
};

// What the kernel has done since it was made.
struct KernelCounts {
  std::int64_t booleanBuilds = 0;  // part solids whose features took a boolean to combine
  // Part solids whose chamfered prism (a hexagon or square head or nut) was built face by face
  // instead of by a boolean cut.
  std::int64_t directBuilds = 0;
  // Box removals (slots) whose faces at the solid's bounding box were moved past it before the
  // cut, to spare the boolean their tangent and coplanar contacts.
  std::int64_t clearedTools = 0;
  std::int64_t cacheHits = 0;      // solids read from the solid cache
  std::int64_t cacheWrites = 0;    // solids written to it
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
  std::vector<std::pair<double, double>> MaterialAlong(ref::SceneShape& parent, ref::Vec3 origin,
                                                       ref::Vec3 direction,
                                                       const ref::SceneShape* skip) override;

  // The figures of a part's solid, evaluated now unless cached. Raises as UpdateFeature does.
  SolidFigures Figures(ref::SceneShape& part);

  // Keeps solids across runs in `cache` too; nullptr keeps them only in memory.
  void UseSolidCache(std::shared_ptr<SolidCache> cache);
  SolidCache* Cache() const;
  // Whether chamfered prisms and pockets sunk into a flat face are built face by face (the
  // default) or by booleans, as the reference that the direct builds are compared against.
  void UseDirectBuilds(bool on);
  const KernelCounts& Counts() const;

  // Kernel-side state (caches), reached by the kernel's own files.
  struct Impl;
  Impl& Internals() { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

// The solid cache every kernel made from now on uses (nullptr, the default: none).
void SetDefaultSolidCache(std::shared_ptr<SolidCache> cache);

// Gives the document a kernel (replacing any it had) and answers it.
OcctEvaluator& AttachKernel(ref::SceneDocument& document);

// The document's kernel; nullptr when it has none.
OcctEvaluator* KernelOf(ref::SceneDocument& document);

}  // namespace host::occt
