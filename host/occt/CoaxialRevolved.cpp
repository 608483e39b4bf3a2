// Fusing coaxial solids of revolution by revolving the outline of their profiles.
#include "host/occt/CoaxialRevolved.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <BRepTools.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Wire.hxx>
#include <algorithm>
#include <cmath>
#include <optional>

#include "host/occt/FeatureSolid.h"

namespace host::occt {
namespace {

// Heights, radii and directions this close (mm, rad) are equal.
constexpr double kExact = 1e-7;
constexpr double kTwoPi = 2 * M_PI;
// A step in the outline narrower than this (mm) but not nothing is refused: the booleans close
// such a sliver (the plain part of a shank tapers by 0.0005 of its radius) within their
// tolerance, and the result must match theirs.
constexpr double kLeastStep = 1e-3;
// When other solids are fused onto the revolved one by a boolean, the least step is this (mm):
// a nib reaching a sliver a few thousandths wide leaves the boolean's result meshed with gaps.
constexpr double kLeastStepUnderOthers = 1e-2;

// A piece of a profile from radius r0 at height z0 to r1 at z1 > z0: straight, or an arc of the
// sphere of radius `sphere` (when not 0) about the point at height `centre` on the axis.
struct Piece {
  double z0 = 0, r0 = 0, z1 = 0, r1 = 0;
  double sphere = 0, centre = 0;
  double At(double z) const {
    if (sphere > 0) return std::sqrt(std::max(0.0, sphere * sphere - (z - centre) * (z - centre)));
    return r0 + (r1 - r0) * (z - z0) / (z1 - z0);
  }
};

bool OnAxis(const gp_Ax1& axis) {
  return axis.Direction().IsParallel(gp::DZ(), kExact) && std::abs(axis.Location().X()) < kExact &&
         std::abs(axis.Location().Y()) < kExact;
}

// The piece a full cylinder, cone or sphere about the Z axis covers; nothing for any other face.
std::optional<Piece> SideOf(const TopoDS_Face& face, const BRepAdaptor_Surface& surface) {
  double u0, u1, v0, v1;
  BRepTools::UVBounds(face, u0, u1, v0, v1);
  if (u1 - u0 < kTwoPi - kExact) return {};
  double radius = 0, lean = 0, z = 0, sense = 0;
  if (surface.GetType() == GeomAbs_Cylinder) {
    gp_Cylinder c = surface.Cylinder();
    if (!OnAxis(c.Axis())) return {};
    radius = c.Radius(), z = c.Location().Z(), sense = c.Axis().Direction().Z();
  } else if (surface.GetType() == GeomAbs_Cone) {
    gp_Cone c = surface.Cone();
    if (!OnAxis(c.Axis())) return {};
    radius = c.RefRadius(), z = c.Location().Z(), sense = c.Axis().Direction().Z();
    lean = c.SemiAngle();
  } else if (surface.GetType() == GeomAbs_Sphere) {
    gp_Sphere c = surface.Sphere();
    if (!OnAxis(gp_Ax1(c.Location(), c.Position().Direction()))) return {};
    double up = c.Position().Direction().Z();
    Piece p{c.Location().Z() + c.Radius() * std::sin(v0) * up, c.Radius() * std::cos(v0),
            c.Location().Z() + c.Radius() * std::sin(v1) * up, c.Radius() * std::cos(v1),
            c.Radius(), c.Location().Z()};
    if (p.z0 > p.z1) std::swap(p.z0, p.z1), std::swap(p.r0, p.r1);
    if (p.z1 - p.z0 < kExact) return {};
    return p;
  } else {
    return {};
  }
  auto radiusAt = [&](double v) { return radius + v * std::sin(lean); };
  auto heightAt = [&](double v) { return z + v * std::cos(lean) * sense; };
  Piece p{heightAt(v0), radiusAt(v0), heightAt(v1), radiusAt(v1)};
  if (p.z0 > p.z1) std::swap(p.z0, p.z1), std::swap(p.r0, p.r1);
  if (p.z1 - p.z0 < kExact || std::min(p.r0, p.r1) < -kExact) return {};
  return p;
}

// The pieces of a solid that is the region within a radius varying along the Z axis, from the
// bottom up, each starting where the last ends; nothing for any other solid.
std::optional<std::vector<Piece>> ProfileOf(const TopoDS_Shape& solid) {
  int solids = 0;
  for (TopExp_Explorer e(solid, TopAbs_SOLID); e.More(); e.Next()) ++solids;
  if (solids != 1) return {};
  std::vector<Piece> pieces;
  for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
    const TopoDS_Face& face = TopoDS::Face(e.Current());
    BRepAdaptor_Surface surface(face, Standard_False);
    if (surface.GetType() == GeomAbs_Plane) {
      if (!surface.Plane().Axis().Direction().IsParallel(gp::DZ(), kExact)) return {};
      continue;
    }
    std::optional<Piece> side = SideOf(face, surface);
    if (!side) return {};
    pieces.push_back(*side);
  }
  if (pieces.empty()) return {};
  std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.z0 < b.z0; });
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    if (std::abs(pieces[i].z0 - pieces[i - 1].z1) > kExact) return {};  // a bore or a gap
  }
  return pieces;
}

// The piece of `profile` over the open interval around `z`, if any.
const Piece* PieceAt(const std::vector<Piece>& profile, double z) {
  for (const Piece& p : profile) {
    if (p.z0 < z && z < p.z1) return &p;
  }
  return nullptr;
}

