// Reading a chamfered prism from the features' recipes, in the prism's own frame.
#include "host/occt/PrismCut.h"

#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <Bnd_Box.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Circ2d.hxx>
#include <gp_Pnt2d.hxx>
#include <gp_Trsf.hxx>
#include <tuple>

#include "host/occt/ChamferedPrism.h"
#include "host/occt/FeatureSolid.h"
#include "host/occt/StandingCap.h"
#include "host/occt/StandingSolid.h"

namespace host::occt {
namespace {

// Lengths (mm) and direction components this close are equal.
constexpr double kExact = 1e-9;
// Profile points closer than this (mm) are one point, as the profile's region takes them.
constexpr double kMerge = 1e-6;
// A chamfer's cone must leave the prism this far (mm) from either end face.
constexpr double kClearance = 1e-5;

// The corners of a closed loop of straight segments; nothing for any other loop.
std::optional<std::vector<gp_Pnt2d>> PolygonOf(const std::vector<ref::ProfileCall>& loop) {
  if (loop.size() < 4 || loop[0].op != "SetStartPoint" || loop[0].args.size() != 2) return {};
  std::vector<gp_Pnt2d> points{{loop[0].args[0], loop[0].args[1]}};
  for (std::size_t i = 1; i < loop.size(); ++i) {
    if (loop[i].op != "AddLineTo" || loop[i].args.size() != 2) return {};
    gp_Pnt2d p(loop[i].args[0], loop[i].args[1]);
    if (p.Distance(points.back()) > kMerge) points.push_back(p);
  }
  if (points.size() < 4 || points.back().Distance(points.front()) > kMerge) return {};
  points.pop_back();
  return points;
}

// The corners of a closed loop of straight segments every corner of which is rounded by one
// radius, and that radius; nothing for any other loop. Corners count from 1 at the start point,
// a corner already rounded counting as two.
std::optional<std::pair<std::vector<gp_Pnt2d>, double>> RoundedPolygonOf(
    const std::vector<ref::ProfileCall>& loop) {
  std::vector<ref::ProfileCall> lines, fillets;
  for (const ref::ProfileCall& call : loop) {
    (call.op == "AddFilletAt" ? fillets : lines).push_back(call);
  }
  std::optional<std::vector<gp_Pnt2d>> polygon = PolygonOf(lines);
  // Every drawn point a corner of its own, so that the corners' numbers are the points'.
  if (!polygon || fillets.empty() || polygon->size() + 1 != lines.size()) return {};
  std::vector<std::optional<std::size_t>> slots;
  for (std::size_t k = 0; k < polygon->size(); ++k) slots.emplace_back(k);
  double radius = 0;
  for (const ref::ProfileCall& f : fillets) {
    if (f.args.size() != 2 || !(f.args[1] > 0) || (radius > 0 && f.args[1] != radius)) return {};
    radius = f.args[1];
    double corner = f.args[0];
    if (corner != std::floor(corner) || corner < 1 || corner > static_cast<double>(slots.size()))
      return {};
    auto slot = static_cast<std::size_t>(corner) - 1;
    if (!slots[slot]) return {};
    slots[slot].reset();
    slots.insert(slots.begin() + static_cast<std::ptrdiff_t>(slot) + 1, std::nullopt);
  }
  if (std::any_of(slots.begin(), slots.end(), [](const auto& s) { return s.has_value(); }))
    return {};
  return std::make_pair(*polygon, radius);
}

// The circle of a loop that is one full circle; nothing for any other loop.
std::optional<gp_Circ2d> CircleOf(const std::vector<ref::ProfileCall>& loop) {
  if (loop.size() != 2 || loop[0].op != "SetStartPoint" || loop[1].op != "AddEllipse" ||
      loop[1].args.size() != 3 || !(loop[1].args[2] > 0)) {
    return {};
  }
  return gp_Circ2d(gp_Ax2d(gp_Pnt2d(loop[1].args[0], loop[1].args[1]), gp::DX2d()),
                   loop[1].args[2]);
}

// An extruded straight prism of one polygon, perhaps holed by one circle, in its local frame.
struct Prism {
  std::vector<gp_Pnt2d> corners;
  double round = 0;  // the radius every corner is rounded by; 0: sharp
  std::optional<gp_Circ2d> hole;
  double bottom = 0, top = 0;
  gp_Trsf toPart;
};

std::optional<Prism> PrismOf(const FeatureRecipe& r) {
  if (r.kind != kShapeExtruded || r.removal || r.draft != 0) return {};
  Prism p;
  for (const auto& loop : r.section.loops) {
    if (auto polygon = PolygonOf(loop); polygon && p.corners.empty()) {
      p.corners = *polygon;
    } else if (auto rounded = RoundedPolygonOf(loop); rounded && p.corners.empty()) {
      std::tie(p.corners, p.round) = *rounded;
    } else if (auto circle = CircleOf(loop); circle && !p.hole) {
      p.hole = circle;
    } else {
      return {};
    }
  }
  if (p.corners.empty()) return {};
  p.bottom = std::min(r.start, r.end);
  p.top = std::max(r.start, r.end);
  p.toPart = LocalToPart(r);
  return p;
}

// The part of the polygon on the side of the line where `inside` is not negative.
template <typename Side>
std::vector<gp_Pnt2d> Clip(const std::vector<gp_Pnt2d>& polygon, Side inside) {
  std::vector<gp_Pnt2d> out;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const gp_Pnt2d& a = polygon[i];
    const gp_Pnt2d& b = polygon[(i + 1) % polygon.size()];
    double fa = inside(a), fb = inside(b);
    if (fa >= 0) out.push_back(a);
    if ((fa < 0) != (fb < 0)) {
      double t = fa / (fa - fb);
      out.emplace_back(a.X() + t * (b.X() - a.X()), a.Y() + t * (b.Y() - a.Y()));
    }
  }
  return out;
}

// The polygon without repeated corners and without corners on a straight run.
std::vector<gp_Pnt2d> Simplified(std::vector<gp_Pnt2d> p) {
  bool changed = true;
  while (changed && p.size() >= 3) {
    changed = false;
    for (std::size_t i = 0; i < p.size() && p.size() >= 3; ++i) {
      const gp_Pnt2d& prev = p[(i + p.size() - 1) % p.size()];
      const gp_Pnt2d& next = p[(i + 1) % p.size()];
      gp_Vec2d a(prev, p[i]), b(p[i], next);
      double scale = a.Magnitude() + b.Magnitude();
      if (a.Magnitude() < kExact || std::abs(a.Crossed(b)) < kExact * scale) {
        p.erase(p.begin() + static_cast<std::ptrdiff_t>(i));
        changed = true;
        break;
      }
    }
  }
  return p;
}

bool Convex(const std::vector<gp_Pnt2d>& p) {
  int sign = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    gp_Vec2d a(p[i], p[(i + 1) % p.size()]), b(p[(i + 1) % p.size()], p[(i + 2) % p.size()]);
    double cross = a.Crossed(b);
    if (std::abs(cross) < kExact) continue;
    int s = cross > 0 ? 1 : -1;
    if (sign != 0 && s != sign) return false;
    sign = s;
  }
  return sign != 0;
}

