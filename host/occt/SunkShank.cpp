// Fusing a shank sunk into a coaxial head by cutting it at the head's bottom face.
#include "host/occt/SunkShank.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <Standard_Failure.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "host/occt/FeatureSolid.h"
#include "host/occt/SharedEnd.h"
#include "host/occt/StandingSolid.h"

namespace host::occt {
namespace {

// Heights, radii and directions this close (mm, rad) are equal.
constexpr double kExact = 1e-7;
// Boxes are widened by the shapes' tolerances: faces reaching no further than this (mm) past a
// height stay clear of it.
constexpr double kSlack = 1e-5;
// A step from the shank out to the head's bottom face narrower than this (mm) is refused: the
// booleans close such a sliver within their tolerance, and the result must match theirs.
constexpr double kLeastStep = 1e-3;
constexpr double kTwoPi = 2 * M_PI;

// A whole face of revolution about the Z axis over heights z0 < z1: a straight piece from radius
// r0 to r1, or an arc of the circle of radius `minor` about (major, centre) in the (radius,
// height) plane, on the side `sign` (+1 outward, -1 towards the axis) of its centre.
struct Side {
  double z0 = 0, z1 = 0, r0 = 0, r1 = 0;
  double minor = 0, major = 0, centre = 0, sign = 0;

