// The faces of a cross recess's union, made one by one: the blades' walls and ends standing out
// of the notched prism, the notches below them, the corner walls split where the blades leave
// the notches and cut back where a star's tips stand out through them.
#include "host/occt/CrossRecessFaces.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepLib.hxx>
#include <BRepTools_WireExplorer.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <ElCLib.hxx>
#include <ElSLib.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <Geom2dAPI_Interpolate.hxx>
#include <Geom2d_BSplineCurve.hxx>
#include <Geom2d_Line.hxx>
#include <GeomProjLib.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <Geom_Ellipse.hxx>
#include <Geom_Plane.hxx>
#include <IntAna_QuadQuadGeo.hxx>
#include <Precision.hxx>
#include <Standard_ConstructionError.hxx>
#include <TColStd_HArray1OfReal.hxx>
#include <TColgp_HArray1OfPnt2d.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Iterator.hxx>
#include <TopoDS_Shell.hxx>
#include <TopoDS_Solid.hxx>
#include <TopoDS_Vertex.hxx>
#include <TopoDS_Wire.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Ax3.hxx>
#include <gp_Pln.hxx>
#include <gp_XYZ.hxx>
#include <utility>
#include <vector>

#include "host/occt/ClosedSolid.h"

namespace host::occt {
namespace {

// Points closer than this (mm) are one vertex.
constexpr double kMatch = 1e-7;

// The flat face `wire` bounds, on `plane` or else on the plane through its corners, with the
// edges' curves on the plane kept on them. The corners' winding (Newell's sum) tells which way
// the wire runs: the kernel's face maker would fit the plane and classify points to find out,
// and, with no curves kept, every later query would project the edges again.
TopoDS_Face FlatFace(TopoDS_Wire wire, const gp_Pln* plane = nullptr) {
  std::vector<gp_Pnt> corners;
  for (BRepTools_WireExplorer e(wire); e.More(); e.Next()) {
    corners.push_back(BRep_Tool::Pnt(e.CurrentVertex()));
  }
  gp_XYZ winding(0, 0, 0);
  for (std::size_t i = 0; i < corners.size(); ++i) {
    winding += corners[i].XYZ().Crossed(corners[(i + 1) % corners.size()].XYZ());
  }
  if (winding.Modulus() < kMatch) throw Standard_ConstructionError("a flat face's corners");
  gp_Pln on = plane ? *plane : gp_Pln(corners.front(), gp_Dir(winding));
  if (gp_Vec(on.Axis().Direction()).Dot(gp_Vec(winding)) < 0) wire.Reverse();
  BRep_Builder builder;
  TopoDS_Face face;
  builder.MakeFace(face, new Geom_Plane(on), kMatch);
  builder.Add(face, wire);
  TopTools_ListOfShape edges;
  for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) edges.Append(e.Current());
  BRepLib::BuildPCurveForEdgesOnPlane(edges, face);
  return face;
}

// The union's faces, sharing their edges and vertices, each turned to face out of the union.
class Faces {
 public:
  Faces(const Recess& r, const std::array<StarTip, 4>* star, const gp_Sphere* dome)
      : r_(r), star_(star), dome_(dome) {
    builder_.MakeShell(shell_);
    leave_ = r.DepthAt(1.5 * r.b);  // where the blades' ends leave the notches' mouths
    bottom_ = r.DepthAt(r.b);       // where they leave the notches' bottoms
  }

  TopoDS_Shape Solid() {
    Walls();
    End(0, r_.w);
    return ClosedSolid(shell_);
  }

  // Every face but the top, and the edges round the top.
  DomeLining Lining() {
    Walls();
    DomeLining lining;
    for (TopoDS_Iterator f(shell_); f.More(); f.Next()) {
      lining.faces.push_back(TopoDS::Face(f.Value()));
    }
    const double b = r_.b, w = r_.w;
    for (int arm = 0; arm < 4; ++arm) {
      TopoDS_Vertex a = P(arm, 1.5 * b, -b / 2, 0), c = P(arm, w, -b / 2, 0),
                    e = P(arm, w, b / 2, 0), f = P(arm, 1.5 * b, b / 2, 0);
      for (const TopoDS_Edge& edge : {Between(a, c), Between(c, e), Between(e, f)}) {
        lining.opening.push_back(edge);
      }
      for (const TopoDS_Edge& edge : tops_[arm]) lining.opening.push_back(edge);
    }
    return lining;
  }

