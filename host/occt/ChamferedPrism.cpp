// The chamfered prism's faces and the edges they share, made one by one and put together into
// a closed shell.
#include "host/occt/ChamferedPrism.h"

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepLib.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <ElSLib.hxx>
#include <Geom2dAPI_Interpolate.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <Geom2d_Line.hxx>
#include <Geom_Circle.hxx>
#include <Geom_ConicalSurface.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <Geom_Hyperbola.hxx>
#include <Geom_Plane.hxx>
#include <TColStd_HArray1OfReal.hxx>
#include <TColgp_HArray1OfPnt2d.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shell.hxx>
#include <TopoDS_Solid.hxx>
#include <TopoDS_Vertex.hxx>
#include <TopoDS_Wire.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Ax3.hxx>
#include <gp_Hypr.hxx>
#include <gp_Pln.hxx>

#include "host/occt/ClosedSolid.h"
#include "host/occt/FaceParts.h"

namespace host::occt {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTolerance = kFaceTolerance;
// A chamfer circle this close to a flat (mm) touches it: the flat keeps one point of its end.
constexpr double kTouching = 1e-9;
// Corners, flats and the bore keep at least this far (mm) from what they must not meet.
constexpr double kClearance = 1e-5;

// A flat of the prism: its corners in counter-clockwise order, and where they lie along the
// flat measured from the foot of the perpendicular from the axis.
struct Flat {
  gp_Pnt2d from, to;
  gp_Dir2d along, outward;
  double distance = 0;  // from the axis
  double start = 0, end = 0;

  Flat(const gp_Pnt2d& a, const gp_Pnt2d& b) : from(a), to(b), along(gp_Vec2d(a, b)) {
    outward = gp_Dir2d(along.Y(), -along.X());
    distance = a.XY().Dot(outward.XY());
    start = a.XY().Dot(along.XY());
    end = b.XY().Dot(along.XY());
  }
  gp_Pnt At(double t, double z) const {
    gp_XY p = outward.XY() * distance + along.XY() * t;
    return {p.X(), p.Y(), z};
  }
};

std::vector<Flat> FlatsOf(const std::vector<gp_Pnt2d>& corners) {
  std::vector<Flat> flats;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    flats.emplace_back(corners[i], corners[(i + 1) % corners.size()]);
  }
  return flats;
}

// One end of the prism: its face's height, which way along Z the material lies, its chamfer.
struct End {
  double z = 0;
  double inward = 1;
  std::optional<ConeChamfer> chamfer;

  // The height at which the end's rim passes a point `rho` from the axis.
  double RimZ(double rho) const {
    return chamfer ? z + inward * chamfer->slope * (rho - chamfer->radius) : z;
  }
  // Half the length of the flat's end left by the chamfer (0 where the circle touches it).
  double HalfWidth(const Flat& f) const {
    double r = chamfer->radius;
    return r > f.distance + kTouching ? std::sqrt(r * r - f.distance * f.distance) : 0.0;
  }
};

bool ChamferFits(const End& end, const std::vector<Flat>& flats, double bore) {
  if (!end.chamfer) return true;
  const ConeChamfer& c = *end.chamfer;
  if (!(c.slope > 0) || !std::isfinite(c.slope) || !(c.radius > bore + kClearance)) return false;
  for (const Flat& f : flats) {
    if (c.radius < f.distance - kTouching) return false;  // the flat's whole end would go
    if (f.from.XY().Modulus() < c.radius + kClearance) return false;
    double w = end.HalfWidth(f);
    if (-w < f.start + kClearance || w > f.end - kClearance) return false;
  }
  return true;
}

// What one end contributes: the edges along each flat's end (from its first corner to its
// second), the arcs of the chamfer circle between flats (from flat i to flat i + 1), the
// corners' vertices and the chamfer's cone faces.
struct EndEdges {
  std::vector<std::vector<TopoDS_Edge>> rims;
  // Per flat: the edges it shares with the end face (none where the circle only touches it).
  std::vector<std::vector<TopoDS_Edge>> flatEnds;
  std::vector<TopoDS_Edge> arcs;
  std::vector<TopoDS_Vertex> corners;
  std::vector<TopoDS_Face> cones;
  TopoDS_Edge boreCircle;
};

class Builder {
 public:
  explicit Builder(const ChamferedPrism& prism) : prism_(prism), flats_(FlatsOf(prism.corners)) {}

