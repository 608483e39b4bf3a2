// The hole a bolt or screw cuts for itself: the profile of a simple, counterbore or countersink
// hole drawn into an existing revolved feature, refilled each time it runs.
#pragma once

#include "host/Shape.h"

namespace vormbrace {

// A cylinder of diameter D + t and depth L. Named "Hole " + Str(D).
void MakeHole(host::Shape& hole, double D, double t, double L);
// A counterbore of diameter Dcb + t and depth Lcb at the entry face, then the hole of diameter
// D + t to a total depth Lcb + L. Named "CBHole " + Str(D).
void MakeCounterboreHole(host::Shape& hole, double D, double L, double t, double Dcb, double Lcb);
// A cone from diameter Dcs at the entry face down to D + t over the depth the included angle a
// (degrees) gives (0 for a ≤ 0), then the hole L deeper. Named "CSHole " + Str(D).
void MakeCountersinkHole(host::Shape& hole, double D, double L, double t, double Dcs, double a);

}  // namespace vormbrace
