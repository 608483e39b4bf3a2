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
#include <GeomAPI_Interpolate.hxx>
#include <Geom_BSplineCurve.hxx>
#include <Geom_Circle.hxx>
#include <Geom_ConicalSurface.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <Geom_Hyperbola.hxx>
#include <Geom_Plane.hxx>
#include <Standard_ConstructionError.hxx>
#include <TColStd_HArray1OfReal.hxx>
#include <TColgp_HArray1OfPnt.hxx>
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
#include <functional>
#include <gp_Ax3.hxx>
#include <gp_Cone.hxx>
#include <gp_Cylinder.hxx>
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

// Points along a rounded corner's trace on a chamfer cone, through which its curve is
// interpolated.
constexpr int kTurnPoints = 17;

// A flat of the prism: its corners in counter-clockwise order, and where it begins and ends
// (at the corners, or where the corners' rounds leave it) measured along the flat from the
// foot of the perpendicular from the axis.
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
  gp_XY Point(double t) const { return outward.XY() * distance + along.XY() * t; }
  gp_Pnt At(double t, double z) const { return {Point(t).X(), Point(t).Y(), z}; }
};

// The flats, each shortened at both ends by what the corners' rounds of `radius` take.
std::vector<Flat> FlatsOf(const std::vector<gp_Pnt2d>& corners, double radius) {
  std::vector<Flat> flats;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    flats.emplace_back(corners[i], corners[(i + 1) % corners.size()]);
  }
  for (std::size_t i = 0; radius > 0 && i < flats.size(); ++i) {
    Flat& before = flats[(i + flats.size() - 1) % flats.size()];
    double turn = std::abs(before.along.Angle(flats[i].along));
    double cut = radius * std::tan(turn / 2);
    before.end -= cut;
    flats[i].start += cut;
  }
  return flats;
}

// The round of the corner between two flats: a cylinder about `centre` from the end of the
// first flat, at angle `from` about it, counter-clockwise to the start of the second, at `to`.
struct Round {
  gp_XY centre;
  double radius = 0, from = 0, to = 0;

  Round(const Flat& before, const Flat& after, double r)
      : centre(before.Point(before.end) - before.outward.XY() * r), radius(r) {
    from = std::atan2(before.outward.Y(), before.outward.X());
    to = std::atan2(after.outward.Y(), after.outward.X());
    if (to <= from) to += 2 * kPi;
  }
  gp_XY Point(double angle) const {
    return centre + gp_XY(std::cos(angle), std::sin(angle)) * radius;
  }
  // The farthest the round reaches from the axis.
  double Reach() const {
    double towards = std::atan2(centre.Y(), centre.X());
    while (towards < from) towards += 2 * kPi;
    if (towards <= to) return centre.Modulus() + radius;
    return std::max(Point(from).Modulus(), Point(to).Modulus());
  }
};

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

// The top end: the prism's top face, or the flare's circle where it touches the flats, the
// material below the cone as below a bottom chamfer.
End TopEnd(const ChamferedPrism& prism) {
  if (prism.flare) return {prism.flare->z, 1, prism.flare->cone};
  return {prism.top, -1, prism.topChamfer};
}

bool ChamferFits(const End& end, const std::vector<Flat>& flats, double bore) {
  if (!end.chamfer) return true;
  const ConeChamfer& c = *end.chamfer;
  if (!(c.slope > 0) || !std::isfinite(c.slope) || !(c.radius > bore + kClearance)) return false;
  for (const Flat& f : flats) {
    if (c.radius < f.distance - kTouching) return false;  // the flat's whole end would go
    if (f.Point(f.start).Modulus() < c.radius + kClearance) return false;
    double w = end.HalfWidth(f);
    if (-w < f.start + kClearance || w > f.end - kClearance) return false;
  }
  return true;
}

