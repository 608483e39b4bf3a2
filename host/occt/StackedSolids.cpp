// Fusing solids stacked along the Z axis by moving each footprint into the face it stands on.
#include "host/occt/StackedSolids.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gp_XY.hxx>
#include <optional>

#include "host/occt/SharedEnd.h"
#include "host/occt/StandingSolid.h"

namespace host::occt {
namespace {

// Heights and directions this close (mm) are equal, as for a solid standing on a prism.
constexpr double kExact = 1e-7;
// Boxes meet within this (mm) beyond the shapes' tolerances, which widen them, when the solids
// touch.
constexpr double kGap = 1e-6;
// A footprint keeps at least this far (mm) inside the boundary of the face it stands on.
constexpr double kMargin = 1e-5;

// How far the shape reaches along the Z axis, widened by `slack`, its largest tolerance.
struct Span {
  double low = 0, high = 0, slack = 0;
};

Span SpanOf(const TopoDS_Shape& shape) {
  Bnd_Box box;
  BRepBndLib::Add(shape, box, Standard_False);
  double xmin, ymin, xmax, ymax;
  Span s;
  box.Get(xmin, ymin, s.low, xmax, ymax, s.high);
  s.slack = BRep_Tool::MaxTolerance(shape, TopAbs_VERTEX);
  return s;
}

// The height of a planar face square to the Z axis; nothing for any other face.
std::optional<double> FlatHeight(const TopoDS_Face& face) {
  BRepAdaptor_Surface surface(face, Standard_False);
  if (surface.GetType() != GeomAbs_Plane) return {};
  gp_Ax1 normal = surface.Plane().Axis();
  if (!normal.Direction().IsParallel(gp::DZ(), kExact)) return {};
  return normal.Location().Z();
}

std::vector<TopoDS_Face> FacesAt(const TopoDS_Shape& shape, double z) {
  std::vector<TopoDS_Face> out;
  for (TopExp_Explorer e(shape, TopAbs_FACE); e.More(); e.Next()) {
    std::optional<double> h = FlatHeight(TopoDS::Face(e.Current()));
    if (h && std::abs(*h - z) < kExact) out.push_back(TopoDS::Face(e.Current()));
  }
  return out;
}

// The exact height of a flat face of the shape within `gap` of `z`.
std::optional<double> FlatHeightNear(const TopoDS_Shape& shape, double z, double gap) {
  for (TopExp_Explorer e(shape, TopAbs_FACE); e.More(); e.Next()) {
    std::optional<double> h = FlatHeight(TopoDS::Face(e.Current()));
    if (h && std::abs(*h - z) < gap) return h;
  }
  return {};
}

gp_XY Flat(const gp_Pnt& p) { return {p.X(), p.Y()}; }

// A disc in the plane: a point (radius 0) or a circle's whole disc.
struct Disc {
  gp_XY centre;
  double radius = 0;
};

// The region of a flat face bounded by one wire that is a convex polygon or one circle.
class Region {
 public:
  static std::optional<Region> Of(const TopoDS_Face& face) {
    int wires = 0;
    for (TopExp_Explorer w(face, TopAbs_WIRE); w.More(); w.Next()) ++wires;
    if (wires != 1) return {};
    Region r;
    TopTools_IndexedMapOfShape edges;
    TopExp::MapShapes(face, TopAbs_EDGE, edges);
    for (int i = 1; i <= edges.Extent(); ++i) {
      if (BRep_Tool::Degenerated(TopoDS::Edge(edges(i)))) continue;
      BRepAdaptor_Curve curve(TopoDS::Edge(edges(i)));
      if (curve.GetType() == GeomAbs_Line) {
        gp_Pnt a = curve.Value(curve.FirstParameter()), b = curve.Value(curve.LastParameter());
        r.sides_.push_back({Flat(a), Flat(b)});
      } else if (curve.GetType() == GeomAbs_Circle) {
        gp_Circ c = curve.Circle();
        if (r.circle_ && ((r.circle_->centre - Flat(c.Location())).Modulus() > kExact ||
                          std::abs(r.circle_->radius - c.Radius()) > kExact)) {
          return {};
        }
        r.circle_ = Disc{Flat(c.Location()), c.Radius()};
      } else {
        return {};
      }
    }
    if (r.circle_ ? !r.sides_.empty() : r.sides_.size() < 3) return {};
    return r.Convex() ? std::optional<Region>(r) : std::nullopt;
  }

