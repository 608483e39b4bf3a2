// Loops to wires and faces, and the even-odd combination of a profile's loops.
#include "host/occt/ProfileRegion.h"

#include <BOPAlgo_CellsBuilder.hxx>
#include <BRep_Builder.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepFilletAPI_MakeFillet2d.hxx>
#include <BRepGProp.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <GProp_GProps.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Vertex.hxx>
#include <cmath>
#include <gp_Ax2.hxx>
#include <gp_Circ.hxx>
#include <gp_Circ2d.hxx>
#include <gp_Pln.hxx>
#include <optional>
#include <string>

#include "host/occt/Recipe.h"
#include "host/occt/ShapeValidity.h"

namespace host::occt {
namespace {

// Points closer than this (mm) are one point: a segment between them is dropped, so that a
// chamfer of zero length or a pitch of 0 draws the loop without that segment.
constexpr double kMergeTolerance = 1e-6;
// A loop enclosing less than this (mm²) encloses nothing.
constexpr double kMinArea = 1e-9;

struct ParsedLoop {
  std::optional<gp_Circ2d> circle;
  std::vector<gp_Pnt2d> points;  // the corners; segment i runs from point i to point i + 1
  std::vector<double> ratios;    // per segment: 0 a line, else the arc's sagitta/chord ratio
  bool closed = false;
  std::vector<std::pair<std::size_t, double>> fillets;  // corner point index, radius
};

std::string LoopName(std::size_t index) { return "loop " + std::to_string(index + 1); }

void ExpectArgs(const ref::ProfileCall& call, std::size_t count, std::size_t loop) {
  if (call.args.size() != count) {
    throw InvalidRecords(LoopName(loop) + ": " + call.op + " takes " + std::to_string(count) +
                         " arguments, not " + std::to_string(call.args.size()));
  }
}

ParsedLoop Parse(const std::vector<ref::ProfileCall>& calls, std::size_t loop, bool requireClosed) {
  if (calls.empty()) throw InvalidRecords(LoopName(loop) + " is empty");
  if (calls.front().op != "SetStartPoint") {
    throw InvalidRecords(LoopName(loop) + " does not begin with SetStartPoint");
  }
  ExpectArgs(calls.front(), 2, loop);
  std::vector<gp_Pnt2d> raw{{calls.front().args[0], calls.front().args[1]}};
  std::vector<double> rawRatios;
  std::vector<std::pair<double, double>> filletCalls;
  ParsedLoop out;
  for (std::size_t i = 1; i < calls.size(); ++i) {
    const ref::ProfileCall& call = calls[i];
    if (out.circle && call.op != "AddFilletAt") {
      throw InvalidRecords(LoopName(loop) + ": a full circle is the whole loop");
    }
    if (call.op == "AddLineTo" || call.op == "AddArcTo") {
      ExpectArgs(call, call.op == "AddLineTo" ? 2 : 3, loop);
      raw.emplace_back(call.args[0], call.args[1]);
      rawRatios.push_back(call.op == "AddArcTo" ? call.args[2] : 0.0);
    } else if (call.op == "AddEllipse") {
      ExpectArgs(call, 3, loop);
      if (i != 1) throw InvalidRecords(LoopName(loop) + ": AddEllipse must follow the start point");
      if (!(call.args[2] > kMergeTolerance)) {
        throw InvalidRecords(LoopName(loop) + ": the circle's radius must be positive");
      }
      out.circle =
          gp_Circ2d(gp_Ax2d(gp_Pnt2d(call.args[0], call.args[1]), gp_Dir2d(1, 0)), call.args[2]);
    } else if (call.op == "AddFilletAt") {
      ExpectArgs(call, 2, loop);
      filletCalls.emplace_back(call.args[0], call.args[1]);
    } else {
      throw InvalidRecords(LoopName(loop) + ": unknown operation " + call.op);
    }
  }
  if (out.circle) {
    if (!filletCalls.empty()) throw InvalidRecords(LoopName(loop) + ": a circle has no corners");
    out.closed = true;
    return out;
  }
  if (rawRatios.empty()) throw InvalidRecords(LoopName(loop) + " has no segments");
  out.closed = raw.back().Distance(raw.front()) <= kMergeTolerance;
  if (requireClosed && !out.closed) throw InvalidRecords(LoopName(loop) + " is not closed");

  // Drop segments of zero length; `merged[k]` is the corner that recorded point k became.
  std::vector<std::size_t> merged(raw.size(), 0);
  out.points.push_back(raw.front());
  for (std::size_t k = 0; k < rawRatios.size(); ++k) {
    if (out.points.back().Distance(raw[k + 1]) <= kMergeTolerance) {
      merged[k + 1] = out.points.size() - 1;
      continue;
    }
    out.ratios.push_back(rawRatios[k]);
    out.points.push_back(raw[k + 1]);
    merged[k + 1] = out.points.size() - 1;
  }
  if (out.closed) {
    // The last point is the start point again.
    std::size_t last = out.points.size() - 1;
    if (last > 0 && out.points.back().Distance(out.points.front()) <= kMergeTolerance) {
      out.points.pop_back();
      for (auto& m : merged) m = m == last ? 0 : m;
    }
    if (out.ratios.size() < 2) throw InvalidRecords(LoopName(loop) + " encloses no area");
  } else if (out.ratios.empty()) {
    throw InvalidRecords(LoopName(loop) + " has no length");
  }

  // Corners are numbered from 1 at the start point in drawing order; a fillet already added
  // splits its corner in two, so later corner numbers count it twice.
  if (!filletCalls.empty() && !out.closed)
    throw InvalidRecords(LoopName(loop) + ": an open path has no corners to round");
  std::vector<std::optional<std::size_t>> slots;
  for (std::size_t k = 0; k + 1 < raw.size(); ++k) slots.emplace_back(k);
  for (const auto& [corner, radius] : filletCalls) {
    std::string at = LoopName(loop) + ": corner " + std::to_string(static_cast<long long>(corner));
    if (corner != std::floor(corner) || corner < 1 || corner > static_cast<double>(slots.size())) {
      throw InvalidRecords(at + " does not exist");
    }
    auto slot = static_cast<std::size_t>(corner) - 1;
    if (!slots[slot]) throw InvalidRecords(at + " is already rounded");
    if (!(radius > kMergeTolerance))
      throw InvalidRecords(at + ": the fillet radius must be positive");
    std::size_t point = merged[*slots[slot]];
    for (const auto& f : out.fillets) {
      if (f.first == point) throw InvalidRecords(at + " is already rounded");
    }
    out.fillets.emplace_back(point, radius);
    slots[slot].reset();
    slots.insert(slots.begin() + static_cast<std::ptrdiff_t>(slot) + 1, std::nullopt);
  }
  return out;
}

gp_Pnt At(const gp_Pnt2d& p) { return gp_Pnt(p.X(), p.Y(), 0); }

TopoDS_Edge MakeSegment(const TopoDS_Vertex& va, const TopoDS_Vertex& vb, const gp_Pnt2d& a,
                        const gp_Pnt2d& b, double ratio, std::size_t loop) {
  if (ratio == 0) {
    BRepBuilderAPI_MakeEdge edge(va, vb);
    if (!edge.IsDone()) throw InvalidRecords(LoopName(loop) + ": a segment cannot be drawn");
    return edge.Edge();
  }
  // The arc's middle lies the sagitta away from the chord's middle, to the left of the
  // direction of travel for a positive ratio.
  gp_Vec2d chord(a, b);
  double c = chord.Magnitude();
  gp_Vec2d left(-chord.Y() / c, chord.X() / c);
  gp_Pnt2d mid((a.X() + b.X()) / 2, (a.Y() + b.Y()) / 2);
  mid.Translate(left * (ratio * c));
  GC_MakeArcOfCircle arc(At(a), At(mid), At(b));
  if (!arc.IsDone()) throw InvalidRecords(LoopName(loop) + ": an arc cannot be drawn");
  BRepBuilderAPI_MakeEdge edge(arc.Value(), va, vb);
  if (!edge.IsDone()) throw InvalidRecords(LoopName(loop) + ": an arc cannot be drawn");
  return edge.Edge();
}

// A short loop goes through the kernel's wire builder, which also joins corners that meet by
// chance (the loop's own crossing check then sees them). A long one is joined as it comes, its
// segments sharing their corner vertices: the builder looks each new edge's vertices up among
// all before, and the check of a large face finds corners that meet by itself.
TopoDS_Wire MakeWire(const ParsedLoop& p, std::size_t loop, std::vector<TopoDS_Vertex>& vertices) {
  const bool direct = p.ratios.size() > static_cast<std::size_t>(kLargeFaceEdges);
  BRepBuilderAPI_MakeWire wire;
  BRep_Builder builder;
  TopoDS_Wire joined;
  builder.MakeWire(joined);
  if (p.circle) {
    gp_Circ circle(gp_Ax2(At(p.circle->Location()), gp::DZ()), p.circle->Radius());
    wire.Add(BRepBuilderAPI_MakeEdge(circle).Edge());
  } else {
    for (const gp_Pnt2d& pt : p.points)
      vertices.push_back(BRepBuilderAPI_MakeVertex(At(pt)).Vertex());
    std::size_t n = p.ratios.size();
    for (std::size_t i = 0; i < n; ++i) {
      std::size_t j = (i + 1) % p.points.size();
      if (!p.closed && i + 1 == p.points.size()) break;
      TopoDS_Edge edge =
          MakeSegment(vertices[i], vertices[j], p.points[i], p.points[j], p.ratios[i], loop);
      if (direct) {
        builder.Add(joined, edge);
        continue;
      }
      wire.Add(edge);
      if (!wire.IsDone()) throw InvalidRecords(LoopName(loop) + ": its segments do not join");
    }
  }
  if (direct) {
    joined.Closed(p.closed);
    return joined;
  }
  if (!wire.IsDone()) throw InvalidRecords(LoopName(loop) + ": its segments do not join");
  return wire.Wire();
}

double Area(const TopoDS_Shape& face) {
  GProp_GProps props;
  BRepGProp::SurfaceProperties(face, props);
  return std::abs(props.Mass());
}

TopoDS_Face MakeLoopFace(const ParsedLoop& p, std::size_t loop) {
  std::vector<TopoDS_Vertex> vertices;
  TopoDS_Wire wire = MakeWire(p, loop, vertices);
  BRepBuilderAPI_MakeFace makeFace(gp_Pln(), wire, Standard_True);
  if (!makeFace.IsDone()) throw InvalidRecords(LoopName(loop) + " makes no face");
  TopoDS_Face face = makeFace.Face();
  if (!IsValidShape(face)) throw InvalidRecords(LoopName(loop) + " crosses itself");
  if (Area(face) < kMinArea) throw InvalidRecords(LoopName(loop) + " encloses no area");
  if (p.fillets.empty()) return face;

  BRepFilletAPI_MakeFillet2d fillets(face);
  for (const auto& [point, radius] : p.fillets) {
    fillets.AddFillet(vertices[point], radius);
    if (fillets.Status() != ChFi2d_IsDone) {
      throw InvalidRecords(LoopName(loop) + ": the fillet of radius " + std::to_string(radius) +
                           " does not fit its corner");
    }
  }
  fillets.Build();
  if (!fillets.IsDone()) throw InvalidRecords(LoopName(loop) + ": its fillets do not fit");
  return TopoDS::Face(fillets.Shape());
}

// The even-odd combination of two regions: what lies in exactly one of them.
TopoDS_Shape ExclusiveOr(const TopoDS_Shape& a, const TopoDS_Shape& b) {
  BOPAlgo_CellsBuilder cells;
  cells.AddArgument(a);
  cells.AddArgument(b);
  cells.Perform();
  if (cells.HasErrors()) throw InvalidRecords("the loops cannot be combined");
  TopTools_ListOfShape onlyA, onlyB;
  onlyA.Append(a);
  onlyB.Append(b);
  cells.AddToResult(onlyA, onlyB, 1);
  cells.AddToResult(onlyB, onlyA, 1);
  cells.RemoveInternalBoundaries();
  return cells.Shape();
}

}  // namespace

Region BuildRegion(const Loops& loops) {
  if (loops.empty()) throw InvalidRecords("the profile has no loop");
  Region region;
  for (std::size_t i = 0; i < loops.size(); ++i) {
    ParsedLoop p = Parse(loops[i], i, true);
    TopoDS_Face face = MakeLoopFace(p, i);
    if (i == 0) {
      region.shape = face;
      bool straight = !p.circle && p.fillets.empty();
      for (double r : p.ratios) straight = straight && r == 0;
      if (straight && loops.size() == 1) region.polygon = p.points;
    } else {
      region.shape = ExclusiveOr(region.shape, face);
    }
  }
  if (Area(region.shape) < kMinArea) throw InvalidRecords("the loops enclose no area together");
  return region;
}

TopoDS_Wire BuildPath(const Loops& loops) {
  if (loops.empty()) throw InvalidRecords("the path profile has no loop");
  if (loops.size() > 1) throw InvalidRecords("the path profile has more than one loop");
  std::vector<TopoDS_Vertex> vertices;
  return MakeWire(Parse(loops.front(), 0, false), 0, vertices);
}

}  // namespace host::occt