  TopoDS_Shape Build() {
    End bottom{prism_.bottom, 1, prism_.bottomChamfer}, top{prism_.top, -1, prism_.topChamfer};
    TopoDS_Face bore;
    if (prism_.bore > 0) {
      BoreWall wall = Bore(prism_.bore, prism_.bottom, prism_.top + prism_.collar);
      bore = wall.face;
      bottomEdges_.boreCircle = wall.bottomCircle;
      topEdges_.boreCircle = wall.topCircle;
    }
    MakeEnd(bottom, bottomEdges_);
    MakeEnd(top, topEdges_);

    BRep_Builder builder;
    TopoDS_Shell shell;
    builder.MakeShell(shell);
    std::size_t n = flats_.size();
    std::vector<TopoDS_Edge> sides;
    for (std::size_t i = 0; i < n; ++i) {
      sides.push_back(Line(bottomEdges_.corners[i], topEdges_.corners[i]));
    }
    for (std::size_t i = 0; i < n; ++i) {
      std::vector<std::pair<TopoDS_Edge, bool>> edges;
      for (const TopoDS_Edge& e : bottomEdges_.rims[i]) edges.emplace_back(e, true);
      edges.emplace_back(sides[(i + 1) % n], true);
      const auto& topRim = topEdges_.rims[i];
      for (auto e = topRim.rbegin(); e != topRim.rend(); ++e) edges.emplace_back(*e, false);
      edges.emplace_back(sides[i], false);
      const Flat& f = flats_[i];
      gp_Ax3 frame(f.At(0, 0), gp_Dir(f.outward.X(), f.outward.Y(), 0),
                   gp_Dir(f.along.X(), f.along.Y(), 0));
      builder.Add(shell, PlanarFace(gp_Pln(frame), {Wire(edges)}));
    }
    builder.Add(shell, EndFace(bottom, bottomEdges_));
    if (prism_.collar > 0) {
      for (const TopoDS_Face& face : Collar(top, topEdges_)) builder.Add(shell, face);
    } else {
      builder.Add(shell, EndFace(top, topEdges_));
    }
    for (const TopoDS_Face& cone : bottomEdges_.cones) builder.Add(shell, cone);
    for (const TopoDS_Face& cone : topEdges_.cones) builder.Add(shell, cone);
    if (!bore.IsNull()) builder.Add(shell, bore);
    TopoDS_Solid solid = ClosedSolid(shell);
    // The traces on the cones may stray a little further than the vertices allow.
    BRepLib::UpdateTolerances(solid);
    return solid;
  }

