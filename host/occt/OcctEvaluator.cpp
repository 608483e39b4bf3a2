// Feature updates, part solids by boolean combination, and their figures.
#include "host/occt/OcctEvaluator.h"

#include <BRepAlgoAPI_Cut.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepBndLib.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepGProp.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <ShapeUpgrade_UnifySameDomain.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS.hxx>
#include <vector>

#include "host/occt/FeatureSolid.h"
#include "host/occt/Kernel.h"

namespace host::occt {
namespace {

// Caches are dropped whole when they grow past this many entries (a scene rarely holds more
// distinct features or parts; dropping costs only a rebuild).
constexpr std::size_t kCacheLimit = 2000;

bool IsFeature(std::int32_t kind) {
  return kind == kShapeSwept || kind == kShapeExtruded || kind == kShapeRevolved;
}

struct Item {
  TopoDS_Shape solid;
  bool removal = false;
  ref::SceneShape* feature = nullptr;
};

// The result of combining a part's features, and whether the kernel's checker passed it.
struct Combined {
  TopoDS_Shape solid;
  bool valid = false;
};

void Configure(BRepAlgoAPI_BooleanOperation& op) {
  // The inputs are cached and shared between parts: the operation must not touch them.
  op.SetNonDestructive(Standard_True);
  op.SetUseOBB(Standard_True);
  op.SetRunParallel(Standard_True);
}

// `base` fused with or cut by `tools` in one operation; a null shape when the kernel fails.
// (Warnings are not failures: the non-destructive mode warns of shapes it could not orient
// while its result is sound; the result's check decides.)
TopoDS_Shape Apply(const TopoDS_Shape& base, const TopTools_ListOfShape& tools, bool cut) {
  TopTools_ListOfShape arguments;
  arguments.Append(base);
  auto run = [&](BRepAlgoAPI_BooleanOperation& op) -> TopoDS_Shape {
    op.SetArguments(arguments);
    op.SetTools(tools);
    Configure(op);
    op.Build();
    if (op.HasErrors()) return {};
    return op.Shape();
  };
  if (cut) {
    BRepAlgoAPI_Cut op;
    return run(op);
  }
  BRepAlgoAPI_Fuse op;
  return run(op);
}

bool HasSolid(const TopoDS_Shape& shape) {
  return !shape.IsNull() && TopExp_Explorer(shape, TopAbs_SOLID).More();
}

Combined Finish(const TopoDS_Shape& result) {
  // Booleans leave coplanar faces split where the features met: merge them back.
  ShapeUpgrade_UnifySameDomain unify(result, Standard_True, Standard_True, Standard_False);
  unify.Build();
  Combined c{unify.Shape(), false};
  c.valid = HasSolid(c.solid) && BRepCheck_Analyzer(c.solid).IsValid();
  return c;
}

// Few, large operations: each run of consecutive additions is fused into one shape, each run of
// removals into one tool, and the runs are applied in order (a hexagon bolt or a screw with its
// recesses takes two or three operations whatever the number of features). A cut by several
// overlapping tools at once is not used: the kernel's solid builder gets it wrong.
TopoDS_Shape CombineRuns(const std::vector<Item>& items) {
  std::vector<std::pair<bool, TopTools_ListOfShape>> runs;
  for (const Item& item : items) {
    if (runs.empty() || runs.back().first != item.removal) runs.emplace_back(item.removal, TopTools_ListOfShape());
    runs.back().second.Append(item.solid);
  }
  auto merged = [](TopTools_ListOfShape list) -> TopoDS_Shape {
    TopoDS_Shape first = list.First();
    list.RemoveFirst();
    return list.IsEmpty() ? first : Apply(first, list, false);
  };
  TopoDS_Shape result = merged(runs.front().second);
  for (std::size_t i = 1; i < runs.size() && !result.IsNull(); ++i) {
    TopoDS_Shape tool = merged(runs[i].second);
    if (tool.IsNull()) return {};
    TopTools_ListOfShape tools;
    tools.Append(tool);
    result = Apply(result, tools, runs[i].first);
  }
  return result;
}

// The features in creation order: added material fused, removal features cut, every removal
// before the first addition ignored. Runs are combined first; when the kernel fails on them or
// their result does not pass its checker, the features are applied one at a time, and a
// failure then names the feature at fault.
Combined Combine(std::vector<Item> items, const std::string& who) {
  while (!items.empty() && items.front().removal) items.erase(items.begin());
  if (items.empty()) return {};
  if (items.size() == 1) return {items.front().solid, BRepCheck_Analyzer(items.front().solid).IsValid()};

  TopoDS_Shape fast = CombineRuns(items);
  if (HasSolid(fast)) {
    Combined c = Finish(fast);
    if (c.valid) return c;
  }
  TopoDS_Shape result = items.front().solid;
  for (std::size_t i = 1; i < items.size(); ++i) {
    TopTools_ListOfShape tools;
    tools.Append(items[i].solid);
    TopoDS_Shape next = Apply(result, tools, items[i].removal);
    if (next.IsNull()) {
      throw RuntimeError(err::kAutomationError,
                         DescribeShape(*items[i].feature) + ": the solid kernel cannot " +
                             (items[i].removal ? "cut it from " : "fuse it with ") + who);
    }
    result = next;
  }
  return Finish(result);
}

// The figures of a combined solid (its validity is already known).
SolidFigures Measure(const TopoDS_Shape& solid, bool valid) {
  SolidFigures f;
  if (solid.IsNull()) return f;
  for (TopExp_Explorer e(solid, TopAbs_SOLID); e.More(); e.Next()) ++f.solids;
  f.valid = valid && f.solids > 0;
  TopTools_IndexedMapOfShape faces;
  TopExp::MapShapes(solid, TopAbs_FACE, faces);
  f.faces = faces.Extent();
  GProp_GProps props;
  BRepGProp::VolumeProperties(solid, props);
  f.volume = props.Mass();
  Bnd_Box box;
  BRepBndLib::AddOptimal(solid, box, Standard_False, Standard_False);
  if (!box.IsVoid()) {
    box.Get(f.boxMin.x, f.boxMin.y, f.boxMin.z, f.boxMax.x, f.boxMax.y, f.boxMax.z);
  }
  return f;
}

}  // namespace

TopoDS_Shape OcctEvaluator::Impl::FeatureSolid(ref::SceneShape& feature, const FeatureRecipe& recipe) {
  return Guarded(DescribeShape(feature), [&] {
    std::string key = recipe.ShapeKey();
    auto it = local.find(key);
    if (it == local.end()) {
      TopoDS_Shape solid = BuildLocalSolid(recipe);
      if (local.size() >= kCacheLimit) local.clear();
      it = local.emplace(std::move(key), solid).first;
    }
    return it->second.Moved(TopLoc_Location(LocalToPart(recipe)));
  });
}

OcctEvaluator::Impl::PartEntry& OcctEvaluator::Impl::Part(ref::SceneShape& part) {
  std::vector<std::pair<ref::SceneShape*, FeatureRecipe>> features;
  std::string key;
  for (auto& child : part.Children()) {
    if (!IsFeature(child->Type()) || child->Suppressed()) continue;
    FeatureRecipe recipe = Guarded(DescribeShape(*child), [&] { return ReadRecipe(*child); });
    key += recipe.removal ? "-" : "+";
    key += recipe.ShapeKey();
    key += '@';
    key += recipe.PlacementKey();
    key += '\n';
    features.emplace_back(child.get(), std::move(recipe));
  }
  auto it = parts.find(key);
  if (it != parts.end()) return it->second;

  std::vector<Item> items;
  for (auto& [feature, recipe] : features) {
    items.push_back({FeatureSolid(*feature, recipe), recipe.removal, feature});
  }
  PartEntry entry;
  std::string who = DescribeShape(part);
  Combined combined = Guarded(who, [&] { return Combine(std::move(items), who); });
  entry.solid = combined.solid;
  entry.valid = combined.valid;
  if (parts.size() >= kCacheLimit) parts.clear();
  return parts.emplace(std::move(key), std::move(entry)).first->second;
}

OcctEvaluator::OcctEvaluator() : impl_(std::make_unique<Impl>()) {}
OcctEvaluator::~OcctEvaluator() = default;

void OcctEvaluator::UpdateFeature(ref::SceneShape& feature) {
  FeatureRecipe recipe = Guarded(DescribeShape(feature), [&] { return ReadRecipe(feature); });
  impl_->FeatureSolid(feature, recipe);
}

SolidFigures OcctEvaluator::Figures(ref::SceneShape& part) {
  Impl::PartEntry& entry = impl_->Part(part);
  if (!entry.hasFigures) {
    entry.figures = Guarded(DescribeShape(part), [&] { return Measure(entry.solid, entry.valid); });
    entry.hasFigures = true;
  }
  return entry.figures;
}

SolidFigures MeasureSolid(const TopoDS_Shape& shape) {
  return Measure(shape, !shape.IsNull() && BRepCheck_Analyzer(shape).IsValid());
}

TopoDS_Shape PartSolid(OcctEvaluator& kernel, ref::SceneShape& part) {
  return kernel.Internals().Part(part).solid;
}

OcctEvaluator& AttachKernel(ref::SceneDocument& document) {
  auto kernel = std::make_unique<OcctEvaluator>();
  OcctEvaluator& result = *kernel;
  document.SetEvaluator(std::move(kernel));
  return result;
}

OcctEvaluator* KernelOf(ref::SceneDocument& document) {
  return dynamic_cast<OcctEvaluator*>(document.Evaluator());
}

}  // namespace host::occt
