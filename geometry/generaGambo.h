// The body of every threaded fastener: shank, threaded rod, set-screw body and stud, each one
// revolved "Body" feature whose top lies on the seating plane (z = 0) and which runs down to
// z = -length; and the rebuilds that redraw a placed body at a new length. The thread is not
// modelled: chamfers at its ends, a plain face at 0.9995 × D/2 where it stops, and the thread
// texture on the threaded face mark it. Lengths in millimetres, angles in degrees.
#pragma once

#include "host/Shape.h"

namespace vormbrace {

// Bolt and screw shank: D diameter, L length, F unthreaded length under the head, p pitch.
host::Shape& BuildShank(host::Shape& part, double D, double L, double F, double p);
// Threaded rod: chamfered and threaded end to end.
host::Shape& BuildThreadedRod(host::Shape& part, double D, double L, double p);
// Set-screw body: top chamfer angle alphaS, point diameter di, point chamfer angle alphaI.
host::Shape& BuildSetScrewBody(host::Shape& part, double D, double alphaS, double di, double alphaI,
                               double L, double p);
// Stud with a domed far end: G far thread length (dome included), R root thread length at the
// top, C dome height; it reaches L + R below the seating plane.
host::Shape& BuildStudBody(host::Shape& part, double D, double L, double G, double R, double C,
                           double p);

// Redraw an existing body feature with new dimensions (the name stays).
void RebuildShank(host::Shape& feature, double D, double L, double F, double p);
void RebuildThreadedRod(host::Shape& feature, double D, double L, double p);

}  // namespace vormbrace
