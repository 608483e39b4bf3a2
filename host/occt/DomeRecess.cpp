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
#include <array>
#include <cmath>
#include <gp_Ax3.hxx>
#include <gp_Pnt2d.hxx>
#include <optional>
#include <vector>

#include "host/occt/ClosedSolid.h"
#include "host/occt/CrossRecessFaces.h"
#include "host/occt/MadeRecesses.h"
#include "host/occt/RecessMeasures.h"
#include "host/occt/StarRecess.h"

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

// A cross recess's union: its measures, and its star's tips for a type Z recess.
struct Union {
  Recess r;
  std::optional<std::array<StarTip, 4>> star;
};

// The tips of the star a type Z union's corners show: on each diagonal the tip on the top and
// the point below where it enters the corner wall, and on the top the two points where the
// star's edges cross the corner arc, strictly between its ends.
std::optional<std::array<StarTip, 4>> TipsAmong(const std::vector<gp_Pnt>& corners,
                                                const Recess& r) {
  auto arm = [&](int a) { return gp_Vec(r.At(a, 0, 0, 0), r.At(a, 1, 0, 0)); };
  std::array<StarTip, 4> tips;
  for (int c = 0; c < 4; ++c) {
    const gp_Pnt centre = r.At(c, 1.5 * r.b, 1.5 * r.b, 0);
    int onTop = 0, below = 0, crossings = 0;
    StarTip& t = tips[c];
    for (const gp_Pnt& p : corners) {
      const bool top = std::abs(p.Z() - r.top) < kMatch;
      gp_Vec fromAxis(gp_Pnt(r.cx, r.cy, p.Z()), p);
      double along = fromAxis.Dot(arm(c)), across = fromAxis.Dot(arm(c + 1));
      if (along > kClearance && std::abs(along - across) < kMatch) {
        (top ? t.tip : t.pierce) = p;
        ++(top ? onTop : below);
        continue;
      }
      gp_Vec fromCentre(centre, gp_Pnt(p.X(), p.Y(), centre.Z()));
      along = fromCentre.Dot(arm(c)), across = fromCentre.Dot(arm(c + 1));
      if (!top || std::abs(fromCentre.Magnitude() - r.b) > kMatch || along > -kClearance ||
          across > -kClearance) {
        continue;
      }
      // The crossing by arm c lies farther from arm c + 1.
      if (crossings++ == 0 || across < gp_Vec(centre, t.cross[0]).Dot(arm(c + 1))) {
        t.cross[1] = t.cross[0];
        t.cross[0] = p;
      } else {
        t.cross[1] = p;
      }
    }
    if (onTop != 1 || below != 1 || crossings != 2) return std::nullopt;
    for (int i = 0; i < 2; ++i) {
      gp_Vec normal = gp_Vec(t.cross[i], t.tip).Crossed(gp_Vec(t.cross[i], t.pierce));
      if (normal.Magnitude() < kMatch) return std::nullopt;
      t.wall[i] = gp_Pln(t.cross[i], normal);
    }
  }
  return tips;
}

// The type H or Z recess whose union `tool` is: its measures read from its corners' extents,
// then its corners and volume checked against the union those measures make.
std::optional<Union> RecogniseUnion(const TopoDS_Shape& tool) {
  // A union built lately face by face is known by its measures.
  if (std::optional<MadeRecess> made = RecallRecess(tool)) return Union{made->r, made->star};
  std::vector<gp_Pnt> corners = Corners(tool);
  if (corners.empty()) return std::nullopt;
  double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300, z0 = 1e300, z1 = -1e300;
  for (const gp_Pnt& p : corners) {
    x0 = std::min(x0, p.X()), x1 = std::max(x1, p.X());
    y0 = std::min(y0, p.Y()), y1 = std::max(y1, p.Y());
    z0 = std::min(z0, p.Z()), z1 = std::max(z1, p.Z());
  }
  Union u;
  Recess& r = u.r;
  r.cx = (x0 + x1) / 2, r.cy = (y0 + y1) / 2, r.top = z1, r.t = z1 - z0, r.w = (x1 - x0) / 2;
  if (std::abs((y1 - y0) / 2 - r.w) > kMatch) return std::nullopt;
  for (const gp_Pnt& p : corners) {
    if (std::abs(p.Z() - z1) < kMatch && std::abs(p.X() - x1) < kMatch) {
      r.b = std::max(r.b, 2 * std::abs(p.Y() - r.cy));
    }
  }
  if (r.b < kClearance || r.t < kClearance || r.w < 1.5 * r.b + kClearance) return std::nullopt;
  u.star = TipsAmong(corners, r);  // a type Z union has corners on the diagonals
  TopoDS_Shape expected = CrossRecessUnion(r, u.star ? &*u.star : nullptr);
  GProp_GProps props;
  BRepGProp::VolumeProperties(expected, props);
  if (!HasCorners(tool, Corners(expected), props.Mass())) return std::nullopt;
  return u;
}

