// The parts a solid built face by face is assembled from: vertices and edges shared between
// faces, closed wires, planar faces, and edges' traces on curved faces. Kernel types: for use
// inside host/occt only.
#pragma once

#include <ElSLib.hxx>
#include <Geom2d_Curve.hxx>
#include <Geom_Curve.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Vertex.hxx>
#include <TopoDS_Wire.hxx>
#include <functional>
#include <gp_Pln.hxx>
#include <utility>
#include <vector>

namespace host::occt {

// The tolerance of the vertices and edges made here, mm.
constexpr double kFaceTolerance = 1e-7;

TopoDS_Vertex Vertex(const gp_Pnt& p);
// The curve from `a` to `b` between its parameters `first` and `last`.
TopoDS_Edge Edge(const Handle(Geom_Curve) & curve, const TopoDS_Vertex& a, const TopoDS_Vertex& b,
                 double first, double last);
TopoDS_Edge Line(const TopoDS_Vertex& a, const TopoDS_Vertex& b);

// A closed wire of the edges, each taken in its own direction or against it.
TopoDS_Wire Wire(const std::vector<std::pair<TopoDS_Edge, bool>>& edges);

// A planar face whose wires run counter-clockwise seen from the side the normal points to (the
// holes' wires clockwise).
TopoDS_Face PlanarFace(const gp_Pln& plane, const std::vector<TopoDS_Wire>& wires);

// Whether the face is planar, square to the Z axis, at height `z` (within kFaceTolerance).
bool FlatAt(const TopoDS_Face& face, double z);

// The full cylinder of `radius` about the Z axis from height `bottom` to `top`, facing the axis
// (a bore's wall), with the circles at its ends, each taken forward.
struct BoreWall {
  TopoDS_Face face;
  TopoDS_Edge bottomCircle, topCircle;
};
BoreWall Bore(double radius, double bottom, double top);

// The curve's trace in a surface's parameters (`uv` gives a point's), interpolated through
// points along it at the curve's own parameters (the edge's curves then agree point for point);
// `tolerance` grows to the largest gap found between the two (`at` gives the surface's point),
// doubled.
Handle(Geom2d_Curve) Trace(const Handle(Geom_Curve) & curve, double first, double last,
                           const std::function<gp_Pnt2d(const gp_Pnt&)>& uv,
                           const std::function<gp_Pnt(const gp_Pnt2d&)>& at, double& tolerance);

// Trace on an elementary surface (gp_Cone, gp_Cylinder ...).
template <typename Surface>
Handle(Geom2d_Curve) TraceOn(const Handle(Geom_Curve) & curve, double first, double last,
                             const Surface& surface, double& tolerance) {
  return Trace(
      curve, first, last,
      [&](const gp_Pnt& p) {
        double u = 0, v = 0;
        ElSLib::Parameters(surface, p, u, v);
        return gp_Pnt2d(u, v);
      },
      [&](const gp_Pnt2d& p) { return ElSLib::Value(p.X(), p.Y(), surface); }, tolerance);
}

}  // namespace host::occt
