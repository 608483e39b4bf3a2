// Reading a chamfered bored cylinder and its slots from their faces, in the cylinder's frame.
#include "host/occt/RimSlots.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <algorithm>
#include <cmath>
#include <gp_Ax3.hxx>
#include <gp_Trsf.hxx>
#include <optional>
#include <vector>

#include "host/occt/SlottedRing.h"

namespace host::occt {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Lengths (mm) and direction components this close are equal.
constexpr double kExact = 1e-9;
// Volumes this close, relative, are equal.
constexpr double kVolume = 1e-9;

int Count(const TopoDS_Shape& shape, TopAbs_ShapeEnum type) {
  int n = 0;
  for (TopExp_Explorer e(shape, type); e.More(); e.Next()) ++n;
  return n;
}

double Volume(const TopoDS_Shape& shape) {
  GProp_GProps props;
  BRepGProp::VolumeProperties(shape, props);
  return props.Mass();
}

bool Same(double a, double b) { return std::abs(a - b) <= kExact; }

// The surfaces of a solid's faces; none at all when any is of another kind.
struct Body {
  std::vector<gp_Cylinder> cylinders;
  std::vector<gp_Cone> cones;
  std::vector<gp_Pln> planes;
};

Body SurfacesOf(const TopoDS_Shape& solid) {
  Body body;
  for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
    BRepAdaptor_Surface s(TopoDS::Face(e.Current()), Standard_False);
    switch (s.GetType()) {
      case GeomAbs_Cylinder:
        body.cylinders.push_back(s.Cylinder());
        break;
      case GeomAbs_Cone:
        body.cones.push_back(s.Cone());
        break;
      case GeomAbs_Plane:
        body.planes.push_back(s.Plane());
        break;
      default:
        return {};
    }
  }
  return body;
}

// Whether the axis is the frame's Z axis, either way along it.
bool OnZ(const gp_Ax1& axis) {
  gp_XYZ d = axis.Direction().XYZ(), at = axis.Location().XYZ();
  return std::abs(std::abs(d.Z()) - 1) < kExact && std::hypot(at.X(), at.Y()) < kExact;
}

// The ring without its slots, in the frame whose Z axis is the cylinders' with the chamfer at
// the top; the frame's transformation from the part.
std::optional<std::pair<SlottedRing, gp_Trsf>> RingOf(const TopoDS_Shape& solid) {
  if (Count(solid, TopAbs_SOLID) != 1 || Count(solid, TopAbs_FACE) != 5) return {};
  Body body = SurfacesOf(solid);
  if (body.cylinders.size() != 2 || body.cones.size() != 1 || body.planes.size() != 2) return {};
  std::sort(body.cylinders.begin(), body.cylinders.end(),
            [](const gp_Cylinder& a, const gp_Cylinder& b) { return a.Radius() < b.Radius(); });
  gp_Ax1 axis = body.cylinders[1].Axis();
  // The chamfer narrows the ring towards the top: the axis points where the cone closes.
  const gp_Cone& cone = body.cones[0];
  gp_Dir up = axis.Direction();
  double narrowing = std::tan(cone.SemiAngle()) * cone.Axis().Direction().Dot(up);
  if (narrowing > 0) up.Reverse();
  gp_Trsf toLocal;
  toLocal.SetTransformation(gp_Ax3(axis.Location(), up));
  gp_Cone c = cone.Transformed(toLocal);
  if (!OnZ(body.cylinders[0].Axis().Transformed(toLocal)) || !OnZ(c.Axis())) return {};
  std::vector<double> heights;
  for (const gp_Pln& p : body.planes) {
    gp_Pln q = p.Transformed(toLocal);
    if (!q.Axis().Direction().IsParallel(gp::DZ(), kExact)) return {};
    heights.push_back(q.Location().Z());
  }
  std::sort(heights.begin(), heights.end());
  SlottedRing ring;
  ring.bottom = heights[0];
  ring.top = heights[1];
  ring.bore = body.cylinders[0].Radius();
  ring.radius = body.cylinders[1].Radius();
  // The cone's radius at height z.
  double lean = std::tan(c.SemiAngle()) * c.Axis().Direction().Z();
  auto radiusAt = [&](double z) { return c.RefRadius() + lean * (z - c.Location().Z()); };
  if (!(lean < 0)) return {};
  ring.chamferRadius = radiusAt(ring.top);
  ring.chamferFoot = c.Location().Z() + (ring.radius - c.RefRadius()) / lean;
  // Only the solid those surfaces bound so has their volume.
  double R = ring.radius, Ri = ring.chamferRadius;
  double chamfer = kPi * (Ri + 2 * R) / 3 * (R - Ri) * (ring.top - ring.chamferFoot);
  double expected = kPi * (R * R - ring.bore * ring.bore) * (ring.top - ring.bottom) - chamfer;
  if (!(expected > 0) || std::abs(Volume(solid) - expected) > kVolume * expected) return {};
  return std::make_pair(ring, toLocal);
}

