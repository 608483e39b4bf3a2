// Ray picking on the parts' solids.
#include "host/occt/Picking.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <IntCurvesFace_ShapeIntersector.hxx>
#include <Precision.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Lin.hxx>
#include <gp_Torus.hxx>
#include <limits>
#include <vector>

#include "host/occt/Kernel.h"

namespace host::occt {
namespace {

using ref::Inverse;
using ref::Vec3;

Vec3 ToVec(const gp_XYZ& p) { return {p.X(), p.Y(), p.Z()}; }

struct Hit {
  double distance = std::numeric_limits<double>::infinity();
  std::vector<ref::SceneShape*> path;
  TopoDS_Face face;
  double u = 0, v = 0;
  Vec3 point;      // part frame
  Vec3 direction;  // the ray in the part frame
};

// Finds the nearest hit among the parts under `shape`, the ray given in `shape`'s frame.
void PickUnder(OcctEvaluator& kernel, ref::SceneShape& shape, std::vector<ref::SceneShape*>& path,
               Vec3 origin, Vec3 direction, Hit& best) {
  path.push_back(&shape);
  for (auto& child : shape.Children()) {
    if (child->Suppressed()) continue;
    if (child->Type() != kShapePart && child->Type() != kShapeAssembly) continue;
    ref::RigidTransform toChild = Inverse(child->Frame());
    Vec3 o = ref::Apply(toChild, origin);
    Vec3 d = toChild.rotation * direction;
    if (child->Type() == kShapeAssembly) {
      PickUnder(kernel, *child, path, o, d, best);
      continue;
    }
    TopoDS_Shape solid = PartSolid(kernel, *child);
    if (solid.IsNull()) continue;
    IntCurvesFace_ShapeIntersector intersector;
    intersector.Load(solid, Precision::Confusion());
    intersector.PerformNearest(gp_Lin(gp_Pnt(o.x, o.y, o.z), gp_Dir(d.x, d.y, d.z)), 0,
                               std::numeric_limits<double>::max());
    if (!intersector.IsDone() || intersector.NbPnt() == 0) continue;
    if (intersector.WParameter(1) >= best.distance) continue;
    best.distance = intersector.WParameter(1);
    best.path = path;
    best.path.push_back(child.get());
    best.face = intersector.Face(1);
    best.u = intersector.UParameter(1);
    best.v = intersector.VParameter(1);
    best.point = ToVec(intersector.Pnt(1).XYZ());
    best.direction = d;
  }
  path.pop_back();
}

// The stretches where the line (in `shape`'s frame) runs inside the solids of the parts under
// `shape`, as parameters along it.
void CollectMaterial(OcctEvaluator& kernel, ref::SceneShape& shape, Vec3 origin, Vec3 direction,
                     const ref::SceneShape* skip, std::vector<std::pair<double, double>>& spans) {
  for (auto& child : shape.Children()) {
    if (child->Suppressed() || child.get() == skip) continue;
    if (child->Type() != kShapePart && child->Type() != kShapeAssembly) continue;
    ref::RigidTransform toChild = Inverse(child->Frame());
    Vec3 o = ref::Apply(toChild, origin);
    Vec3 d = toChild.rotation * direction;
    if (child->Type() == kShapeAssembly) {
      CollectMaterial(kernel, *child, o, d, skip, spans);
      continue;
    }
    TopoDS_Shape solid = PartSolid(kernel, *child);
    if (solid.IsNull()) continue;
    IntCurvesFace_ShapeIntersector intersector;
    intersector.Load(solid, Precision::Confusion());
    const double reach = 1e6;
    intersector.Perform(gp_Lin(gp_Pnt(o.x, o.y, o.z), gp_Dir(d.x, d.y, d.z)), -reach, reach);
    if (!intersector.IsDone()) continue;
    std::vector<double> crossings;
    for (int i = 1; i <= intersector.NbPnt(); ++i) {
      // A line grazing a face touches it without entering the solid.
      if (intersector.Transition(i) == IntCurveSurface_Tangent) continue;
      crossings.push_back(intersector.WParameter(i));
    }
    std::sort(crossings.begin(), crossings.end());
    crossings.erase(std::unique(crossings.begin(), crossings.end(),
                                [](double a, double b) { return b - a < Precision::Confusion(); }),
                    crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      spans.emplace_back(crossings[i], crossings[i + 1]);
    }
  }
}

// The outward normal of the face at (u, v).
Vec3 Normal(const BRepAdaptor_Surface& surface, const TopoDS_Face& face, double u, double v) {
  gp_Pnt p;
  gp_Vec du, dv;
  surface.D1(u, v, p, du, dv);
  gp_Vec n = du.Crossed(dv);
  if (n.Magnitude() < Precision::Confusion()) return {};
  if (face.Orientation() == TopAbs_REVERSED) n.Reverse();
  n.Normalize();
  return ToVec(n.XYZ());
}

// For an axis with points location + t·along (t = the surface's v times `scale`), the end of
// the face's v-range that faces the ray's origin, and the axis direction pointing out there.
void AxisEntry(const TopoDS_Face& face, const gp_Ax1& axis, double scale, Vec3 ray,
               ref::DropHit& hit, double& vEntry) {
  double umin, umax, vmin, vmax;
  BRepTools::UVBounds(face, umin, umax, vmin, vmax);
  Vec3 along = ToVec(axis.Direction().XYZ());
  bool outward = ref::Dot(along, ray) <= 0;  // `along` points back towards the viewer
  vEntry = (outward == (scale >= 0)) ? vmax : vmin;
  hit.axisDirection = outward ? along : -1.0 * along;
  hit.axisPoint = ToVec(axis.Location().XYZ()) + (vEntry * scale) * along;
}

void DescribeFace(const Hit& best, ref::DropHit& hit) {
  BRepAdaptor_Surface surface(best.face);
  hit.elementType = kHitFace;
  hit.faceNormal = Normal(surface, best.face, best.u, best.v);
  double vEntry = 0;
  switch (surface.GetType()) {
    case GeomAbs_Plane:
      hit.geometryType = 1;
      break;
    case GeomAbs_Cylinder: {
      hit.geometryType = 2;
      gp_Cylinder c = surface.Cylinder();
      hit.majorRadius = c.Radius();
      AxisEntry(best.face, c.Axis(), 1, best.direction, hit, vEntry);
      break;
    }
    case GeomAbs_Cone: {
      hit.geometryType = 4;
      gp_Cone c = surface.Cone();
      AxisEntry(best.face, c.Axis(), std::cos(c.SemiAngle()), best.direction, hit, vEntry);
      // The narrow end of the cone is the hole the fastener passes.
      double umin, umax, vmin, vmax;
      BRepTools::UVBounds(best.face, umin, umax, vmin, vmax);
      double r1 = std::abs(c.RefRadius() + vmin * std::sin(c.SemiAngle()));
      double r2 = std::abs(c.RefRadius() + vmax * std::sin(c.SemiAngle()));
      hit.majorRadius = std::min(r1, r2);
      break;
    }
    case GeomAbs_Torus:
    case GeomAbs_SurfaceOfRevolution: {
      // A rounded edge: its axis towards the ray's origin and the hit point's distance from
      // it, kept only when it rounds a hole (see SeatOnHole).
      hit.geometryType = 11;
      const gp_Ax1 axis = surface.GetType() == GeomAbs_Torus ? surface.Torus().Axis()
                                                             : surface.AxeOfRevolution();
      const Vec3 along = ToVec(axis.Direction().XYZ());
      hit.axisDirection = ref::Dot(along, best.direction) <= 0 ? along : -1.0 * along;
      hit.axisPoint = ToVec(axis.Location().XYZ());
      const Vec3 offset = best.point - hit.axisPoint;
      hit.majorRadius = ref::Length(offset - ref::Dot(offset, along) * along);
      break;
    }
    case GeomAbs_Sphere:
      hit.geometryType = 11;
      break;
    default:
      hit.geometryType = 0;
      break;
  }
}

// A circular edge of the hit face passing within the tolerance of the hit point.
bool DescribeEdge(const Hit& best, ref::DropHit& hit) {
  for (TopExp_Explorer e(best.face, TopAbs_EDGE); e.More(); e.Next()) {
    // The seam of a rounding is a circle across the hole, not around it.
    if (BRep_Tool::IsClosed(TopoDS::Edge(e.Current()), best.face)) continue;
    BRepAdaptor_Curve curve(TopoDS::Edge(e.Current()));
    if (curve.GetType() != GeomAbs_Circle) continue;
    gp_Circ circle = curve.Circle();
    Vec3 centre = ToVec(circle.Location().XYZ());
    Vec3 axis = ToVec(circle.Axis().Direction().XYZ());
    Vec3 offset = best.point - centre;
    double height = ref::Dot(offset, axis);
    double radial = ref::Length(offset - height * axis);
    if (std::hypot(radial - circle.Radius(), height) > kEdgeTolerance) continue;
    hit.elementType = kHitEdge;
    hit.geometryType = 2;
    hit.axisPoint = centre;
    // Towards the ray's origin, as the axes of holes: the part then stands on the side the
    // drop came from, and a hole made for it runs away from it.
    hit.edgeDirection = ref::Dot(axis, best.direction) <= 0 ? axis : -1.0 * axis;
    hit.majorRadius = circle.Radius();
    return true;
  }
  return false;
}

// Whether the face is a cylinder on the axis (point `on`, direction `along`) whose material lies
// outside it (a bore, not a shaft); its radius then.
bool CoaxialBore(const TopoDS_Face& face, Vec3 on, Vec3 along, double& radius) {
  BRepAdaptor_Surface surface(face);
  if (surface.GetType() != GeomAbs_Cylinder) return false;
  gp_Cylinder c = surface.Cylinder();
  Vec3 dir = ToVec(c.Axis().Direction().XYZ());
  Vec3 offset = ToVec(c.Axis().Location().XYZ()) - on;
  if (ref::Length(ref::Cross(dir, along)) > 1e-9) return false;
  if (ref::Length(offset - ref::Dot(offset, along) * along) > 1e-6 * (1 + c.Radius())) return false;
  double umin, umax, vmin, vmax;
  BRepTools::UVBounds(face, umin, umax, vmin, vmax);
  const double u = (umin + umax) / 2, v = (vmin + vmax) / 2;
  Vec3 point = ToVec(surface.Value(u, v).XYZ()) - on;
  Vec3 radial = point - ref::Dot(point, along) * along;
  if (ref::Dot(Normal(surface, face, u, v), radial) >= 0) return false;
  radius = c.Radius();
  return true;
}

// A hole hit on its wall or on a circular edge: the fastener passes the narrowest coaxial bore
// of the part, and seats where its head meets the part first along the axis: the first plane
// across the axis met from outside just beyond the bore (a counterbore's floor; past a rounding
// or a chamfer of the top edge, the face around it). The hit's radius and axis point become
// those; a part with no bore on the axis (a shaft, a boss) keeps what was hit, and the answer
// is false.
bool SeatOnHole(const TopoDS_Shape& solid, ref::DropHit& hit) {
  const Vec3 out = hit.elementType == kHitEdge ? hit.edgeDirection : hit.axisDirection;
  double bore = std::numeric_limits<double>::infinity();
  for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
    double radius = 0;
    if (CoaxialBore(TopoDS::Face(e.Current()), hit.axisPoint, out, radius)) {
      bore = std::min(bore, radius);
    }
  }
  if (!std::isfinite(bore) || bore > hit.majorRadius + kEdgeTolerance) return false;
  hit.majorRadius = bore;