// Where the axis of revolution features meets the prism's frame.
struct Axis {
  gp_XY at;
  bool known = false;
};

// The chamfer that a removal of revolution makes on the prism, and which end it chamfers (true:
// the top); nothing when the removal does anything else within the prism's reach.
std::optional<std::pair<bool, ConeChamfer>> ChamferOf(const FeatureRecipe& r, const Prism& prism,
                                                      Axis& axis) {
  if (r.kind != kShapeRevolved || !r.removal || r.section.loops.size() != 1) return {};
  std::optional<std::vector<gp_Pnt2d>> profile = PolygonOf(r.section.loops[0]);
  if (!profile || !Convex(*profile)) return {};
  gp_Trsf toPrism = prism.toPart.Inverted().Multiplied(LocalToPart(r));
  gp_Pnt origin3 = gp::Origin().Transformed(toPrism);
  gp_XY origin(origin3.X(), origin3.Y());
  gp_Dir along = gp::DY().Transformed(toPrism);
  if (std::abs(along.X()) > kExact || std::abs(along.Y()) > kExact) return {};
  if (!axis.known) {
    axis = {origin, true};
  } else if ((origin - axis.at).Modulus() > kExact) {
    return {};
  }
  // The profile in (distance from the axis, height in the prism's frame).
  bool positive = std::all_of(profile->begin(), profile->end(),
                              [](const gp_Pnt2d& p) { return p.X() >= -kExact; });
  bool negative = std::all_of(profile->begin(), profile->end(),
                              [](const gp_Pnt2d& p) { return p.X() <= kExact; });
  if (!positive && !negative) return {};
  std::vector<gp_Pnt2d> section;
  for (const gp_Pnt2d& p : *profile) {
    section.emplace_back(std::abs(p.X()), gp_Pnt(p.X(), p.Y(), 0).Transformed(toPrism).Z());
  }
  ChamferedPrism outline;
  for (const gp_Pnt2d& c : prism.corners) outline.corners.emplace_back(c.XY() - axis.at);
  outline.cornerRadius = prism.round;
  double reach = OutlineReach(outline);
  // Within the cylinder that holds the prism the removal must be the triangle between an end
  // face, that cylinder and a cone.
  section = Clip(section, [&](const gp_Pnt2d& p) { return reach - p.X(); });
  section = Clip(section, [&](const gp_Pnt2d& p) { return p.Y() - prism.bottom; });
  section = Clip(section, [&](const gp_Pnt2d& p) { return prism.top - p.Y(); });
  section = Simplified(section);
  if (section.size() != 3) return {};
  auto onRim = [&](const gp_Pnt2d& p) { return std::abs(p.X() - reach) < kExact; };
  auto apex = std::find_if_not(section.begin(), section.end(), onRim);
  if (std::count_if(section.begin(), section.end(), onRim) != 2) return {};
  bool top = std::abs(apex->Y() - prism.top) < kExact;
  if (!top && std::abs(apex->Y() - prism.bottom) > kExact) return {};
  double end = top ? prism.top : prism.bottom;
  // The rim's corners: one on the end face, the other where the cone leaves the prism's reach.
  int onEnd = 0;
  double cone = end;
  for (const gp_Pnt2d& p : section) {
    if (!onRim(p)) continue;
    if (std::abs(p.Y() - end) < kExact) {
      ++onEnd;
    } else {
      cone = p.Y();
    }
  }
  if (onEnd != 1 || !(cone > prism.bottom + kClearance && cone < prism.top - kClearance)) return {};
  double radius = apex->X();
  if (!(reach - radius > kClearance)) return {};
  return std::make_pair(top, ConeChamfer{radius, std::abs(end - cone) / (reach - radius)});
}

