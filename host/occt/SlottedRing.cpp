// The slotted ring's faces and the edges they share, made one by one and put together into a
// closed shell.
#include "host/occt/SlottedRing.h"

#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepLib.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Geom_Circle.hxx>
#include <Geom_ConicalSurface.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <Geom_Hyperbola.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Shell.hxx>
#include <cmath>
#include <gp_Ax3.hxx>
#include <gp_Hypr.hxx>

#include "host/occt/ClosedSolid.h"
#include "host/occt/FaceParts.h"

namespace host::occt {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Slots, floors and the bore keep at least this far (mm) from what they must not meet.
constexpr double kClearance = 1e-5;

using Edges = std::vector<std::pair<TopoDS_Edge, bool>>;

// One wall of a slot (side -1: clockwise about the axis, +1: counter-clockwise): its corners
// and edges, from the floor outwards and upwards.
struct Wall {
  TopoDS_Vertex floorLow, floorHigh, rimLow, rimFoot, rimTop;
  TopoDS_Edge floorLine, low, side, hyperbola, high;
};

class Builder {
 public:
  explicit Builder(const SlottedRing& ring) : r_(ring) {}

  TopoDS_Shape Build() {
    BRep_Builder builder;
    TopoDS_Shell shell;
    builder.MakeShell(shell);
    std::size_t n = r_.slotAngles.size();
    std::vector<Wall> minus, plus;
    for (double angle : r_.slotAngles) {
      minus.push_back(MakeWall(angle, -1));
      plus.push_back(MakeWall(angle, 1));
    }
    BoreWall bore = Bore(r_.bore, r_.bottom, r_.top);
    Edges bottomLoop, topLoop;
    for (std::size_t k = 0; k < n; ++k) {
      const Wall &m = minus[k], &p = plus[k];
      TopoDS_Edge floorLow = Line(m.floorLow, p.floorLow),
                  floorHigh = Line(m.floorHigh, p.floorHigh);
      builder.Add(shell, WallFace(p, r_.slotAngles[k], 1));
      builder.Add(shell, WallFace(m, r_.slotAngles[k], -1));
      gp_Dir out(std::cos(r_.slotAngles[k]), std::sin(r_.slotAngles[k]), 0);
      gp_Ax3 floorFrame(gp_Pnt(r_.floor * out.X(), r_.floor * out.Y(), 0), out);
      builder.Add(shell, PlanarFace(gp_Pln(floorFrame), {Wire({{floorLow, true},
                                                               {p.floorLine, true},
                                                               {floorHigh, false},
                                                               {m.floorLine, false}})}));
      // Around the top face counter-clockwise seen from above: into the slot, across its floor
      // and out again, then along the chamfer's circle to the next slot.
      const Wall& next = minus[(k + 1) % n];
      TopoDS_Edge topArc = Arc(p.rimTop, next.rimTop, r_.top, r_.chamferRadius);
      TopoDS_Edge footArc = Arc(p.rimFoot, next.rimFoot, r_.chamferFoot, r_.radius);
      TopoDS_Edge bottomArc = Arc(p.rimLow, next.rimLow, r_.bottom, r_.radius);
      topLoop.insert(topLoop.end(),
                     {{m.high, false}, {floorHigh, true}, {p.high, true}, {topArc, true}});
      bottomLoop.insert(bottomLoop.end(),
                        {{m.low, false}, {floorLow, true}, {p.low, true}, {bottomArc, true}});
      double middle =
          0.5 * (r_.slotAngles[k] + r_.slotAngles[(k + 1) % n] + (k + 1 == n ? 2 * kPi : 0));
      builder.Add(
          shell,
          Cylinder(middle,
                   {{bottomArc, true}, {next.side, true}, {footArc, false}, {p.side, false}}));
      builder.Add(
          shell,
          Cone(middle,
               {{topArc, false}, {p.hyperbola, true}, {footArc, true}, {next.hyperbola, false}}));
    }
    std::reverse(bottomLoop.begin(), bottomLoop.end());
    for (auto& e : bottomLoop) e.second = !e.second;
    builder.Add(shell, PlanarFace(gp_Pln(gp_Pnt(0, 0, r_.bottom), -gp::DZ()),
                                  {Wire(bottomLoop), Wire({{bore.bottomCircle, true}})}));
    builder.Add(shell, PlanarFace(gp_Pln(gp_Pnt(0, 0, r_.top), gp::DZ()),
                                  {Wire(topLoop), Wire({{bore.topCircle, false}})}));
    builder.Add(shell, bore.face);
    TopoDS_Solid solid = ClosedSolid(shell);
    // The traces on the cones may stray a little further than the vertices allow.
    BRepLib::UpdateTolerances(solid);
    return solid;
  }

 private:
  // How far the chamfer's cone drops per mm away from the axis.
  double Slope() const { return (r_.top - r_.chamferFoot) / (r_.radius - r_.chamferRadius); }