  Bnd_Box box;
  BRepBndLib::Add(solid, box);
  const double above = std::sqrt(box.SquareExtent()) +
                       std::abs(ref::Dot(ToVec(box.CornerMin().XYZ()) - hit.axisPoint, out)) + 1;
  Vec3 side = ref::Cross(out, Vec3{1, 0, 0});
  if (ref::Length(side) < 0.5) side = ref::Cross(out, Vec3{0, 1, 0});
  side = ref::Normalized(side);
  IntCurvesFace_ShapeIntersector intersector;
  intersector.Load(solid, Precision::Confusion());
  constexpr double kStep = 0.05;  // mm between probes, outwards from the bore
  for (double r = bore + kStep / 2; r < bore + 40; r += kStep) {
    Vec3 start = hit.axisPoint + above * out + r * side;
    intersector.PerformNearest(gp_Lin(gp_Pnt(start.x, start.y, start.z), gp_Dir(-out.x, -out.y, -out.z)),
                               0, std::numeric_limits<double>::max());
    if (!intersector.IsDone() || intersector.NbPnt() == 0) return true;
    BRepAdaptor_Surface surface(intersector.Face(1));
    if (surface.GetType() != GeomAbs_Plane) continue;
    if (std::abs(ref::Dot(ToVec(surface.Plane().Axis().Direction().XYZ()), out)) < 1 - 1e-9) continue;
    Vec3 met = ToVec(intersector.Pnt(1).XYZ()) - hit.axisPoint;
    hit.axisPoint = hit.axisPoint + ref::Dot(met, out) * out;
    return true;
  }
  return true;
}

}  // namespace

