// Inside the kernel: the caches behind OcctEvaluator and the part solids that export reads.
// Kernel types: for use inside host/occt only.
#pragma once

#include <Standard_Failure.hxx>
#include <TopoDS_Shape.hxx>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "host/RuntimeError.h"
#include "host/occt/CachePayload.h"
#include "host/occt/OcctEvaluator.h"
#include "host/occt/Recipe.h"

namespace host::occt {

struct OcctEvaluator::Impl {
  struct PartEntry {
    TopoDS_Shape solid;  // null for a part without material
    bool valid = false;  // the kernel's checker passed it
    bool hasFigures = false;
    SolidFigures figures;
  };
  // Local solids by ShapeKey, part solids by the keys of their features.
  std::unordered_map<std::string, TopoDS_Shape> local;
  std::unordered_map<std::string, PartEntry> parts;
  // Results of single boolean operations, by the keys of their operands.
  std::unordered_map<std::string, TopoDS_Shape> booleans;
  std::shared_ptr<SolidCache> disk;  // null: nothing kept across runs
  KernelCounts counts;
  bool direct = true;  // chamfered prisms built face by face

  // A shape the solid cache keeps under `key`; null when it has none (or there is no cache).
  TopoDS_Shape Recall(const std::string& key);
  // Keeps the shape in the solid cache, when there is one.
  void Keep(const std::string& key, const TopoDS_Shape& shape);
  // The same for part solids with their figures.
  std::optional<PartPayload> RecallPart(const std::string& key);
  void KeepPart(const std::string& key, const PartPayload& part);

  // The feature's solid in its profile's own frame, built once per ShapeKey, and the same
  // solid placed in its part. Both raise host::RuntimeError naming the feature.
  TopoDS_Shape LocalSolid(ref::SceneShape& feature, const FeatureRecipe& recipe);
  TopoDS_Shape FeatureSolid(ref::SceneShape& feature, const FeatureRecipe& recipe);
  PartEntry& Part(ref::SceneShape& part);
};

// The part's solid in its own frame; a null shape for a part without material.
TopoDS_Shape PartSolid(OcctEvaluator& kernel, ref::SceneShape& part);

// The figures of any shape (its validity checked here).
SolidFigures MeasureSolid(const TopoDS_Shape& shape);

// Runs `body`, turning invalid records (error 5) and kernel exceptions (error 440) into
// host::RuntimeError whose description begins with `who`.
template <typename F>
auto Guarded(const std::string& who, F&& body) -> decltype(body()) {
  try {
    return body();
  } catch (const InvalidRecords& e) {
    throw RuntimeError(err::kInvalidProcedureCall, who + ": " + e.what());
  } catch (const Standard_Failure& e) {
    std::string what = e.GetMessageString() != nullptr ? e.GetMessageString() : "";
    throw RuntimeError(err::kAutomationError, who + ": the solid kernel failed (" +
                                                  e.DynamicType()->Name() +
                                                  (what.empty() ? "" : ": " + what) + ")");
  }
}

}  // namespace host::occt