// The height of a collar that an added extrusion of circles makes on the prism's top face: its
// outer circle the top chamfer's, its inner one the bore, both about the axis, rising from the
// top face. Nothing for any other feature.
std::optional<double> CollarOf(const FeatureRecipe& r, const Prism& prism, const Axis& axis,
                               const ChamferedPrism& shape) {
  if (r.kind != kShapeExtruded || r.removal || r.draft != 0 || !shape.topChamfer) return {};
  gp_Trsf toPrism = prism.toPart.Inverted().Multiplied(LocalToPart(r));
  gp_Dir along = gp::DZ().Transformed(toPrism);
  if (std::abs(along.X()) > kExact || std::abs(along.Y()) > kExact) return {};
  std::vector<double> radii;
  double low = 0, high = 0;
  for (const auto& loop : r.section.loops) {
    std::optional<gp_Circ2d> circle = CircleOf(loop);
    if (!circle) return {};
    gp_Pnt2d c = circle->Location();
    gp_Pnt from = gp_Pnt(c.X(), c.Y(), r.start).Transformed(toPrism);
    gp_Pnt to = gp_Pnt(c.X(), c.Y(), r.end).Transformed(toPrism);
    if ((gp_XY(from.X(), from.Y()) - axis.at).Modulus() > kExact) return {};
    low = std::min(from.Z(), to.Z());
    high = std::max(from.Z(), to.Z());
    radii.push_back(circle->Radius());
  }
  std::sort(radii.begin(), radii.end());
  std::vector<double> expected{shape.topChamfer->radius};
  if (shape.bore > 0) expected.insert(expected.begin(), shape.bore);
  if (radii.size() != expected.size() || std::abs(low - prism.top) > kExact) return {};
  for (std::size_t i = 0; i < radii.size(); ++i) {
    if (std::abs(radii[i] - expected[i]) > kExact) return {};
  }
  return high - low;
}

