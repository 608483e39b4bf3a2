// A convex prism about the Z axis, optionally bored through along the axis, whose end faces
// may be chamfered by coaxial cones, built face by face: the flats are planes trimmed by the
// hyperbolas in which the cones meet them, each cone is one face per corner, the end faces are
// trimmed by the circles in which the cones meet them; a collar may stand on the top face. The
// corners may be rounded by cylinders, which the cones meet in curves of no exact form (traced
// through points), and a countersunk head may flare out of the top instead of a top face. This
// is what a hexagon or square head or nut (with its ring), or a square neck under a bolt's head,
// is before anything else is fused to it; building it directly avoids the boolean operation's
// costly search along the circles that touch the flats. Kernel types: for use inside host/occt
// only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <gp_Pnt2d.hxx>
#include <optional>
#include <vector>

namespace host::occt {

// The cone that cuts away an end's rim: it meets the end face in the circle of `radius` and
// leans back into the prism by `slope` mm per mm away from the axis.
struct ConeChamfer {
  double radius = 0;
  double slope = 0;
};

// A head flaring out of the prism near its top (a countersunk head over a square neck): a cone
// whose circle at height `z` touches every flat and which rises by `cone.slope` mm per mm away
// from the axis to the circle of `radius` at `rimZ`, beyond the corners, where a collar of that
// radius stands up to `top`, at or above the prism's top face. The prism above the cone lies
// inside the head; the solid is their union.
struct Flare {
  double z = 0;
  ConeChamfer cone;
  double radius = 0, rimZ = 0, top = 0;
};

struct ChamferedPrism {
  std::vector<gp_Pnt2d> corners;  // convex, counter-clockwise about the axis
  // Every corner rounded by a cylinder of this radius tangent to both its flats (a square neck
  // under a carriage bolt's head); 0: sharp corners.
  double cornerRadius = 0;
  double bottom = 0, top = 0;  // the end faces' heights
  double bore = 0;             // the radius of a through hole about the axis; 0: none
  std::optional<ConeChamfer> bottomChamfer, topChamfer;
  // The height of a collar standing on the top face and covering it exactly: a cylinder on the
  // top chamfer's circle, bored as the prism is (a nut's ring); 0: none.
  double collar = 0;
  // A flare in place of the top face (no top chamfer, no collar then).
  std::optional<Flare> flare;
};

// Whether BuildChamferedPrism builds this prism: the corners are convex and counter-clockwise
// about the axis, which lies inside; each chamfer circle touches or crosses every flat between
// its corners and leaves every corner outside; the two chamfers stay apart along every corner;
// the bore lies inside the flats and the chamfer circles; a collar stands on a top face that
// every flat touches. Rounded corners leave part of every flat and lie farther from the axis
// than their radius.
bool CanBuildChamferedPrism(const ChamferedPrism& prism);

// The radius of the largest circle about the axis that every section of the prism holds between
// its end faces (0 for a bored prism).
double CoreRadius(const ChamferedPrism& prism);

// The farthest the prism's outline reaches from the axis (its corners in either order).
double OutlineReach(const ChamferedPrism& prism);

// The prism as one solid (checked by CanBuildChamferedPrism first). Kernel failures pass as
// Standard_Failure.
TopoDS_Shape BuildChamferedPrism(const ChamferedPrism& prism);

}  // namespace host::occt
