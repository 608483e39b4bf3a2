// Vertices, edges, wires and planar faces for solids assembled face by face.
#include "host/occt/FaceParts.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepLib.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Geom2dAPI_Interpolate.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <Geom_Plane.hxx>
#include <Standard_ConstructionError.hxx>
#include <TColStd_HArray1OfReal.hxx>
#include <TColgp_HArray1OfPnt2d.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Ax3.hxx>
#include <numbers>

namespace host::occt {

TopoDS_Vertex Vertex(const gp_Pnt& p) {
  TopoDS_Vertex v;
  BRep_Builder().MakeVertex(v, p, kFaceTolerance);
  return v;
}

TopoDS_Edge Edge(const Handle(Geom_Curve) & curve, const TopoDS_Vertex& a, const TopoDS_Vertex& b,
                 double first, double last) {
  BRepBuilderAPI_MakeEdge edge(curve, a, b, first, last);
  if (!edge.IsDone()) throw Standard_ConstructionError("an edge between two faces");
  return edge.Edge();
}

TopoDS_Edge Line(const TopoDS_Vertex& a, const TopoDS_Vertex& b) {
  BRepBuilderAPI_MakeEdge edge(a, b);
  if (!edge.IsDone()) throw Standard_ConstructionError("a straight edge between two faces");
  return edge.Edge();
}

TopoDS_Wire Wire(const std::vector<std::pair<TopoDS_Edge, bool>>& edges) {
  BRep_Builder builder;
  TopoDS_Wire wire;
  builder.MakeWire(wire);
  for (const auto& [edge, forward] : edges) {
    builder.Add(wire, edge.Oriented(forward ? TopAbs_FORWARD : TopAbs_REVERSED));
  }
  wire.Closed(Standard_True);
  return wire;
}

TopoDS_Face PlanarFace(const gp_Pln& plane, const std::vector<TopoDS_Wire>& wires) {
  BRep_Builder builder;
  TopoDS_Face face;
  builder.MakeFace(face, new Geom_Plane(plane), kFaceTolerance);
  TopTools_ListOfShape edges;
  for (const TopoDS_Wire& wire : wires) {
    builder.Add(face, wire);
    for (TopExp_Explorer e(wire, TopAbs_EDGE); e.More(); e.Next()) edges.Append(e.Current());
  }
  BRepLib::BuildPCurveForEdgesOnPlane(edges, face);
  return face;
}

bool FlatAt(const TopoDS_Face& face, double z) {
  BRepAdaptor_Surface surface(face, Standard_False);
  if (surface.GetType() != GeomAbs_Plane) return false;
  gp_Ax1 normal = surface.Plane().Axis();
  return normal.Direction().IsParallel(gp::DZ(), kFaceTolerance) &&
         std::abs(normal.Location().Z() - z) < kFaceTolerance;
}

BoreWall Bore(double radius, double bottom, double top) {
  Handle(Geom_CylindricalSurface) cylinder =
      new Geom_CylindricalSurface(gp_Ax3(gp_Pnt(0, 0, bottom), gp::DZ()), radius);
  BRepBuilderAPI_MakeFace make(cylinder, 0, 2 * std::numbers::pi, 0, top - bottom, kFaceTolerance);
  BoreWall wall;
  for (TopExp_Explorer e(make.Face(), TopAbs_EDGE); e.More(); e.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
    if (BRep_Tool::IsClosed(edge, make.Face())) continue;
    double first = 0, last = 0;
    double z = BRep_Tool::Curve(edge, first, last)->Value(first).Z();
    bool atBottom = std::abs(z - bottom) < std::abs(z - top);
    (atBottom ? wall.bottomCircle : wall.topCircle) = TopoDS::Edge(edge.Oriented(TopAbs_FORWARD));
  }
  wall.face = TopoDS::Face(make.Face().Reversed());
  return wall;
}

Handle(Geom2d_Curve) Trace(const Handle(Geom_Curve) & curve, double first, double last,
                           const std::function<gp_Pnt2d(const gp_Pnt&)>& uv,
                           const std::function<gp_Pnt(const gp_Pnt2d&)>& at, double& tolerance) {
  // Each span of the trace costs the volume's integration over the surface several
  // evaluations; nine points keep a solid's volume within 1e-7 relative of the boolean's.
  constexpr int kPoints = 9;
  auto param = [&](double share) { return first + (last - first) * share; };
  Handle(TColgp_HArray1OfPnt2d) points = new TColgp_HArray1OfPnt2d(1, kPoints);
  Handle(TColStd_HArray1OfReal) parameters = new TColStd_HArray1OfReal(1, kPoints);
  for (int i = 0; i < kPoints; ++i) {
    double t = param(double(i) / (kPoints - 1));
    points->SetValue(i + 1, uv(curve->Value(t)));
    parameters->SetValue(i + 1, t);
  }
  Geom2dAPI_Interpolate interpolate(points, parameters, Standard_False, 1e-12);
  interpolate.Perform();
  if (!interpolate.IsDone()) throw Standard_ConstructionError("an edge's trace on its face");
  Handle(Geom2d_BSplineCurve) trace = interpolate.Curve();
  for (int i = 0; i < kPoints - 1; ++i) {
    double t = param((i + 0.5) / (kPoints - 1));
    tolerance = std::max(tolerance, 2 * at(trace->Value(t)).Distance(curve->Value(t)));
  }
  return trace;
}

}  // namespace host::occt
