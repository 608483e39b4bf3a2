// Fusing a solid of revolution sunk into a bored end face: the faces beyond the face kept, the
// sunk ones dropped, and the two bore walls made one.
#include "host/occt/SunkCap.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRep_Tool.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Vertex.hxx>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "host/occt/CapFaces.h"

namespace host::occt {
namespace {

// A cylinder about the axis bounded by one seam and two full circles, the lower one first.
struct Wall {
  TopoDS_Face face;
  TopoDS_Edge lower, upper;

  double Height(const TopoDS_Edge& circle) const {
    return BRep_Tool::Pnt(TopExp::FirstVertex(circle)).Z();
  }
  // The circle beyond height `z` (`below`: the lower one) and the other one.
  const TopoDS_Edge& Beyond(bool below) const { return below ? lower : upper; }
  const TopoDS_Edge& Within(bool below) const { return below ? upper : lower; }
};

std::optional<Wall> WallOf(const TopoDS_Face& face, double radius) {
  BRepAdaptor_Surface surface(face, Standard_False);
  if (surface.GetType() != GeomAbs_Cylinder) return {};
  gp_Cylinder cylinder = surface.Cylinder();
  gp_Pnt at = cylinder.Location();
  if (!cylinder.Axis().Direction().IsParallel(gp::DZ(), kExact) ||
      std::hypot(at.X(), at.Y()) > kExact || std::abs(cylinder.Radius() - radius) > kExact) {
    return {};
  }
  Wall wall{face, {}, {}};
  TopoDS_Edge seam;
  std::vector<TopoDS_Edge> circles;
  for (const TopoDS_Edge& edge : EdgesOf(face)) {
    if (BRep_Tool::IsClosed(edge, face)) {
      if (!seam.IsNull() && !seam.IsSame(edge)) return {};
      seam = edge;
    } else if (BRep_Tool::IsClosed(edge)) {
      circles.push_back(edge);
    } else {
      return {};
    }
  }
  if (seam.IsNull() || circles.size() != 2) return {};
  wall.lower = circles[0], wall.upper = circles[1];
  if (wall.Height(wall.lower) > wall.Height(wall.upper)) std::swap(wall.lower, wall.upper);
  return wall;
}

// The least and greatest distance from the axis along an edge of a plane, cylinder or cone about
// the axis: a circle about the axis, or a straight segment.
std::optional<std::pair<double, double>> RadialReach(const TopoDS_Edge& edge) {
  BRepAdaptor_Curve curve(edge);
  if (curve.GetType() == GeomAbs_Circle) {
    gp_Circ circle = curve.Circle();
    gp_Pnt centre = circle.Location();
    if (!circle.Axis().Direction().IsParallel(gp::DZ(), kExact) ||
        std::hypot(centre.X(), centre.Y()) > kExact) {
      return {};
    }
    return std::make_pair(circle.Radius(), circle.Radius());
  }
  if (curve.GetType() != GeomAbs_Line) return {};
  gp_Pnt a = curve.Value(curve.FirstParameter()), b = curve.Value(curve.LastParameter());
  double ra = std::hypot(a.X(), a.Y()), rb = std::hypot(b.X(), b.Y());
  return std::make_pair(std::min(ra, rb), std::max(ra, rb));
}

// The sunk solid's faces: those beyond the plane at `z`, those on the prism's side of it (inside
// the ring between the bore and `reach`, short of the prism's far end at `farEnd`), the bore
// wall that passes the plane, and the circle in the plane where the faces beyond meet those
// inside, as a face inside takes it.
struct Sunk {
  std::vector<TopoDS_Face> beyond, inside;
  Wall wall;
  TopoDS_Edge foot;
  double footRadius = 0;
};

std::optional<Sunk> SunkOf(const TopoDS_Shape& solid, double z, bool below, double bore,
                           double reach, double farEnd) {
  Sunk out;
  bool walled = false;
  for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
    const TopoDS_Face& face = TopoDS::Face(e.Current());
    if (Beyond(face, z, below)) {
      out.beyond.push_back(face);
    } else if (Beyond(face, z, !below)) {
      out.inside.push_back(face);
    } else if (std::optional<Wall> wall = WallOf(face, bore); wall && !walled) {
      out.wall = *wall;
      walled = true;
    } else {
      return {};
    }
  }
  if (!walled || out.beyond.empty() || out.inside.empty()) return {};
  for (const TopoDS_Face& face : out.inside) {
    GeomAbs_SurfaceType type = BRepAdaptor_Surface(face, Standard_False).GetType();
    if (type != GeomAbs_Plane && type != GeomAbs_Cylinder && type != GeomAbs_Cone) return {};
    if (!Beyond(face, farEnd + (below ? -kClearance : kClearance), below)) return {};
    for (const TopoDS_Edge& edge : EdgesOf(face)) {
      auto radial = RadialReach(edge);
      if (!radial || radial->first < bore - kExact || radial->second > reach - kClearance) {
        return {};
      }
    }
  }
  // The faces beyond meet the plane in one circle, which an inside face shares.
  for (const TopoDS_Face& face : out.beyond) {
    for (const TopoDS_Edge& edge : EdgesOf(face)) {
      std::optional<double> radius = AxialCircle(edge, z);
      if (!radius) continue;
      if (!out.foot.IsNull() && !out.foot.IsSame(edge)) return {};
      out.foot = edge, out.footRadius = *radius;
    }
    for (TopExp_Explorer v(face, TopAbs_VERTEX); v.More(); v.Next()) {
      gp_Pnt p = BRep_Tool::Pnt(TopoDS::Vertex(v.Current()));
      if (std::abs(p.Z() - z) < kExact && out.foot.IsNull()) return {};
    }
  }
  if (out.foot.IsNull() || !(out.footRadius > bore + kClearance)) return {};
  for (const TopoDS_Face& face : out.inside) {
    Loop edges = EdgesOf(face);
    auto same = [&](const TopoDS_Edge& edge) { return edge.IsSame(out.foot); };
    if (auto it = std::find_if(edges.begin(), edges.end(), same); it != edges.end()) {
      out.foot = *it;
      return out;
    }
  }
  return {};
}

}  // namespace