 private:
  void Walls() {
    const double b = r_.b, w = r_.w, t = r_.t;
    for (int arm = 0; arm < 4; ++arm) Corner(arm);
    End(t, b);
    for (int arm = 0; arm < 4; ++arm) {
      gp_Vec along(r_.At(arm, 0, 0, 0), r_.At(arm, 1, 0, 0));
      gp_Vec left(r_.At(arm, 0, 0, 0), r_.At(arm, 0, 1, 0));
      for (double v : {-b / 2, b / 2}) {
        gp_Vec side = left * (v > 0 ? 1 : -1);
        Plane({P(arm, 1.5 * b, v, 0), P(arm, w, v, 0), P(arm, w, v, t / 3),
               P(arm, 1.5 * b, v, leave_)},
              side);
        Plane({P(arm, b, v, bottom_), P(arm, 1.5 * b, v, leave_), P(arm, 1.5 * b, v, t),
               P(arm, b, v, t)},
              -side);
      }
      Plane({P(arm, w, b / 2, 0), P(arm, w, -b / 2, 0), P(arm, w, -b / 2, t / 3),
             P(arm, w, b / 2, t / 3)},
            along);
      Plane({P(arm, w, b / 2, t / 3), P(arm, 1.5 * b, b / 2, leave_), P(arm, b, b / 2, bottom_),
             P(arm, b, -b / 2, bottom_), P(arm, 1.5 * b, -b / 2, leave_), P(arm, w, -b / 2, t / 3)},
            along);
      Plane({P(arm, b, b / 2, bottom_), P(arm, b, -b / 2, bottom_), P(arm, b, -b / 2, t),
             P(arm, b, b / 2, t)},
            along);
    }
  }

  struct Placed {
    gp_Pnt at;
    TopoDS_Vertex vertex;
    bool top;  // moved onto the dome
  };
  struct Line {
    TopoDS_Vertex a, b;
    TopoDS_Edge edge;
  };

  // The point u along arm `arm`, v across it, d deep, as a vertex shared by every face there.
  TopoDS_Vertex P(int arm, double u, double v, double d) { return At(r_.At(arm, u, v, d)); }

  // The vertex at `at`, shared by every face there; under a dome, a point on the top is moved
  // down onto the dome.
  TopoDS_Vertex At(gp_Pnt at) {
    bool top = dome_ && std::abs(at.Z() - r_.top) < kMatch;
    if (top) at = OnDome(at.X(), at.Y());
    for (const Placed& c : vertices_) {
      if (c.at.Distance(at) < kMatch) return c.vertex;
    }
    TopoDS_Vertex vertex;
    builder_.MakeVertex(vertex, at, kTolerance);
    vertices_.push_back({at, vertex, top});
    return vertex;
  }

  // The point of the dome above (x, y).
  gp_Pnt OnDome(double x, double y) const {
    gp_Pnt c = dome_->Location();
    double dx = x - c.X(), dy = y - c.Y();
    return {x, y, c.Z() + std::sqrt(dome_->Radius() * dome_->Radius() - dx * dx - dy * dy)};
  }

  // How far `p` lies above the dome (below it when negative).
  double AboveDome(const gp_Pnt& p) const {
    return p.Distance(dome_->Location()) - dome_->Radius();
  }

  // Where the segment from `above` (over the dome) to `below` (under it) passes through it.
  gp_Pnt DomeOnLine(const gp_Pnt& above, const gp_Pnt& below) const {
    gp_Vec step(above, below);
    return above.Translated(step *
                            Bisect([&](double s) { return above.Translated(step * s); }, 0, 1));
  }

  // The parameter between s0 (at(s0) over the dome) and s1 (under it) where at(s) passes
  // through the dome.
  template <typename Path>
  double Bisect(const Path& at, double s0, double s1) const {
    if (!(AboveDome(at(s0)) > 0) || !(AboveDome(at(s1)) < 0)) {
      throw Standard_ConstructionError("a star's edge does not pass through the dome");
    }
    for (int i = 0; i < 80; ++i) {
      double s = (s0 + s1) / 2;
      (AboveDome(at(s)) > 0 ? s0 : s1) = s;
    }
    return (s0 + s1) / 2;
  }