Bnd_Box BoxOf(const TopoDS_Shape& shape) {
  Bnd_Box box;
  BRepBndLib::AddOptimal(shape, box, Standard_False, Standard_False);
  box.Enlarge(1e-4);
  return box;
}

// The radius of the largest circle about the axis inside the end face at the top or bottom.
double InscribedRadius(const ChamferedPrism& shape, bool top) {
  const std::optional<ConeChamfer>& chamfer = top ? shape.topChamfer : shape.bottomChamfer;
  double radius = chamfer ? chamfer->radius : INFINITY;
  const std::vector<gp_Pnt2d>& c = shape.corners;
  for (std::size_t i = 0; i < c.size(); ++i) {
    gp_Vec2d side(c[i], c[(i + 1) % c.size()]);
    radius = std::min(radius, std::abs(side.Crossed(gp_Vec2d(c[i].XY()))) / side.Magnitude());
  }
  return radius;
}

// Fuses onto `solid` (the prism in its own frame) `local`, a solid of revolution about the
// prism's axis (its profile of straight segments: `straight`), when it stands on an end face,
// inside the circle that face holds; whether it did.
bool FuseOnEnd(const TopoDS_Shape& local, bool straight, const ChamferedPrism& shape,
               TopoDS_Shape& solid) {
  if (!straight || shape.bore > 0) {
    // A cap on a bored end face, or a solid whose profile has arcs: joined by its faces.
    for (bool top : {false, true}) {
      if (top && (shape.collar > 0 || shape.flare)) continue;
      TopoDS_Shape fused = FuseCap(solid, local, top ? shape.top : shape.bottom, !top);
      if (fused.IsNull()) continue;
      solid = fused;
      return true;
    }
    return false;
  }
  for (bool top : {false, true}) {
    if (top && (shape.collar > 0 || shape.flare)) continue;
    double z = top ? shape.top : shape.bottom;
    std::optional<double> radius = StandingRadius(local, z, !top);
    if (!radius) continue;
    if (*radius < InscribedRadius(shape, top) - kClearance) {
      solid = FuseStanding(solid, local, z);
      return true;
    }
    // As wide as an end face that is one circle touching every flat: joined by its faces.
    TopoDS_Shape fused = FuseCap(solid, local, z, !top);
    if (fused.IsNull()) continue;
    solid = fused;
    return true;
  }
  return false;
}

