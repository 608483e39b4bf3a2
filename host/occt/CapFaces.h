// Faces for joining a solid of revolution to a prism's end face about the same axis (the Z
// axis): finding the end face, its rim and bore, and making the faces that take the place of
// those dropped. Each edge is kept as the dropped face took it (its sense composed with its
// wire's and face's): a face taking that face's place along the edge must take it the same way.
// Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>
#include <cmath>
#include <gp_Dir.hxx>
#include <gp_Pnt.hxx>
#include <optional>
#include <vector>

#include "host/occt/FaceParts.h"

namespace host::occt {

// Heights, radii and direction components this close (mm) are equal.
constexpr double kExact = 1e-7;
// What is joined keeps at least this far (mm) from what it must not meet.
constexpr double kClearance = 1e-5;

using Loop = std::vector<TopoDS_Edge>;

// The radius of the edge when it is a circle about the Z axis at height `z`.
std::optional<double> AxialCircle(const TopoDS_Edge& edge, double z);

// The one face of the shape flat at height `z`, as the shape takes it; null when there is none
// or more than one.
TopoDS_Face OnlyFaceAt(const TopoDS_Shape& shape, double z);

// The edges of a face or wire, as it takes them.
Loop EdgesOf(const TopoDS_Shape& shape);

// The edge as the face takes it; Standard_ConstructionError when the face has no such edge.
TopoDS_Edge AsIn(const TopoDS_Face& face, const TopoDS_Edge& edge);

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

std::optional<EndFace> EndFaceOf(const TopoDS_Shape& prism, double z);

// Whether the shape lies wholly above the plane at height `z` (`below`: wholly below).
bool Beyond(const TopoDS_Shape& shape, double z, bool below);

double Angle(const gp_Pnt& p);

// A planar face on the plane through height `z` with the given outward normal, its wires made
// of the edges as given.
TopoDS_Face PlanarFace(double z, const gp_Dir& normal, const std::vector<Loop>& loops);

// The cylinder of `radius` about the axis between the arcs `lower` at height `z` (a closed run
// of circles) and the full circle `far`, with a new seam from where the first arc starts, which
// must lie at the same angle as the far circle's vertex; its normal points away from the axis,
// or towards it (`inward`).
TopoDS_Face SideBetween(const Loop& lower, const TopoDS_Edge& far, double radius, double z,
                        bool inward);

// One solid of the faces of `prism` and `standing` but those dropped, and the faces made.
TopoDS_Shape Assemble(const TopoDS_Shape& prism, const TopoDS_Shape& standing,
                      const std::vector<TopoDS_Face>& dropped,
                      const std::vector<TopoDS_Face>& made);

}  // namespace host::occt
