// Direct union of a cross recess's removals. The blades' walls lie on the notches' walls and
// meet the corner arcs tangentially, which makes their boolean fusion cost several times the
// cut that follows; the union's faces are few and all known, so they are built and sewn here.
#include "host/occt/CrossRecess.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepGProp.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <Geom2d_Line.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Shell.hxx>
#include <TopoDS_Solid.hxx>
#include <TopoDS_Vertex.hxx>
#include <TopoDS_Wire.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Ax3.hxx>
#include <gp_Pln.hxx>
#include <optional>
#include <utility>
#include <vector>

namespace host::occt {
namespace {

// Positions and sizes must agree to this (mm) for a solid to be taken for a recess's removal.
constexpr double kMatch = 1e-7;
// Volumes must agree to this fraction.
constexpr double kVolumeMatch = 1e-9;
// The blades must stand out of the notches by at least this much (mm).
constexpr double kStandOut = 1e-3;

struct Box {
  double x0, y0, z0, x1, y1, z1;
};

Box BoxOf(const TopoDS_Shape& shape) {
  Bnd_Box box;
  BRepBndLib::AddOptimal(shape, box, Standard_False, Standard_False);
  Box b{};
  box.Get(b.x0, b.y0, b.z0, b.x1, b.y1, b.z1);
  return b;
}

bool Near(double a, double b) { return std::abs(a - b) < kMatch; }

// The recess's measures: its axis (cx, cy), the plane it is sunk from, its depth, the notch
// width and the blades' half-length at the top.
struct Recess {
  double cx = 0, cy = 0, top = 0, t = 0, b = 0, w = 0;