  // The disc lies inside the region, kMargin clear of its boundary.
  bool Holds(const Disc& d) const {
    if (circle_)
      return (d.centre - circle_->centre).Modulus() + d.radius < circle_->radius - kMargin;
    return std::all_of(sides_.begin(), sides_.end(),
                       [&](const Side& s) { return Inward(s, d.centre) > d.radius + kMargin; });
  }

 private:
  struct Side {
    gp_XY a, b;
  };

  // How far the point lies from the side's line towards the middle of the corners.
  double Inward(const Side& s, const gp_XY& p) const {
    gp_XY along = s.b - s.a;
    double length = along.Modulus();
    double towards = along.Crossed(middle_ - s.a) > 0 ? 1 : -1;
    return towards * along.Crossed(p - s.a) / length;
  }

  // Every corner lies on the inner side of every side: the polygon is convex, the middle of its
  // corners inside it.
  bool Convex() {
    if (circle_) return true;
    for (const Side& s : sides_) middle_ += s.a / static_cast<double>(sides_.size());
    for (const Side& s : sides_) {
      if ((s.b - s.a).Modulus() < kExact) return false;
      for (const Side& other : sides_) {
        if (Inward(s, other.a) < -kExact || Inward(s, other.b) < -kExact) return false;
      }
      if (std::abs(Inward(s, middle_)) < kMargin) return false;
    }
    return true;
  }

  std::vector<Side> sides_;
  std::optional<Disc> circle_;
  gp_XY middle_{0, 0};
};

// Where the shape meets the plane at `z`, as discs to be held: the corners and circles of its
// faces there and every vertex it has in the plane. Nothing when an edge there is neither a line
// nor a circle, or the shape has no face there.
std::optional<std::vector<Disc>> FootprintDiscs(const TopoDS_Shape& shape, double z) {
  std::vector<TopoDS_Face> faces = FacesAt(shape, z);
  if (faces.empty()) return {};
  std::vector<Disc> out;
  for (const TopoDS_Face& face : faces) {
    for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) {
      if (BRep_Tool::Degenerated(TopoDS::Edge(e.Current()))) continue;
      BRepAdaptor_Curve curve(TopoDS::Edge(e.Current()));
      if (curve.GetType() == GeomAbs_Circle) {
        out.push_back({Flat(curve.Circle().Location()), curve.Circle().Radius()});
      } else if (curve.GetType() != GeomAbs_Line) {
        return {};
      }
    }
  }
  for (TopExp_Explorer e(shape, TopAbs_VERTEX); e.More(); e.Next()) {
    const TopoDS_Vertex& v = TopoDS::Vertex(e.Current());
    gp_Pnt p = BRep_Tool::Pnt(v);
    if (std::abs(p.Z() - z) < kGap + BRep_Tool::Tolerance(v)) out.push_back({Flat(p), 0});
  }
  return out;
}

// `standing`'s footprint at `z` lies inside the one face `base` has there.
bool StandsOn(const TopoDS_Shape& standing, const TopoDS_Shape& base, double z) {
  std::vector<TopoDS_Face> ends = FacesAt(base, z);
  if (ends.size() != 1) return false;
  std::optional<Region> region = Region::Of(ends.front());
  std::optional<std::vector<Disc>> discs = FootprintDiscs(standing, z);
  return region && discs &&
         std::all_of(discs->begin(), discs->end(), [&](const Disc& d) { return region->Holds(d); });
}

// How far apart two spans' ends may lie and still meet.
double Gap(const Span& a, const Span& b) { return 2 * (a.slack + b.slack) + kGap; }

Span Joined(const Span& a, const Span& b) {
  return {std::min(a.low, b.low), std::max(a.high, b.high), std::max(a.slack, b.slack)};
}

bool Overlap(const Span& a, const Span& b) {
  return std::min(a.high, b.high) - std::max(a.low, b.low) >= Gap(a, b);
}

// Solids whose spans along the axis overlap, in the order of their first solid.
struct Layer {
  std::vector<TopoDS_Shape> solids;
  Span span;
};

// The solids gathered into layers; nothing when a solid overlaps two layers.
std::optional<std::vector<Layer>> LayersOf(const std::vector<TopoDS_Shape>& solids) {
  std::vector<Layer> layers;
  for (const TopoDS_Shape& solid : solids) {
    Span span = SpanOf(solid);
    auto overlaps = [&](const Layer& l) { return Overlap(l.span, span); };
    auto found = std::find_if(layers.begin(), layers.end(), overlaps);
    if (found == layers.end()) {
      layers.push_back({{solid}, span});
      continue;
    }
    if (std::any_of(found + 1, layers.end(), overlaps)) return {};
    found->solids.push_back(solid);
    found->span = Joined(found->span, span);
    // Widened, the layer must still keep apart from the others.
    for (const Layer& other : layers) {
      if (&other != &*found && Overlap(other.span, found->span)) return {};
    }
  }
  return layers;
}

bool OneSolid(const TopoDS_Shape& shape) {
  int solids = 0, shells = 0;
  for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next()) ++solids;
  for (TopExp_Explorer e(shape, TopAbs_SHELL); e.More(); e.Next()) ++shells;
  return solids == 1 && shells == 1;
}

}  // namespace