TopoDS_Shape FuseSunk(const TopoDS_Shape& prism, const TopoDS_Shape& solid, double z, bool below) {
  std::optional<EndFace> end = EndFaceOf(prism, z);
  if (!end || end->bore.IsNull()) return {};
  // The prism's bore wall, and its end face at the far end.
  std::optional<Wall> bore;
  for (TopExp_Explorer e(prism, TopAbs_FACE); e.More() && !bore; e.Next()) {
    bore = WallOf(TopoDS::Face(e.Current()), end->boreRadius);
    if (bore && !bore->Beyond(below).IsSame(end->bore)) bore.reset();
  }
  if (!bore) return {};
  const TopoDS_Edge& farCircle = bore->Within(below);
  double farZ = bore->Height(farCircle);
  std::optional<EndFace> farEnd = EndFaceOf(prism, farZ);
  if (!farEnd) return {};
  double reach = std::min(end->inscribed, farEnd->inscribed);
  std::optional<Sunk> sunk = SunkOf(solid, z, below, end->boreRadius, reach, farZ);
  if (!sunk || !(sunk->footRadius < end->inscribed - kClearance)) return {};

  // Turned about the axis (it is a solid of revolution) so that its wall's far circle starts
  // above the prism's: the one bore's seam joins them. The copy is the solid's own: its edges
  // gain traces on the new faces.
  gp_Trsf turn;
  double from = Angle(BRep_Tool::Pnt(TopExp::FirstVertex(sunk->wall.Beyond(below))));
  turn.SetRotation(gp::OZ(), Angle(BRep_Tool::Pnt(TopExp::FirstVertex(farCircle))) - from);
  TopoDS_Shape own = BRepBuilderAPI_Transform(solid, turn, Standard_True).Shape();
  sunk = SunkOf(own, z, below, end->boreRadius, reach, farZ);
  if (!sunk) throw Standard_ConstructionError("a sunk solid's turned copy");

  const gp_Dir outward = below ? -gp::DZ() : gp::DZ();
  std::vector<TopoDS_Face> made{
      PlanarFace(z, outward, {end->rim, {sunk->foot}}),
      SideBetween({AsIn(bore->face, farCircle)}, AsIn(sunk->wall.face, sunk->wall.Beyond(below)),
                  end->boreRadius, farZ, true)};
  std::vector<TopoDS_Face> dropped{end->face, bore->face, sunk->wall.face};
  dropped.insert(dropped.end(), sunk->inside.begin(), sunk->inside.end());
  return Assemble(prism, own, dropped, made);
}

}  // namespace host::occt