  // The point u along arm `arm` (0 to 3, a quarter turn each from +X), v across it (to the
  // left) and d below the top.
  gp_Pnt At(int arm, double u, double v, double d) const {
    static constexpr double kCos[] = {1, 0, -1, 0}, kSin[] = {0, 1, 0, -1};
    double c = kCos[arm % 4], s = kSin[arm % 4];
    return {cx + u * c - v * s, cy + u * s + v * c, top - d};
  }
  // The depth at which the blades' tapered ends are `half` from the axis.
  double DepthAt(double half) const { return t / 3 + (w - half) * (2 * t / 3) / (w - b / 2); }
};

std::optional<TopoDS_Solid> OnlySolid(const TopoDS_Shape& shape) {
  std::optional<TopoDS_Solid> only;
  for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next()) {
    if (only) return std::nullopt;
    only = TopoDS::Solid(e.Current());
  }
  return only;
}

// The solid's vertices are exactly `expected` (in any order) and its volume is `volume`.
bool HasCorners(const TopoDS_Shape& solid, const std::vector<gp_Pnt>& expected, double volume) {
  TopTools_IndexedMapOfShape vertices;
  TopExp::MapShapes(solid, TopAbs_VERTEX, vertices);
  if (vertices.Extent() != static_cast<int>(expected.size())) return false;
  for (int i = 1; i <= vertices.Extent(); ++i) {
    gp_Pnt p = BRep_Tool::Pnt(TopoDS::Vertex(vertices(i)));
    if (std::none_of(expected.begin(), expected.end(),
                     [&](const gp_Pnt& q) { return p.Distance(q) < kMatch; })) {
      return false;
    }
  }
  GProp_GProps props;
  BRepGProp::VolumeProperties(solid, props);
  return std::abs(props.Mass() - volume) <= kVolumeMatch * volume;
}

// The prism's faces are planes parallel to the axis, the two ends, and four cylinders of
// radius b about the axis's parallels through the corners of the square 3b wide.
bool HasCornerArcs(const TopoDS_Shape& prism, const Recess& r) {
  int arcs = 0;
  for (TopExp_Explorer f(prism, TopAbs_FACE); f.More(); f.Next()) {
    BRepAdaptor_Surface surface(TopoDS::Face(f.Current()), Standard_False);
    if (surface.GetType() == GeomAbs_Plane) continue;
    if (surface.GetType() != GeomAbs_Cylinder) return false;
    gp_Cylinder c = surface.Cylinder();
    gp_Pnt o = c.Location();
    if (!c.Axis().Direction().IsParallel(gp::DZ(), 1e-12) || !Near(c.Radius(), r.b) ||
        !Near(std::abs(o.X() - r.cx), 1.5 * r.b) || !Near(std::abs(o.Y() - r.cy), 1.5 * r.b)) {
      return false;
    }
    ++arcs;
  }
  return arcs == 4;
}

// The notched cross prism's corners, top and bottom.
std::vector<gp_Pnt> PrismCorners(const Recess& r) {
  std::vector<gp_Pnt> out;
  for (int arm = 0; arm < 4; ++arm) {
    for (double d : {0.0, r.t}) {
      for (double v : {-r.b / 2, r.b / 2}) {
        out.push_back(r.At(arm, r.b, v, d));
        out.push_back(r.At(arm, 1.5 * r.b, v, d));
      }
    }
  }
  return out;
}

// The corners of the blade along arm 0 (and 2) or arm 1 (and 3).
std::vector<gp_Pnt> BladeCorners(const Recess& r, int arm) {
  std::vector<gp_Pnt> out;
  for (int end : {arm, arm + 2}) {
    for (double v : {-r.b / 2, r.b / 2}) {
      out.push_back(r.At(end, r.w, v, 0));
      out.push_back(r.At(end, r.w, v, r.t / 3));
      out.push_back(r.At(end, r.b / 2, v, r.t));
    }
  }
  return out;
}

// The solid's faces are all planes and cylinders, as a recess's removals' are: anything else (a
// head and shank with a fin) is told apart before measuring boxes, which is slow on curved
// faces.
bool PlanesAndCylinders(const TopoDS_Shape& solid) {
  for (TopExp_Explorer f(solid, TopAbs_FACE); f.More(); f.Next()) {
    GeomAbs_SurfaceType type =
        BRepAdaptor_Surface(TopoDS::Face(f.Current()), Standard_False).GetType();
    if (type != GeomAbs_Plane && type != GeomAbs_Cylinder) return false;
  }
  return true;
}

// The recess the three solids make, when they are one.
std::optional<Recess> Recognise(const std::vector<TopoDS_Shape>& solids) {
  if (solids.size() != 3) return std::nullopt;
  std::vector<TopoDS_Solid> parts;
  for (const TopoDS_Shape& s : solids) {
    std::optional<TopoDS_Solid> solid = OnlySolid(s);
    if (!solid || !PlanesAndCylinders(*solid)) return std::nullopt;
    parts.push_back(*solid);
  }
  // The prism is the one as wide as it is long; the blades are b thick.
  auto prism = std::find_if(parts.begin(), parts.end(), [](const TopoDS_Solid& s) {
    Box b = BoxOf(s);
    return Near(b.x1 - b.x0, b.y1 - b.y0);
  });
  if (prism == parts.end()) return std::nullopt;
  Box p = BoxOf(*prism);
  Recess r;
  r.cx = (p.x0 + p.x1) / 2, r.cy = (p.y0 + p.y1) / 2, r.top = p.z1, r.t = p.z1 - p.z0;
  r.b = (p.x1 - p.x0) / 3;
  std::vector<TopoDS_Solid> blades;
  for (auto it = parts.begin(); it != parts.end(); ++it) {
    if (it != prism) blades.push_back(*it);
  }
  Box first = BoxOf(blades[0]);
  if (first.x1 - first.x0 < first.y1 - first.y0) std::swap(blades[0], blades[1]);
  r.w = (BoxOf(blades[0]).x1 - BoxOf(blades[0]).x0) / 2;
  if (r.b < kStandOut || r.t < kStandOut || r.w < 1.5 * r.b + kStandOut) return std::nullopt;

  double prismArea = (7 - M_PI) * r.b * r.b;
  double bladeArea = 2 * (r.w * r.t / 3 + (r.w + r.b / 2) * r.t / 3);
  if (!HasCorners(*prism, PrismCorners(r), prismArea * r.t) || !HasCornerArcs(*prism, r)) {
    return std::nullopt;
  }
  for (int arm : {0, 1}) {
    if (!HasCorners(blades[arm], BladeCorners(r, arm), bladeArea * r.b)) return std::nullopt;
  }
  return r;
}

// The union's faces, sharing their edges and vertices, each turned to face out of the union.
class Faces {
 public:
  explicit Faces(const Recess& r) : r_(r) {
    builder_.MakeShell(shell_);
    leave_ = r.DepthAt(1.5 * r.b);  // where the blades' ends leave the notches' mouths
    bottom_ = r.DepthAt(r.b);       // where they leave the notches' bottoms
  }

