// Direct cuts of pockets. A boolean would intersect every face of the tool with every face of
// the solid whose box it reaches: the flanks, cones and domes of a head against the recess's
// walls, tracing curves of high degree that all fall outside the faces. Here the tool is shown
// to lie inside a cylinder that lies inside the solid, which costs one cut by that cylinder
// (coaxial with the head, so every intersection is a circle), and the result is assembled from
// the faces that are already there.
#include "host/occt/Pocket.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepAlgoAPI_Common.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepClass_FaceClassifier.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <BRepGProp.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepTopAdaptor_FClass2d.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <Precision.hxx>
#include <ShapeAnalysis_FreeBounds.hxx>
#include <ShapeUpgrade_UnifySameDomain.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_HSequenceOfShape.hxx>
#include <TopTools_IndexedDataMapOfShapeListOfShape.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopTools_MapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Shell.hxx>
#include <TopoDS_Solid.hxx>
#include <TopoDS_Wire.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Ax2.hxx>
#include <gp_Pln.hxx>
#include <optional>
#include <vector>

#include "host/occt/ClosedSolid.h"

namespace host::occt {
namespace {

// How far the tool keeps inside the solid's other faces, mm: the containing cylinder is this
// much wider and deeper than the tool.
constexpr double kClearance = 1e-3;
// Distances below this (mm) count as lying on a plane: the sewing tolerance of drafted sweeps.
constexpr double kOnPlane = 1e-6;
// The solid's part of the containing cylinder may fall short of the whole by this fraction
// (the kernel's volume integration is exact to far better than this on analytic faces).
constexpr double kVolumeTolerance = 1e-9;

std::optional<TopoDS_Solid> OnlySolid(const TopoDS_Shape& shape) {
  std::vector<TopoDS_Solid> solids;
  for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next()) {
    solids.push_back(TopoDS::Solid(e.Current()));
  }
  if (solids.size() != 1) return std::nullopt;
  int shells = 0;
  for (TopExp_Explorer e(solids.front(), TopAbs_SHELL); e.More(); e.Next()) ++shells;
  if (shells != 1) return std::nullopt;
  return solids.front();
}

// The plane of a flat face, its normal pointing out of the solid the face bounds.
std::optional<gp_Pln> OutwardPlane(const TopoDS_Face& face) {
  BRepAdaptor_Surface surface(face, Standard_False);
  if (surface.GetType() != GeomAbs_Plane) return std::nullopt;
  // The surface's normal is the cross product of its parameter directions: against the frame's
  // main direction when the frame is left-handed.
  gp_Pln plane = surface.Plane();
  gp_Dir normal = plane.Axis().Direction();
  if (plane.Direct() != (face.Orientation() != TopAbs_REVERSED)) normal.Reverse();
  return gp_Pln(plane.Location(), normal);
}

struct Flat {
  TopoDS_Face face;
  gp_Pln plane;  // outward
};

std::vector<Flat> FlatFaces(const TopoDS_Solid& solid) {
  std::vector<Flat> flats;
  for (TopExp_Explorer f(solid, TopAbs_FACE); f.More(); f.Next()) {
    const TopoDS_Face& face = TopoDS::Face(f.Current());
    if (std::optional<gp_Pln> plane = OutwardPlane(face)) flats.push_back({face, *plane});
  }
  return flats;
}

bool SamePlane(const gp_Pln& a, const gp_Pln& b) {
  return a.Axis().Direction().Dot(b.Axis().Direction()) > 1 - Precision::Angular() &&
         a.Distance(b.Location()) < kOnPlane;
}

// Bounds of the tool about the axis through the opening, normal to its plane: how far from the
// axis, how deep below the plane and how high above it any point reaches. Upper bounds; exact
// where the tool's faces are planes, cylinders and cones bounded by lines (a ruled face reaches
// farthest on its edges, distance to an axis being convex).
struct Reach {
  double radius = 0, depth = 0, rise = -1e300;