bool OnAxis(const gp_Ax1& axis, const Recess& r) {
  return axis.Direction().IsParallel(gp::DZ(), Precision::Angular()) &&
         std::abs(axis.Location().X() - r.cx) < kMatch &&
         std::abs(axis.Location().Y() - r.cy) < kMatch;
}

// How far the recess reaches from its axis at depth d below its top: the blades' outer corners,
// their ends tapering below t/3, the prism's corners and a star's tips.
double ReachAt(const Union& u, double d) {
  const Recess& r = u.r;
  double half = d <= r.t / 3 ? r.w : r.w - (d - r.t / 3) * (r.w - r.b / 2) / (2 * r.t / 3);
  double reach = std::max(std::hypot(half, r.b / 2), std::hypot(1.5 * r.b, r.b / 2));
  if (u.star) {
    // The star's tip, running straight in from its top to where it enters the corner wall.
    const StarTip& t = u.star->front();
    gp_Pnt axis(r.cx, r.cy, 0);
    double top = axis.Distance(gp_Pnt(t.tip.X(), t.tip.Y(), 0)),
           in = axis.Distance(gp_Pnt(t.pierce.X(), t.pierce.Y(), 0)), depth = r.top - t.pierce.Z();
    if (d <= depth) reach = std::max(reach, top + (in - top) * d / depth);
  }
  return reach;
}

// Whether a face about the recess's axis is shown to keep clear of the recess between heights
// `low` and `high`: a cylinder wider than its reach, or a cone between two circles about the
// axis wider than it at every height (its radius linear in height, the recess's reach convex in
// it between the depths sampled, so that the ends of each stretch decide).
bool ClearAbout(const TopoDS_Face& face, const Union& u, double low, double high) {
  const Recess& r = u.r;
  BRepAdaptor_Surface surface(face, Standard_False);
  if (surface.GetType() == GeomAbs_Cylinder) {
    return OnAxis(surface.Cylinder().Axis(), r) &&
           surface.Cylinder().Radius() > ReachAt(u, 0) + kClearance;
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
  if (u.star) heights.push_back(u.star->front().pierce.Z());
  for (double z : heights) {
    if (z < from || z > to) continue;
    double radius =
        ends[0].Y() + (ends[1].Y() - ends[0].Y()) * (z - ends[0].X()) / (ends[1].X() - ends[0].X());
    if (radius <= ReachAt(u, r.top - z) + kClearance) return false;
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
bool OthersClear(const TopoDS_Shape& solid, const Dome& dome, const Union& u, double reach) {
  const Recess& r = u.r;
  Bnd_Box region;
  const double wide = reach + kClearance, low = r.top - r.t - kClearance, high = r.top + kClearance;
  region.Update(r.cx - wide, r.cy - wide, low, r.cx + wide, r.cy + wide, high);
  for (TopExp_Explorer f(solid, TopAbs_FACE); f.More(); f.Next()) {
    const TopoDS_Face& face = TopoDS::Face(f.Current());
    if (face.IsSame(dome.face)) continue;
    if (ClearAbout(face, u, low, high)) continue;
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
  std::optional<Union> recess = RecogniseUnion(tool);
  if (!recess) return {};
  const Recess* r = &recess->r;
  const std::array<StarTip, 4>* star = recess->star ? &*recess->star : nullptr;
  // The blades' outer corners, or the star's tips.
  double reach = std::hypot(r->w, r->b / 2);
  if (star)
    reach = std::max(reach, gp_Vec(gp_Pnt(r->cx, r->cy, r->top), (*star)[0].tip).Magnitude());
  std::optional<Dome> found = FindDome(solid, *r, reach);
  if (!found || !OthersClear(solid, *found, *recess, reach)) return {};

  // A copy, so that the dome's circles can take their curves on the new sphere.
  BRepBuilderAPI_Copy copy(solid);
  const TopoDS_Face dome = TopoDS::Face(copy.Modified(found->face).First());
  DomeLining lining = CrossRecessUnderDome(*r, star, found->sphere);

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
  return ClosedSolid(shell);
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