// Fuses onto `solid` (the prism in its own frame) the feature when it is an added solid of
// revolution standing on an end face, inside the circle that face holds; widens the run
// [first, first + count) by the feature, before the run or after it.
void FuseStandingAt(const PlacedFeature& feature, const ChamferedPrism& shape, const gp_Trsf& place,
                    TopoDS_Shape& solid, std::size_t& first, std::size_t& count, bool before) {
  const FeatureRecipe& r = *feature.recipe;
  if (r.kind != kShapeRevolved || r.removal) return;
  TopoDS_Shape local = feature.solid.Moved(TopLoc_Location(place.Inverted()));
  bool straight = r.section.loops.size() == 1 && PolygonOf(r.section.loops[0]);
  if (!FuseOnEnd(local, straight, shape, solid)) return;
  if (before) --first;
  ++count;
}

// The profile of an added feature of revolution about the prism's axis, one loop of straight
// segments, in (distance from the axis, height in the prism's frame); nothing for any other
// feature.
std::optional<std::vector<gp_Pnt2d>> CoaxialSection(const FeatureRecipe& r, const Prism& prism,
                                                    const Axis& axis) {
  if (r.kind != kShapeRevolved || r.section.loops.size() != 1) return {};
  std::optional<std::vector<gp_Pnt2d>> profile = PolygonOf(r.section.loops[0]);
  if (!profile) return {};
  gp_Trsf toPrism = prism.toPart.Inverted().Multiplied(LocalToPart(r));
  gp_Pnt origin = gp::Origin().Transformed(toPrism);
  gp_Dir along = gp::DY().Transformed(toPrism);
  if (std::abs(along.X()) > kExact || std::abs(along.Y()) > kExact) return {};
  if ((gp_XY(origin.X(), origin.Y()) - axis.at).Modulus() > kExact) return {};
  std::vector<gp_Pnt2d> section;
  for (const gp_Pnt2d& p : *profile) {
    section.emplace_back(std::abs(p.X()), gp_Pnt(p.X(), p.Y(), 0).Transformed(toPrism).Z());
  }
  return section;
}

double Widest(const std::vector<gp_Pnt2d>& section) {
  double widest = 0;
  for (const gp_Pnt2d& p : section) widest = std::max(widest, p.X());
  return widest;
}

// The flare an added feature of revolution about the prism's axis makes on it: its profile a
// cone rising from a flat foot to a cylinder under a flat top (a countersunk head); nothing for
// any other feature. Whether it touches the prism's flats is for CanBuildChamferedPrism.
std::optional<Flare> FlareOf(const FeatureRecipe& r, const Prism& prism, const Axis& axis) {
  if (r.removal) return {};
  std::optional<std::vector<gp_Pnt2d>> section = CoaxialSection(r, prism, axis);
  if (!section) return {};
  std::vector<gp_Pnt2d> outer, onAxis;
  for (const gp_Pnt2d& p : Simplified(*section)) (p.X() < kExact ? onAxis : outer).push_back(p);
  if (onAxis.size() != 2 || outer.size() != 3) return {};
  auto lower = [](const gp_Pnt2d& a, const gp_Pnt2d& b) { return a.Y() < b.Y(); };
  std::sort(outer.begin(), outer.end(), lower);
  std::sort(onAxis.begin(), onAxis.end(), lower);
  const gp_Pnt2d &foot = outer[0], &rim = outer[1], &top = outer[2];
  if (std::abs(foot.Y() - onAxis[0].Y()) > kExact || std::abs(top.Y() - onAxis[1].Y()) > kExact ||
      std::abs(rim.X() - top.X()) > kExact || !(rim.X() - foot.X() > kClearance) ||
      !(rim.Y() - foot.Y() > kClearance) || !(top.Y() - rim.Y() > kClearance)) {
    return {};
  }
  return Flare{foot.Y(), ConeChamfer{foot.X(), (rim.Y() - foot.Y()) / (rim.X() - foot.X())},
               rim.X(), rim.Y(), top.Y()};
}

