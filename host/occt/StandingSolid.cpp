// Fusing a standing solid of revolution onto a prism's end face by moving its footprint's
// circle into that face.
#include "host/occt/StandingSolid.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_Copy.hxx>
#include <BRepLib.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <Geom_Surface.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shell.hxx>
#include <TopoDS_Solid.hxx>
#include <TopoDS_Wire.hxx>
#include <algorithm>
#include <cmath>
#include <vector>

#include "host/occt/CapFaces.h"
#include "host/occt/ClosedSolid.h"
#include "host/occt/FaceParts.h"

namespace host::occt {
namespace {

// The faces of the shape, with their orientation in it.
std::vector<TopoDS_Face> FacesOf(const TopoDS_Shape& shape) {
  std::vector<TopoDS_Face> faces;
  for (TopExp_Explorer e(shape, TopAbs_FACE); e.More(); e.Next()) {
    faces.push_back(TopoDS::Face(e.Current()));
  }
  return faces;
}

// The one face of the faces at height `z`; a null face when there is none or more than one.
TopoDS_Face OnlyFaceAt(const std::vector<TopoDS_Face>& faces, double z) {
  TopoDS_Face found;
  for (const TopoDS_Face& face : faces) {
    if (!FlatAt(face, z)) continue;
    if (!found.IsNull()) return {};
    found = face;
  }
  return found;
}

// Where a solid meets a plane: its faces in the plane, and the edges that bound them together,
// each in the sense its face takes it (the edges two of those faces share lie inside).
struct Footprint {
  std::vector<TopoDS_Face> faces;
  std::vector<TopoDS_Shape> rim;
};

Footprint FootprintAt(const std::vector<TopoDS_Face>& faces, double z) {
  Footprint out;
  std::vector<TopoDS_Shape> edges;
  for (const TopoDS_Face& face : faces) {
    if (!FlatAt(face, z)) continue;
    out.faces.push_back(face);
    for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) edges.push_back(e.Current());
  }
  for (const TopoDS_Shape& edge : edges) {
    auto same = [&](const TopoDS_Shape& other) { return other.IsSame(edge); };
    if (std::count_if(edges.begin(), edges.end(), same) == 1) out.rim.push_back(edge);
  }
  return out;
}

}  // namespace

std::optional<double> StandingRadius(const TopoDS_Shape& solid, double z, bool below) {
  if (solid.IsNull()) return {};
  Bnd_Box box;
  BRepBndLib::AddOptimal(solid, box, Standard_False, Standard_False);
  if (box.IsVoid()) return {};
  double xmin, ymin, zmin, xmax, ymax, zmax;
  box.Get(xmin, ymin, zmin, xmax, ymax, zmax);
  if (below ? zmax > z + kExact : zmin < z - kExact) return {};
  Footprint footprint = FootprintAt(FacesOf(solid), z);
  std::optional<double> radius;
  for (const TopoDS_Shape& edge : footprint.rim) {
    std::optional<double> circle = AxialCircle(TopoDS::Edge(edge), z);
    if (!circle || (radius && std::abs(*radius - *circle) > kExact)) return {};
    radius = circle;
  }
  if (!radius) return {};
  // Anything else of the solid in the plane would meet the prism beyond the disk.
  for (TopExp_Explorer e(solid, TopAbs_VERTEX); e.More(); e.Next()) {
    gp_Pnt p = BRep_Tool::Pnt(TopoDS::Vertex(e.Current()));
    if (std::abs(p.Z() - z) < kExact && std::hypot(p.X(), p.Y()) > *radius + kExact) return {};
  }
  return radius;
}

TopoDS_Shape FuseStanding(const TopoDS_Shape& prism, const TopoDS_Shape& solid, double z) {
  // The circle's edges gain a trace on the end face: work on a copy, the features' solids are
  // shared between parts.
  std::vector<TopoDS_Face> standing = FacesOf(BRepBuilderAPI_Copy(solid).Shape());
  std::vector<TopoDS_Face> faces = FacesOf(prism);
  Footprint footprint = FootprintAt(standing, z);
  TopoDS_Face end = OnlyFaceAt(faces, z);
  if (footprint.rim.empty() || end.IsNull()) {
    throw Standard_ConstructionError("a standing solid's face");
  }

  BRep_Builder builder;
  TopLoc_Location location;
  Handle(Geom_Surface) plane = BRep_Tool::Surface(end, location);
  TopoDS_Face holed;
  builder.MakeFace(holed, plane, location, BRep_Tool::Tolerance(end));
  for (TopExp_Explorer w(end.Oriented(TopAbs_FORWARD), TopAbs_WIRE); w.More(); w.Next()) {
    builder.Add(holed, w.Current());
  }
  // Each rim edge keeps the sense it had on the footprint: the standing solid's side takes it the
  // other way, as every edge of a closed shell is taken once each way.
  TopoDS_Wire hole;
  builder.MakeWire(hole);
  TopTools_ListOfShape circles;
  for (TopoDS_Shape edge : footprint.rim) {
    if (end.Orientation() == TopAbs_REVERSED) edge.Reverse();
    builder.Add(hole, edge);
    circles.Append(edge);
  }
  hole.Closed(Standard_True);
  builder.Add(holed, hole);
  BRepLib::BuildPCurveForEdgesOnPlane(circles, holed);
  holed.Orientation(end.Orientation());

  TopoDS_Shell shell;
  builder.MakeShell(shell);
  for (const TopoDS_Face& face : faces) builder.Add(shell, face.IsSame(end) ? holed : face);
  for (const TopoDS_Face& face : standing) {
    auto same = [&](const TopoDS_Face& f) { return f.IsSame(face); };
    if (std::none_of(footprint.faces.begin(), footprint.faces.end(), same)) {
      builder.Add(shell, face);
    }
  }
  return ClosedSolid(shell);
}

}  // namespace host::occt
