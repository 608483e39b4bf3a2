// A bored cylinder about the Z axis whose top rim is chamfered by a cone, with rectangular slots
// cut across the rim through its whole height (a slotted round nut), built face by face: the
// slots' walls are planes trimmed by the hyperbolas in which the chamfer's cone meets them, the
// outer cylinder and the cone are one face between each two slots, the end faces are notched by
// the slots. Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <vector>

namespace host::occt {

struct SlottedRing {
  double bottom = 0, top = 0;  // the end faces' heights
  double radius = 0;           // the outer cylinder's
  double bore = 0;             // the through hole's radius about the axis
  // The chamfer's cone meets the top face in the circle of `chamferRadius` and the outer
  // cylinder at the height `chamferFoot`.
  double chamferRadius = 0, chamferFoot = 0;
  // Each slot's direction from the axis (radians, increasing), its half width across that
  // direction and its floor's distance from the axis along it; every slot reaches past the
  // outer cylinder.
  std::vector<double> slotAngles;
  double halfWidth = 0, floor = 0;
};

// Whether BuildSlottedRing builds this ring: the chamfer lies between the end faces and inside
// the cylinder, around the bore; each slot's floor lies between the bore and the chamfer's
// circle; the slots stay apart.
bool CanBuildSlottedRing(const SlottedRing& ring);

// The ring as one solid (checked by CanBuildSlottedRing first). Kernel failures pass as
// Standard_Failure.
TopoDS_Shape BuildSlottedRing(const SlottedRing& ring);

}  // namespace host::occt