// An added feature of revolution before the prism, about its axis, sunk into it from below (a
// shank through a square neck): what lies above the prism's bottom face lies within the circle
// that every section of the prism holds, so only the part below that face adds to the union.
// That part as a solid in the prism's frame (the feature's profile clipped there and revolved),
// when it also keeps inside the circles the chamfers' removals leave; nothing otherwise.
std::optional<TopoDS_Shape> SunkBelow(const PlacedFeature& feature, const Prism& prism,
                                      const Axis& axis, const ChamferedPrism& shape,
                                      const std::vector<PlacedFeature>& chamfers,
                                      const gp_Trsf& place) {
  const FeatureRecipe& r = *feature.recipe;
  if (r.removal) return {};
  std::optional<std::vector<gp_Pnt2d>> section = CoaxialSection(r, prism, axis);
  if (!section) return {};
  double core = CoreRadius(shape);
  auto above = Clip(*section, [&](const gp_Pnt2d& p) { return p.Y() - shape.bottom; });
  for (const gp_Pnt2d& p : above) {
    if (p.X() > core || p.Y() > shape.top) return {};
  }
  auto below = Simplified(Clip(*section, [&](const gp_Pnt2d& p) { return shape.bottom - p.Y(); }));
  if (below.size() < 3) return {};
  for (const PlacedFeature& chamfer : chamfers) {
    Axis same = axis;
    std::optional<std::vector<gp_Pnt2d>> cut = PolygonOf(chamfer.recipe->section.loops[0]);
    if (!cut || !ChamferOf(*chamfer.recipe, prism, same)) return {};
    double inner = INFINITY;
    for (const gp_Pnt2d& p : *cut) inner = std::min(inner, std::abs(p.X()));
    if (Widest(below) > inner) return {};
  }
  // The clipped profile back in the feature's profile plane: its heights map along the axis.
  gp_Trsf toPrism = prism.toPart.Inverted().Multiplied(LocalToPart(r));
  double base = gp::Origin().Transformed(toPrism).Z();
  double along = gp::DY().Transformed(toPrism).Z();
  std::optional<std::vector<gp_Pnt2d>> profile = PolygonOf(r.section.loops[0]);
  bool negative = std::any_of(profile->begin(), profile->end(),
                              [](const gp_Pnt2d& p) { return p.X() < -kExact; });
  double side = negative ? -1 : 1;
  FeatureRecipe clipped = r;
  std::vector<ref::ProfileCall> loop;
  for (const gp_Pnt2d& p : below) {
    loop.push_back(
        {loop.empty() ? "SetStartPoint" : "AddLineTo", {side * p.X(), (p.Y() - base) / along}});
  }
  loop.push_back({"AddLineTo", loop.front().args});
  clipped.section.loops = {loop};
  TopoDS_Shape solid = BuildLocalSolid(clipped).Moved(TopLoc_Location(LocalToPart(clipped)));
  return solid.Moved(TopLoc_Location(place.Inverted()));
}

