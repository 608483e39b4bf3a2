// Direct cuts of cross recesses through domes. A boolean traces where every wall of the recess
// meets the sphere, walking the curves the corner cylinders make with it; here those curves are
// known from the recess's measures, the walls are built cut off at the sphere, and the sphere's
// face is rebuilt with the opening as a hole. The face is rebuilt on a sphere whose poles lie
// on its equator, sideways: its own pole and seam would cross the opening.
#include "host/occt/DomeRecess.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_Copy.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepGProp.hxx>
#include <BRepLib.hxx>
#include <BRepTools.hxx>
#include <BRepTopAdaptor_FClass2d.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <ElSLib.hxx>
#include <GProp_GProps.hxx>
#include <GeomProjLib.hxx>
#include <Geom_SphericalSurface.hxx>
#include <Precision.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Shell.hxx>
#include <TopoDS_Solid.hxx>
#include <TopoDS_Wire.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Ax3.hxx>
#include <gp_Pnt2d.hxx>
#include <optional>
#include <vector>

#include "host/occt/CrossRecessFaces.h"
#include "host/occt/RecessMeasures.h"

namespace host::occt {
namespace {

// Positions must agree to this (mm) to be taken as equal.
constexpr double kMatch = 1e-7;
// How far the solid's other faces and the dome's edges keep from the recess (mm).
constexpr double kClearance = 1e-3;

std::vector<gp_Pnt> Corners(const TopoDS_Shape& shape) {
  TopTools_IndexedMapOfShape vertices;
  TopExp::MapShapes(shape, TopAbs_VERTEX, vertices);
  std::vector<gp_Pnt> out;
  for (int i = 1; i <= vertices.Extent(); ++i) {
    out.push_back(BRep_Tool::Pnt(TopoDS::Vertex(vertices(i))));
  }
  return out;
}

// The type H recess whose union `tool` is: its measures read from its corners' extents, then
// its corners and volume checked against the union those measures make.
std::optional<Recess> RecogniseUnion(const TopoDS_Shape& tool) {
  std::vector<gp_Pnt> corners = Corners(tool);
  if (corners.empty()) return std::nullopt;
  double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300, z0 = 1e300, z1 = -1e300;
  for (const gp_Pnt& p : corners) {
    x0 = std::min(x0, p.X()), x1 = std::max(x1, p.X());
    y0 = std::min(y0, p.Y()), y1 = std::max(y1, p.Y());
    z0 = std::min(z0, p.Z()), z1 = std::max(z1, p.Z());
  }
  Recess r;
  r.cx = (x0 + x1) / 2, r.cy = (y0 + y1) / 2, r.top = z1, r.t = z1 - z0, r.w = (x1 - x0) / 2;
  if (std::abs((y1 - y0) / 2 - r.w) > kMatch) return std::nullopt;
  for (const gp_Pnt& p : corners) {
    if (std::abs(p.Z() - z1) < kMatch && std::abs(p.X() - x1) < kMatch) {
      r.b = std::max(r.b, 2 * std::abs(p.Y() - r.cy));
    }
  }
  if (r.b < kClearance || r.t < kClearance || r.w < 1.5 * r.b + kClearance) return std::nullopt;
  TopoDS_Shape expected = CrossRecessUnion(r, nullptr);
  GProp_GProps props;
  BRepGProp::VolumeProperties(expected, props);
  if (!HasCorners(tool, Corners(expected), props.Mass())) return std::nullopt;
  return r;
}

bool OnAxis(const gp_Ax1& axis, const Recess& r) {
  return axis.Direction().IsParallel(gp::DZ(), Precision::Angular()) &&
         std::abs(axis.Location().X() - r.cx) < kMatch &&
         std::abs(axis.Location().Y() - r.cy) < kMatch;
}

// How far the recess reaches from its axis at depth d below its top: the blades' outer corners,
// their ends tapering below t/3, and the prism's corners.
double ReachAt(const Recess& r, double d) {
  double half = d <= r.t / 3 ? r.w : r.w - (d - r.t / 3) * (r.w - r.b / 2) / (2 * r.t / 3);
  return std::max(std::hypot(half, r.b / 2), std::hypot(1.5 * r.b, r.b / 2));
}

// Whether a face about the recess's axis is shown to keep clear of the recess between heights
// `low` and `high`: a cylinder wider than its reach, or a cone between two circles about the
// axis wider than it at every height (its radius linear in height, the recess's reach convex in
// it between the depths sampled, so that the ends of each stretch decide).
bool ClearAbout(const TopoDS_Face& face, const Recess& r, double low, double high) {
  BRepAdaptor_Surface surface(face, Standard_False);
  if (surface.GetType() == GeomAbs_Cylinder) {
    return OnAxis(surface.Cylinder().Axis(), r) &&
           surface.Cylinder().Radius() > ReachAt(r, 0) + kClearance;
  }
  if (surface.GetType() != GeomAbs_Cone || !OnAxis(surface.Cone().Axis(), r)) return false;
  std::vector<gp_Pnt2d> ends;  // (height, radius) of its circles
  for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
    if (BRep_Tool::Degenerated(edge) || BRep_Tool::IsClosed(edge, face)) continue;
    BRepAdaptor_Curve curve(edge);
    if (curve.GetType() != GeomAbs_Circle || !OnAxis(curve.Circle().Axis(), r)) {
      return false;
    }
    ends.emplace_back(curve.Circle().Location().Z(), curve.Circle().Radius());
  }
  if (ends.size() != 2 || std::abs(ends[0].X() - ends[1].X()) < kMatch) return false;
  if (ends[0].X() > ends[1].X()) std::swap(ends[0], ends[1]);
  const double from = std::max(low, ends[0].X()), to = std::min(high, ends[1].X());
  std::vector<double> heights{from, to};
  for (double d : {0.0, r.t / 3, r.DepthAt(1.5 * r.b), r.t}) heights.push_back(r.top - d);
  for (double z : heights) {
    if (z < from || z > to) continue;
    double radius =
        ends[0].Y() + (ends[1].Y() - ends[0].Y()) * (z - ends[0].X()) / (ends[1].X() - ends[0].X());
    if (radius <= ReachAt(r, r.top - z) + kClearance) return false;
  }
  return true;
}

// The dome's face: spherical about the recess's axis, material below it, under the recess's
// top and over its first corners below the top, its own edges (the seam and the pole aside)
// circles about the axis wide of the opening and clear of the sphere's equator.
struct Dome {
  TopoDS_Face face;
  gp_Sphere sphere;
};

std::optional<Dome> FindDome(const TopoDS_Shape& solid, const Recess& r, double reach) {
  std::optional<Dome> dome;
  for (TopExp_Explorer f(solid, TopAbs_FACE); f.More(); f.Next()) {
    const TopoDS_Face& face = TopoDS::Face(f.Current());
    BRepAdaptor_Surface surface(face, Standard_False);
    if (surface.GetType() != GeomAbs_Sphere) continue;
    gp_Sphere sphere = surface.Sphere();
    gp_Pnt c = sphere.Location();
    if (std::abs(c.X() - r.cx) > kMatch || std::abs(c.Y() - r.cy) > kMatch) continue;
    if (dome) return std::nullopt;  // two domes about the axis
    dome = Dome{face, sphere};
  }
  if (!dome) return std::nullopt;
  const double radius = dome->sphere.Radius(), centre = dome->sphere.Location().Z();
  const double first = std::min(r.t / 3, r.DepthAt(1.5 * r.b));
  if (centre + radius > r.top + kMatch || radius < reach / 0.9) return std::nullopt;
  if (r.top - (centre + std::sqrt(radius * radius - reach * reach)) > first - kClearance) {
    return std::nullopt;
  }
  // Material below: the face's outward normal points away from the centre.
  bool outward = dome->sphere.Position().Direct() == (dome->face.Orientation() != TopAbs_REVERSED);
  if (!outward) return std::nullopt;
  int circles = 0;
  for (TopExp_Explorer e(dome->face, TopAbs_EDGE); e.More(); e.Next(), ++circles) {
    const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
    if (BRep_Tool::Degenerated(edge) || BRep_Tool::IsClosed(edge, dome->face)) {
      --circles;
      continue;
    }
    BRepAdaptor_Curve curve(edge);
    if (curve.GetType() != GeomAbs_Circle || !OnAxis(curve.Circle().Axis(), r) ||
        curve.Circle().Radius() < reach + kClearance || curve.Circle().Radius() > 0.9 * radius) {
      return std::nullopt;
    }
  }
  // One circle bounds a cap: the one holding the top of the sphere.
  double u = 0, v = 0, u0 = 0, u1 = 0, v0 = 0, v1 = 0;
  ElSLib::Parameters(dome->sphere, gp_Pnt(r.cx, r.cy, centre + radius), u, v);
  BRepTools::UVBounds(dome->face, u0, u1, v0, v1);
  if (circles != 1 || v < v0 - Precision::PConfusion() || v > v1 + Precision::PConfusion()) {
    return std::nullopt;
  }
  return dome;
}

// No face of the solid but the dome comes within the cylinder about the axis holding the
// recess, from below its bottom up to the dome: that region is then all material.
bool OthersClear(const TopoDS_Shape& solid, const Dome& dome, const Recess& r, double reach) {
  Bnd_Box region;
  const double wide = reach + kClearance, low = r.top - r.t - kClearance, high = r.top + kClearance;
  region.Update(r.cx - wide, r.cy - wide, low, r.cx + wide, r.cy + wide, high);
  for (TopExp_Explorer f(solid, TopAbs_FACE); f.More(); f.Next()) {
    const TopoDS_Face& face = TopoDS::Face(f.Current());
    if (face.IsSame(dome.face)) continue;
    if (ClearAbout(face, r, low, high)) continue;
    Bnd_Box box;
    BRepBndLib::Add(face, box, Standard_False);
    if (!box.IsOut(region)) return false;
  }
  return true;
}

// Gives each edge its curve on `face`'s surface, by projection.
void OnSurface(const TopoDS_Wire& wire, const TopoDS_Face& face) {
  BRep_Builder builder;
  Handle(Geom_Surface) surface = BRep_Tool::Surface(face);
  for (TopExp_Explorer e(wire, TopAbs_EDGE); e.More(); e.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
    double first = 0, last = 0;
    Handle(Geom_Curve) curve = BRep_Tool::Curve(edge, first, last);
    double tolerance = Precision::Confusion();
    Handle(Geom2d_Curve) onFace = GeomProjLib::Curve2d(curve, first, last, surface, tolerance);
    if (onFace.IsNull()) throw Standard_Failure("an edge does not lie on the dome");
    builder.UpdateEdge(edge, onFace, face, std::max(tolerance, BRep_Tool::Tolerance(edge)));
    builder.Range(edge, face, first, last);
    builder.SameParameter(edge, Standard_False);
    BRepLib::SameParameter(edge, Precision::Confusion());
  }
}

// `wire` turned to bound `face` as a hole (the face's side of it holds the point at infinity
// of the surface's parameters) or as its outer boundary.
TopoDS_Wire Turned(TopoDS_Wire wire, const TopoDS_Face& face, bool hole) {
  BRep_Builder builder;
  TopLoc_Location location;
  TopoDS_Face probe;
  builder.MakeFace(probe, BRep_Tool::Surface(face, location), location, Precision::Confusion());
  builder.Add(probe, wire);
  bool infinite =
      BRepTopAdaptor_FClass2d(probe, Precision::PConfusion()).PerformInfinitePoint() == TopAbs_IN;
  if (infinite != hole) wire.Reverse();
  return wire;
}

TopoDS_Shape Build(const TopoDS_Shape& solid, const TopoDS_Shape& tool) {
  std::optional<Recess> r = RecogniseUnion(tool);
  if (!r) return {};
  const double reach = std::hypot(r->w, r->b / 2);  // the blades' outer corners
  std::optional<Dome> found = FindDome(solid, *r, reach);
  if (!found || !OthersClear(solid, *found, *r, reach)) return {};

  // A copy, so that the dome's circles can take their curves on the new sphere.
  BRepBuilderAPI_Copy copy(solid);
  const TopoDS_Face dome = TopoDS::Face(copy.Modified(found->face).First());
  DomeLining lining = CrossRecessUnderDome(*r, found->sphere);

  BRep_Builder builder;
  Handle(Geom_SphericalSurface) sideways = new Geom_SphericalSurface(
      gp_Ax3(found->sphere.Location(), gp::DX(), -gp::DZ()), found->sphere.Radius());
  TopoDS_Face face;
  builder.MakeFace(face, sideways, BRep_Tool::Tolerance(dome));
  BRepBuilderAPI_MakeWire rim, opening;
  for (TopExp_Explorer e(dome, TopAbs_EDGE); e.More(); e.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
    if (!BRep_Tool::Degenerated(edge) && !BRep_Tool::IsClosed(edge, dome)) rim.Add(edge);
  }
  for (const TopoDS_Edge& edge : lining.opening) opening.Add(edge);
  if (!rim.IsDone() || !opening.IsDone()) return {};
  OnSurface(rim.Wire(), face);
  OnSurface(opening.Wire(), face);
  builder.Add(face, Turned(rim.Wire(), face, false));
  builder.Add(face, Turned(opening.Wire(), face, true));

  TopoDS_Shell shell;
  builder.MakeShell(shell);
  for (TopExp_Explorer f(copy.Shape(), TopAbs_FACE); f.More(); f.Next()) {
    if (!f.Current().IsSame(dome)) builder.Add(shell, f.Current());
  }
  builder.Add(shell, face);
  for (const TopoDS_Face& wall : lining.faces) builder.Add(shell, wall.Reversed());
  shell.Closed(Standard_True);
  TopoDS_Solid result;
  builder.MakeSolid(result);
  builder.Add(result, shell);
  return result;
}

}  // namespace

TopoDS_Shape CutDomedCrossRecess(const TopoDS_Shape& solid, const TopoDS_Shape& tool) {
  int solids = 0;
  for (TopExp_Explorer e(solid, TopAbs_SOLID); e.More(); e.Next()) ++solids;
  if (solids != 1) return {};
  try {
    return Build(solid, tool);
  } catch (const Standard_Failure&) {
    return {};  // not built: the boolean decides
  }
}

}  // namespace host::occt