  bool Arc() const { return minor > 0; }
  double At(double z) const {
    if (Arc())
      return major + sign * std::sqrt(std::max(0.0, minor * minor - (z - centre) * (z - centre)));
    return r0 + (r1 - r0) * (z - z0) / (z1 - z0);
  }
  // The least radius over the heights from `low` to `high`, within the side's own.
  double LeastOver(double low, double high) const {
    double least = std::min(At(low), At(high));
    if (Arc() && sign < 0 && low < centre && centre < high) least = std::min(least, At(centre));
    return least;
  }
};

bool OnAxis(const gp_Ax1& axis) {
  return axis.Direction().IsParallel(gp::DZ(), kExact) && std::abs(axis.Location().X()) < kExact &&
         std::abs(axis.Location().Y()) < kExact;
}

// The height of a flat face square to the Z axis; nothing for any other face.
std::optional<double> FlatHeight(const BRepAdaptor_Surface& surface) {
  if (surface.GetType() != GeomAbs_Plane) return {};
  gp_Ax1 normal = surface.Plane().Axis();
  if (!normal.Direction().IsParallel(gp::DZ(), kExact)) return {};
  return normal.Location().Z();
}

// A torus's or sphere's arc over v0..v1 of its meridian circle, when that lies within one half
// of the circle from its lowest point to its highest, or back.
std::optional<Side> ArcSide(double major, double minor, const gp_Ax3& frame, double v0, double v1) {
  double half = std::round((v0 + v1) / 2 / M_PI);
  if (v0 < half * M_PI - M_PI / 2 - kExact || v1 > half * M_PI + M_PI / 2 + kExact) return {};
  double up = frame.Direction().Z();
  Side s;
  s.minor = minor, s.major = major, s.centre = frame.Location().Z();
  s.sign = std::fmod(std::abs(half), 2.0) < 0.5 ? 1 : -1;
  s.z0 = s.centre + up * minor * std::sin(v0), s.z1 = s.centre + up * minor * std::sin(v1);
  if (s.z0 > s.z1) std::swap(s.z0, s.z1);
  return s;
}

// The side a whole cylinder, cone, torus or sphere about the Z axis is; nothing for any other
// face.
std::optional<Side> SideOf(const TopoDS_Face& face, const BRepAdaptor_Surface& surface) {
  double u0, u1, v0, v1;
  BRepTools::UVBounds(face, u0, u1, v0, v1);
  if (u1 - u0 < kTwoPi - kExact) return {};
  std::optional<Side> side;
  switch (surface.GetType()) {
    case GeomAbs_Cylinder:
    case GeomAbs_Cone: {
      bool cone = surface.GetType() == GeomAbs_Cone;
      gp_Ax3 frame = cone ? surface.Cone().Position() : surface.Cylinder().Position();
      if (!OnAxis(frame.Axis())) return {};
      double radius = cone ? surface.Cone().RefRadius() : surface.Cylinder().Radius();
      double lean = cone ? surface.Cone().SemiAngle() : 0;
      double up = frame.Direction().Z() * std::cos(lean), z = frame.Location().Z();
      side = Side{z + v0 * up, z + v1 * up, radius + v0 * std::sin(lean),
                  radius + v1 * std::sin(lean)};
      if (side->z0 > side->z1) std::swap(side->z0, side->z1), std::swap(side->r0, side->r1);
      break;
    }
    case GeomAbs_Torus: {
      gp_Torus t = surface.Torus();
      if (!OnAxis(t.Axis())) return {};
      side = ArcSide(t.MajorRadius(), t.MinorRadius(), t.Position(), v0, v1);
      break;
    }
    case GeomAbs_Sphere: {
      gp_Sphere s = surface.Sphere();
      if (!OnAxis(s.Position().Axis())) return {};
      side = ArcSide(0, s.Radius(), s.Position(), v0, v1);
      break;
    }
    default:
      return {};
  }
  if (!side || side->z1 - side->z0 < kExact) return {};
  return side;
}

double LowestZ(const TopoDS_Shape& shape) {
  Bnd_Box box;
  BRepBndLib::Add(shape, box, Standard_False);
  double xmin, ymin, zmin, xmax, ymax, zmax;
  box.Get(xmin, ymin, zmin, xmax, ymax, zmax);
  return zmin;
}

// A shank: straight sides from the bottom up, each starting where the last ends, between flat
// ends.
struct Shank {
  std::vector<Side> sides;
  double Bottom() const { return sides.front().z0; }
  double Top() const { return sides.back().z1; }
  const Side* At(double z) const {
    for (const Side& s : sides) {
      if (s.z0 <= z && z <= s.z1) return &s;
    }
    return nullptr;
  }
  double MostOver(double low, double high) const {
    double most = 0;
    for (const Side& s : sides) {
      double a = std::max(low, s.z0), b = std::min(high, s.z1);
      if (a <= b) most = std::max({most, s.At(a), s.At(b)});  // straight: the ends decide
    }
    return most;
  }
};

bool OneSolid(const TopoDS_Shape& shape) {
  int solids = 0;
  for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next()) ++solids;
  return solids == 1;
}

std::optional<Shank> ShankOf(const TopoDS_Shape& solid) {
  if (!OneSolid(solid)) return {};
  Shank shank;
  std::vector<double> flats;
  for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
    const TopoDS_Face& face = TopoDS::Face(e.Current());
    BRepAdaptor_Surface surface(face, Standard_False);
    if (std::optional<double> z = FlatHeight(surface)) {
      flats.push_back(*z);
      continue;
    }
    std::optional<Side> side = SideOf(face, surface);
    if (!side || side->Arc()) return {};
    shank.sides.push_back(*side);
  }
  if (shank.sides.empty()) return {};
  std::sort(shank.sides.begin(), shank.sides.end(),
            [](const Side& a, const Side& b) { return a.z0 < b.z0; });
  for (std::size_t i = 1; i < shank.sides.size(); ++i) {
    if (std::abs(shank.sides[i].z0 - shank.sides[i - 1].z1) > kExact) return {};
    if (std::abs(shank.sides[i].r0 - shank.sides[i - 1].r1) > kExact) return {};  // a step
  }
  for (double z : flats) {
    if (std::abs(z - shank.Bottom()) > kExact && std::abs(z - shank.Top()) > kExact) return {};
  }
  return shank;
}

// The radius of a flat face bounded by one circle about the Z axis; nothing for any other face.
std::optional<double> DiscRadius(const TopoDS_Face& face) {
  int wires = 0;
  for (TopExp_Explorer w(face, TopAbs_WIRE); w.More(); w.Next()) ++wires;
  if (wires != 1) return {};
  std::optional<double> radius;
  for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
    if (BRep_Tool::Degenerated(edge)) continue;
    BRepAdaptor_Curve curve(edge);
    if (curve.GetType() != GeomAbs_Circle || !OnAxis(curve.Circle().Axis())) return {};
    if (radius && std::abs(*radius - curve.Circle().Radius()) > kExact) return {};
    radius = curve.Circle().Radius();
  }
  return radius;
}

// Whether `head`'s lowest face is one flat disc about the axis at `bottom` between the shank's
// ends, from which whole faces of revolution alone bound the head up to the shank's top,
// keeping outside the shank, which steps in under the disc by more than a sliver or meets its
// rim.
struct Sink {
  double z = 0;
  bool flush = false;  // the shank meets the disc's rim
};