// The heights where the outline may change: every piece's ends and where pieces of different
// profiles cross; empty when an arc shares heights with another profile's piece.
std::vector<double> Breaks(const std::vector<std::vector<Piece>>& profiles) {
  std::vector<double> z;
  for (const auto& profile : profiles) {
    for (const Piece& p : profile) z.insert(z.end(), {p.z0, p.z1});
  }
  for (std::size_t i = 0; i < profiles.size(); ++i) {
    for (std::size_t j = i + 1; j < profiles.size(); ++j) {
      for (const Piece& a : profiles[i]) {
        for (const Piece& b : profiles[j]) {
          double low = std::max(a.z0, b.z0), high = std::min(a.z1, b.z1);
          if (high - low < kExact) continue;
          if (a.sphere > 0 || b.sphere > 0) return {};
          double d0 = a.At(low) - b.At(low), d1 = a.At(high) - b.At(high);
          if ((d0 > kExact && d1 < -kExact) || (d0 < -kExact && d1 > kExact)) {
            z.push_back(low + (high - low) * d0 / (d0 - d1));
          }
        }
      }
    }
  }
  std::sort(z.begin(), z.end());
  z.erase(std::unique(z.begin(), z.end(), [](double a, double b) { return b - a < kExact; }),
          z.end());
  return z;
}

// A corner of an outline, as (radius, height), and the arc that leads to it from the one before
// (null: a straight line).
struct Corner {
  gp_XY at;
  const Piece* arc = nullptr;
};

// The outline of the profiles' union from the axis at the bottom to the axis at the top; empty
// when the profiles leave a gap along the axis, an arc shares heights with another profile, or
// the outline steps out or in by more than nothing but less than `leastStep`.
std::vector<Corner> Outline(const std::vector<std::vector<Piece>>& profiles, double leastStep) {
  std::vector<double> z = Breaks(profiles);
  if (z.size() < 2) return {};
  std::vector<Corner> corners{{{0, z.front()}}};
  auto add = [&](double r, double h, const Piece* arc) {
    gp_XY c(std::max(r, 0.0), h);
    if ((c - corners.back().at).Modulus() < kExact) return;
    if (corners.size() >= 2 && !arc && !corners.back().arc) {
      gp_XY a = corners[corners.size() - 2].at, b = corners.back().at;
      if (std::abs((b - a).Crossed(c - b)) < kExact * (c - a).Modulus()) corners.pop_back();
    }
    corners.push_back({c, arc});
  };
  for (std::size_t i = 0; i + 1 < z.size(); ++i) {
    double middle = (z[i] + z[i + 1]) / 2;
    const Piece* widest = nullptr;
    for (const auto& profile : profiles) {
      const Piece* p = PieceAt(profile, middle);
      if (p && (!widest || p->At(middle) > widest->At(middle))) widest = p;
    }
    if (!widest) return {};
    double step = std::abs(widest->At(z[i]) - corners.back().at.X());
    if (i > 0 && step > kExact && step < leastStep) return {};
    add(widest->At(z[i]), z[i], nullptr);
    add(widest->At(z[i + 1]), z[i + 1], widest->sphere > 0 ? widest : nullptr);
  }
  add(0, z.back(), nullptr);
  return corners;
}

// The outline as a closed wire in the XZ plane (X the radius).
TopoDS_Wire OutlineWire(const std::vector<Corner>& corners) {
  auto point = [](const gp_XY& c) { return gp_Pnt(c.X(), 0, c.Y()); };
  BRepBuilderAPI_MakeWire wire;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const Corner& from = corners[i];
    const Corner& to = corners[(i + 1) % corners.size()];
    if (to.arc) {
      double h = (from.at.Y() + to.at.Y()) / 2;
      GC_MakeArcOfCircle arc(point(from.at), gp_Pnt(to.arc->At(h), 0, h), point(to.at));
      wire.Add(BRepBuilderAPI_MakeEdge(arc.Value()).Edge());
    } else {
      wire.Add(BRepBuilderAPI_MakeEdge(point(from.at), point(to.at)).Edge());
    }
  }
  return wire.Wire();
}

}  // namespace

TopoDS_Shape FuseCoaxialRevolved(const std::vector<TopoDS_Shape>& solids, const FuseRest& fuseRest) {
  std::vector<std::vector<Piece>> profiles;
  std::vector<TopoDS_Shape> rest;
  for (const TopoDS_Shape& solid : solids) {
    if (std::optional<std::vector<Piece>> profile = ProfileOf(solid)) {
      profiles.push_back(std::move(*profile));
    } else {
      rest.push_back(solid);
    }
  }
  if (profiles.size() < 2) return {};
  std::vector<Corner> corners =
      Outline(profiles, rest.empty() ? kLeastStep : kLeastStepUnderOthers);
  if (corners.size() < 3) return {};
  BRepBuilderAPI_MakeFace face(OutlineWire(corners), Standard_True);
  if (!face.IsDone()) return {};
  BRepPrimAPI_MakeRevol revol(face.Face(), gp::OZ(), kTwoPi);
  if (!revol.IsDone()) return {};
  MakeConesAnalytic(revol.Shape());
  if (rest.empty()) return revol.Shape();
  rest.insert(rest.begin(), revol.Shape());
  return fuseRest(rest);
}

}  // namespace host::occt
