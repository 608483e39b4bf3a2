// Reading straight prisms from their faces and shortening them where they crowd about the axis.
#include "host/occt/RadialPrisms.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepAdaptor_Curve.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepClass3d_SolidClassifier.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <BRepGProp.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRepTools.hxx>
#include <BRepTools_WireExplorer.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <Precision.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Vertex.hxx>
#include <TopoDS_Wire.hxx>
#include <algorithm>
#include <cmath>
#include <TopLoc_Location.hxx>
#include <gp_Trsf.hxx>
#include <optional>

namespace host::occt {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Lengths (mm) and direction components this close are equal.
constexpr double kExact = 1e-9;
// Volumes and areas this close, relative, are equal.
constexpr double kRelative = 1e-9;
// How much farther out than needed to keep the prisms apart they are made to start, and how far
// (mm) the parts' material must keep from what the shortened prisms leave out.
constexpr double kSpare = 1.1;
constexpr double kClear = 1e-5;

// A straight prism along `out`, a horizontal direction: its end faces square to it, at `near`
// and `far` along it from the axis; across it (along Z x out) and along Z it keeps within
// [-half, half] and [low, high].
struct Prism {
  gp_Dir out;
  TopoDS_Face farEnd;
  double near = 0, far = 0, half = 0, low = 0, high = 0;
};

double Along(const gp_Pnt& p, const gp_Dir& d) { return p.X() * d.X() + p.Y() * d.Y(); }

double Area(const TopoDS_Shape& face) {
  GProp_GProps props;
  BRepGProp::SurfaceProperties(face, props);
  return props.Mass();
}

// The solid as a prism along `out`: every face an end square to it or a plane or cylinder
// parallel to it, two ends alike, and the volume of the end swept between them.
std::optional<Prism> PrismAlong(const TopoDS_Shape& solid, const gp_Dir& out) {
  std::vector<std::pair<double, TopoDS_Face>> ends;
  for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
    const TopoDS_Face& face = TopoDS::Face(e.Current());
    BRepAdaptor_Surface s(face, Standard_False);
    if (s.GetType() == GeomAbs_Plane) {
      gp_Dir n = s.Plane().Axis().Direction();
      if (n.IsParallel(out, kExact)) {
        ends.emplace_back(Along(s.Plane().Location(), out), face);
      } else if (std::abs(n.Dot(out)) > kExact) {
        return {};
      }
    } else if (s.GetType() != GeomAbs_Cylinder ||
               !s.Cylinder().Axis().Direction().IsParallel(out, kExact)) {
      return {};
    }
  }
  if (ends.size() != 2) return {};
  std::sort(ends.begin(), ends.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  Prism p{out, ends[1].second, ends[0].first, ends[1].first};
  // The extents across and along the axis, in a frame turned so that `out` is its X axis.
  gp_Trsf turn;
  turn.SetRotation(gp::OZ(), -std::atan2(out.Y(), out.X()));
  Bnd_Box box;
  BRepBndLib::AddOptimal(solid.Moved(TopLoc_Location(turn)), box, Standard_False,
                         Standard_False);
  double xmin, ymin, zmin, xmax, ymax, zmax;
  box.Get(xmin, ymin, zmin, xmax, ymax, zmax);
  // Its middle line runs out from the axis.
  if (std::abs(ymin + ymax) > 2 * Precision::Confusion()) return {};
  double area = Area(p.farEnd);
  GProp_GProps props;
  BRepGProp::VolumeProperties(solid, props);
  double volume = area * (p.far - p.near);
  if (!(volume > 0) || std::abs(Area(ends[0].second) - area) > kRelative * area ||
      std::abs(props.Mass() - volume) > kRelative * volume) {
    return {};
  }
  p.half = (ymax - ymin) / 2;
  p.low = zmin;
  p.high = zmax;
  return p;
}

// The solid as a prism along a horizontal direction out from the axis; nothing for any other.
std::optional<Prism> RadialPrism(const TopoDS_Shape& solid) {
  int solids = 0;
  for (TopExp_Explorer e(solid, TopAbs_SOLID); e.More(); e.Next()) ++solids;
  if (solids != 1) return {};
  for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
    BRepAdaptor_Surface s(TopoDS::Face(e.Current()), Standard_False);
    if (s.GetType() != GeomAbs_Plane) continue;
    gp_Dir n = s.Plane().Axis().Direction();
    if (std::abs(n.Z()) > kExact) continue;
    if (std::optional<Prism> p = PrismAlong(solid, n)) {
      // Pointing out: the far end farther from the axis than the near one.
      if (std::abs(p->near) > std::abs(p->far)) {
        n.Reverse();
        p = PrismAlong(solid, n);
      }
      if (p) return p;
    }
  }
  return {};
}

// Whether the solid holds no material within `radius` of the Z axis between `low` and `high`.
bool ClearOfAxis(const TopoDS_Shape& solid, double radius, double low, double high) {
  TopoDS_Edge axis = BRepBuilderAPI_MakeEdge(gp_Pnt(0, 0, low), gp_Pnt(0, 0, high));
  BRepExtrema_DistShapeShape distance(axis, solid);
  if (!distance.IsDone() || distance.InnerSolution() || distance.Value() < radius + kClear) {
    return false;
  }
  BRepClass3d_SolidClassifier inside(solid, gp_Pnt(0, 0, (low + high) / 2),
                                     Precision::Confusion());
  return inside.State() == TopAbs_OUT;
}

gp_Pnt At(const TopoDS_Vertex& v) { return BRep_Tool::Pnt(v); }

