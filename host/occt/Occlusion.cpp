// Ray tests against placed solids, each solid's intersector built when a ray first reaches its
// box.
#include "host/occt/Occlusion.h"

#include <BRepBndLib.hxx>
#include <Bnd_Box.hxx>
#include <IntCurvesFace_ShapeIntersector.hxx>
#include <Precision.hxx>
#include <gp_Lin.hxx>

namespace host::occt {

struct Occlusion::Solid {
  TopoDS_Shape shape;
  Bnd_Box box;
  std::unique_ptr<IntCurvesFace_ShapeIntersector> intersector;
};

Occlusion::Occlusion(const std::vector<TopoDS_Shape>& solids, ref::Vec3 toEye) : toEye_(toEye) {
  for (const TopoDS_Shape& s : solids) {
    auto solid = std::make_unique<Solid>();
    solid->shape = s;
    BRepBndLib::Add(s, solid->box);
    solids_.push_back(std::move(solid));
  }
}

Occlusion::~Occlusion() = default;

IntCurvesFace_ShapeIntersector& Occlusion::Intersector(Solid& solid) {
  if (!solid.intersector) {
    solid.intersector = std::make_unique<IntCurvesFace_ShapeIntersector>();
    solid.intersector->Load(solid.shape, Precision::Confusion());
  }
  return *solid.intersector;
}

bool Occlusion::Hidden(std::size_t own, ref::Vec3 p, double ownClearance) {
  gp_Lin ray(gp_Pnt(p.x, p.y, p.z), gp_Dir(toEye_.x, toEye_.y, toEye_.z));
  for (std::size_t i = 0; i < solids_.size(); ++i) {
    Solid& s = *solids_[i];
    if (s.box.IsOut(ray)) continue;
    IntCurvesFace_ShapeIntersector& hit = Intersector(s);
    hit.PerformNearest(ray, i == own ? ownClearance : 0, Precision::Infinite());
    if (hit.IsDone() && hit.NbPnt() > 0) return true;
  }
  return false;
}

}  // namespace host::occt