  void Add(const gp_Pnt& p, const gp_Ax1& axis, double radialSlack, double axialSlack) {
    gp_Vec v(axis.Location(), p);
    double along = v.Dot(gp_Vec(axis.Direction()));
    double radial = (v - gp_Vec(axis.Direction()) * along).Magnitude();
    radius = std::max(radius, radial + radialSlack);
    depth = std::max(depth, -along + axialSlack);
    rise = std::max(rise, along + axialSlack);
  }

  void AddBox(const TopoDS_Shape& shape, const gp_Ax1& axis) {
    Bnd_Box box;
    BRepBndLib::Add(shape, box, Standard_False);
    double x0, y0, z0, x1, y1, z1;
    box.Get(x0, y0, z0, x1, y1, z1);
    for (double x : {x0, x1})
      for (double y : {y0, y1})
        for (double z : {z0, z1}) Add(gp_Pnt(x, y, z), axis, 0, 0);
  }

  void AddEdge(const TopoDS_Edge& edge, const gp_Ax1& axis) {
    if (BRep_Tool::Degenerated(edge)) return;
    BRepAdaptor_Curve curve(edge);
    if (curve.GetType() == GeomAbs_Line) {
      Add(curve.Value(curve.FirstParameter()), axis, 0, 0);
      Add(curve.Value(curve.LastParameter()), axis, 0, 0);
    } else if (curve.GetType() == GeomAbs_Circle) {
      // The whole circle: its centre widened by the radius, and along the axis by the
      // radius times the sine of the circle's tilt (none for a circle in the opening's plane).
      gp_Circ circle = curve.Circle();
      gp_Vec n(axis.Direction()), normal(circle.Axis().Direction());
      double tilt = (n - normal * n.Dot(normal)).Magnitude();
      Add(circle.Location(), axis, circle.Radius(), circle.Radius() * tilt);
    } else {
      AddBox(edge, axis);
    }
  }
};

Reach ReachOf(const TopoDS_Solid& tool, const gp_Ax1& axis) {
  Reach reach;
  for (TopExp_Explorer f(tool, TopAbs_FACE); f.More(); f.Next()) {
    GeomAbs_SurfaceType type =
        BRepAdaptor_Surface(TopoDS::Face(f.Current()), Standard_False).GetType();
    if (type != GeomAbs_Plane && type != GeomAbs_Cylinder && type != GeomAbs_Cone) {
      reach.AddBox(f.Current(), axis);
    }
  }
  TopTools_IndexedMapOfShape edges;
  TopExp::MapShapes(tool, TopAbs_EDGE, edges);
  for (int i = 1; i <= edges.Extent(); ++i) reach.AddEdge(TopoDS::Edge(edges(i)), axis);
  return reach;
}

// The one closed wire bounding the union of the opening's faces: the edges that only one of
// them uses. Empty when they bound more than one region or leave the loop open.
std::optional<TopoDS_Wire> OpeningBoundary(const std::vector<TopoDS_Face>& faces) {
  TopTools_IndexedDataMapOfShapeListOfShape users;
  for (const TopoDS_Face& face : faces)
    TopExp::MapShapesAndUniqueAncestors(face, TopAbs_EDGE, TopAbs_FACE, users);
  Handle(TopTools_HSequenceOfShape) edges = new TopTools_HSequenceOfShape;
  for (int i = 1; i <= users.Extent(); ++i) {
    if (users(i).Extent() == 1) edges->Append(users.FindKey(i));
  }
  if (edges->IsEmpty()) return std::nullopt;
  Handle(TopTools_HSequenceOfShape) wires;
  ShapeAnalysis_FreeBounds::ConnectEdgesToWires(edges, Precision::Confusion(), Standard_True,
                                                wires);
  if (wires.IsNull() || wires->Length() != 1) return std::nullopt;
  TopoDS_Wire wire = TopoDS::Wire(wires->Value(1));
  if (!BRep_Tool::IsClosed(wire)) return std::nullopt;
  return wire;
}

// The solid fills the cylinder about `axis` of the reach's radius and depth below the plane,
// widened by the clearance: then the tool, inside that cylinder, keeps clear of every face of
// the solid but the one on the plane.
bool FillsCylinder(const TopoDS_Solid& solid, const gp_Ax1& axis, const Reach& reach) {
  double radius = reach.radius + kClearance, height = reach.depth + kClearance;
  gp_Pnt bottom = axis.Location().Translated(gp_Vec(axis.Direction()) * -height);
  TopoDS_Shape cylinder =
      BRepPrimAPI_MakeCylinder(gp_Ax2(bottom, axis.Direction()), radius, height).Shape();
  BRepAlgoAPI_Common common;
  TopTools_ListOfShape arguments, tools;
  arguments.Append(solid);
  tools.Append(cylinder);
  common.SetArguments(arguments);
  common.SetTools(tools);
  common.SetNonDestructive(Standard_True);  // the solid may be shared with the kernel's caches
  common.SetUseOBB(Standard_True);
  common.Build();
  if (common.HasErrors()) return false;
  GProp_GProps props;
  BRepGProp::VolumeProperties(common.Shape(), props);
  double whole = M_PI * radius * radius * height;
  return props.Mass() >= whole * (1 - kVolumeTolerance);
}

// The cylinder of FillsCylinder lies inside the solid's box: a test costing nothing next to
// that one's boolean, which rejects at once a tool that passes through the solid (a washer's
// hole) or reaches past its far side.
bool CylinderInBox(const TopoDS_Solid& solid, const gp_Ax1& axis, const Reach& reach) {
  Bnd_Box box;
  BRepBndLib::Add(solid, box, Standard_False);
  double radius = reach.radius + kClearance, height = reach.depth + kClearance;
  gp_XYZ d = axis.Direction().XYZ(), top = axis.Location().XYZ(), bottom = top - d * height;
  double x0, y0, z0, x1, y1, z1;
  box.Get(x0, y0, z0, x1, y1, z1);
  const double low[] = {x0, y0, z0}, high[] = {x1, y1, z1};
  for (int i = 1; i <= 3; ++i) {
    // The caps' circles reach this far from their centres along each coordinate.
    double spread = radius * std::sqrt(std::max(0.0, 1 - d.Coord(i) * d.Coord(i)));
    double from = std::min(top.Coord(i), bottom.Coord(i)) - spread;
    double to = std::max(top.Coord(i), bottom.Coord(i)) + spread;
    if (from < low[i - 1] || to > high[i - 1]) return false;
  }
  return true;
}

// The face's region holds the disc of `radius` about `centre` with room to spare.
bool FaceHoldsDisc(const TopoDS_Face& face, const gp_Pnt& centre, double radius) {
  if (BRepClass_FaceClassifier(face, centre, Precision::Confusion()).State() != TopAbs_IN) {
    return false;
  }
  TopoDS_Compound edges;
  BRep_Builder builder;
  builder.MakeCompound(edges);
  for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) builder.Add(edges, e.Current());
  BRepExtrema_DistShapeShape distance(BRepBuilderAPI_MakeVertex(centre).Vertex(), edges);
  return distance.IsDone() && distance.Value() > radius + kClearance;
}