 private:
  void MakeEnd(const End& end, EndEdges& out) {
    std::size_t n = flats_.size();
    for (const Flat& f : flats_) {
      out.corners.push_back(Vertex(f.At(f.start, end.RimZ(f.from.XY().Modulus()))));
    }
    out.rims.resize(n);
    if (!end.chamfer) {
      for (std::size_t i = 0; i < n; ++i) {
        out.rims[i] = {Line(out.corners[i], out.corners[(i + 1) % n])};
        out.flatEnds.push_back(out.rims[i]);
      }
      return;
    }
    const ConeChamfer& c = *end.chamfer;
    double apex = end.z - end.inward * c.slope * c.radius;
    std::vector<TopoDS_Vertex> entries, exits;
    out.flatEnds.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
      const Flat& f = flats_[i];
      double w = end.HalfWidth(f);
      TopoDS_Vertex entry = Vertex(f.At(-w, end.z));
      TopoDS_Vertex exit = w > 0 ? Vertex(f.At(w, end.z)) : entry;
      // In the flat's plane the cone is the hyperbola z = apex + inward slope sqrt(d² + t²):
      // t = d sinh u, at z = apex + inward slope d cosh u.
      gp_Dir down(0, 0, end.inward), along(f.along.X(), f.along.Y(), 0);
      gp_Ax2 axes(f.At(0, apex), down.Crossed(along), down);
      Handle(Geom_Hyperbola) h =
          new Geom_Hyperbola(gp_Hypr(axes, c.slope * f.distance, f.distance));
      auto u = [&](double t) { return std::asinh(t / f.distance); };
      TopoDS_Edge first = Edge(h, out.corners[i], entry, u(f.start), u(-w));
      TopoDS_Edge last = Edge(h, exit, out.corners[(i + 1) % n], u(w), u(f.end));
      out.rims[i].push_back(first);
      if (w > 0) {
        TopoDS_Edge middle = Line(entry, exit);
        out.rims[i].push_back(middle);
        out.flatEnds[i].push_back(middle);
      }
      out.rims[i].push_back(last);
      entries.push_back(entry);
      exits.push_back(exit);
    }
    Handle(Geom_Circle) circle = new Geom_Circle(gp_Ax2(gp_Pnt(0, 0, end.z), gp::DZ()), c.radius);
    for (std::size_t i = 0; i < n; ++i) {
      std::size_t j = (i + 1) % n;
      gp_Pnt a = BRep_Tool::Pnt(exits[i]), b = BRep_Tool::Pnt(entries[j]);
      double from = std::atan2(a.Y(), a.X()), to = std::atan2(b.Y(), b.X());
      if (to <= from) to += 2 * kPi;
      out.arcs.push_back(Edge(circle, exits[i], entries[j], from, to));
    }
    for (std::size_t i = 0; i < n; ++i) out.cones.push_back(ConeAt(end, out, i));
  }

  // The cone's face about the corner after flat i: the arc from flat i to flat i + 1, the end of
  // flat i + 1 down to the corner and that of flat i back up (for the bottom end the other way),
  // counter-clockwise seen from outside.
  TopoDS_Face ConeAt(const End& end, const EndEdges& edges, std::size_t i) {
    std::size_t j = (i + 1) % flats_.size();
    const TopoDS_Edge& arc = edges.arcs[i];
    const TopoDS_Edge& before = edges.rims[i].back();  // on flat i, towards the corner
    const TopoDS_Edge& after = edges.rims[j].front();  // on flat j, from the corner
    bool top = end.inward < 0;
    TopoDS_Wire wire = top ? Wire({{arc, false}, {before, true}, {after, true}})
                           : Wire({{arc, true}, {after, false}, {before, false}});
    const ConeChamfer& c = *end.chamfer;
    gp_XY corner = flats_[j].from.XY();
    // The seam lies opposite the corner, so that the face's parameters run without a jump.
    gp_Ax3 frame(gp_Pnt(0, 0, end.z), gp_Dir(0, 0, end.inward),
                 gp_Dir(-corner.X(), -corner.Y(), 0));
    Handle(Geom_ConicalSurface) cone =
        new Geom_ConicalSurface(frame, std::atan(1 / c.slope), c.radius);
    BRep_Builder builder;
    TopoDS_Face face;
    builder.MakeFace(face, cone, kTolerance);
    builder.Add(face, wire);
    for (TopExp_Explorer e(wire, TopAbs_EDGE); e.More(); e.Next()) {
      const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
      double first = 0, last = 0;
      Handle(Geom_Curve) curve = BRep_Tool::Curve(edge, first, last);
      double tolerance = kTolerance;
      Handle(Geom2d_Curve) onCone = TraceOn(curve, first, last, cone->Cone(), tolerance);
      builder.UpdateEdge(edge, onCone, face, tolerance);
    }
    return face;
  }

  // An end face: the ends of the flats and the arcs between them, and the bore's circle;
  // counter-clockwise seen from outside.
  TopoDS_Face EndFace(const End& end, const EndEdges& edges) {
    std::vector<std::pair<TopoDS_Edge, bool>> outer;
    for (std::size_t i = 0; i < flats_.size(); ++i) {
      for (const TopoDS_Edge& e : edges.flatEnds[i]) outer.emplace_back(e, true);
      if (end.chamfer) outer.emplace_back(edges.arcs[i], true);
    }
    bool top = end.inward < 0;
    if (!top) {
      std::reverse(outer.begin(), outer.end());
      for (auto& e : outer) e.second = !e.second;
    }
    std::vector<TopoDS_Wire> wires{Wire(outer)};
    if (!edges.boreCircle.IsNull()) wires.push_back(Wire({{edges.boreCircle, !top}}));
    gp_Pln plane(gp_Pnt(0, 0, end.z), top ? gp::DZ() : -gp::DZ());
    return PlanarFace(plane, wires);
  }

  // The collar's side, from the arcs of the top chamfer's circle up to its rim, its seam above
  // the first arc's start; and its top face, bored.
  std::vector<TopoDS_Face> Collar(const End& end, const EndEdges& edges) {
    double r = end.chamfer->radius, height = prism_.collar, summit = end.z + height;
    TopoDS_Vertex below = TopExp::FirstVertex(edges.arcs.front(), Standard_True);
    gp_Pnt start = BRep_Tool::Pnt(below);
    double seamAngle = std::atan2(start.Y(), start.X());
    gp_Dir x(std::cos(seamAngle), std::sin(seamAngle), 0);
    Handle(Geom_CylindricalSurface) side =
        new Geom_CylindricalSurface(gp_Ax3(gp_Pnt(0, 0, end.z), gp::DZ(), x), r);
    TopoDS_Vertex above = Vertex(gp_Pnt(r * x.X(), r * x.Y(), summit));
    TopoDS_Edge seam = Line(below, above);
    Handle(Geom_Circle) rimCurve = new Geom_Circle(gp_Ax2(gp_Pnt(0, 0, summit), gp::DZ(), x), r);
    TopoDS_Edge rim = Edge(rimCurve, above, above, 0, 2 * kPi);

    BRep_Builder builder;
    TopoDS_Face face;
    builder.MakeFace(face, side, kTolerance);
    std::vector<std::pair<TopoDS_Edge, bool>> wire;
    for (const TopoDS_Edge& arc : edges.arcs) {
      // On the side the arc runs along its foot, turned by the seam's angle, within one turn.
      double first = 0, last = 0;
      BRep_Tool::Range(arc, first, last);
      double u = first - seamAngle;
      while (u < -kClearance) u += 2 * kPi;
      while (u >= 2 * kPi - kClearance) u -= 2 * kPi;
      Handle(Geom2d_Line) foot = new Geom2d_Line(gp_Pnt2d(u - first, 0), gp::DX2d());
      builder.UpdateEdge(arc, foot, face, kTolerance);
      wire.emplace_back(arc, true);
    }
    builder.UpdateEdge(seam, new Geom2d_Line(gp_Pnt2d(2 * kPi, 0), gp::DY2d()),
                       new Geom2d_Line(gp_Pnt2d(0, 0), gp::DY2d()), face, kTolerance);
    builder.UpdateEdge(rim, new Geom2d_Line(gp_Pnt2d(0, height), gp::DX2d()), face, kTolerance);
    wire.emplace_back(seam, true);
    wire.emplace_back(rim, false);
    wire.emplace_back(seam, false);
    builder.Add(face, Wire(wire));

    std::vector<TopoDS_Wire> topWires{Wire({{rim, true}})};
    if (!edges.boreCircle.IsNull()) topWires.push_back(Wire({{edges.boreCircle, false}}));
    return {face, PlanarFace(gp_Pln(gp_Pnt(0, 0, summit), gp::DZ()), topWires)};
  }

  const ChamferedPrism& prism_;
  std::vector<Flat> flats_;
  EndEdges bottomEdges_, topEdges_;
};

}  // namespace