  // The edge along the top of a star's wall from `a` to `b`: straight on the top plane, on the
  // circle where the wall's plane meets the dome under one.
  TopoDS_Edge TopAcross(const TopoDS_Vertex& a, const TopoDS_Vertex& b, const gp_Pln& wall) {
    if (!dome_) return Between(a, b);
    for (const Line& l : lines_) {
      if ((l.a.IsSame(a) && l.b.IsSame(b)) || (l.a.IsSame(b) && l.b.IsSame(a))) return l.edge;
    }
    gp_Pnt p = BRep_Tool::Pnt(a), q = BRep_Tool::Pnt(b);
    // The circle's centre: the dome's centre dropped onto the wall's plane.
    gp_Vec normal(wall.Axis().Direction());
    gp_Pnt centre = dome_->Location().Translated(normal * normal.Dot(gp_Vec(dome_->Location(), p)));
    double radius = centre.Distance(p);
    gp_Vec middle = gp_Vec(centre, p).Normalized() + gp_Vec(centre, q).Normalized();
    gp_Pnt halfway = centre.Translated(middle.Normalized() * radius);
    TopoDS_Edge edge =
        BRepBuilderAPI_MakeEdge(GC_MakeArcOfCircle(p, halfway, q).Value(), a, b).Edge();
    lines_.push_back({a, b, edge});
    return edge;
  }

  bool OnTop(const TopoDS_Vertex& v) const {
    for (const Placed& c : vertices_) {
      if (c.vertex.IsSame(v)) return c.top;
    }
    return false;
  }

  // The straight edge between two vertices, shared by the two faces it bounds; under a dome,
  // between two points on it, the arc where the upright plane through them meets the dome.
  TopoDS_Edge Between(const TopoDS_Vertex& a, const TopoDS_Vertex& b) {
    for (const Line& l : lines_) {
      if ((l.a.IsSame(a) && l.b.IsSame(b)) || (l.a.IsSame(b) && l.b.IsSame(a))) return l.edge;
    }
    TopoDS_Edge edge;
    if (OnTop(a) && OnTop(b)) {
      gp_Pnt p = BRep_Tool::Pnt(a), q = BRep_Tool::Pnt(b);
      gp_Pnt middle = OnDome((p.X() + q.X()) / 2, (p.Y() + q.Y()) / 2);
      edge = BRepBuilderAPI_MakeEdge(GC_MakeArcOfCircle(p, middle, q).Value(), a, b).Edge();
    } else {
      edge = BRepBuilderAPI_MakeEdge(a, b).Edge();
    }
    lines_.push_back({a, b, edge});
    return edge;
  }

  void Add(const TopoDS_Face& face, const gp_Vec& outward) {
    BRepAdaptor_Surface surface(face, Standard_False);
    gp_Pln plane = surface.Plane();
    gp_Vec normal(plane.Axis().Direction());
    if (!plane.Direct()) normal.Reverse();
    builder_.Add(shell_, normal.Dot(outward) > 0 ? face : TopoDS::Face(face.Reversed()));
  }

  // The flat face through these corners, each joined to the next by a straight edge.
  void Plane(const std::vector<TopoDS_Vertex>& corners, const gp_Vec& outward) {
    BRepBuilderAPI_MakeWire wire;
    for (std::size_t i = 0; i < corners.size(); ++i) {
      wire.Add(Between(corners[i], corners[(i + 1) % corners.size()]));
    }
    Add(FlatFace(wire.Wire()), outward);
  }

  // The top (d = 0) or bottom face: each arm's outline out to `reach`, then the corner arc
  // (at the top, cut back around a star's tip).
  void End(double d, double reach) {
    const double b = r_.b;
    BRepBuilderAPI_MakeWire wire;
    for (int arm = 0; arm < 4; ++arm) {
      TopoDS_Vertex a = P(arm, 1.5 * b, -b / 2, d), c = P(arm, reach, -b / 2, d),
                    e = P(arm, reach, b / 2, d), f = P(arm, 1.5 * b, b / 2, d);
      wire.Add(Between(a, c));
      wire.Add(Between(c, e));
      wire.Add(Between(e, f));
      if (d == 0) {
        for (const TopoDS_Edge& edge : tops_[arm]) wire.Add(edge);
      } else {
        wire.Add(bottoms_[arm]);
      }
    }
    Add(FlatFace(wire.Wire()), gp_Vec(0, 0, d == 0 ? 1 : -1));
  }