// The face with the opening added as a hole.
TopoDS_Face Pierce(const TopoDS_Face& face, TopoDS_Wire opening) {
  TopLoc_Location location;
  Handle(Geom_Surface) surface = BRep_Tool::Surface(face, location);
  double tolerance = BRep_Tool::Tolerance(face);
  BRep_Builder builder;
  // A hole's wire runs so that the face's side of it is outside: a face bounded by it alone
  // holds the point at infinity.
  TopoDS_Face probe;
  builder.MakeFace(probe, surface, location, tolerance);
  builder.Add(probe, opening);
  if (BRepTopAdaptor_FClass2d(probe, Precision::PConfusion()).PerformInfinitePoint() != TopAbs_IN) {
    opening.Reverse();
  }
  TopoDS_Face pierced;
  builder.MakeFace(pierced, surface, location, tolerance);
  for (TopExp_Explorer w(face.Oriented(TopAbs_FORWARD), TopAbs_WIRE); w.More(); w.Next()) {
    builder.Add(pierced, w.Current());
  }
  builder.Add(pierced, opening);
  pierced.Orientation(face.Orientation());
  return pierced;
}

// The flat face on `plane` that holds the disc; null when none does.
TopoDS_Face FaceHolding(const TopoDS_Solid& solid, const gp_Pln& plane, const gp_Pnt& centre,
                        double radius) {
  for (const Flat& flat : FlatFaces(solid)) {
    if (SamePlane(plane, flat.plane) && FaceHoldsDisc(flat.face, centre, radius)) return flat.face;
  }
  return {};
}