  TopoDS_Shape Solid() {
    const double b = r_.b, w = r_.w, t = r_.t;
    for (int arm = 0; arm < 4; ++arm) Corner(arm);
    End(0, w);
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
    shell_.Closed(Standard_True);
    TopoDS_Solid solid;
    builder_.MakeSolid(solid);
    builder_.Add(solid, shell_);
    return solid;
  }

 private:
  struct Placed {
    gp_Pnt at;
    TopoDS_Vertex vertex;
  };
  struct Line {
    TopoDS_Vertex a, b;
    TopoDS_Edge edge;
  };

  // The point u along arm `arm`, v across it, d deep, as a vertex shared by every face there.
  TopoDS_Vertex P(int arm, double u, double v, double d) {
    gp_Pnt at = r_.At(arm, u, v, d);
    for (const Placed& c : vertices_) {
      if (c.at.Distance(at) < kMatch) return c.vertex;
    }
    TopoDS_Vertex vertex;
    builder_.MakeVertex(vertex, at, kTolerance);
    vertices_.push_back({at, vertex});
    return vertex;
  }

  // The straight edge between two vertices, shared by the two faces it bounds.
  TopoDS_Edge Between(const TopoDS_Vertex& a, const TopoDS_Vertex& b) {
    for (const Line& l : lines_) {
      if ((l.a.IsSame(a) && l.b.IsSame(b)) || (l.a.IsSame(b) && l.b.IsSame(a))) return l.edge;
    }
    TopoDS_Edge edge = BRepBuilderAPI_MakeEdge(a, b).Edge();
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
    Add(BRepBuilderAPI_MakeFace(wire.Wire(), Standard_True).Face(), outward);
  }

  // The top (d = 0) or bottom face: each arm's outline out to `reach`, then the corner arc.
  void End(double d, double reach) {
    const double b = r_.b;
    BRepBuilderAPI_MakeWire wire;
    for (int arm = 0; arm < 4; ++arm) {
      TopoDS_Vertex a = P(arm, 1.5 * b, -b / 2, d), c = P(arm, reach, -b / 2, d),
                    e = P(arm, reach, b / 2, d), f = P(arm, 1.5 * b, b / 2, d);
      wire.Add(Between(a, c));
      wire.Add(Between(c, e));
      wire.Add(Between(e, f));
      wire.Add(arcs_[arm][d == 0 ? 0 : 2]);
    }
    Add(BRepBuilderAPI_MakeFace(wire.Wire(), Standard_True).Face(), gp_Vec(0, 0, d == 0 ? 1 : -1));
  }

