// Fusing a standing solid of revolution onto a bored end face: the faces of both but the two
// that meet, and new planar faces for what of them is left, sharing the edges there are.
#include "host/occt/StandingCap.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRep_Tool.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Vertex.hxx>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "host/occt/CapFaces.h"
#include "host/occt/SunkCap.h"

namespace host::occt {
namespace {

// Where the standing solid meets the plane: its one face there, the circles bounding it (the
// inner one null for a disk), and, when its outer circle is to be the end face's rim, the
// cylinder rising from it with its seam and its far circle.
struct Footprint {
  TopoDS_Face face;
  TopoDS_Edge outer, inner;
  double outerRadius = 0, innerRadius = 0;
  TopoDS_Face side;
  TopoDS_Edge seam, far;
};

std::optional<Footprint> FootprintOf(const TopoDS_Shape& solid, double z) {
  Footprint out;
  out.face = OnlyFaceAt(solid, z);
  if (out.face.IsNull()) return {};
  for (const TopoDS_Edge& edge : EdgesOf(out.face)) {
    std::optional<double> radius = AxialCircle(edge, z);
    if (!radius || !BRep_Tool::IsClosed(edge)) return {};
    if (out.outer.IsNull()) {
      out.outer = edge, out.outerRadius = *radius;
    } else if (out.inner.IsNull()) {
      out.inner = edge, out.innerRadius = *radius;
    } else {
      return {};
    }
  }
  if (out.outer.IsNull()) return {};
  if (out.innerRadius > out.outerRadius) {
    std::swap(out.outer, out.inner);
    std::swap(out.outerRadius, out.innerRadius);
  }
  if (!out.inner.IsNull() && !(out.outerRadius - out.innerRadius > kClearance)) return {};
  // Anything else of the solid in the plane would meet the prism beyond the footprint.
  for (TopExp_Explorer e(solid, TopAbs_VERTEX); e.More(); e.Next()) {
    gp_Pnt p = BRep_Tool::Pnt(TopoDS::Vertex(e.Current()));
    if (std::abs(p.Z() - z) < kExact && std::hypot(p.X(), p.Y()) > out.outerRadius + kExact) {
      return {};
    }
  }
  return out;
}

// The cylinder about the axis rising from the footprint's outer circle, bounded by that circle,
// one seam and one far circle; false when the face there is anything else.
bool FindSide(const TopoDS_Shape& solid, Footprint& print) {
  for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
    const TopoDS_Face& face = TopoDS::Face(e.Current());
    if (face.IsSame(print.face)) continue;
    Loop edges = EdgesOf(face);
    auto same = [&](const TopoDS_Edge& edge) { return edge.IsSame(print.outer); };
    if (std::none_of(edges.begin(), edges.end(), same)) continue;
    BRepAdaptor_Surface surface(face, Standard_False);
    if (surface.GetType() != GeomAbs_Cylinder) return false;
    gp_Cylinder cylinder = surface.Cylinder();
    gp_Pnt at = cylinder.Location();
    if (!cylinder.Axis().Direction().IsParallel(gp::DZ(), kExact) ||
        std::hypot(at.X(), at.Y()) > kExact ||
        std::abs(cylinder.Radius() - print.outerRadius) > kExact) {
      return false;
    }
    print.side = face;
    for (const TopoDS_Edge& edge : edges) {
      if (same(edge)) continue;
      if (BRep_Tool::IsClosed(edge, face)) {
        if (!print.seam.IsNull() && !print.seam.IsSame(edge)) return false;
        print.seam = edge;
      } else if (print.far.IsNull() && BRep_Tool::IsClosed(edge)) {
        print.far = edge;
      } else {
        return false;
      }
    }
    return !print.seam.IsNull() && !print.far.IsNull();
  }
  return false;
}

}  // namespace

TopoDS_Shape FuseCap(const TopoDS_Shape& prism, const TopoDS_Shape& solid, double z, bool below) {
  std::optional<EndFace> end = EndFaceOf(prism, z);
  if (!Beyond(solid, z, below)) return FuseSunk(prism, solid, z, below);
  std::optional<Footprint> print = FootprintOf(solid, z);
  if (!end || !print) return {};
  const double a = print->inner.IsNull() ? 0 : print->innerRadius, b = print->outerRadius;
  const double rb = end->boreRadius;
  // The footprint reaches onto the face, and its inner circle keeps off the bore's.
  if (!(b > rb + kClearance) || (a > 0 && std::abs(a - rb) < kClearance)) return {};
  bool onRim = end->rimCircle && std::abs(*end->rimCircle - b) < kExact;
  if (!onRim && !(b < end->inscribed - kClearance)) return {};

  // The solid is a solid of revolution: turned about the axis it is the same solid. On the rim,
  // its side's seam is turned to where the rim's first arc starts. The copy is the solid's own:
  // its edges gain traces on the new faces, and the features' solids are shared between parts.
  gp_Trsf turn;
  if (onRim) {
    if (!FindSide(solid, *print)) return {};
    double from = Angle(BRep_Tool::Pnt(TopExp::FirstVertex(print->far)));
    double to = Angle(BRep_Tool::Pnt(TopExp::FirstVertex(end->rim.front(), Standard_True)));
    turn.SetRotation(gp::OZ(), to - from);
  }
  TopoDS_Shape own = BRepBuilderAPI_Transform(solid, turn, Standard_True).Shape();
  print = FootprintOf(own, z);
  if (!print || (onRim && !FindSide(own, *print))) {
    throw Standard_ConstructionError("a cap's turned copy");
  }

  const gp_Dir outward = below ? -gp::DZ() : gp::DZ();
  std::vector<TopoDS_Face> made;
  TopoDS_Edge outer = AsIn(print->face, print->outer);
  TopoDS_Edge inner = print->inner.IsNull() ? TopoDS_Edge() : AsIn(print->face, print->inner);
  if (onRim) {
    made.push_back(
        SideBetween(end->rim, AsIn(print->side, print->far), print->outerRadius, z, false));
  } else {
    made.push_back(PlanarFace(z, outward, {end->rim, {outer}}));
  }
  // The end face left bare inside the footprint's ring, about the bore.
  if (a > rb) {
    std::vector<Loop> loops{{inner}};
    if (!end->bore.IsNull()) loops.push_back({end->bore});
    made.push_back(PlanarFace(z, outward, loops));
  }
  // The footprint over the bore, facing into it.
  if (!end->bore.IsNull() && a < rb) {
    std::vector<Loop> loops{{end->bore}};
    if (!inner.IsNull()) loops.push_back({inner});
    made.push_back(PlanarFace(z, outward.Reversed(), loops));
  }

  return Assemble(prism, own, {end->face, print->face, print->side}, made);
}

}  // namespace host::occt