TopoDS_Shape Build(TopoDS_Solid base, const TopoDS_Solid& tool) {
  // The opening: the tool's flat faces lying on the plane of some flat face of the base.
  std::vector<Flat> baseFlats = FlatFaces(base), toolFlats = FlatFaces(tool);
  std::optional<gp_Pln> plane;
  for (const Flat& own : toolFlats) {
    for (const Flat& other : baseFlats) {
      if (!SamePlane(own.plane, other.plane)) continue;
      if (plane && !SamePlane(*plane, own.plane)) return {};  // openings on two planes
      plane = own.plane;
    }
  }
  if (!plane) return {};
  std::vector<TopoDS_Face> opening;
  TopTools_MapOfShape inOpening;
  for (const Flat& own : toolFlats) {
    if (!SamePlane(*plane, own.plane)) continue;
    opening.push_back(own.face);
    inOpening.Add(own.face);
  }
  std::optional<TopoDS_Wire> boundary = OpeningBoundary(opening);
  if (!boundary) return {};

  // The axis through the middle of the opening, normal to its plane.
  Bnd_Box box;
  BRepBndLib::Add(*boundary, box, Standard_False);
  gp_Pnt middle((box.CornerMin().XYZ() + box.CornerMax().XYZ()) / 2);
  gp_Vec normal(plane->Axis().Direction());
  middle.Translate(normal * -normal.Dot(gp_Vec(plane->Location(), middle)));
  gp_Ax1 axis(middle, plane->Axis().Direction());
  Reach reach = ReachOf(tool, axis);
  if (reach.rise > kOnPlane || reach.depth <= kOnPlane || !CylinderInBox(base, axis, reach)) {
    return {};
  }
  TopoDS_Face top = FaceHolding(base, *plane, middle, reach.radius);
  if (top.IsNull()) {
    // A fusion leaves the faces it joined split where they met (a shank's end within the
    // head's top): joined again, one of them may hold the opening.
    ShapeUpgrade_UnifySameDomain unify(base, Standard_True, Standard_True, Standard_False);
    unify.Build();
    std::optional<TopoDS_Solid> joined = OnlySolid(unify.Shape());
    if (!joined) return {};
    base = *joined;
    top = FaceHolding(base, *plane, middle, reach.radius);
  }
  if (top.IsNull() || !FillsCylinder(base, axis, reach)) return {};

  BRep_Builder builder;
  TopoDS_Shell shell;
  builder.MakeShell(shell);
  for (TopExp_Explorer f(base, TopAbs_FACE); f.More(); f.Next()) {
    builder.Add(shell, f.Current().IsSame(top) ? Pierce(TopoDS::Face(f.Current()), *boundary)
                                               : f.Current());
  }
  // The tool's walls and floor, facing into the pocket.
  for (TopExp_Explorer t(tool, TopAbs_FACE); t.More(); t.Next()) {
    if (!inOpening.Contains(t.Current())) builder.Add(shell, t.Current().Reversed());
  }
  return ClosedSolid(shell);
}

}  // namespace

TopoDS_Shape CutPocket(const TopoDS_Shape& solid, const TopoDS_Shape& tool) {
  std::optional<TopoDS_Solid> base = OnlySolid(solid);
  if (!base) return {};
  try {
    // Separate tools (a socket at one end, a cup point at the other) one after the other.
    TopoDS_Shape result;
    for (TopExp_Explorer t(tool, TopAbs_SOLID); t.More(); t.Next()) {
      std::optional<TopoDS_Solid> cutter = OnlySolid(t.Current());
      if (!cutter) return {};
      result = Build(*base, *cutter);
      if (result.IsNull()) return {};
      base = TopoDS::Solid(result);
    }
    return result;
  } catch (const Standard_Failure&) {
    return {};  // not shown to be a pocket: the boolean decides
  }
}

}  // namespace host::occt