std::vector<std::pair<double, double>> MaterialAlong(OcctEvaluator& kernel, ref::SceneShape& parent,
                                                     Vec3 origin, Vec3 direction,
                                                     const ref::SceneShape* skip) {
  std::vector<std::pair<double, double>> spans;
  direction = ref::Normalized(direction);
  if (ref::Length(direction) == 0) return spans;
  Guarded("picking", [&] { CollectMaterial(kernel, parent, origin, direction, skip, spans); });
  std::sort(spans.begin(), spans.end());
  std::vector<std::pair<double, double>> joined;
  for (const auto& span : spans) {
    if (!joined.empty() && span.first <= joined.back().second + Precision::Confusion()) {
      joined.back().second = std::max(joined.back().second, span.second);
    } else {
      joined.push_back(span);
    }
  }
  return joined;
}

ref::DropHit PickScene(ref::SceneDocument& document, Vec3 origin, Vec3 direction) {
  ref::DropHit hit;
  hit.dropPoint = origin;
  direction = ref::Normalized(direction);
  if (ref::Length(direction) == 0) return hit;
  OcctEvaluator* kernel = KernelOf(document);
  if (kernel == nullptr) kernel = &AttachKernel(document);
  Hit best;
  std::vector<ref::SceneShape*> path;
  Vec3 o = ref::Apply(Inverse(document.Root().Frame()), origin);
  Vec3 d = Inverse(document.Root().Frame()).rotation * direction;
  Guarded("picking", [&] { PickUnder(*kernel, document.Root(), path, o, d, best); });
  if (best.path.empty()) return hit;
  hit.path = best.path;
  hit.pickPoint = best.point;
  Guarded("picking", [&] {
    DescribeFace(best, hit);
    // Near a circular edge the hit is that edge whichever face the ray met first, so two rays
    // at the rims of two alike holes read alike.
    DescribeEdge(best, hit);
    if (hit.elementType == kHitEdge || hit.geometryType == 2 || hit.geometryType == 4) {
      SeatOnHole(PartSolid(*kernel, *best.path.back()), hit);
    } else if (hit.geometryType == 11 && !SeatOnHole(PartSolid(*kernel, *best.path.back()), hit)) {
      hit.majorRadius = 0;  // a rounding of no hole: a face without an axis to use
      hit.axisPoint = hit.axisDirection = {};
    }
  });
  return hit;
}

}  // namespace host::occt