  // The corner wall between arm `arm` and the next: a quarter of the cylinder of radius b about
  // the corner of the square 3b wide, its straight sides split where the blades leave the
  // notches, its top cut back where a star's tip stands out through it. Its edges carry their
  // curves on the cylinder: u turns from the next arm's notch (u = 0) to this arm's
  // (u = pi/2), v is the height.
  void Corner(int arm) {
    const double b = r_.b, t = r_.t, quarter = M_PI / 2;
    gp_Pnt centre = r_.At(arm, 1.5 * b, 1.5 * b, 0);
    gp_Dir toAxis(gp_Vec(r_.At(arm, 1, 0, 0), r_.At(arm, 0, 0, 0)));
    Handle(Geom_CylindricalSurface) cylinder =
        new Geom_CylindricalSurface(gp_Ax3(centre, gp::DZ(), toAxis), b);
    TopoDS_Face face;
    builder_.MakeFace(face, cylinder, kTolerance);
    // Counter-clockwise about the cylinder's outward normal: the bottom arc with u, up the
    // side at u = pi/2, the top back, down the side at u = 0. Null curves are found by
    // projection.
    std::vector<std::pair<TopoDS_Edge, Handle(Geom2d_Curve)>> edges;
    TopoDS_Wire wire;
    builder_.MakeWire(wire);
    auto add = [&](const TopoDS_Edge& edge, const Handle(Geom2d_Curve) & curve,
                   const gp_Pnt& from) {
      edges.push_back({edge, curve});
      gp_Pnt start = BRep_Tool::Pnt(TopExp::FirstVertex(edge));
      builder_.Add(wire, start.Distance(from) < kMatch ? TopoDS_Shape(edge) : edge.Reversed());
    };
    auto arc = [&](double d, const TopoDS_Vertex& from, const TopoDS_Vertex& to, double u0,
                   double u1) {
      return BRepBuilderAPI_MakeEdge(cylinder->VIso(-d), from, to, u0, u1).Edge();
    };
    auto level = [](double d) { return new Geom2d_Line(gp_Pnt2d(0, -d), gp::DX2d()); };
    // The straight side at u from depth d0 down to d1.
    auto side = [&](double u, double d0, double d1) {
      TopoDS_Vertex upper = u == 0 ? P(arm + 1, 1.5 * b, -b / 2, d0) : P(arm, 1.5 * b, b / 2, d0);
      TopoDS_Vertex lower = u == 0 ? P(arm + 1, 1.5 * b, -b / 2, d1) : P(arm, 1.5 * b, b / 2, d1);
      TopoDS_Edge edge = Between(lower, upper);
      // The line runs from its first vertex, at its height above the top.
      gp_Pnt start = BRep_Tool::Pnt(TopExp::FirstVertex(edge));
      gp_Pnt end = BRep_Tool::Pnt(TopExp::LastVertex(edge));
      gp_Dir2d up = end.Z() > start.Z() ? gp::DY2d() : gp_Dir2d(0, -1);
      return std::make_pair(edge, new Geom2d_Line(gp_Pnt2d(u, start.Z() - r_.top), up));
    };
    auto pointOf = [](const TopoDS_Vertex& v) { return BRep_Tool::Pnt(v); };
    TopoDS_Vertex zeroTop = P(arm + 1, 1.5 * b, -b / 2, 0),
                  zeroBottom = P(arm + 1, 1.5 * b, -b / 2, t);
    TopoDS_Vertex quarterTop = P(arm, 1.5 * b, b / 2, 0), quarterBottom = P(arm, 1.5 * b, b / 2, t);
    bottoms_[arm] = arc(t, zeroBottom, quarterBottom, 0, quarter);
    add(bottoms_[arm], level(t), pointOf(zeroBottom));
    for (auto [from, to] : {std::make_pair(t, leave_), std::make_pair(leave_, 0.0)}) {
      auto [edge, line] = side(quarter, to, from);
      add(edge, line, pointOf(P(arm, 1.5 * b, b / 2, from)));
    }
    std::vector<TopoDS_Edge>& top = tops_[arm];
    // The top from u0 to u1: an arc of the top plane's circle, or the curve on the dome.
    auto along = [&](const TopoDS_Vertex& from, const TopoDS_Vertex& to, double u0, double u1) {
      if (!dome_) return std::make_pair(arc(0, from, to, u0, u1), Handle(Geom2d_Curve)(level(0)));
      Handle(Geom2d_Curve) path = DomeOnCorner(*cylinder, u0, u1);
      TopoDS_Edge edge = BRepBuilderAPI_MakeEdge(path, cylinder, from, to, u0, u1);
      BRepLib::BuildCurve3d(edge, kTolerance);
      return std::make_pair(edge, path);
    };
    if (!star_) {
      auto [edge, path] = along(zeroTop, quarterTop, 0, quarter);
      top = {edge};
      add(edge, path, pointOf(quarterTop));
    } else {
      // Under a dome, the star's tip and its walls' crossings of the corner wall are where its
      // edges there meet the dome.
      const StarTip& s = (*star_)[arm];
      gp_Pnt tipAt = dome_ ? DomeOnLine(s.tip, s.pierce) : s.tip;
      TopoDS_Vertex tip = At(tipAt), pierce = At(s.pierce), cross[2];
      gp_Pnt crossAt[2];
      double u[2];
      TopoDS_Edge walls[2];
      for (int i = 0; i < 2; ++i) {
        Slant slant = SlantArc(s.wall[i], *cylinder, s.cross[i], s.pierce);
        if (dome_) {
          const gp_Elips ellipse = slant.curve->Elips();
          slant.from =
              Bisect([&](double p) { return ElCLib::Value(p, ellipse); }, slant.from, slant.to);
        }
        crossAt[i] = slant.curve->Value(slant.from);
        cross[i] = At(crossAt[i]);
        walls[i] = SlantEdge(slant, cross[i], pierce);
        double v = 0;
        ElSLib::Parameters(cylinder->Cylinder(), crossAt[i], u[i], v);
      }
      auto [first, firstPath] = along(cross[0], quarterTop, u[0], quarter);
      auto [last, lastPath] = along(zeroTop, cross[1], 0, u[1]);
      top = {first, TopAcross(cross[0], tip, s.wall[0]), TopAcross(tip, cross[1], s.wall[1]), last};
      add(first, firstPath, pointOf(quarterTop));
      add(walls[0], nullptr, crossAt[0]);
      add(walls[1], nullptr, s.pierce);
      add(last, lastPath, crossAt[1]);
      // The star's walls standing out of the cylinder, facing away from the star.
      gp_Vec sides[2] = {gp_Vec(s.cross[0], s.tip), gp_Vec(s.tip, s.cross[1])};
      for (int i = 0; i < 2; ++i) {
        BRepBuilderAPI_MakeWire outline;
        outline.Add(top[1 + i]);
        outline.Add(Between(tip, pierce));
        outline.Add(walls[i]);
        Add(FlatFace(outline.Wire(), &s.wall[i]), gp_Vec(sides[i].Y(), -sides[i].X(), 0));
      }
    }
    for (auto [from, to] : {std::make_pair(0.0, leave_), std::make_pair(leave_, t)}) {
      auto [edge, line] = side(0, from, to);
      add(edge, line, pointOf(P(arm + 1, 1.5 * b, -b / 2, from)));
    }
    builder_.Add(face, wire);
    for (const auto& [edge, curve] : edges) {
      double first = 0, last = 0;
      Handle(Geom_Curve) path = BRep_Tool::Curve(edge, first, last);
      double tolerance = kTolerance;
      Handle(Geom2d_Curve) onFace =
          curve ? curve : GeomProjLib::Curve2d(path, first, last, cylinder, tolerance);
      builder_.UpdateEdge(edge, onFace, face, std::max(tolerance, kTolerance));
      builder_.Range(edge, face, first, last);
      if (!curve) BRepLib::SameParameter(edge, kTolerance);
    }
    builder_.Add(shell_, face.Reversed());  // the union lies outside the cylinder
  }