  // The corner wall between arm `arm` and the next: a quarter of the cylinder of radius b about
  // the corner of the square 3b wide, its straight sides split where the blades leave the
  // notches. Its edges carry their curves on the cylinder: u turns from the next arm's notch
  // (u = 0) to this arm's (u = pi/2), v is the height.
  void Corner(int arm) {
    const double b = r_.b;
    gp_Pnt centre = r_.At(arm, 1.5 * b, 1.5 * b, 0);
    gp_Dir toAxis(gp_Vec(r_.At(arm, 1, 0, 0), r_.At(arm, 0, 0, 0)));
    Handle(Geom_CylindricalSurface) cylinder =
        new Geom_CylindricalSurface(gp_Ax3(centre, gp::DZ(), toAxis), b);
    TopoDS_Face face;
    builder_.MakeFace(face, cylinder, kTolerance);
    const double quarter = M_PI / 2, depths[] = {0, leave_, r_.t};
    std::vector<std::pair<TopoDS_Edge, Handle(Geom2d_Line)>> edges;
    for (int i = 0; i < 3; ++i) {
      double v = -depths[i];
      TopoDS_Edge arc =
          BRepBuilderAPI_MakeEdge(cylinder->VIso(v), P(arm + 1, 1.5 * b, -b / 2, depths[i]),
                                  P(arm, 1.5 * b, b / 2, depths[i]), 0, quarter)
              .Edge();
      arcs_[arm][i] = arc;
      if (i != 1) edges.push_back({arc, new Geom2d_Line(gp_Pnt2d(0, v), gp::DX2d())});
    }
    for (int i = 0; i < 2; ++i) {
      for (double u : {0.0, quarter}) {
        TopoDS_Vertex upper =
            u == 0 ? P(arm + 1, 1.5 * b, -b / 2, depths[i]) : P(arm, 1.5 * b, b / 2, depths[i]);
        TopoDS_Vertex lower = u == 0 ? P(arm + 1, 1.5 * b, -b / 2, depths[i + 1])
                                     : P(arm, 1.5 * b, b / 2, depths[i + 1]);
        TopoDS_Edge side = Between(lower, upper);
        // The line runs from its first vertex, at its height above the top.
        gp_Pnt start = BRep_Tool::Pnt(TopExp::FirstVertex(side));
        gp_Pnt end = BRep_Tool::Pnt(TopExp::LastVertex(side));
        gp_Dir2d up = end.Z() > start.Z() ? gp::DY2d() : gp_Dir2d(0, -1);
        edges.push_back({side, new Geom2d_Line(gp_Pnt2d(u, start.Z() - r_.top), up)});
      }
    }
    // Counter-clockwise about the cylinder's outward normal: the bottom arc with u, up the
    // side at u = pi/2, the top arc back, down the side at u = 0.
    TopoDS_Wire wire;
    builder_.MakeWire(wire);
    auto add = [&](const TopoDS_Edge& edge, const gp_Pnt& from) {
      gp_Pnt start = BRep_Tool::Pnt(TopExp::FirstVertex(edge));
      builder_.Add(wire, start.Distance(from) < kMatch ? TopoDS_Shape(edge) : edge.Reversed());
    };
    gp_Pnt uZero = r_.At(arm + 1, 1.5 * b, -b / 2, 0), uQuarter = r_.At(arm, 1.5 * b, b / 2, 0);
    auto below = [](gp_Pnt p, double d) { return p.Translated(gp_Vec(0, 0, -d)); };
    add(edges[1].first, below(uZero, r_.t));
    add(edges[5].first, below(uQuarter, r_.t));
    add(edges[3].first, below(uQuarter, leave_));
    add(edges[0].first, uQuarter);
    add(edges[2].first, uZero);
    add(edges[4].first, below(uZero, leave_));
    builder_.Add(face, wire);
    for (const auto& [edge, line] : edges) {
      double first = 0, last = 0;
      BRep_Tool::Range(edge, first, last);
      builder_.UpdateEdge(edge, line, face, kTolerance);
      builder_.Range(edge, face, first, last);
    }
    builder_.Add(shell_, face.Reversed());  // the union lies outside the cylinder
  }

  static constexpr double kTolerance = 1e-7;
  const Recess& r_;
  BRep_Builder builder_;
  TopoDS_Shell shell_;
  double leave_ = 0, bottom_ = 0;
  std::vector<Placed> vertices_;
  std::vector<Line> lines_;
  TopoDS_Edge arcs_[4][3];  // each corner's arcs at the top, where the blades leave, the bottom
};

}  // namespace

TopoDS_Shape FuseCrossRecess(const std::vector<TopoDS_Shape>& solids) {
  try {
    std::optional<Recess> recess = Recognise(solids);
    return recess ? Faces(*recess).Solid() : TopoDS_Shape();
  } catch (const Standard_Failure&) {
    return {};  // not built: the boolean decides
  }
}

}  // namespace host::occt