// The prism at `index` with the chamfers that follow it, when the run may be built directly.
std::optional<DirectRun> RunAt(const std::vector<PlacedFeature>& features, std::size_t index) {
  std::optional<Prism> prism = PrismOf(*features[index].recipe);
  if (!prism) return {};
  ChamferedPrism shape;
  Axis axis;
  std::size_t count = 1;
  for (std::size_t i = index + 1; i < features.size(); ++i, ++count) {
    auto chamfer = ChamferOf(*features[i].recipe, *prism, axis);
    if (!chamfer) break;
    std::optional<ConeChamfer>& slot = chamfer->first ? shape.topChamfer : shape.bottomChamfer;
    if (slot) break;
    slot = chamfer->second;
  }
  if (count == 1) return {};
  for (const gp_Pnt2d& c : prism->corners) shape.corners.emplace_back(c.XY() - axis.at);
  shape.cornerRadius = prism->round;
  double area = 0;
  for (std::size_t i = 0; i < shape.corners.size(); ++i) {
    area += shape.corners[i].XY() ^ shape.corners[(i + 1) % shape.corners.size()].XY();
  }
  if (area < 0) std::reverse(shape.corners.begin(), shape.corners.end());
  if (prism->hole) {
    if ((prism->hole->Location().XY() - axis.at).Modulus() > kExact) return {};
    shape.bore = prism->hole->Radius();
  }
  shape.bottom = prism->bottom;
  shape.top = prism->top;
  if (!CanBuildChamferedPrism(shape)) return {};
  // A head flaring out of the prism, added after the last removal before it, joins it.
  std::optional<std::size_t> flared;
  for (std::size_t i = index; i-- > 0 && !features[i].recipe->removal;) {
    std::optional<Flare> flare = FlareOf(*features[i].recipe, *prism, axis);
    if (!flare) continue;
    shape.flare = flare;
    if (CanBuildChamferedPrism(shape)) {
      flared = i;
    } else {
      shape.flare.reset();
    }
    break;
  }
  gp_Trsf shift;
  shift.SetTranslation(gp_Vec(axis.at.X(), axis.at.Y(), 0));
  gp_Trsf place = prism->toPart.Multiplied(shift);
  // Material added before the prism must lie clear of the chamfers' cuts, or be sunk into the
  // prism from below, where only its part under the prism counts, and that part clear of them.
  std::vector<PlacedFeature> chamfers(
      features.begin() + static_cast<std::ptrdiff_t>(index + 1),
      features.begin() + static_cast<std::ptrdiff_t>(index + count));
  std::vector<std::pair<std::size_t, TopoDS_Shape>> sunk;
  for (std::size_t i = 0; i < index; ++i) {
    if (features[i].recipe->removal) continue;
    Bnd_Box earlier = BoxOf(features[i].solid);
    if (flared == i) {
      if (std::any_of(chamfers.begin(), chamfers.end(),
                      [&](const PlacedFeature& c) { return !earlier.IsOut(BoxOf(c.solid)); })) {
        return {};
      }
      continue;
    }
    if (std::all_of(chamfers.begin(), chamfers.end(),
                    [&](const PlacedFeature& c) { return earlier.IsOut(BoxOf(c.solid)); })) {
      continue;
    }
    std::optional<TopoDS_Shape> below =
        SunkBelow(features[i], *prism, axis, shape, chamfers, place);
    if (!below) return {};
    sunk.emplace_back(i, *below);
  }
  if (index + count < features.size()) {
    if (std::optional<double> collar =
            CollarOf(*features[index + count].recipe, *prism, axis, shape)) {
      shape.collar = *collar;
      if (CanBuildChamferedPrism(shape)) {
        ++count;
      } else {
        shape.collar = 0;
      }
    }
  }
  DirectRun run{index, count, BuildChamferedPrism(shape), {}};
  if (flared) run.absorbed.push_back(*flared);
  for (const auto& [i, below] : sunk) {
    if (!FuseOnEnd(below, true, shape, run.solid)) return {};
    run.absorbed.push_back(i);
  }
  // A solid standing on an end face, right before the prism or right after its run, joins it:
  // the chamfers' cuts do not reach it (checked above for what comes before).
  if (index > 0 &&
      std::find(run.absorbed.begin(), run.absorbed.end(), index - 1) == run.absorbed.end()) {
    FuseStandingAt(features[index - 1], shape, place, run.solid, run.first, run.count, true);
  }
  if (run.first == index && index + count < features.size()) {
    FuseStandingAt(features[index + count], shape, place, run.solid, run.first, run.count, false);
  }
  run.solid = BRepBuilderAPI_Transform(run.solid, place, Standard_True).Shape();
  return run;
}

}  // namespace

std::optional<DirectRun> BuildChamferedRun(const std::vector<PlacedFeature>& features) {
  for (std::size_t i = 0; i < features.size(); ++i) {
    if (std::optional<DirectRun> run = RunAt(features, i)) return run;
  }
  return {};
}

}  // namespace host::occt
