// Faces for joining solids of revolution to a prism's end face: finding the faces and circles
// there, and making the planar and cylindrical faces that take their place.
#include "host/occt/CapFaces.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
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
#include <TopoDS_Shell.hxx>
#include <TopoDS_Solid.hxx>
#include <TopoDS_Vertex.hxx>
#include <TopoDS_Wire.hxx>
#include <algorithm>
#include <cmath>

#include "host/occt/ClosedSolid.h"

namespace host::occt {
namespace {

constexpr double kPi = 3.14159265358979323846;
// The tolerance of the edges and faces made here, mm.
constexpr double kTolerance = 1e-7;

// The trace, on a cylinder about the axis whose seam lies at `seam` radians and whose u turns
// counter-clockwise (`turn` 1) or clockwise (-1) seen from above, of an edge that is an arc of a
// circle about the axis at height `v` above the cylinder's origin, inside one turn from the seam.
Handle(Geom2d_Line) OnSide(const TopoDS_Edge& edge, double seam, double turn, double v) {
  BRepAdaptor_Curve curve(edge);
  gp_Circ circle = curve.Circle();
  double sense = turn * (circle.Axis().Direction().Z() > 0 ? 1 : -1);
  double first = curve.FirstParameter(), last = curve.LastParameter();
  double u = std::remainder(turn * (Angle(curve.Value(first)) - seam), 2 * kPi);
  if (u < -kClearance) u += 2 * kPi;
  if (u + sense * (last - first) < -kClearance) u += 2 * kPi;
  return new Geom2d_Line(gp_Pnt2d(u - sense * first, v), gp_Dir2d(sense, 0));
}

// Whether the face is of revolution about the Z axis (its u the angle about it) and has a seam.
bool SeamedAboutAxis(const TopoDS_Face& face) {
  BRepAdaptor_Surface surface(face, Standard_False);
  gp_Ax1 axis;
  switch (surface.GetType()) {
    case GeomAbs_Cylinder:
      axis = surface.Cylinder().Axis();
      break;
    case GeomAbs_Cone:
      axis = surface.Cone().Axis();
      break;
    case GeomAbs_Sphere:
      axis = surface.Sphere().Position().Axis();
      break;
    case GeomAbs_Torus:
      axis = surface.Torus().Axis();
      break;
    case GeomAbs_SurfaceOfRevolution:
      axis = surface.AxeOfRevolution();
      break;
    default:
      return false;
  }
  gp_Pnt at = axis.Location();
  if (!axis.Direction().IsParallel(gp::DZ(), kExact) || std::hypot(at.X(), at.Y()) > kExact) {
    return false;
  }
  Loop edges = EdgesOf(face);
  return std::any_of(edges.begin(), edges.end(),
                     [&](const TopoDS_Edge& edge) { return BRep_Tool::IsClosed(edge, face); });
}

}  // namespace

double Angle(const gp_Pnt& p) { return std::atan2(p.Y(), p.X()); }

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

Loop EdgesOf(const TopoDS_Shape& wire) {
  Loop out;
  for (TopExp_Explorer e(wire, TopAbs_EDGE); e.More(); e.Next())
    out.push_back(TopoDS::Edge(e.Current()));
  return out;
}

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
    const TopoDS_Face& face = TopoDS::Face(e.Current());
    Bnd_Box exact;
    if (SeamedAboutAxis(face)) {
      // Every point of such a face lies on a circle about the axis through its seam: its
      // edges reach as far along the axis as it does.
      for (const TopoDS_Edge& edge : EdgesOf(face)) BRepBndLib::Add(edge, exact, Standard_False);
    } else {
      BRepBndLib::AddOptimal(face, exact, Standard_False, Standard_False);
    }
    if (!clear(exact)) return false;
  }
  return true;
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

TopoDS_Edge AsIn(const TopoDS_Face& face, const TopoDS_Edge& edge) {
  for (const TopoDS_Edge& e : EdgesOf(face)) {
    if (e.IsSame(edge)) return e;
  }
  throw Standard_ConstructionError("a footprint's circle");
}

TopoDS_Face SideBetween(const Loop& lower, const TopoDS_Edge& far, double radius, double z,
                        bool inward) {
  TopoDS_Vertex start = TopExp::FirstVertex(lower.front(), Standard_True);
  double seamAngle = Angle(BRep_Tool::Pnt(start));
  TopoDS_Vertex top = TopExp::FirstVertex(far);
  double height = BRep_Tool::Pnt(top).Z() - z;
  gp_Dir x(std::cos(seamAngle), std::sin(seamAngle), 0);
  // Facing the axis, the frame is left-handed: u turns clockwise seen from above.
  gp_Ax3 frame(gp_Pnt(0, 0, z), gp::DZ(), x);
  if (inward) frame.YReverse();
  double turn = inward ? -1 : 1;
  Handle(Geom_CylindricalSurface) cylinder = new Geom_CylindricalSurface(frame, radius);
  BRepBuilderAPI_MakeEdge make(start, top);
  if (!make.IsDone()) throw Standard_ConstructionError("a side's seam");
  TopoDS_Edge seam = make.Edge();

  BRep_Builder builder;
  TopoDS_Face face;
  builder.MakeFace(face, cylinder, kTolerance);
  TopoDS_Wire wire;
  builder.MakeWire(wire);
  // The lower edges run one way along u; the seam then leaves them where they end, the far
  // circle comes back the other way and the seam returns to where they start.
  BRepAdaptor_Curve first(lower.front());
  bool forward = turn * (first.Circle().Axis().Direction().Z() > 0 ? 1 : -1) *
                     (lower.front().Orientation() == TopAbs_FORWARD ? 1 : -1) >
                 0;
  for (const TopoDS_Edge& edge : lower) {
    builder.UpdateEdge(edge, OnSide(edge, seamAngle, turn, 0), face, kTolerance);
    builder.Add(wire, edge);
  }
  builder.UpdateEdge(far, OnSide(far, seamAngle, turn, height), face, kTolerance);
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

TopoDS_Shape Assemble(const TopoDS_Shape& prism, const TopoDS_Shape& standing,
                      const std::vector<TopoDS_Face>& dropped,
                      const std::vector<TopoDS_Face>& made) {
  BRep_Builder builder;
  TopoDS_Shell shell;
  builder.MakeShell(shell);
  for (const TopoDS_Shape& shape : {prism, standing}) {
    for (TopExp_Explorer e(shape, TopAbs_FACE); e.More(); e.Next()) {
      auto same = [&](const TopoDS_Face& face) { return face.IsSame(e.Current()); };
      if (std::none_of(dropped.begin(), dropped.end(), same)) builder.Add(shell, e.Current());
    }
  }
  for (const TopoDS_Face& face : made) builder.Add(shell, face);
  return ClosedSolid(shell);
}

}  // namespace host::occt
