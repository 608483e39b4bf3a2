// Gathering a scene into distinct parts and the placements that use them.
#include "host/occt/ExportModel.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <cstdio>
#include <limits>
#include <unordered_map>

#include "host/DataObject.h"
#include "host/occt/Kernel.h"
#include "host/occt/PlacedParts.h"

namespace host::occt {
namespace {

constexpr std::int32_t kSurfaceFinish = 27;
// Surface finish points are given in the host's internal unit, metres; solids are in mm.
constexpr double kMillimetresPerHostUnit = 1000;

// A thread texture laid on a feature, with its face point carried into the part's frame.
struct ThreadFinish {
  gp_Pnt point;
  std::string image;
  double width = 0, height = 0;
};

std::vector<ThreadFinish> ThreadFinishes(ref::SceneShape& part) {
  std::vector<ThreadFinish> out;
  for (auto& feature : part.Children()) {
    if (feature->Suppressed()) continue;
    ref::SceneComponent* finishes = feature->Store().First(kSurfaceFinish);
    if (finishes == nullptr || finishes->Finishes().empty()) continue;
    FeatureRecipe recipe = ReadRecipe(*feature);
    for (auto& f : finishes->Finishes()) {
      if (f->textureFile.empty() || !(f->projectionWidth > 0) || !(f->projectionHeight > 0)) {
        continue;
      }
      ref::Vec3 p = recipe.position +
                    recipe.rotation * (kMillimetresPerHostUnit * f->point - recipe.anchor);
      out.push_back({gp_Pnt(p.x, p.y, p.z), f->textureFile, f->projectionWidth,
                     f->projectionHeight});
    }
  }
  return out;
}

// The cylindrical face of `solid` nearest to `point`: the threaded face a finish was laid on
// (the point lies on the thread's axis or inside the bore, in the middle of the threaded
// stretch). 0 when the solid has no cylinder.
int NearestCylinder(const TopTools_IndexedMapOfShape& faces, const gp_Pnt& point) {
  TopoDS_Shape vertex = BRepBuilderAPI_MakeVertex(point).Shape();
  int best = 0;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (int i = 1; i <= faces.Extent(); ++i) {
    const TopoDS_Face& face = TopoDS::Face(faces(i));
    if (BRepAdaptor_Surface(face, Standard_False).GetType() != GeomAbs_Cylinder) continue;
    BRepExtrema_DistShapeShape distance(vertex, face);
    if (distance.IsDone() && distance.Value() < bestDistance) {
      bestDistance = distance.Value();
      best = i;
    }
  }
  return best;
}

std::string PartText(ref::SceneShape& part, std::string (ref::SceneDataObject::*field)() const) {
  auto it = part.DataObjects().find(kDescriptionGuid);
  return it == part.DataObjects().end() ? std::string() : ((*it->second).*field)();
}

class Gatherer {
 public:
  Gatherer(OcctEvaluator& kernel, const ExportOptions& options)
      : kernel_(kernel), options_(options) {}

  // Adds the parts and assemblies under `shape` to `into`, each placed by `above` and its own
  // frame.
  void Walk(ref::SceneShape& shape, const gp_Trsf& above, ExportNode& into, ExportModel& model) {
    for (auto& child : shape.Children()) {
      if (child->Type() != kShapePart && child->Type() != kShapeAssembly) continue;
      gp_Trsf frame = above * ToTrsf(child->Frame());
      if (child->Type() == kShapeAssembly) {
        if (!options_.part.empty()) {
          Walk(*child, frame, into, model);
          continue;
        }
        ExportNode assembly{child->Name(), frame, -1, {},
                            PartText(*child, &ref::SceneDataObject::PartNumber),
                            PartText(*child, &ref::SceneDataObject::Description)};
        Walk(*child, gp_Trsf(), assembly, model);
        if (CountPlacements(assembly) > 0) into.children.push_back(std::move(assembly));
        continue;
      }
      if (!options_.part.empty() && (found_ || child->Name() != options_.part)) continue;
      int index = PartIndex(*child, model);
      if (index < 0) continue;
      found_ = true;
      into.children.push_back({child->Name(), frame, index, {}, {}, {}});
    }
  }

 private:
  // The distinct part that `part` is an instance of, added when it is new; -1 for a part
  // without material.
  int PartIndex(ref::SceneShape& part, ExportModel& model) {
    TopoDS_Shape solid = PartSolid(kernel_, part);
    if (solid.IsNull()) return -1;
    std::optional<Appearance> look;
    if (options_.appearanceOf) look = options_.appearanceOf(part);
    std::string number = PartText(part, &ref::SceneDataObject::PartNumber);
    std::string description = PartText(part, &ref::SceneDataObject::Description);
    std::vector<ThreadFinish> finishes =
        Guarded(DescribeShape(part), [&] { return ThreadFinishes(part); });

    // Equal parts share the kernel's cached solid: its identity, location, look, data and
    // textures tell distinct parts apart.
    char address[64];
    std::snprintf(address, sizeof address, "%p", static_cast<void*>(solid.TShape().get()));
    std::string key = address;
    const gp_Trsf& at = solid.Location().Transformation();
    for (int r = 1; r <= 3; ++r) {
      for (int c = 1; c <= 4; ++c) key += ' ' + std::to_string(at.Value(r, c));
    }
    key += '\n' + (look ? look->name : std::string()) + '\n' + number + '\n' + description;
    for (const ThreadFinish& f : finishes) {
      key += '\n' + f.image + ' ' + std::to_string(f.width) + ' ' + std::to_string(f.height) +
             ' ' + std::to_string(f.point.X()) + ' ' + std::to_string(f.point.Y()) + ' ' +
             std::to_string(f.point.Z());
    }
    auto [it, added] = index_.try_emplace(key, static_cast<int>(model.parts.size()));
    if (!added) return it->second;

    DistinctPart p{part.Name(), {}, look, number, description, {}};
    Guarded(DescribeShape(part), [&] {
      // Product shapes carry no location of their own: it goes into the geometry.
      p.solid = solid.Located(TopLoc_Location());
      if (at.Form() != gp_Identity) {
        p.solid = BRepBuilderAPI_Transform(p.solid, at, Standard_True).Shape();
      }
      TopTools_IndexedMapOfShape faces;
      TopExp::MapShapes(p.solid, TopAbs_FACE, faces);
      for (const ThreadFinish& f : finishes) {
        int face = NearestCylinder(faces, f.point);
        if (face > 0) p.threads.push_back({face, f.image, f.width, f.height});
      }
    });
    model.parts.push_back(std::move(p));
    return it->second;
  }

  OcctEvaluator& kernel_;
  const ExportOptions& options_;
  std::unordered_map<std::string, int> index_;
  bool found_ = false;
};

}  // namespace

int CountPlacements(const ExportNode& node) {
  int count = node.part >= 0 ? 1 : 0;
  for (const ExportNode& child : node.children) count += CountPlacements(child);
  return count;
}

ExportModel GatherModel(OcctEvaluator& kernel, ref::SceneShape& root,
                        const ExportOptions& options) {
  ExportModel model;
  model.root.name = root.Name();
  // The scene's own frame goes into its children's; with one part chosen, that part hangs
  // straight under the scene with its assemblies' frames.
  Gatherer(kernel, options).Walk(root, ToTrsf(root.Frame()), model.root, model);
  return model;
}

}  // namespace host::occt