// What one end contributes: the edges along each flat's end (from its first corner to its
// second), the arcs of the chamfer circle between flats (from flat i to flat i + 1), the
// vertices where each flat's end begins and ends (one and the same at a sharp corner), the
// edges along the rounded corners (from flat i to flat i + 1) and the chamfer's cone faces.
struct EndEdges {
  std::vector<std::vector<TopoDS_Edge>> rims;
  std::vector<TopoDS_Edge> turns;
  // Per flat: the edges it shares with the end face (none where the circle only touches it).
  std::vector<std::vector<TopoDS_Edge>> flatEnds;
  std::vector<TopoDS_Edge> arcs;
  std::vector<TopoDS_Vertex> starts, ends;
  std::vector<TopoDS_Face> cones;
  TopoDS_Edge boreCircle;
};

class Builder {
 public:
  explicit Builder(const ChamferedPrism& prism)
      : prism_(prism), flats_(FlatsOf(prism.corners, prism.cornerRadius)) {
    for (std::size_t i = 0; prism.cornerRadius > 0 && i < flats_.size(); ++i) {
      rounds_.emplace_back(flats_[i], flats_[(i + 1) % flats_.size()], prism.cornerRadius);
    }
  }

  TopoDS_Shape Build() {
    End bottom{prism_.bottom, 1, prism_.bottomChamfer}, top = TopEnd(prism_);
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
    // The upright edges where each flat begins and ends: at a sharp corner one edge for both.
    std::vector<TopoDS_Edge> startSides, endSides;
    for (std::size_t i = 0; i < n; ++i) {
      startSides.push_back(Line(bottomEdges_.starts[i], topEdges_.starts[i]));
    }
    for (std::size_t i = 0; i < n; ++i) {
      endSides.push_back(rounds_.empty() ? startSides[(i + 1) % n]
                                         : Line(bottomEdges_.ends[i], topEdges_.ends[i]));
    }
    for (std::size_t i = 0; i < rounds_.size(); ++i) {
      builder.Add(shell, RoundFace(i, endSides[i], startSides[(i + 1) % n]));
    }
    for (std::size_t i = 0; i < n; ++i) {
      std::vector<std::pair<TopoDS_Edge, bool>> edges;
      for (const TopoDS_Edge& e : bottomEdges_.rims[i]) edges.emplace_back(e, true);
      edges.emplace_back(endSides[i], true);
      const auto& topRim = topEdges_.rims[i];
      for (auto e = topRim.rbegin(); e != topRim.rend(); ++e) edges.emplace_back(*e, false);
      edges.emplace_back(startSides[i], false);
      const Flat& f = flats_[i];
      gp_Ax3 frame(f.At(0, 0), gp_Dir(f.outward.X(), f.outward.Y(), 0),
                   gp_Dir(f.along.X(), f.along.Y(), 0));
      builder.Add(shell, PlanarFace(gp_Pln(frame), {Wire(edges)}));
    }
    builder.Add(shell, EndFace(bottom, bottomEdges_));
    if (prism_.flare) {
      for (const TopoDS_Face& face : FlareFaces(top)) builder.Add(shell, face);
    } else if (prism_.collar > 0) {
      for (const TopoDS_Face& face : Collar(top.z, top.chamfer->radius, prism_.collar,
                                            topEdges_.arcs, topEdges_.boreCircle)) {
        builder.Add(shell, face);
      }
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
    auto vertexAt = [&](const Flat& f, double t) {
      return Vertex(f.At(t, end.RimZ(f.Point(t).Modulus())));
    };
    for (const Flat& f : flats_) out.starts.push_back(vertexAt(f, f.start));
    for (std::size_t i = 0; i < n; ++i) {
      out.ends.push_back(rounds_.empty() ? out.starts[(i + 1) % n]
                                         : vertexAt(flats_[i], flats_[i].end));
    }
    for (std::size_t i = 0; i < rounds_.size(); ++i) {
      out.turns.push_back(Turn(end, rounds_[i], out.ends[i], out.starts[(i + 1) % n]));
    }
    bool flare = &out == &topEdges_ && prism_.flare.has_value();
    out.rims.resize(n);
    if (!end.chamfer) {
      for (std::size_t i = 0; i < n; ++i) {
        out.rims[i] = {Line(out.starts[i], out.ends[i])};
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
      TopoDS_Edge first = Edge(h, out.starts[i], entry, u(f.start), u(-w));
      TopoDS_Edge last = Edge(h, exit, out.ends[i], u(w), u(f.end));
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
    if (flare) return;  // the flare's one face holds the rims
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

  // The edge along the round of a corner at an end, from the end of the flat before it to the
  // start of the flat after it: an arc on an end face, else the round's trace on the chamfer
  // cone (no conic: interpolated through points of the round at the heights of the cone).
  TopoDS_Edge Turn(const End& end, const Round& round, const TopoDS_Vertex& from,
                   const TopoDS_Vertex& to) {
    if (!end.chamfer) {
      Handle(Geom_Circle) arc = new Geom_Circle(
          gp_Ax2(gp_Pnt(round.centre.X(), round.centre.Y(), end.z), gp::DZ()), round.radius);
      return Edge(arc, from, to, round.from, round.to);
    }
    Handle(TColgp_HArray1OfPnt) points = new TColgp_HArray1OfPnt(1, kTurnPoints);
    Handle(TColStd_HArray1OfReal) parameters = new TColStd_HArray1OfReal(1, kTurnPoints);
    for (int k = 0; k < kTurnPoints; ++k) {
      double angle = round.from + (round.to - round.from) * k / (kTurnPoints - 1);
      gp_XY p = round.Point(angle);
      points->SetValue(k + 1, gp_Pnt(p.X(), p.Y(), end.RimZ(p.Modulus())));
      parameters->SetValue(k + 1, angle);
    }
    points->SetValue(1, BRep_Tool::Pnt(from));
    points->SetValue(kTurnPoints, BRep_Tool::Pnt(to));
    GeomAPI_Interpolate interpolate(points, parameters, Standard_False, 1e-12);
    interpolate.Perform();
    if (!interpolate.IsDone()) throw Standard_ConstructionError("a rounded corner's chamfer");
    return Edge(interpolate.Curve(), from, to, round.from, round.to);
  }

  // The cylinder of the round after flat i, from the upright edge where flat i ends to the one
  // where flat i + 1 starts, counter-clockwise seen from outside.
  TopoDS_Face RoundFace(std::size_t i, const TopoDS_Edge& before, const TopoDS_Edge& after) {
    const Round& round = rounds_[i];
    const TopoDS_Edge& bottom = bottomEdges_.turns[i];
    const TopoDS_Edge& top = topEdges_.turns[i];
    TopoDS_Wire wire = Wire({{bottom, true}, {after, true}, {top, false}, {before, false}});
    // The seam lies opposite the round's middle, so that the face's parameters run without a
    // jump.
    double middle = (round.from + round.to) / 2;
    gp_Ax3 frame(gp_Pnt(round.centre.X(), round.centre.Y(), 0), gp::DZ(),
                 gp_Dir(-std::cos(middle), -std::sin(middle), 0));
    return TracedFace(
        new Geom_CylindricalSurface(frame, round.radius), wire,
        [&](const Handle(Geom_Curve) & curve, double first, double last, double& tolerance) {
          return TraceOn(curve, first, last, gp_Cylinder(frame, round.radius), tolerance);
        });
  }

  // A face on a curved surface bounded by `wire`, each edge given its trace there by `trace`.
  using TraceFn =
      std::function<Handle(Geom2d_Curve)(const Handle(Geom_Curve)&, double, double, double&)>;
  static TopoDS_Face TracedFace(const Handle(Geom_Surface) & surface, const TopoDS_Wire& wire,
                                const TraceFn& trace) {
    BRep_Builder builder;
    TopoDS_Face face;
    builder.MakeFace(face, surface, kTolerance);
    builder.Add(face, wire);
    for (TopExp_Explorer e(wire, TopAbs_EDGE); e.More(); e.Next()) {
      const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
      double first = 0, last = 0;
      Handle(Geom_Curve) curve = BRep_Tool::Curve(edge, first, last);
      double tolerance = kTolerance;
      Handle(Geom2d_Curve) onFace = trace(curve, first, last, tolerance);
      builder.UpdateEdge(edge, onFace, face, tolerance);
    }
    return face;
  }

  // The cone's face about the corner after flat i: the arc from flat i to flat i + 1, the end of
  // flat i + 1 down to the corner (or its round) and that of flat i back up (for the bottom end
  // the other way), counter-clockwise seen from outside.
  TopoDS_Face ConeAt(const End& end, const EndEdges& edges, std::size_t i) {
    std::size_t j = (i + 1) % flats_.size();
    const TopoDS_Edge& arc = edges.arcs[i];
    const TopoDS_Edge& before = edges.rims[i].back();  // on flat i, towards the corner
    const TopoDS_Edge& after = edges.rims[j].front();  // on flat j, from the corner
    bool top = end.inward < 0;
    std::vector<std::pair<TopoDS_Edge, bool>> edgesOn =
        top ? std::vector<std::pair<TopoDS_Edge, bool>>{{arc, false}, {before, true}, {after, true}}
            : std::vector<std::pair<TopoDS_Edge, bool>>{
                  {arc, true}, {after, false}, {before, false}};
    if (!edges.turns.empty()) edgesOn.insert(edgesOn.begin() + 2, {edges.turns[i], top});
    TopoDS_Wire wire = Wire(edgesOn);
    const ConeChamfer& c = *end.chamfer;
    gp_XY corner = flats_[j].from.XY();
    // The seam lies opposite the corner, so that the face's parameters run without a jump.
    gp_Ax3 frame(gp_Pnt(0, 0, end.z), gp_Dir(0, 0, end.inward),
                 gp_Dir(-corner.X(), -corner.Y(), 0));
    Handle(Geom_ConicalSurface) cone =
        new Geom_ConicalSurface(frame, std::atan(1 / c.slope), c.radius);
    return TracedFace(
        cone, wire,
        [&](const Handle(Geom_Curve) & curve, double first, double last, double& tolerance) {
          return TraceOn(curve, first, last, cone->Cone(), tolerance);
        });
  }

  // An end face: the ends of the flats and the arcs between them, and the bore's circle;
  // counter-clockwise seen from outside.
  TopoDS_Face EndFace(const End& end, const EndEdges& edges) {
    std::vector<std::pair<TopoDS_Edge, bool>> outer;
    for (std::size_t i = 0; i < flats_.size(); ++i) {
      for (const TopoDS_Edge& e : edges.flatEnds[i]) outer.emplace_back(e, true);
      if (end.chamfer) {
        outer.emplace_back(edges.arcs[i], true);
      } else if (!edges.turns.empty()) {
        outer.emplace_back(edges.turns[i], true);
      }
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

  // The collar's side, from the arcs of the circle of radius `r` at height `z` (their
  // parameters the angles about the axis) up to its rim `height` higher, its seam above the
  // first arc's start; and its top face, holed by `boreCircle` unless null.
  static std::vector<TopoDS_Face> Collar(double z, double r, double height,
                                         const std::vector<TopoDS_Edge>& arcs,
                                         const TopoDS_Edge& boreCircle) {
    double summit = z + height;
    TopoDS_Vertex below = TopExp::FirstVertex(arcs.front(), Standard_True);
    gp_Pnt start = BRep_Tool::Pnt(below);
    double seamAngle = std::atan2(start.Y(), start.X());
    gp_Dir x(std::cos(seamAngle), std::sin(seamAngle), 0);
    Handle(Geom_CylindricalSurface) side =
        new Geom_CylindricalSurface(gp_Ax3(gp_Pnt(0, 0, z), gp::DZ(), x), r);
    TopoDS_Vertex above = Vertex(gp_Pnt(r * x.X(), r * x.Y(), summit));
    TopoDS_Edge seam = Line(below, above);
    Handle(Geom_Circle) rimCurve = new Geom_Circle(gp_Ax2(gp_Pnt(0, 0, summit), gp::DZ(), x), r);
    TopoDS_Edge rim = Edge(rimCurve, above, above, 0, 2 * kPi);

    BRep_Builder builder;
    TopoDS_Face face;
    builder.MakeFace(face, side, kTolerance);
    std::vector<std::pair<TopoDS_Edge, bool>> wire;
    for (const TopoDS_Edge& arc : arcs) {
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
    if (!boreCircle.IsNull()) topWires.push_back(Wire({{boreCircle, false}}));
    return {face, PlanarFace(gp_Pln(gp_Pnt(0, 0, summit), gp::DZ()), topWires)};
  }

  // The flare's cone from the rims of the flats and rounds out to its circle, its seam above
  // the point where the first flat touches it; the collar on that circle.
  std::vector<TopoDS_Face> FlareFaces(const End& end) {
    const Flare& flare = *prism_.flare;
    const EndEdges& edges = topEdges_;
    TopoDS_Vertex touch = TopExp::LastVertex(edges.rims[0].front());
    gp_Pnt p = BRep_Tool::Pnt(touch);
    double seamAngle = std::atan2(p.Y(), p.X());
    gp_Dir x(std::cos(seamAngle), std::sin(seamAngle), 0);
    TopoDS_Vertex above = Vertex(gp_Pnt(flare.radius * x.X(), flare.radius * x.Y(), flare.rimZ));
    Handle(Geom_Circle) rimCurve =
        new Geom_Circle(gp_Ax2(gp_Pnt(0, 0, flare.rimZ), gp::DZ()), flare.radius);
    TopoDS_Edge rim = Edge(rimCurve, above, above, seamAngle, seamAngle + 2 * kPi);
    TopoDS_Edge seam = Line(touch, above);
    gp_Cone cone(gp_Ax3(gp_Pnt(0, 0, end.z), gp::DZ(), x), std::atan(1 / flare.cone.slope),
                 flare.cone.radius);
    BRep_Builder builder;
    TopoDS_Face face;
    builder.MakeFace(face, new Geom_ConicalSurface(cone), kTolerance);
    // The rims counter-clockwise about the axis from the touching point back to it.
    std::vector<TopoDS_Edge> loop{edges.rims[0].back()};
    for (std::size_t i = 0; i < flats_.size(); ++i) {
      if (!edges.turns.empty()) loop.push_back(edges.turns[i]);
      std::size_t j = (i + 1) % flats_.size();
      if (j == 0) {
        loop.push_back(edges.rims[0].front());
      } else {
        loop.insert(loop.end(), edges.rims[j].begin(), edges.rims[j].end());
      }
    }
    std::vector<std::pair<TopoDS_Edge, bool>> wire;
    for (const TopoDS_Edge& edge : loop) {
      double first = 0, last = 0;
      Handle(Geom_Curve) curve = BRep_Tool::Curve(edge, first, last);
      // Angles taken within half a turn of the edge's middle: the loop runs from 0 to a turn.
      double u0 = 0, v0 = 0;
      ElSLib::Parameters(cone, curve->Value((first + last) / 2), u0, v0);
      double tolerance = kTolerance;
      Handle(Geom2d_Curve) trace = Trace(
          curve, first, last,
          [&](const gp_Pnt& q) {
            double u = 0, v = 0;
            ElSLib::Parameters(cone, q, u, v);
            while (u < u0 - kPi) u += 2 * kPi;
            while (u > u0 + kPi) u -= 2 * kPi;
            return gp_Pnt2d(u, v);
          },
          [&](const gp_Pnt2d& uv) { return ElSLib::Value(uv.X(), uv.Y(), cone); }, tolerance);
      builder.UpdateEdge(edge, trace, face, tolerance);
      wire.emplace_back(edge, true);
    }
    double slant = BRep_Tool::Pnt(touch).Distance(BRep_Tool::Pnt(above));
    builder.UpdateEdge(seam, new Geom2d_Line(gp_Pnt2d(2 * kPi, 0), gp::DY2d()),
                       new Geom2d_Line(gp_Pnt2d(0, 0), gp::DY2d()), face, kTolerance);
    builder.UpdateEdge(rim, new Geom2d_Line(gp_Pnt2d(-seamAngle, slant), gp::DX2d()), face,
                       kTolerance);
    wire.emplace_back(seam, true);
    wire.emplace_back(rim, false);
    wire.emplace_back(seam, false);
    builder.Add(face, Wire(wire));
    std::vector<TopoDS_Face> faces{face};
    for (const TopoDS_Face& f : Collar(flare.rimZ, flare.radius, flare.top - flare.rimZ, {rim}, {}))
      faces.push_back(f);
    return faces;
  }

  const ChamferedPrism& prism_;
  std::vector<Flat> flats_;
  std::vector<Round> rounds_;  // after each flat; none when the corners are sharp
  EndEdges bottomEdges_, topEdges_;
};

}  // namespace

namespace {

// A flare touches every flat, stands clear above the bottom face and within the top one, and
// reaches its circle beyond the corners, below its collar's top, on a prism neither bored nor
// chamfered nor collared at the top.
bool FlareFits(const ChamferedPrism& prism, const std::vector<Flat>& flats) {
  const Flare& f = *prism.flare;
  if (prism.bore > 0 || prism.topChamfer || prism.collar > 0) return false;
  for (const Flat& flat : flats) {
    if (std::abs(f.cone.radius - flat.distance) > kTouching) return false;
  }
  return f.z > prism.bottom + kClearance && f.z < prism.top - kClearance &&
         f.radius > OutlineReach(prism) + kClearance && f.top > f.rimZ + kClearance &&
         f.top > prism.top - kTouching;
}

}  // namespace

bool CanBuildChamferedPrism(const ChamferedPrism& prism) {
  const std::vector<gp_Pnt2d>& c = prism.corners;
  if (c.size() < 3 || !(prism.top - prism.bottom > kClearance) || prism.bore < 0) return false;
  for (std::size_t i = 0; i < c.size(); ++i) {
    gp_Vec2d a(c[i], c[(i + 1) % c.size()]), b(c[(i + 1) % c.size()], c[(i + 2) % c.size()]);
    if (a.Magnitude() < kClearance || a.Crossed(b) <= 0) return false;
  }
  double r = prism.cornerRadius;
  if (r < 0 || (r > 0 && r < kClearance)) return false;
  std::vector<Flat> flats = FlatsOf(c, r);
  for (const Flat& f : flats) {
    if (f.distance < prism.bore + kClearance || f.distance < r + kClearance) return false;
    if (!(f.end - f.start > kClearance)) return false;
  }
  End bottom{prism.bottom, 1, prism.bottomChamfer}, top = TopEnd(prism);
  if (!ChamferFits(bottom, flats, prism.bore) || !ChamferFits(top, flats, prism.bore)) return false;
  if (prism.flare && !FlareFits(prism, flats)) return false;
  for (std::size_t i = 0; i < c.size(); ++i) {
    double rho =
        r > 0 ? Round(flats[i], flats[(i + 1) % c.size()], r).Reach() : c[i].XY().Modulus();
    if (!(top.RimZ(rho) - bottom.RimZ(rho) > kClearance)) return false;
  }
  if (prism.collar == 0) return true;
  if (!(prism.collar > kClearance) || !prism.topChamfer) return false;
  return std::all_of(flats.begin(), flats.end(),
                     [&](const Flat& f) { return top.HalfWidth(f) == 0; });
}

double CoreRadius(const ChamferedPrism& prism) {
  if (prism.bore > 0) return 0;
  double radius = INFINITY;
  for (const auto& chamfer : {prism.bottomChamfer, prism.topChamfer}) {
    if (chamfer) radius = std::min(radius, chamfer->radius);
  }
  // A flat's nearest point to the axis lies on the flat, not in a corner's round, so that no
  // round comes nearer.
  for (const Flat& f : FlatsOf(prism.corners, prism.cornerRadius)) {
    radius = std::min(radius, f.start <= 0 && f.end >= 0 ? f.distance : 0.0);
  }
  return radius;
}

double OutlineReach(const ChamferedPrism& prism) {
  double reach = 0;
  std::vector<gp_Pnt2d> c = prism.corners;
  double area = 0;
  for (std::size_t i = 0; i < c.size(); ++i) area += c[i].XY() ^ c[(i + 1) % c.size()].XY();
  if (area < 0) std::reverse(c.begin(), c.end());
  std::vector<Flat> flats = FlatsOf(c, prism.cornerRadius);
  for (std::size_t i = 0; i < c.size(); ++i) {
    reach =
        std::max(reach, prism.cornerRadius > 0
                            ? Round(flats[i], flats[(i + 1) % c.size()], prism.cornerRadius).Reach()
                            : c[(i + 1) % c.size()].XY().Modulus());
  }
  return reach;
}

TopoDS_Shape BuildChamferedPrism(const ChamferedPrism& prism) { return Builder(prism).Build(); }

}  // namespace host::occt
