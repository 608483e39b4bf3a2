// Feature updates, part solids by boolean combination, and their figures.
#include "host/occt/OcctEvaluator.h"

#include "host/occt/Picking.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepAlgoAPI_Cut.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_Copy.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <Bnd_Box.hxx>
#include <Precision.hxx>
#include <ShapeUpgrade_UnifySameDomain.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS.hxx>
#include <gp.hxx>
#include <gp_Ax1.hxx>
#include <gp_Cylinder.hxx>
#include <algorithm>
#include <optional>
#include <vector>

#include "host/occt/ApartSolids.h"
#include "host/occt/CachePayload.h"
#include "host/occt/ClearBox.h"
#include "host/occt/CoaxialRevolved.h"
#include "host/occt/CrossRecess.h"
#include "host/occt/DomeRecess.h"
#include "host/occt/FeatureSolid.h"
#include "host/occt/Kernel.h"
#include "host/occt/Pocket.h"
#include "host/occt/PrismCut.h"
#include "host/occt/RadialPrisms.h"
#include "host/occt/RimSlots.h"
#include "host/occt/ShapeValidity.h"
#include "host/occt/SolidMeasure.h"
#include "host/occt/StackedSolids.h"
#include "host/occt/SunkShank.h"

namespace host::occt {
namespace {

// Caches are dropped whole when they grow past this many entries (a scene rarely holds more
// distinct features or parts; dropping costs only a rebuild).
constexpr std::size_t kCacheLimit = 2000;

bool IsFeature(std::int32_t kind) {
  return kind == kShapeSwept || kind == kShapeExtruded || kind == kShapeRevolved ||
         kind == ref::kShapeImported;
}

struct Item {
  TopoDS_Shape solid;
  bool removal = false;
  ref::SceneShape* feature = nullptr;
  std::string key;  // the feature's recipe
  const FeatureRecipe* recipe = nullptr;
};

// The result of combining a part's features, and whether the kernel's checker passed it.
struct Combined {
  TopoDS_Shape solid;
  bool valid = false;
};

// A shape and the key it is cached under: the keys of what made it.
struct Keyed {
  TopoDS_Shape shape;
  std::string key;
};

void Configure(BRepAlgoAPI_BooleanOperation& op) {
  // The inputs are cached and shared between parts: the operation must not touch them.
  op.SetNonDestructive(Standard_True);
  op.SetUseOBB(Standard_True);
  op.SetRunParallel(Standard_True);
}

// `base` fused with or cut by `tools` in one operation; a null shape when the kernel fails.
// (Warnings are not failures: the non-destructive mode warns of shapes it could not orient
// while its result is sound; the result's check decides.) `owned`: the operands were made for
// this operation alone and nothing else holds them (a solid just revolved, a copy): the kernel
// may then raise their tolerances in place rather than copy what it touches, and the operation
// (on small operands) runs in one thread, its tasks too small to share.
TopoDS_Shape Apply(const TopoDS_Shape& base, const TopTools_ListOfShape& tools, bool cut,
                   bool owned = false) {
  TopTools_ListOfShape arguments;
  arguments.Append(base);
  auto run = [&](BRepAlgoAPI_BooleanOperation& op) -> TopoDS_Shape {
    op.SetArguments(arguments);
    op.SetTools(tools);
    Configure(op);
    if (owned) {
      op.SetNonDestructive(Standard_False);
      op.SetRunParallel(Standard_False);
    }
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
  c.valid = HasSolid(c.solid) && IsValidShape(c.solid);
  return c;
}

// A box holding the shape, for telling which additions a removal cannot reach (the kernel's
// least box costs ~9 ms on a head with a fillet's torus).
Bnd_Box BoxOf(const TopoDS_Shape& shape) {
  Bnd_Box box = SolidBox(shape);
  box.Enlarge(1e-4);
  return box;
}

// Few, large operations, each cached by the keys of its operands, so that parts sharing a head
// and its recesses share their results. Each run of consecutive additions is fused into one
// shape, each run of removals into one tool (a cut by several overlapping tools at once is not
// used: the kernel's solid builder gets it wrong), and the runs are applied in order. When the
// removals follow all additions, additions clear of the removals' box are fused after the cut:
// the recesses of a head are cut from the head alone, whatever the length of its shank.
class Combiner {
 public:
  explicit Combiner(OcctEvaluator::Impl& kernel) : kernel_(kernel) {}

  // A null shape when the kernel fails on any operation.
  TopoDS_Shape Runs(const std::vector<Item>& items) {
    std::vector<std::pair<bool, std::vector<Keyed>>> runs;
    for (const Item& item : items) {
      if (runs.empty() || runs.back().first != item.removal) runs.push_back({item.removal, {}});
      runs.back().second.push_back({item.solid, item.key});
    }
    if (runs.size() == 2) {
      if (std::optional<Keyed> apart = RadialApart(runs[0].second, runs[1].second)) {
        runs[1].second = {*apart};
      }
      Keyed tool = Tool(runs[1].second);
      if (tool.shape.IsNull()) return {};
      Bnd_Box reach = BoxOf(tool.shape);
      std::vector<Keyed> touched, clear;
      for (const Keyed& add : runs[0].second) {
        (BoxOf(add.shape).IsOut(reach) ? clear : touched).push_back(add);
      }
      if (touched.empty()) return Merge(clear).shape;
      Keyed merged = Merge(touched);
      if (merged.shape.IsNull()) return {};
      Keyed cut = Operation(merged, {tool}, true);
      return clear.empty() || cut.shape.IsNull() ? cut.shape : Operation(cut, clear, false).shape;
    }
    Keyed result = Merge(runs.front().second);
    for (std::size_t i = 1; i < runs.size() && !result.shape.IsNull(); ++i) {
      Keyed tool = runs[i].first ? Tool(runs[i].second) : Merge(runs[i].second);
      if (tool.shape.IsNull()) return {};
      result = Operation(result, {tool}, runs[i].first);
    }
    return result.shape;
  }

  // Whether any operation so far was a boolean (rather than a direct build or a cached result).
  bool RanBoolean() const { return ranBoolean_; }

 private:
  // Prisms out from the axis that crowd one another only inside a bore, made one tool of solids
  // apart without a boolean, on the same switch as the other direct builds.
  std::optional<Keyed> RadialApart(const std::vector<Keyed>& additions,
                                   const std::vector<Keyed>& removals) {
    if (!kernel_.direct || removals.size() < 2) return std::nullopt;
    std::vector<TopoDS_Shape> added, removed;
    Keyed out{{}, kGathered};
    for (const Keyed& a : additions) added.push_back(a.shape);
    for (const Keyed& r : removals) {
      removed.push_back(r.shape);
      out.key += r.key + ",";
    }
    out.key += ")";
    out.shape = RadialPrismsApart(added, removed);
    if (out.shape.IsNull()) return std::nullopt;
    ++kernel_.counts.directBuilds;
    return out;
  }

  Keyed Merge(const std::vector<Keyed>& shapes) {
    if (shapes.size() == 1) return shapes.front();
    return Operation(shapes.front(), {shapes.begin() + 1, shapes.end()}, false);
  }

  // A run of removals as one tool: removals lying apart from each other (a slot at one end of
  // a set screw, a cup at the other) are gathered side by side without a boolean, on the same
  // switch as the other direct builds; the others are fused.
  Keyed Tool(const std::vector<Keyed>& removals) {
    if (kernel_.direct) {
      std::vector<TopoDS_Shape> solids;
      for (const Keyed& r : removals) solids.push_back(r.shape);
      if (TopoDS_Shape apart = GatherApart(solids); !apart.IsNull()) {
        Keyed out{apart, kGathered};
        for (const Keyed& r : removals) out.key += r.key + ",";
        out.key += ")";
        ++kernel_.counts.directBuilds;
        return out;
      }
    }
    return Merge(removals);
  }

  Keyed Operation(const Keyed& base, const std::vector<Keyed>& tools, bool cut) {
    Keyed out;
    out.key = std::string(cut ? "cut(" : "fuse(") + base.key;
    for (const Keyed& t : tools) out.key += "," + t.key;
    out.key += ")";
    auto& cache = kernel_.booleans;
    auto it = cache.find(out.key);
    if (it != cache.end()) {
      out.shape = it->second;
      return out;
    }
    out.shape = kernel_.Recall(out.key);
    // A socket or recess sunk into a flat face is assembled from the faces there are, without
    // a boolean, on the same switch as the other direct builds.
    if (out.shape.IsNull() && cut && tools.size() == 1 && kernel_.direct) {
      out.shape = CutPocket(base.shape, tools.front().shape);
      if (!out.shape.IsNull()) ++kernel_.counts.directBuilds;
    }
    // So is a cross recess opening through a dome.
    if (out.shape.IsNull() && cut && tools.size() == 1 && kernel_.direct) {
      out.shape = CutDomedCrossRecess(base.shape, tools.front().shape);
      if (!out.shape.IsNull()) ++kernel_.counts.directBuilds;
    }
    // So are slots cut across the rim of a chamfered bored cylinder.
    if (out.shape.IsNull() && cut && tools.size() == 1 && kernel_.direct) {
      out.shape = CutRimSlots(base.shape, tools.front().shape);
      if (!out.shape.IsNull()) ++kernel_.counts.directBuilds;
    }
    // So is a shank whose top is sunk into a coaxial head (a pan head's neck).
    if (out.shape.IsNull() && !cut && tools.size() == 1 && kernel_.direct) {
      out.shape = FuseSunkShank(base.shape, tools.front().shape);
      if (!out.shape.IsNull()) ++kernel_.counts.directBuilds;
    }
    // So is the union of solids stacked on each other's flat faces along the axis (those
    // overlapping there fused by a boolean first).
    if (out.shape.IsNull() && !cut && kernel_.direct) {
      std::vector<TopoDS_Shape> stack{base.shape};
      for (const Keyed& t : tools) stack.push_back(t.shape);
      out.shape = FuseStacked(stack, [&](const std::vector<TopoDS_Shape>& layer) {
        TopTools_ListOfShape rest;
        for (std::size_t i = 1; i < layer.size(); ++i) rest.Append(layer[i]);
        ranBoolean_ = true;
        return Apply(layer.front(), rest, false);
      });
      if (!out.shape.IsNull()) ++kernel_.counts.directBuilds;
    }
    // So is the union of coaxial solids of revolution (a countersunk head over its shank), the
    // other solids fused onto it by a boolean.
    if (out.shape.IsNull() && !cut && kernel_.direct) {
      std::vector<TopoDS_Shape> solids{base.shape};
      for (const Keyed& t : tools) solids.push_back(t.shape);
      out.shape = FuseCoaxialRevolved(solids, [&](const std::vector<TopoDS_Shape>& rest) {
        // The revolved solid is new; the others (a nib's few faces) are copied, so that the
        // fuse owns all it is given.
        TopTools_ListOfShape others;
        for (std::size_t i = 1; i < rest.size(); ++i) {
          others.Append(BRepBuilderAPI_Copy(rest[i]).Shape());
        }
        ranBoolean_ = true;
        return Apply(rest.front(), others, false, true);
      });
      if (!out.shape.IsNull()) ++kernel_.counts.directBuilds;
    }
    // So is the union of a cross recess's blades and notched prism.
    if (out.shape.IsNull() && !cut && kernel_.direct) {
      std::vector<TopoDS_Shape> solids{base.shape};
      for (const Keyed& t : tools) solids.push_back(t.shape);
      out.shape = FuseCrossRecess(solids);
      if (!out.shape.IsNull()) ++kernel_.counts.directBuilds;
    }
    if (out.shape.IsNull()) {
      TopTools_ListOfShape list;
      for (const Keyed& t : tools) list.Append(t.shape);
      if (cut && tools.size() == 1 && kernel_.direct) {
        if (TopoDS_Shape clear = ClearBox(base.shape, tools.front().shape); !clear.IsNull()) {
          list.Clear();
          list.Append(clear);
          ++kernel_.counts.clearedTools;
        }
      }
      ranBoolean_ = true;
      out.shape = Gathered(tools) ? CutOwned(base.shape, list) : Apply(base.shape, list, cut);
      if (out.shape.IsNull()) return out;
      kernel_.Keep(out.key, out.shape);
    }
    if (cache.size() >= kCacheLimit) cache.clear();
    cache.emplace(out.key, out.shape);
    return out;
  }

  // Whether the tools are one gathered by Tool (on the direct road).
  static bool Gathered(const std::vector<Keyed>& tools) {
    return tools.size() == 1 && tools.front().key.rfind(kGathered, 0) == 0;
  }

  // `base` cut by `tools` on copies the boolean owns (see Apply): a solid and removals at its
  // ends are small, their copies cheap next to what the boolean spares.
  static TopoDS_Shape CutOwned(const TopoDS_Shape& base, const TopTools_ListOfShape& tools) {
    TopTools_ListOfShape copies;
    for (const TopoDS_Shape& tool : tools) copies.Append(BRepBuilderAPI_Copy(tool).Shape());
    return Apply(BRepBuilderAPI_Copy(base).Shape(), copies, true, true);
  }

  static constexpr const char* kGathered = "apart(";

  OcctEvaluator::Impl& kernel_;
  bool ranBoolean_ = false;
};

// The features in creation order: added material fused, removal features cut, every removal
// before the first addition ignored. Runs are combined first; when the kernel fails on them or
// their result does not pass its checker, the features are applied one at a time, and a
// failure then names the feature at fault.
Combined CombineItems(std::vector<Item> items, const std::string& who,
                      OcctEvaluator::Impl& kernel) {
  if (items.size() == 1)
    return {items.front().solid, IsValidShape(items.front().solid)};

  Combiner combiner(kernel);
  TopoDS_Shape fast = combiner.Runs(items);
  if (HasSolid(fast)) {
    Combined c = Finish(fast);
    if (c.valid) {
      if (combiner.RanBoolean()) ++kernel.counts.booleanBuilds;
      return c;
    }
  }
  ++kernel.counts.booleanBuilds;
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

// The items with a chamfered prism and its chamfers replaced by the solid they make, built
// directly; nothing when they hold none.
std::optional<std::vector<Item>> WithDirectRun(const std::vector<Item>& items) {
  std::vector<PlacedFeature> features;
  for (const Item& item : items) features.push_back({item.recipe, item.solid});
  std::optional<DirectRun> run = BuildChamferedRun(features);
  if (!run) return std::nullopt;
  Item made = items[run->first];
  made.solid = run->solid;
  made.key = "direct(";
  for (std::size_t i = run->first; i < run->first + run->count; ++i) made.key += items[i].key + ",";
  for (std::size_t i : run->absorbed) made.key += items[i].key + ",";
  made.key += ")";
  // Earlier features the run holds (a shank sunk into a square neck) leave the list.
  std::vector<Item> out;
  for (std::size_t i = 0; i < run->first; ++i) {
    if (std::find(run->absorbed.begin(), run->absorbed.end(), i) == run->absorbed.end())
      out.push_back(items[i]);
  }
  out.push_back(made);
  out.insert(out.end(), items.begin() + static_cast<std::ptrdiff_t>(run->first + run->count),
             items.end());
  return out;
}

// As CombineItems, with a chamfered prism among the features built directly when the kernel's
// checker passes the result; the booleans otherwise.
Combined Combine(std::vector<Item> items, const std::string& who, OcctEvaluator::Impl& kernel) {
  while (!items.empty() && items.front().removal) items.erase(items.begin());
  if (items.empty()) return {};
  if (kernel.direct) {
    // Any fault on this road leaves the booleans to build the part, and to report what they
    // cannot build.
    try {
      if (std::optional<std::vector<Item>> direct = WithDirectRun(items)) {
        Combined c = CombineItems(std::move(*direct), who, kernel);
        if (c.valid) {
          ++kernel.counts.directBuilds;
          return c;
        }
      }
    } catch (const Standard_Failure&) {
    } catch (const RuntimeError&) {
    }
  }
  return CombineItems(std::move(items), who, kernel);
}

// The cylindrical faces whose axis is the part's Z axis.
std::vector<AxialCylinder> AxialCylinders(const TopoDS_Shape& solid) {
  std::vector<AxialCylinder> out;
  for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
    const TopoDS_Face& face = TopoDS::Face(e.Current());
    BRepAdaptor_Surface surface(face, Standard_False);
    if (surface.GetType() != GeomAbs_Cylinder) continue;
    gp_Ax1 axis = surface.Cylinder().Axis();
    gp_Vec offset(gp::Origin(), axis.Location());
    if (!axis.Direction().IsParallel(gp::DZ(), Precision::Angular()) ||
        offset.Crossed(gp_Vec(gp::DZ())).Magnitude() > Precision::Confusion()) {
      continue;
    }
    Bnd_Box box;
    BRepBndLib::AddOptimal(face, box, Standard_False, Standard_False);
    double xmin, ymin, zmin, xmax, ymax, zmax;
    box.Get(xmin, ymin, zmin, xmax, ymax, zmax);
    out.push_back({surface.Cylinder().Radius(), zmin, zmax});
  }
  return out;
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
  f.volume = SolidVolume(solid);
  Bnd_Box box = SolidBox(solid);
  if (!box.IsVoid()) {
    box.Get(f.boxMin.x, f.boxMin.y, f.boxMin.z, f.boxMax.x, f.boxMax.y, f.boxMax.z);
  }
  f.cylinders = AxialCylinders(solid);
  return f;
}

}  // namespace

TopoDS_Shape OcctEvaluator::Impl::LocalSolid(ref::SceneShape& feature,
                                             const FeatureRecipe& recipe) {
  return Guarded(DescribeShape(feature), [&] {
    std::string key = recipe.ShapeKey();
    auto it = local.find(key);
    if (it == local.end()) {
      // Imported solids are kept across runs by their content: reading a large one back from
      // its text costs far more than from the cache's binary form.
      bool imported = recipe.kind == ref::kShapeImported;
      TopoDS_Shape solid = imported ? Recall(key) : TopoDS_Shape();
      if (solid.IsNull()) {
        solid = BuildLocalSolid(recipe);
        if (imported) Keep(key, solid);
      }
      if (local.size() >= kCacheLimit) local.clear();
      it = local.emplace(std::move(key), solid).first;
    }
    return it->second;
  });
}

TopoDS_Shape OcctEvaluator::Impl::FeatureSolid(ref::SceneShape& feature,
                                               const FeatureRecipe& recipe) {
  TopoDS_Shape solid = LocalSolid(feature, recipe);
  return Guarded(DescribeShape(feature), [&] {
    // The placement goes into the geometry itself rather than a location on the shape:
    // booleans on located shapes transform every point they evaluate and cost about an eighth
    // more.
    return BRepBuilderAPI_Transform(solid, LocalToPart(recipe), Standard_True).Shape();
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
  const std::string diskKey = "part\n" + key;
  if (std::optional<PartPayload> kept = RecallPart(diskKey)) {
    PartEntry entry{kept->solid, kept->valid, true, kept->figures};
    // The kept figures hold the counts and extents; the faces about the axis are listed again.
    entry.figures.cylinders =
        Guarded(DescribeShape(part), [&] { return AxialCylinders(kept->solid); });
    if (parts.size() >= kCacheLimit) parts.clear();
    return parts.emplace(std::move(key), std::move(entry)).first->second;
  }

  std::vector<Item> items;
  for (auto& [feature, recipe] : features) {
    items.push_back({FeatureSolid(*feature, recipe), recipe.removal, feature,
                     recipe.ShapeKey() + '@' + recipe.PlacementKey(), &recipe});
  }
  PartEntry entry;
  std::string who = DescribeShape(part);
  Combined combined = Guarded(who, [&] { return Combine(std::move(items), who, *this); });
  entry.solid = combined.solid;
  entry.valid = combined.valid;
  if (disk && !entry.solid.IsNull()) {
    // Kept with its figures, which nearly every use asks for next.
    entry.figures = Guarded(who, [&] { return Measure(entry.solid, entry.valid); });
    entry.hasFigures = true;
    KeepPart(diskKey, {entry.solid, entry.valid, entry.figures});
  }
  if (parts.size() >= kCacheLimit) parts.clear();
  return parts.emplace(std::move(key), std::move(entry)).first->second;
}

TopoDS_Shape OcctEvaluator::Impl::Recall(const std::string& key) {
  if (!disk) return {};
  std::optional<std::string> bytes = disk->Load(key);
  if (!bytes) return {};
  std::optional<TopoDS_Shape> shape = ReadShapePayload(*bytes);
  if (!shape) return {};
  ++counts.cacheHits;
  return *shape;
}

void OcctEvaluator::Impl::Keep(const std::string& key, const TopoDS_Shape& shape) {
  if (disk && disk->Store(key, WriteShapePayload(shape))) ++counts.cacheWrites;
}

std::optional<PartPayload> OcctEvaluator::Impl::RecallPart(const std::string& key) {
  if (!disk) return std::nullopt;
  std::optional<std::string> bytes = disk->Load(key);
  if (!bytes) return std::nullopt;
  std::optional<PartPayload> part = ReadPartPayload(*bytes);
  if (part) ++counts.cacheHits;
  return part;
}

void OcctEvaluator::Impl::KeepPart(const std::string& key, const PartPayload& part) {
  if (disk && disk->Store(key, WritePartPayload(part))) ++counts.cacheWrites;
}

namespace {
std::shared_ptr<SolidCache>& DefaultSolidCache() {
  static std::shared_ptr<SolidCache> cache;
  return cache;
}
}  // namespace

OcctEvaluator::OcctEvaluator() : impl_(std::make_unique<Impl>()) {
  impl_->disk = DefaultSolidCache();
}
OcctEvaluator::~OcctEvaluator() = default;

void OcctEvaluator::UseDirectBuilds(bool on) { impl_->direct = on; }

void OcctEvaluator::UseSolidCache(std::shared_ptr<SolidCache> cache) {
  impl_->disk = std::move(cache);
}
SolidCache* OcctEvaluator::Cache() const { return impl_->disk.get(); }
const KernelCounts& OcctEvaluator::Counts() const { return impl_->counts; }

void SetDefaultSolidCache(std::shared_ptr<SolidCache> cache) {
  DefaultSolidCache() = std::move(cache);
}

std::vector<std::pair<double, double>> OcctEvaluator::MaterialAlong(ref::SceneShape& parent,
                                                                   ref::Vec3 origin,
                                                                   ref::Vec3 direction,
                                                                   const ref::SceneShape* skip) {
  return host::occt::MaterialAlong(*this, parent, origin, direction, skip);
}

void OcctEvaluator::UpdateFeature(ref::SceneShape& feature) {
  FeatureRecipe recipe = Guarded(DescribeShape(feature), [&] { return ReadRecipe(feature); });
  impl_->LocalSolid(feature, recipe);
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
  return Measure(shape, IsValidShape(shape));
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
