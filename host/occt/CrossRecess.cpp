// Direct union of a cross recess's removals. The blades' walls lie on the notches' walls and
// meet the corner arcs tangentially, which makes their boolean fusion cost several times the
// cut that follows; the union's faces are few and all known, so they are built and sewn here.
#include "host/occt/CrossRecess.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepBuilderAPI_MakeSolid.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepBuilderAPI_Sewing.hxx>
#include <BRepGProp.hxx>
#include <BRepLib.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <GProp_GProps.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Shell.hxx>
#include <TopoDS_Solid.hxx>
#include <algorithm>
#include <cmath>
#include <optional>
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

// The recess the three solids make, when they are one.
std::optional<Recess> Recognise(const std::vector<TopoDS_Shape>& solids) {
  if (solids.size() != 3) return std::nullopt;
  std::vector<TopoDS_Solid> parts;
  for (const TopoDS_Shape& s : solids) {
    std::optional<TopoDS_Solid> solid = OnlySolid(s);
    if (!solid) return std::nullopt;
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

TopoDS_Face Polygon(const std::vector<gp_Pnt>& corners) {
  BRepBuilderAPI_MakePolygon polygon;
  for (const gp_Pnt& c : corners) polygon.Add(c);
  polygon.Close();
  BRepBuilderAPI_MakeFace face(polygon.Wire(), Standard_True);
  if (!face.IsDone()) throw Standard_Failure("a face of the cross recess cannot be built");
  return face.Face();
}

// The corner arc between arm `arm` and the next, at depth d.
TopoDS_Edge CornerArc(const Recess& r, int arm, double d) {
  double in = 1.5 * r.b - r.b / std::sqrt(2.0);
  Handle(Geom_TrimmedCurve) arc =
      GC_MakeArcOfCircle(r.At(arm, 1.5 * r.b, r.b / 2, d), r.At(arm, in, in, d),
                         r.At(arm, r.b / 2, 1.5 * r.b, d))
          .Value();
  return BRepBuilderAPI_MakeEdge(arc).Edge();
}

// The top or bottom face: each arm's outline out to `reach`, then the corner arc.
TopoDS_Face End(const Recess& r, double d, double reach) {
  BRepBuilderAPI_MakeWire wire;
  for (int arm = 0; arm < 4; ++arm) {
    gp_Pnt a = r.At(arm, 1.5 * r.b, -r.b / 2, d), b = r.At(arm, reach, -r.b / 2, d),
           c = r.At(arm, reach, r.b / 2, d), e = r.At(arm, 1.5 * r.b, r.b / 2, d);
    wire.Add(BRepBuilderAPI_MakeEdge(a, b).Edge());
    wire.Add(BRepBuilderAPI_MakeEdge(b, c).Edge());
    wire.Add(BRepBuilderAPI_MakeEdge(c, e).Edge());
    wire.Add(CornerArc(r, arm, d));
  }
  BRepBuilderAPI_MakeFace face(wire.Wire(), Standard_True);
  if (!face.IsDone()) throw Standard_Failure("the end of the cross recess cannot be built");
  return face.Face();
}

TopoDS_Shape Build(const Recess& r) {
  const double b = r.b, w = r.w, t = r.t;
  const double leave = r.DepthAt(1.5 * b);  // where the blades' ends leave the notches' mouths
  const double bottom = r.DepthAt(b);       // where they leave the notches' bottoms
  BRepBuilderAPI_Sewing sewing(1e-6);
  sewing.Add(End(r, 0, w));
  sewing.Add(End(r, t, b));
  for (int arm = 0; arm < 4; ++arm) {
    for (double v : {-b / 2, b / 2}) {
      sewing.Add(Polygon({r.At(arm, 1.5 * b, v, 0), r.At(arm, w, v, 0), r.At(arm, w, v, t / 3),
                          r.At(arm, 1.5 * b, v, leave)}));
      sewing.Add(Polygon({r.At(arm, b, v, bottom), r.At(arm, 1.5 * b, v, leave),
                          r.At(arm, 1.5 * b, v, t), r.At(arm, b, v, t)}));
    }
    sewing.Add(Polygon({r.At(arm, w, b / 2, 0), r.At(arm, w, -b / 2, 0),
                        r.At(arm, w, -b / 2, t / 3), r.At(arm, w, b / 2, t / 3)}));
    sewing.Add(Polygon({r.At(arm, w, b / 2, t / 3), r.At(arm, 1.5 * b, b / 2, leave),
                        r.At(arm, b, b / 2, bottom), r.At(arm, b, -b / 2, bottom),
                        r.At(arm, 1.5 * b, -b / 2, leave), r.At(arm, w, -b / 2, t / 3)}));
    sewing.Add(Polygon({r.At(arm, b, b / 2, bottom), r.At(arm, b, -b / 2, bottom),
                        r.At(arm, b, -b / 2, t), r.At(arm, b, b / 2, t)}));
    // The corner wall in two, split where the notch's side wall takes over from the blade's.
    sewing.Add(BRepPrimAPI_MakePrism(CornerArc(r, arm, 0), gp_Vec(0, 0, -leave)).Shape());
    sewing.Add(BRepPrimAPI_MakePrism(CornerArc(r, arm, leave), gp_Vec(0, 0, leave - t)).Shape());
  }
  sewing.Perform();
  TopoDS_Shape sewn = sewing.SewedShape();
  if (sewn.ShapeType() != TopAbs_SHELL) return {};
  BRepBuilderAPI_MakeSolid solid(TopoDS::Shell(sewn));
  if (!solid.IsDone()) return {};
  TopoDS_Solid result = solid.Solid();
  BRepLib::OrientClosedSolid(result);
  return result;
}

}  // namespace

TopoDS_Shape FuseCrossRecess(const std::vector<TopoDS_Shape>& solids) {
  try {
    std::optional<Recess> recess = Recognise(solids);
    return recess ? Build(*recess) : TopoDS_Shape();
  } catch (const Standard_Failure&) {
    return {};  // not built: the boolean decides
  }
}

}  // namespace host::occt