std::optional<Sink> SinkOf(const TopoDS_Shape& head, const Shank& shank) {
  struct Face {
    TopoDS_Face face;
    double low;
    std::optional<double> flat;
    std::optional<Side> side;
  };
  std::vector<Face> faces;
  std::optional<double> bottom;
  for (TopExp_Explorer e(head, TopAbs_FACE); e.More(); e.Next()) {
    const TopoDS_Face& face = TopoDS::Face(e.Current());
    BRepAdaptor_Surface surface(face, Standard_False);
    Face f{face, 0, FlatHeight(surface), {}};
    if (!f.flat) f.side = SideOf(face, surface);
    // A box of a torus or cylinder reaches past the face; the sides' own heights are exact.
    f.low = f.flat ? *f.flat : f.side ? f.side->z0 : LowestZ(face);
    if (f.flat && (!bottom || *f.flat < *bottom)) bottom = f.flat;
    faces.push_back(f);
  }
  if (!bottom || *bottom < shank.Bottom() + kSlack || *bottom > shank.Top() - kSlack) return {};
  const double top = shank.Top();
  std::vector<Side> sides;
  std::optional<double> disc;
  for (Face& f : faces) {
    if (f.low < *bottom - kSlack) return {};  // the head reaches below its flat bottom
    if (f.flat && std::abs(*f.flat - *bottom) < kExact) {
      if (disc) return {};
      disc = DiscRadius(f.face);
      if (!disc) return {};
      continue;
    }
    if (f.low >= top - kSlack) continue;  // clear of the shank
    if (!f.side) return {};
    sides.push_back(*f.side);
  }
  const Side* under = shank.At(*bottom);
  if (!disc || !under) return {};
  // The shank steps in under the disc, or meets its rim (flush with the neck).
  const double step = *disc - under->At(*bottom);
  if (step < kLeastStep && std::abs(step) > kExact) return {};
  std::sort(sides.begin(), sides.end(), [](const Side& a, const Side& b) { return a.z0 < b.z0; });
  double reached = *bottom;
  for (const Side& s : sides) {
    if (std::abs(s.z0 - reached) > kExact) return {};  // a gap, or faces side by side (a bore)
    double low = s.z0, high = std::min(s.z1, top);
    if (s.LeastOver(low, high) < shank.MostOver(low, high) - kExact) return {};
    reached = s.z1;
  }
  if (reached < top - kExact) return {};
  return Sink{*bottom, std::abs(step) <= kExact};
}

// The shank cut off at height `z`, as a revolved solid.
TopoDS_Shape ShankBelow(const Shank& shank, double z) {
  BRepBuilderAPI_MakePolygon outline;
  auto add = [&](double r, double h) { outline.Add(gp_Pnt(r, 0, h)); };
  add(0, shank.Bottom());
  for (const Side& s : shank.sides) {
    if (s.z0 >= z) break;
    add(s.r0, s.z0);
  }
  add(shank.At(z)->At(z), z);
  add(0, z);
  outline.Close();
  BRepBuilderAPI_MakeFace face(outline.Wire(), Standard_True);
  if (!face.IsDone()) return {};
  BRepPrimAPI_MakeRevol revol(face.Face(), gp::OZ(), kTwoPi);
  if (!revol.IsDone()) return {};
  MakeConesAnalytic(revol.Shape());
  return revol.Shape();
}

TopoDS_Shape FuseOrdered(const TopoDS_Shape& shankSolid, const TopoDS_Shape& head) {
  std::optional<Shank> shank = ShankOf(shankSolid);
  if (!shank || !OneSolid(head)) return {};
  std::optional<Sink> sink = SinkOf(head, *shank);
  if (!sink) return {};
  TopoDS_Shape below = ShankBelow(*shank, sink->z);
  if (below.IsNull()) return {};
  // The cut shank's top is one disc about the axis, inside the head's bottom face or that face.
  return sink->flush ? FuseOnSharedEnd(head, below, sink->z) : FuseStanding(head, below, sink->z);
}

}  // namespace

TopoDS_Shape FuseSunkShank(const TopoDS_Shape& a, const TopoDS_Shape& b) {
  try {
    TopoDS_Shape fused = FuseOrdered(a, b);
    return fused.IsNull() ? FuseOrdered(b, a) : fused;
  } catch (const Standard_Failure&) {
    return {};  // not assembled: the boolean decides
  }
}

}  // namespace host::occt