// A straight edge along Z with one end at `top`: its other end.
std::optional<gp_Pnt> RisingTo(const TopoDS_Edge& edge, double top) {
  BRepAdaptor_Curve c(edge);
  if (c.GetType() != GeomAbs_Line || !c.Line().Direction().IsParallel(gp::DZ(), kExact)) return {};
  gp_Pnt a = At(TopExp::FirstVertex(edge)), b = At(TopExp::LastVertex(edge));
  if (std::abs(a.Z() - top) < kExact) return b;
  if (std::abs(b.Z() - top) < kExact) return a;
  return {};
}

// The end face with its straight top edge at `top`, square to Z, and the edges along Z on either
// side of it raised to `raised`; nothing when its top is not so made.
std::optional<TopoDS_Face> Raised(const TopoDS_Face& end, double top, double raised) {
  std::vector<TopoDS_Edge> edges;
  for (BRepTools_WireExplorer e(BRepTools::OuterWire(end)); e.More(); e.Next()) {
    edges.push_back(e.Current());
  }
  std::size_t n = edges.size(), at = n;
  for (std::size_t i = 0; i < n; ++i) {
    BRepAdaptor_Curve c(edges[i]);
    gp_Pnt a = At(TopExp::FirstVertex(edges[i])), b = At(TopExp::LastVertex(edges[i]));
    if (c.GetType() == GeomAbs_Line && std::abs(a.Z() - top) < kExact &&
        std::abs(b.Z() - top) < kExact && at == n) {
      at = i;
    }
  }
  if (at == n || n < 4) return {};
  const TopoDS_Edge &before = edges[(at + n - 1) % n], &after = edges[(at + 1) % n];
  std::optional<gp_Pnt> from = RisingTo(before, top), to = RisingTo(after, top);
  if (!from || !to) return {};
  gp_Pnt up1(from->X(), from->Y(), raised), up2(to->X(), to->Y(), raised);
  BRepBuilderAPI_MakeWire wire;
  wire.Add(BRepBuilderAPI_MakeEdge(*from, up1).Edge());
  wire.Add(BRepBuilderAPI_MakeEdge(up1, up2).Edge());
  wire.Add(BRepBuilderAPI_MakeEdge(up2, *to).Edge());
  for (std::size_t k = 2; k + 1 < n; ++k) wire.Add(edges[(at + k) % n]);
  if (!wire.IsDone()) return {};
  BRepBuilderAPI_MakeFace face(wire.Wire(), Standard_True);
  if (!face.IsDone()) return {};
  return face.Face();
}

// The smallest angle between two of the directions, or 0 for fewer than two.
double NarrowestAngle(const std::vector<Prism>& prisms) {
  double narrowest = prisms.size() < 2 ? 0 : kPi;
  for (std::size_t i = 0; i < prisms.size(); ++i) {
    for (std::size_t k = i + 1; k < prisms.size(); ++k) {
      narrowest = std::min(narrowest, prisms[i].out.Angle(prisms[k].out));
    }
  }
  return narrowest;
}

}  // namespace

TopoDS_Shape RadialPrismsApart(const std::vector<TopoDS_Shape>& additions,
                               const std::vector<TopoDS_Shape>& removals) {
  std::vector<Prism> prisms;
  for (const TopoDS_Shape& removal : removals) {
    std::optional<Prism> p = RadialPrism(removal);
    if (!p) return {};
    prisms.push_back(*p);
  }
  double angle = NarrowestAngle(prisms);
  if (!(angle > kExact)) return {};
  // Each prism lies within the wedge about its direction whose half angle is atan(half / start)
  // beyond `start` from the axis: starting there, neighbours keep apart.
  double half = 0, low = INFINITY, high = -INFINITY;
  for (const Prism& p : prisms) {
    half = std::max(half, p.half);
    low = std::min(low, p.low);
    high = std::max(high, p.high);
  }
  double start = kSpare * half / std::tan(std::min(angle, kPi / 2) / 2);
  // What the shortened prisms leave out lies within `reach` of the axis.
  double reach = 0;
  for (const Prism& p : prisms) {
    if (p.near >= start) continue;
    if (!(p.far > start)) return {};
    reach = std::max(reach, std::hypot(std::max(start, -p.near), p.half));
  }
  if (reach > 0) {
    for (const TopoDS_Shape& addition : additions) {
      if (!ClearOfAxis(addition, reach, low, high)) return {};
    }
  }
  // A shortened prism whose top lies on the additions' top plane rises past it: it takes away
  // the same material without faces on that plane for the cut to resolve.
  Bnd_Box reached;
  for (const TopoDS_Shape& addition : additions) {
    BRepBndLib::AddOptimal(addition, reached, Standard_False, Standard_False);
  }
  double top = reached.IsVoid() ? INFINITY : reached.CornerMax().Z();
  BRep_Builder builder;
  TopoDS_Compound tool;
  builder.MakeCompound(tool);
  for (std::size_t i = 0; i < prisms.size(); ++i) {
    const Prism& p = prisms[i];
    if (p.near >= start) {
      builder.Add(tool, removals[i]);
      continue;
    }
    TopoDS_Face end = p.farEnd;
    if (std::abs(p.high - top) < kExact) {
      end = Raised(end, p.high, p.high + (p.high - p.low) / 4).value_or(end);
    }
    gp_Vec back(p.out.XYZ() * (start - p.far));
    builder.Add(tool, BRepPrimAPI_MakePrism(end, back, Standard_True).Shape());
  }
  return tool;
}

}  // namespace host::occt