  // Where the dome meets a corner's cylinder, as a curve in its (u, v) from u0 to u1.
  Handle(Geom2d_Curve)
      DomeOnCorner(const Geom_CylindricalSurface& cylinder, double u0, double u1) const {
    constexpr int kPoints = 33;
    Handle(TColgp_HArray1OfPnt2d) points = new TColgp_HArray1OfPnt2d(1, kPoints);
    Handle(TColStd_HArray1OfReal) parameters = new TColStd_HArray1OfReal(1, kPoints);
    for (int i = 1; i <= kPoints; ++i) {
      double u = u0 + (u1 - u0) * (i - 1) / (kPoints - 1);
      gp_Pnt p = cylinder.Value(u, 0);
      points->SetValue(i, gp_Pnt2d(u, OnDome(p.X(), p.Y()).Z() - r_.top));
      parameters->SetValue(i, u);
    }
    Geom2dAPI_Interpolate interpolate(points, parameters, Standard_False, 1e-12);
    interpolate.Perform();
    if (!interpolate.IsDone()) throw Standard_ConstructionError("the dome on a corner wall");
    return Handle(Geom2d_Curve)(interpolate.Curve());
  }

  // The arc of the ellipse where a star's sloping wall cuts the corner cylinder, from the top
  // down to where the star's tip enters it: the arc on the side facing the recess's axis, its
  // parameter running from `from` (at `top`) to `to` (at `pierce`), either way.
  struct Slant {
    Handle(Geom_Ellipse) curve;
    double from = 0, to = 0;
  };
  static Slant SlantArc(const gp_Pln& wall, const Geom_CylindricalSurface& cylinder,
                        const gp_Pnt& top, const gp_Pnt& pierce) {
    IntAna_QuadQuadGeo meet(wall, cylinder.Cylinder(), Precision::Angular(),
                            Precision::Confusion());
    if (!meet.IsDone() || meet.TypeInter() != IntAna_Ellipse) {
      throw Standard_Failure("a star's wall does not cut the corner wall in an ellipse");
    }
    gp_Elips ellipse = meet.Ellipse(1);
    double a = ElCLib::Parameter(ellipse, top), z = ElCLib::Parameter(ellipse, pierce);
    if (z < a) z += 2 * M_PI;
    gp_Pnt middle = ElCLib::Value((a + z) / 2, ellipse);
    gp_Vec toAxis = cylinder.Position().XDirection();
    bool forward = gp_Vec(cylinder.Location(), middle).Dot(toAxis) > 0;
    return {new Geom_Ellipse(ellipse), a, forward ? z : z - 2 * M_PI};
  }

