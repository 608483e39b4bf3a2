// Walking the scene for its placed parts.
#include "host/occt/PlacedParts.h"

#include <gp_Ax3.hxx>

#include "host/occt/Kernel.h"

namespace host::occt {
namespace {

void Collect(OcctEvaluator& kernel, ref::SceneShape& shape, const ref::RigidTransform& parent,
             std::vector<PlacedPart>& out) {
  for (auto& child : shape.Children()) {
    if (child->Type() != kShapePart && child->Type() != kShapeAssembly) continue;
    ref::RigidTransform frame = ref::Then(child->Frame(), parent);
    if (child->Type() == kShapeAssembly) {
      Collect(kernel, *child, frame, out);
      continue;
    }
    TopoDS_Shape solid = PartSolid(kernel, *child);
    if (!solid.IsNull()) out.push_back({child.get(), frame, solid});
  }
}

}  // namespace

std::vector<PlacedPart> PlacedParts(OcctEvaluator& kernel, ref::SceneDocument& document) {
  std::vector<PlacedPart> parts;
  Collect(kernel, document.Root(), document.Root().Frame(), parts);
  return parts;
}

gp_Trsf ToTrsf(const ref::RigidTransform& t) {
  ref::Vec3 z = t.rotation * ref::Vec3{0, 0, 1}, x = t.rotation * ref::Vec3{1, 0, 0};
  gp_Trsf out;
  out.SetDisplacement(gp_Ax3(), gp_Ax3(gp_Pnt(t.translation.x, t.translation.y, t.translation.z),
                                       gp_Dir(z.x, z.y, z.z), gp_Dir(x.x, x.y, x.z)));
  return out;
}

}  // namespace host::occt
