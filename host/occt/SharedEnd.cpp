// Fusing two solids on a shared end face by handing one solid's boundary edges to the other's
// side faces.
#include "host/occt/SharedEnd.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBuilderAPI_Copy.hxx>
#include <BRepTools_ReShape.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Geom2d_Curve.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedDataMapOfShapeListOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shell.hxx>
#include <TopoDS_Solid.hxx>
#include <TopoDS_Vertex.hxx>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "host/occt/ClosedSolid.h"

namespace host::occt {
namespace {

// Heights, parameters and points this close (mm) are equal.
constexpr double kExact = 1e-7;

// The faces of the shape that are planar, square to the Z axis, at height `z`.
std::vector<TopoDS_Face> FlatFacesAt(const TopoDS_Shape& shape, double z) {
  std::vector<TopoDS_Face> found;
  for (TopExp_Explorer e(shape, TopAbs_FACE); e.More(); e.Next()) {
    const TopoDS_Face& face = TopoDS::Face(e.Current());
    BRepAdaptor_Surface surface(face, Standard_False);
    if (surface.GetType() != GeomAbs_Plane) continue;
    gp_Ax1 normal = surface.Plane().Axis();
    if (normal.Direction().IsParallel(gp::DZ(), kExact) &&
        std::abs(normal.Location().Z() - z) < kExact) {
      found.push_back(face);
    }
  }
  return found;
}

double ToleranceOf(const TopoDS_Edge& a, const TopoDS_Edge& b) {
  return std::max({BRep_Tool::Tolerance(a), BRep_Tool::Tolerance(b), kExact});
}

// The edges run along the same curve with the same parameters: alike at the ends and between.
bool SameCurve(const TopoDS_Edge& a, const TopoDS_Edge& b) {
  BRepAdaptor_Curve ca(a), cb(b);
  double first = ca.FirstParameter(), last = ca.LastParameter();
  if (std::abs(first - cb.FirstParameter()) > kExact ||
      std::abs(last - cb.LastParameter()) > kExact) {
    return false;
  }
  double tolerance = ToleranceOf(a, b);
  for (int i = 0; i <= 4; ++i) {
    double t = first + (last - first) * i / 4;
    if (ca.Value(t).Distance(cb.Value(t)) > tolerance) return false;
  }
  return true;
}

// Each edge bounding `a` paired with the edge bounding `b` that runs alike; nothing when the
// boundaries differ or either has a degenerated edge.
std::optional<std::vector<std::pair<TopoDS_Edge, TopoDS_Edge>>> PairedEdges(const TopoDS_Face& a,
                                                                            const TopoDS_Face& b) {
  auto edges = [](const TopoDS_Face& face) {
    std::vector<TopoDS_Edge> out;
    for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) {
      out.push_back(TopoDS::Edge(e.Current().Oriented(TopAbs_FORWARD)));
    }
    return out;
  };
  std::vector<TopoDS_Edge> left = edges(a), right = edges(b);
  if (left.empty() || left.size() != right.size()) return {};
  std::vector<std::pair<TopoDS_Edge, TopoDS_Edge>> pairs;
  for (const TopoDS_Edge& edge : left) {
    if (BRep_Tool::Degenerated(edge)) return {};
    auto alike = [&](const TopoDS_Edge& other) {
      return !BRep_Tool::Degenerated(other) && SameCurve(edge, other);
    };
    auto found = std::find_if(right.begin(), right.end(), alike);
    if (found == right.end()) return {};
    pairs.emplace_back(edge, *found);
    right.erase(found);
  }
  return pairs;
}

}  // namespace

TopoDS_Shape FuseOnSharedEnd(const TopoDS_Shape& base, const TopoDS_Shape& other, double z) {
  std::vector<TopoDS_Face> otherEnds = FlatFacesAt(other, z);
  if (otherEnds.size() != 1) return {};
  std::vector<TopoDS_Face> ends = FlatFacesAt(base, z);
  auto shared = std::find_if(ends.begin(), ends.end(), [&](const TopoDS_Face& face) {
    return PairedEdges(face, otherEnds.front()).has_value();
  });
  if (shared == ends.end()) return {};
  const TopoDS_Face end = *shared;
  // The other solid's boundary edges gain traces on the base's faces: work on a copy, the
  // features' solids are shared between parts.
  TopoDS_Shape copy = BRepBuilderAPI_Copy(other).Shape();
  TopoDS_Face copyEnd = FlatFacesAt(copy, z).front();
  std::optional<std::vector<std::pair<TopoDS_Edge, TopoDS_Edge>>> pairs = PairedEdges(end, copyEnd);
  if (!pairs) return {};

  TopTools_IndexedDataMapOfShapeListOfShape facesOf;
  TopExp::MapShapesAndAncestors(base, TopAbs_EDGE, TopAbs_FACE, facesOf);
  BRep_Builder builder;
  Handle(BRepTools_ReShape) reshape = new BRepTools_ReShape;
  for (const auto& [kept, taken] : *pairs) {
    // Alike in parameters, the taken edge bears the base's traces unchanged.
    double tolerance = ToleranceOf(kept, taken);
    for (const TopoDS_Shape& shape : facesOf.FindFromKey(kept)) {
      const TopoDS_Face& face = TopoDS::Face(shape);
      if (face.IsSame(end)) continue;
      if (BRep_Tool::IsClosed(kept, face)) return {};
      double first, last;
      Handle(Geom2d_Curve) trace = BRep_Tool::CurveOnSurface(kept, face, first, last);
      if (trace.IsNull()) return {};
      builder.UpdateEdge(taken, trace, face, tolerance);
    }
    reshape->Replace(kept, taken);
    TopoDS_Vertex keptFirst, keptLast, takenFirst, takenLast;
    TopExp::Vertices(kept, keptFirst, keptLast);
    TopExp::Vertices(taken, takenFirst, takenLast);
    for (const auto& [from, to] : {std::pair{keptFirst, takenFirst}, {keptLast, takenLast}}) {
      double apart = BRep_Tool::Pnt(from).Distance(BRep_Tool::Pnt(to));
      builder.UpdateVertex(to, std::max(BRep_Tool::Tolerance(to), apart + kExact));
      reshape->Replace(from.Oriented(TopAbs_FORWARD), to.Oriented(TopAbs_FORWARD));
    }
  }

  TopoDS_Shell shell;
  builder.MakeShell(shell);
  for (TopExp_Explorer e(base, TopAbs_FACE); e.More(); e.Next()) {
    if (!e.Current().IsSame(end)) builder.Add(shell, reshape->Apply(e.Current()));
  }
  for (TopExp_Explorer e(copy, TopAbs_FACE); e.More(); e.Next()) {
    if (!e.Current().IsSame(copyEnd)) builder.Add(shell, e.Current());
  }
  return ClosedSolid(shell);
}

}  // namespace host::occt