TopoDS_Shape FuseStacked(const std::vector<TopoDS_Shape>& solids, const FuseLayer& fuse) {
  if (solids.size() < 2 || !std::all_of(solids.begin(), solids.end(), OneSolid)) return {};
  try {
    std::optional<std::vector<Layer>> layers = LayersOf(solids);
    if (!layers || layers->size() < 2) return {};
    std::vector<TopoDS_Shape> stacked;
    for (const Layer& layer : *layers) {
      stacked.push_back(layer.solids.size() == 1 ? layer.solids.front() : fuse(layer.solids));
      if (stacked.back().IsNull() || !OneSolid(stacked.back())) return {};
    }
    // The planes where each layer meets those before it, from the boxes alone, before any face
    // is built.
    std::vector<double> planes;
    Span stack = SpanOf(stacked.front());
    for (std::size_t i = 1; i < stacked.size(); ++i) {
      Span next = SpanOf(stacked[i]);
      double gap = Gap(stack, next);
      bool above = std::abs(next.low - stack.high) < gap;
      if (!above && std::abs(next.high - stack.low) >= gap) return {};
      std::optional<double> z =
          FlatHeightNear(stacked[i], above ? next.low + next.slack : next.high - next.slack, gap);
      if (!z) return {};
      planes.push_back(*z);
      stack = Joined(stack, next);
    }
    TopoDS_Shape fused = stacked.front();
    for (std::size_t i = 1; i < stacked.size(); ++i) {
      double z = planes[i - 1];
      if (StandsOn(stacked[i], fused, z)) {
        fused = FuseStanding(fused, stacked[i], z);
      } else if (StandsOn(fused, stacked[i], z)) {
        fused = FuseStanding(stacked[i], fused, z);
      } else {
        fused = FuseOnSharedEnd(fused, stacked[i], z);
        if (fused.IsNull()) return {};
      }
    }
    return fused;
  } catch (const Standard_Failure&) {
    return {};  // not assembled: the boolean decides
  }
}

}  // namespace host::occt