  Wall MakeWall(double angle, int side) {
    gp_XY out(std::cos(angle), std::sin(angle)), across(-out.Y(), out.X());
    double w = r_.halfWidth;
    gp_XY foot = across * (side * w);
    auto at = [&](double v, double z) {
      gp_XY p = foot + out * v;
      return gp_Pnt(p.X(), p.Y(), z);
    };
    double rimV = std::sqrt(r_.radius * r_.radius - w * w);
    double topV = std::sqrt(r_.chamferRadius * r_.chamferRadius - w * w);
    Wall wall;
    wall.floorLow = Vertex(at(r_.floor, r_.bottom));
    wall.floorHigh = Vertex(at(r_.floor, r_.top));
    wall.rimLow = Vertex(at(rimV, r_.bottom));
    wall.rimFoot = Vertex(at(rimV, r_.chamferFoot));
    wall.rimTop = Vertex(at(topV, r_.top));
    wall.floorLine = Line(wall.floorLow, wall.floorHigh);
    wall.low = Line(wall.floorLow, wall.rimLow);
    wall.side = Line(wall.rimLow, wall.rimFoot);
    wall.high = Line(wall.floorHigh, wall.rimTop);
    // In the wall's plane the cone is the hyperbola z = apex - slope sqrt(w² + v²):
    // v = w sinh u, at z = apex - slope w cosh u; its edge runs down from the top face.
    double apex = r_.top + Slope() * r_.chamferRadius;
    gp_Dir down(0, 0, -1), along(out.X(), out.Y(), 0);
    gp_Ax2 axes(at(0, apex), down.Crossed(along), down);
    Handle(Geom_Hyperbola) h = new Geom_Hyperbola(gp_Hypr(axes, Slope() * w, w));
    wall.hyperbola = Edge(h, wall.rimTop, wall.rimFoot, std::asinh(topV / w), std::asinh(rimV / w));
    return wall;
  }

  // A wall's face, its normal pointing into the slot; counter-clockwise seen from there.
  TopoDS_Face WallFace(const Wall& w, double angle, int side) {
    Edges edges{
        {w.low, true}, {w.side, true}, {w.hyperbola, false}, {w.high, false}, {w.floorLine, false}};
    if (side < 0) {
      std::reverse(edges.begin(), edges.end());
      for (auto& e : edges) e.second = !e.second;
    }
    gp_Dir across(-std::sin(angle), std::cos(angle), 0);
    gp_Pnt on = BRep_Tool::Pnt(w.floorLow);
    return PlanarFace(gp_Pln(on, side > 0 ? across.Reversed() : across), {Wire(edges)});
  }

  // The arc about the axis at height z counter-clockwise from `a` to `b`.
  static TopoDS_Edge Arc(const TopoDS_Vertex& a, const TopoDS_Vertex& b, double z, double radius) {
    Handle(Geom_Circle) circle =
        new Geom_Circle(gp_Ax2(gp_Pnt(0, 0, z), gp::DZ(), gp::DX()), radius);
    gp_Pnt pa = BRep_Tool::Pnt(a), pb = BRep_Tool::Pnt(b);
    double from = std::atan2(pa.Y(), pa.X()), to = std::atan2(pb.Y(), pb.X());
    if (to <= from) to += 2 * kPi;
    return Edge(circle, a, b, from, to);
  }

  // A face on a cylinder or cone bounded by the edges, each given its trace there.
  template <typename Surface>
  static TopoDS_Face CurvedFace(const Handle(Geom_Surface) & geom, const Surface& surface,
                                const Edges& edges) {
    BRep_Builder builder;
    TopoDS_Face face;
    builder.MakeFace(face, geom, kFaceTolerance);
    builder.Add(face, Wire(edges));
    for (const auto& [edge, forward] : edges) {
      double first = 0, last = 0;
      Handle(Geom_Curve) curve = BRep_Tool::Curve(edge, first, last);
      double tolerance = kFaceTolerance;
      Handle(Geom2d_Curve) trace = TraceOn(curve, first, last, surface, tolerance);
      builder.UpdateEdge(edge, trace, face, tolerance);
    }
    return face;
  }

  // The direction opposite the middle of the face between two slots: the surface's seam lies
  // there, so that the face's parameters run without a jump.
  static gp_Dir Opposite(double middle) { return {-std::cos(middle), -std::sin(middle), 0}; }

  TopoDS_Face Cylinder(double middle, const Edges& edges) {
    Handle(Geom_CylindricalSurface) s = new Geom_CylindricalSurface(
        gp_Ax3(gp_Pnt(0, 0, r_.bottom), gp::DZ(), Opposite(middle)), r_.radius);
    return CurvedFace(s, s->Cylinder(), edges);
  }

  TopoDS_Face Cone(double middle, const Edges& edges) {
    Handle(Geom_ConicalSurface) s =
        new Geom_ConicalSurface(gp_Ax3(gp_Pnt(0, 0, r_.top), -gp::DZ(), Opposite(middle)),
                                std::atan(1 / Slope()), r_.chamferRadius);
    return CurvedFace(s, s->Cone(), edges);
  }

  const SlottedRing& r_;
};

}  // namespace

bool CanBuildSlottedRing(const SlottedRing& r) {
  if (!(r.top - r.bottom > kClearance) || !(r.bore > kClearance) || r.slotAngles.empty()) {
    return false;
  }
  if (!(r.chamferFoot > r.bottom + kClearance && r.chamferFoot < r.top - kClearance)) return false;
  if (!(r.chamferRadius < r.radius - kClearance)) return false;
  if (!(r.halfWidth > kClearance) || !(r.floor > r.bore + kClearance)) return false;
  // The floor's corners inside the top face, clear of the chamfer's circle.
  if (!(std::hypot(r.floor, r.halfWidth) < r.chamferRadius - kClearance)) return false;
  // Each slot within the angle its floor's corners span, and a gap between slots.
  double spread = 2 * std::atan2(r.halfWidth, r.floor) + kClearance;
  const std::vector<double>& a = r.slotAngles;
  for (std::size_t k = 0; k < a.size(); ++k) {
    double next = k + 1 < a.size() ? a[k + 1] : a.front() + 2 * kPi;
    if (!(next - a[k] > spread)) return false;
  }
  return a.back() - a.front() < 2 * kPi;
}

TopoDS_Shape BuildSlottedRing(const SlottedRing& ring) { return Builder(ring).Build(); }

}  // namespace host::occt