// One box of the tool in the ring's frame: its direction from the axis, half width across it,
// floor along it and far end, and its extent along the axis.
struct Slot {
  double angle = 0, halfWidth = 0, floor = 0, end = 0, low = 0, high = 0;
};

std::optional<Slot> SlotOf(const TopoDS_Shape& box, const gp_Trsf& toLocal) {
  if (Count(box, TopAbs_FACE) != 6) return {};
  Body body = SurfacesOf(box);
  if (body.planes.size() != 6) return {};
  GProp_GProps props;
  BRepGProp::VolumeProperties(box, props);
  gp_Pnt centre = props.CentreOfMass().Transformed(toLocal);
  gp_XY out(centre.X(), centre.Y());
  if (out.Modulus() < kExact) return {};
  out.Normalize();
  gp_XY across(-out.Y(), out.X());
  std::vector<double> along, side, axial;
  for (const gp_Pln& p : body.planes) {
    gp_Pln q = p.Transformed(toLocal);
    gp_XYZ n = q.Axis().Direction().XYZ(), at = q.Location().XYZ();
    gp_XY flat(n.X(), n.Y());
    if (std::abs(std::abs(n.Z()) - 1) < kExact) {
      axial.push_back(at.Z());
    } else if (std::abs(n.Z()) < kExact && std::abs(flat ^ out) < kExact) {
      along.push_back(gp_XY(at.X(), at.Y()) * out);
    } else if (std::abs(n.Z()) < kExact && std::abs(flat * out) < kExact) {
      side.push_back(gp_XY(at.X(), at.Y()) * across);
    } else {
      return {};
    }
  }
  if (along.size() != 2 || side.size() != 2 || axial.size() != 2) return {};
  std::sort(along.begin(), along.end());
  std::sort(side.begin(), side.end());
  std::sort(axial.begin(), axial.end());
  if (!Same(side[0], -side[1])) return {};
  Slot s{std::atan2(out.Y(), out.X()), side[1], along[0], along[1], axial[0], axial[1]};
  double volume = (along[1] - along[0]) * (side[1] - side[0]) * (axial[1] - axial[0]);
  if (!(volume > 0) || std::abs(props.Mass() - volume) > kVolume * volume) return {};
  return s;
}

}  // namespace

TopoDS_Shape CutRimSlots(const TopoDS_Shape& solid, const TopoDS_Shape& tool) {
  auto ring = RingOf(solid);
  if (!ring) return {};
  SlottedRing& r = ring->first;
  std::vector<Slot> slots;
  for (TopExp_Explorer e(tool, TopAbs_SOLID); e.More(); e.Next()) {
    std::optional<Slot> slot = SlotOf(e.Current(), ring->second);
    if (!slot || slot->low > r.bottom + kExact || slot->high < r.top - kExact ||
        !(slot->end > r.radius + kExact)) {
      return {};
    }
    if (!slots.empty() &&
        (!Same(slot->halfWidth, slots[0].halfWidth) || !Same(slot->floor, slots[0].floor))) {
      return {};
    }
    slots.push_back(*slot);
  }
  if (slots.empty()) return {};
  r.halfWidth = slots[0].halfWidth;
  r.floor = slots[0].floor;
  for (const Slot& s : slots) r.slotAngles.push_back(s.angle);
  std::sort(r.slotAngles.begin(), r.slotAngles.end());
  if (!CanBuildSlottedRing(r)) return {};
  return BuildSlottedRing(r).Moved(TopLoc_Location(ring->second.Inverted()));
}

}  // namespace host::occt