bool CanBuildChamferedPrism(const ChamferedPrism& prism) {
  const std::vector<gp_Pnt2d>& c = prism.corners;
  if (c.size() < 3 || !(prism.top - prism.bottom > kClearance) || prism.bore < 0) return false;
  for (std::size_t i = 0; i < c.size(); ++i) {
    gp_Vec2d a(c[i], c[(i + 1) % c.size()]), b(c[(i + 1) % c.size()], c[(i + 2) % c.size()]);
    if (a.Magnitude() < kClearance || a.Crossed(b) <= 0) return false;
  }
  std::vector<Flat> flats = FlatsOf(c);
  for (const Flat& f : flats) {
    if (f.distance < prism.bore + kClearance) return false;
  }
  End bottom{prism.bottom, 1, prism.bottomChamfer}, top{prism.top, -1, prism.topChamfer};
  if (!ChamferFits(bottom, flats, prism.bore) || !ChamferFits(top, flats, prism.bore)) return false;
  for (const gp_Pnt2d& corner : c) {
    double rho = corner.XY().Modulus();
    if (!(top.RimZ(rho) - bottom.RimZ(rho) > kClearance)) return false;
  }
  if (prism.collar == 0) return true;
  if (!(prism.collar > kClearance) || !prism.topChamfer) return false;
  return std::all_of(flats.begin(), flats.end(),
                     [&](const Flat& f) { return top.HalfWidth(f) == 0; });
}

TopoDS_Shape BuildChamferedPrism(const ChamferedPrism& prism) { return Builder(prism).Build(); }

}  // namespace host::occt