  static TopoDS_Edge SlantEdge(const Slant& arc, const TopoDS_Vertex& top,
                               const TopoDS_Vertex& pierce) {
    if (arc.from < arc.to) {
      return BRepBuilderAPI_MakeEdge(arc.curve, top, pierce, arc.from, arc.to).Edge();
    }
    return BRepBuilderAPI_MakeEdge(arc.curve, pierce, top, arc.to, arc.from).Edge();
  }

  static constexpr double kTolerance = 1e-7;
  const Recess& r_;
  BRep_Builder builder_;
  TopoDS_Shell shell_;
  double leave_ = 0, bottom_ = 0;
  std::vector<Placed> vertices_;
  std::vector<Line> lines_;
  const std::array<StarTip, 4>* star_;
  const gp_Sphere* dome_;
  std::vector<TopoDS_Edge> tops_[4];  // each corner's edges along the top, from this arm's notch
  TopoDS_Edge bottoms_[4];            // each corner's arc at the bottom
};

}  // namespace

TopoDS_Shape CrossRecessUnion(const Recess& r, const std::array<StarTip, 4>* star) {
  return Faces(r, star, nullptr).Solid();
}

DomeLining CrossRecessUnderDome(const Recess& r, const std::array<StarTip, 4>* star,
                                const gp_Sphere& dome) {
  return Faces(r, star, &dome).Lining();
}

}  // namespace host::occt
