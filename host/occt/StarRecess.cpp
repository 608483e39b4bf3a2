// Recognising a type Z recess's star against the type H recess it joins, and finding where its
// tips stand out of the notched prism.
#include "host/occt/StarRecess.h"

#include <BRep_Tool.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Vertex.hxx>
#include <cmath>
#include <gp_Vec.hxx>
#include <vector>

#include "host/occt/FeatureSolid.h"

namespace host::occt {
namespace {

// Positions must agree to this (mm) for a vertex to be taken for a star's corner.
constexpr double kMatch = 1e-7;
// Clearances the star must keep from the faces it does not cross (mm).
constexpr double kMargin = 1e-3;

// The direction of arm `arm` (a quarter turn each from +X).
gp_XY Arm(int arm) {
  static constexpr double kCos[] = {1, 0, -1, 0}, kSin[] = {0, 1, 0, -1};
  return {kCos[arm % 4], kSin[arm % 4]};
}

// The star's outline about the axis, counter-clockwise: the inner corner on arm 0, the tip
// between arms 0 and 1, the inner corner on arm 1, and so on.
std::vector<gp_Pnt2d> Outline(double inner, double tip) {
  std::vector<gp_Pnt2d> out;
  for (int arm = 0; arm < 4; ++arm) {
    out.emplace_back(Arm(arm) * inner);
    out.emplace_back((Arm(arm) + Arm(arm + 1)) * (tip / std::sqrt(2.0)));
  }
  return out;
}

double Area(const std::vector<gp_Pnt2d>& loop) {
  double twice = 0;
  for (std::size_t i = 0; i < loop.size(); ++i) {
    twice += loop[i].XY() ^ loop[(i + 1) % loop.size()].XY();
  }
  return twice / 2;
}

// `p` lies to the left of the line from `a` to `b` by more than the margin.
bool LeftOf(const gp_XY& p, const gp_XY& a, const gp_XY& b) {
  gp_XY along = b - a;
  return (along ^ (p - a)) / along.Modulus() > kMargin;
}

// The fraction along a to b where the segment enters the circle about `centre` of `radius`,
// a outside it and b inside.
double Entry(const gp_XY& a, const gp_XY& b, const gp_XY& centre, double radius) {
  gp_XY d = b - a, f = a - centre;
  double qa = d.SquareModulus(), qb = 2 * (f * d), qc = f.SquareModulus() - radius * radius;
  return (-qb - std::sqrt(qb * qb - 4 * qa * qc)) / (2 * qa);
}

// The notch on arm `arm` (b wide, from b to 3b/2 out) lies on the side of each star edge
// beside it away from the star, by the margin: the star keeps out of it.
bool ClearOfNotches(const std::vector<gp_Pnt2d>& star, double b) {
  for (int arm = 0; arm < 4; ++arm) {
    const gp_XY inner = star[2 * arm].XY(), before = star[(2 * arm + 7) % 8].XY(),
                after = star[2 * arm + 1].XY();
    gp_XY along = Arm(arm), left = Arm(arm + 1);
    for (double u : {b, 1.5 * b}) {
      for (double v : {0.0, b / 2}) {
        if (LeftOf(along * u + left * v, inner, after) ||
            LeftOf(along * u - left * v, before, inner)) {
          return false;
        }
      }
    }
  }
  return true;
}

gp_Pnt Lift(const gp_XY& p, const Recess& r, double depth) {
  return {r.cx + p.X(), r.cy + p.Y(), r.top - depth};
}

}  // namespace

std::optional<std::array<StarTip, 4>> RecogniseStar(const TopoDS_Shape& star, const Recess& r,
                                                    double open) {
  // The inner corner on arm 0 and the tip between arms 0 and 1, at the top and the bottom.
  double inner = 0, tip = 0, tipBottom = 0;
  TopTools_IndexedMapOfShape vertices;
  TopExp::MapShapes(star, TopAbs_VERTEX, vertices);
  for (int i = 1; i <= vertices.Extent(); ++i) {
    gp_Pnt p = BRep_Tool::Pnt(TopoDS::Vertex(vertices(i)));
    gp_XY q(p.X() - r.cx, p.Y() - r.cy);
    double depth = r.top - p.Z();
    bool top = std::abs(depth) < kMatch, bottom = std::abs(depth - r.t) < kMatch;
    if (top && std::abs(q.Y()) < kMatch && q.X() > 0) inner = q.X();
    if (std::abs(q.X() - q.Y()) < kMatch && q.X() > 0) {
      if (top) tip = q.Modulus();
      if (bottom) tipBottom = q.Modulus();
    }
  }
  if (inner <= kMargin || tipBottom <= kMargin || tip <= tipBottom + kMargin) return std::nullopt;

  // The walls move in by `inset` over the depth: the tips by that over the sine of their half
  // angle.
  std::vector<gp_Pnt2d> outline = Outline(inner, tip);
  gp_Vec2d toInner(outline[1], outline[0]), toAxis(outline[1], gp::Origin2d());
  double inset = (tip - tipBottom) * std::abs(toInner.Normalized() ^ toAxis.Normalized());
  std::vector<gp_Pnt2d> half, bottom, atOpen;
  try {
    half = Inset(outline, inset / 2);
    bottom = Inset(outline, inset);
    atOpen = Inset(outline, inset * open / r.t);
  } catch (const InvalidRecords&) {
    return std::nullopt;
  }
  std::vector<gp_Pnt> corners;
  for (const gp_Pnt2d& p : outline) corners.push_back(Lift(p.XY(), r, 0));
  for (const gp_Pnt2d& p : bottom) corners.push_back(Lift(p.XY(), r, r.t));
  double volume = r.t / 6 * (Area(outline) + 4 * Area(half) + Area(bottom));
  if (!HasCorners(star, corners, volume) || !ClearOfNotches(atOpen, r.b)) return std::nullopt;

  // Each tip inside its corner's circle at the top and inside the prism at the bottom; the
  // inner corners on the arms inside the prism, short of the notches.
  const double nearest = 1.5 * std::sqrt(2.0) * r.b - r.b;  // the circles' reach to the axis
  if (std::abs(tip - 1.5 * std::sqrt(2.0) * r.b) > r.b - kMargin || tipBottom > nearest - kMargin ||
      inner > r.b - kMargin) {
    return std::nullopt;
  }
  std::array<StarTip, 4> tips;
  for (int c = 0; c < 4; ++c) {
    const gp_XY centre = (Arm(c) + Arm(c + 1)) * (1.5 * r.b);
    const gp_XY top = outline[2 * c + 1].XY();
    const gp_XY sides[2] = {outline[2 * c].XY(), outline[(2 * c + 2) % 8].XY()};
    StarTip& t = tips[c];
    t.tip = Lift(top, r, 0);
    gp_XY diagonal = top / top.Modulus();
    t.pierce = Lift(diagonal * nearest, r, r.t * (tip - nearest) / (tip - tipBottom));
    for (int s = 0; s < 2; ++s) {
      double at = Entry(sides[s], top, centre, r.b);
      gp_XY cross = sides[s] + (top - sides[s]) * at;
      // Inside the quarter of the circle that faces the axis, away from both notches' mouths.
      gp_XY fromCentre = cross - centre;
      if (!(at > 0 && at < 1) || fromCentre * Arm(c) > -kMargin ||
          fromCentre * Arm(c + 1) > -kMargin) {
        return std::nullopt;
      }
      t.cross[s] = Lift(cross, r, 0);
      gp_XY bottomSide = bottom[s == 0 ? 2 * c : (2 * c + 2) % 8].XY();
      t.wall[s] = gp_Pln(Lift(sides[s], r, 0),
                         gp_Vec(Lift(sides[s], r, 0), t.tip)
                             .Crossed(gp_Vec(Lift(sides[s], r, 0), Lift(bottomSide, r, r.t))));
    }
  }
  return tips;
}

}  // namespace host::occt
