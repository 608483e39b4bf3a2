// Feature updates, part solids by boolean combination, and their figures.
#include "host/occt/OcctEvaluator.h"

#include <BOPAlgo_CellsBuilder.hxx>
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
};

TopTools_ListOfShape ListOf(const std::vector<Item>& items, std::size_t from, bool removal) {
  TopTools_ListOfShape list;
  for (std::size_t i = from; i < items.size(); ++i) {
    if (items[i].removal == removal) list.Append(items[i].solid);
  }
  return list;
}

void Configure(BRepAlgoAPI_BooleanOperation& op) {
  // The inputs are cached and shared between parts: the operation must not touch them.
  op.SetNonDestructive(Standard_True);
  op.SetUseOBB(Standard_True);
  op.SetRunParallel(Standard_True);
}

// The features in order: a cell of space is in the solid when the last feature containing it
// adds material. When every removal follows every addition that is one fuse and one cut
// (each with all its tools at once); otherwise one general fuse picks the cells.
TopoDS_Shape Combine(std::vector<Item> items, const std::string& who) {
  while (!items.empty() && items.front().removal) items.erase(items.begin());
  if (items.empty()) return {};
  std::size_t firstRemoval = items.size();
  std::size_t lastAdd = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].removal && firstRemoval == items.size()) firstRemoval = i;
    if (!items[i].removal) lastAdd = i;
  }
  auto fail = [&]() -> TopoDS_Shape {
    throw RuntimeError(err::kAutomationError, who + ": its features cannot be combined into one solid");
  };
  if (items.size() == 1) return items.front().solid;

  TopoDS_Shape result;
  if (lastAdd < firstRemoval) {
    result = items.front().solid;
    TopTools_ListOfShape adds = ListOf(items, 1, false);
    if (!adds.IsEmpty()) {
      BRepAlgoAPI_Fuse fuse;
      TopTools_ListOfShape arguments;
      arguments.Append(result);
      fuse.SetArguments(arguments);
      fuse.SetTools(adds);
      Configure(fuse);
      fuse.Build();
      if (fuse.HasErrors()) fail();
      result = fuse.Shape();
    }
    TopTools_ListOfShape removals = ListOf(items, 0, true);
    if (!removals.IsEmpty()) {
      BRepAlgoAPI_Cut cut;
      TopTools_ListOfShape arguments;
      arguments.Append(result);
      cut.SetArguments(arguments);
      cut.SetTools(removals);
      Configure(cut);
      cut.Build();
      if (cut.HasErrors()) fail();
      result = cut.Shape();
    }
  } else {
    BOPAlgo_CellsBuilder cells;
    for (const Item& item : items) cells.AddArgument(item.solid);
    cells.SetNonDestructive(Standard_True);
    cells.SetUseOBB(Standard_True);
    cells.SetRunParallel(Standard_True);
    cells.Perform();
    if (cells.HasErrors()) fail();
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].removal) continue;
      TopTools_ListOfShape take;
      take.Append(items[i].solid);
      cells.AddToResult(take, ListOf(items, i + 1, true), 1);
    }
    cells.RemoveInternalBoundaries();
    result = cells.Shape();
  }
  // Booleans leave coplanar faces split where the features met: merge them back.
  ShapeUpgrade_UnifySameDomain unify(result, Standard_True, Standard_True, Standard_False);
  unify.Build();
  return unify.Shape();
}

SolidFigures Measure(const TopoDS_Shape& solid) {
  SolidFigures f;
  if (solid.IsNull()) return f;
  for (TopExp_Explorer e(solid, TopAbs_SOLID); e.More(); e.Next()) ++f.solids;
  TopTools_IndexedMapOfShape faces;
  TopExp::MapShapes(solid, TopAbs_FACE, faces);
  f.faces = faces.Extent();
  f.valid = f.solids > 0 && BRepCheck_Analyzer(solid).IsValid();
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
    items.push_back({FeatureSolid(*feature, recipe), recipe.removal});
  }
  PartEntry entry;
  std::string who = DescribeShape(part);
  entry.solid = Guarded(who, [&] { return Combine(std::move(items), who); });
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
    entry.figures = Guarded(DescribeShape(part), [&] { return Measure(entry.solid); });
    entry.hasFigures = true;
  }
  return entry.figures;
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
