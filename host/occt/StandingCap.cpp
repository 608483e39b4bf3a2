// Fusing a standing solid of revolution onto a bored end face: the faces of both but the two
// that meet, and new planar faces for what of them is left, sharing the edges there are.
#include "host/occt/StandingCap.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepLib.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <Geom2d_Line.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <Geom_Plane.hxx>
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
#include <optional>
#include <vector>

namespace host::occt {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Heights, radii and direction components this close (mm) are equal.
constexpr double kExact = 1e-7;
// The footprint keeps at least this far (mm) inside an end face it does not reach the rim of.
constexpr double kClearance = 1e-5;
// The tolerance of the edges and faces made here, mm.
constexpr double kTolerance = 1e-7;

// Whether the face is planar, square to the Z axis, at height `z`.
bool FlatAt(const TopoDS_Face& face, double z) {
  BRepAdaptor_Surface surface(face, Standard_False);
  if (surface.GetType() != GeomAbs_Plane) return false;
  gp_Ax1 normal = surface.Plane().Axis();
  return normal.Direction().IsParallel(gp::DZ(), kExact) &&
         std::abs(normal.Location().Z() - z) < kExact;
}

// The radius of the edge when it is a circle about the Z axis at height `z`.
std::optional<double> AxialCircle(const TopoDS_Edge& edge, double z) {
  BRepAdaptor_Curve curve(edge);
  if (curve.GetType() != GeomAbs_Circle) return {};
  gp_Circ circle = curve.Circle();
  gp_Pnt centre = circle.Location();
  if (!circle.Axis().Direction().IsParallel(gp::DZ(), kExact) ||
      std::hypot(centre.X(), centre.Y()) > kExact || std::abs(centre.Z() - z) > kExact) {
    return {};
  }
  return circle.Radius();
}

// The one face of the shape flat at height `z`, as the shape takes it; null when there is none
// or more than one.
TopoDS_Face OnlyFaceAt(const TopoDS_Shape& shape, double z) {
  TopoDS_Face found;
  for (TopExp_Explorer e(shape, TopAbs_FACE); e.More(); e.Next()) {
    const TopoDS_Face& face = TopoDS::Face(e.Current());
    if (!FlatAt(face, z)) continue;
    if (!found.IsNull()) return {};
    found = face;
  }
  return found;
}

// An edge as a face takes it: its sense there is the one a face taking its place must give it.
using Loop = std::vector<TopoDS_Edge>;

Loop EdgesOf(const TopoDS_Shape& wire) {
  Loop out;
  for (TopExp_Explorer e(wire, TopAbs_EDGE); e.More(); e.Next())
    out.push_back(TopoDS::Edge(e.Current()));
  return out;
}

// The prism's end face: its rim (the outer wire) and its bore's circle, each edge as the face
// takes it; the radius of the largest circle about the axis inside the rim, and the rim's radius
// when the rim is one circle about the axis.
struct EndFace {
  TopoDS_Face face;
  Loop rim;
  TopoDS_Edge bore;
  double boreRadius = 0, inscribed = INFINITY;
  std::optional<double> rimCircle;
};

std::optional<EndFace> EndFaceOf(const TopoDS_Shape& prism, double z) {
  EndFace end;
  end.face = OnlyFaceAt(prism, z);
  if (end.face.IsNull()) return {};
  TopoDS_Wire outer = BRepTools::OuterWire(end.face);
  for (TopExp_Explorer w(end.face, TopAbs_WIRE); w.More(); w.Next()) {
    if (w.Current().IsSame(outer)) {
      end.rim = EdgesOf(w.Current());
      continue;
    }
    Loop hole = EdgesOf(w.Current());
    if (!end.bore.IsNull() || hole.size() != 1) return {};
    std::optional<double> radius = AxialCircle(hole.front(), z);
    if (!radius) return {};
    end.bore = hole.front();
    end.boreRadius = *radius;
  }
  bool circular = true;
  for (const TopoDS_Edge& edge : end.rim) {
    BRepAdaptor_Curve curve(edge);
    if (std::optional<double> radius = AxialCircle(edge, z)) {
      end.inscribed = std::min(end.inscribed, *radius);
      if (end.rimCircle && std::abs(*end.rimCircle - *radius) > kExact) circular = false;
      end.rimCircle = radius;
      continue;
    }
    if (curve.GetType() != GeomAbs_Line) return {};
    circular = false;
    gp_Pnt a = curve.Value(curve.FirstParameter()), b = curve.Value(curve.LastParameter());
    gp_Vec2d ab(b.X() - a.X(), b.Y() - a.Y()), ao(-a.X(), -a.Y());
    double t = std::clamp(ab.Dot(ao) / ab.SquareMagnitude(), 0.0, 1.0);
    end.inscribed = std::min(end.inscribed, (gp_Vec2d(a.X(), a.Y()) + ab * t).Magnitude());
  }
  if (end.rim.empty()) return {};
  if (!circular) end.rimCircle.reset();
  return end;
}

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

// Whether the shape lies wholly above the plane at height `z` (`below`: wholly below). The
// quick box of a face decides where it is clear; only faces it leaves in doubt are bounded
// exactly (costly on surfaces of revolution).
bool Beyond(const TopoDS_Shape& shape, double z, bool below) {
  auto clear = [&](const Bnd_Box& box) {
    if (box.IsVoid()) return false;
    double xmin, ymin, zmin, xmax, ymax, zmax;
    box.Get(xmin, ymin, zmin, xmax, ymax, zmax);
    return below ? zmax <= z + kExact : zmin >= z - kExact;
  };
  for (TopExp_Explorer e(shape, TopAbs_FACE); e.More(); e.Next()) {
    Bnd_Box quick;
    BRepBndLib::Add(e.Current(), quick, Standard_False);
    if (clear(quick)) continue;
    Bnd_Box exact;
    BRepBndLib::AddOptimal(e.Current(), exact, Standard_False, Standard_False);
    if (!clear(exact)) return false;
  }
  return true;
}

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

double Angle(const gp_Pnt& p) { return std::atan2(p.Y(), p.X()); }

// The trace, on a cylinder about the axis whose seam lies at `seam` radians, of an edge that is
// an arc of a circle about the axis at height `v` above the cylinder's origin, inside one turn
// from the seam.
Handle(Geom2d_Line) OnSide(const TopoDS_Edge& edge, double seam, double v) {
  BRepAdaptor_Curve curve(edge);
  gp_Circ circle = curve.Circle();
  double sense = circle.Axis().Direction().Z() > 0 ? 1 : -1;
  double first = curve.FirstParameter(), last = curve.LastParameter();
  double u = std::remainder(Angle(curve.Value(first)) - seam, 2 * kPi);
  if (u < -kClearance) u += 2 * kPi;
  if (u + sense * (last - first) < -kClearance) u += 2 * kPi;
  return new Geom2d_Line(gp_Pnt2d(u - sense * first, v), gp_Dir2d(sense, 0));
}

// A planar face on the plane through height `z` with the given outward normal, its wires made
// of the edges in the sense given.
TopoDS_Face PlanarFace(double z, const gp_Dir& normal, const std::vector<Loop>& loops) {
  BRep_Builder builder;
  TopoDS_Face face;
  builder.MakeFace(face, new Geom_Plane(gp_Pnt(0, 0, z), normal), kTolerance);
  TopTools_ListOfShape edges;
  for (const Loop& loop : loops) {
    TopoDS_Wire wire;
    builder.MakeWire(wire);
    for (const TopoDS_Edge& edge : loop) {
      builder.Add(wire, edge);
      edges.Append(edge);
    }
    wire.Closed(Standard_True);
    builder.Add(face, wire);
  }
  BRepLib::BuildPCurveForEdgesOnPlane(edges, face);
  return face;
}

// The footprint's edge as the footprint takes it.
TopoDS_Edge AsIn(const TopoDS_Face& face, const TopoDS_Edge& edge) {
  for (const TopoDS_Edge& e : EdgesOf(face)) {
    if (e.IsSame(edge)) return e;
  }
  throw Standard_ConstructionError("a footprint's circle");
}

// The standing solid's side, rising from the end face's rim in place of its own foot circle:
// the rim's arcs, the seam from the first arc's start to the far circle, the far circle.
TopoDS_Face SideOnRim(const EndFace& end, const Footprint& print, double z) {
  const double radius = print.outerRadius;
  TopoDS_Vertex start = TopExp::FirstVertex(end.rim.front(), Standard_True);
  double seamAngle = Angle(BRep_Tool::Pnt(start));
  TopoDS_Vertex top = TopExp::FirstVertex(print.far);
  double height = BRep_Tool::Pnt(top).Z() - z;
  gp_Dir x(std::cos(seamAngle), std::sin(seamAngle), 0);
  Handle(Geom_CylindricalSurface) cylinder =
      new Geom_CylindricalSurface(gp_Ax3(gp_Pnt(0, 0, z), gp::DZ(), x), radius);
  BRepBuilderAPI_MakeEdge make(start, top);
  if (!make.IsDone()) throw Standard_ConstructionError("a cap's seam");
  TopoDS_Edge seam = make.Edge();

  BRep_Builder builder;
  TopoDS_Face face;
  builder.MakeFace(face, cylinder, kTolerance);
  TopoDS_Wire wire;
  builder.MakeWire(wire);
  // The rim's arcs run one way about the axis; the seam then leaves them where they end, the
  // far circle comes back the other way and the seam returns to where they start.
  BRepAdaptor_Curve first(end.rim.front());
  bool forward = (first.Circle().Axis().Direction().Z() > 0) ==
                 (end.rim.front().Orientation() == TopAbs_FORWARD);
  for (const TopoDS_Edge& arc : end.rim) {
    builder.UpdateEdge(arc, OnSide(arc, seamAngle, 0), face, kTolerance);
    builder.Add(wire, arc);
  }
  TopoDS_Edge far = AsIn(print.side, print.far);
  builder.UpdateEdge(far, OnSide(far, seamAngle, height), face, kTolerance);
  double rise = height > 0 ? 1 : -1;
  Handle(Geom2d_Line) atEnd = new Geom2d_Line(gp_Pnt2d(2 * kPi, 0), gp_Dir2d(0, rise));
  Handle(Geom2d_Line) atStart = new Geom2d_Line(gp_Pnt2d(0, 0), gp_Dir2d(0, rise));
  if (forward) {
    builder.UpdateEdge(seam, atEnd, atStart, face, kTolerance);
  } else {
    builder.UpdateEdge(seam, atStart, atEnd, face, kTolerance);
  }
  builder.Add(wire, seam);
  builder.Add(wire, far);
  builder.Add(wire, seam.Reversed());
  wire.Closed(Standard_True);
  builder.Add(face, wire);
  return face;
}

}  // namespace

TopoDS_Shape FuseCap(const TopoDS_Shape& prism, const TopoDS_Shape& solid, double z, bool below) {
  std::optional<EndFace> end = EndFaceOf(prism, z);
  std::optional<Footprint> print = FootprintOf(solid, z);
  if (!end || !print || !Beyond(solid, z, below)) return {};
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
    made.push_back(SideOnRim(*end, *print, z));
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

  BRep_Builder builder;
  TopoDS_Shell shell;
  builder.MakeShell(shell);
  for (TopExp_Explorer e(prism, TopAbs_FACE); e.More(); e.Next()) {
    if (!e.Current().IsSame(end->face)) builder.Add(shell, e.Current());
  }
  for (TopExp_Explorer e(own, TopAbs_FACE); e.More(); e.Next()) {
    if (!e.Current().IsSame(print->face) && !e.Current().IsSame(print->side)) {
      builder.Add(shell, e.Current());
    }
  }
  for (const TopoDS_Face& face : made) builder.Add(shell, face);
  shell.Closed(Standard_True);
  TopoDS_Solid fused;
  builder.MakeSolid(fused);
  builder.Add(fused, shell);
  return fused;
}

}  // namespace host::occt
