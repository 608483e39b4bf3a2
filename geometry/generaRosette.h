// Washers: the eight kinds of the Washer component (plain, split spring, chamfered, round with a
// square hole, square with a round hole, square taper with one or two grooves, chamfered on
// both top edges) and the routines that build them. The washer lies on the seating plane z = 0
// and rises towards +Z, its hole on the Z axis. Washers carry no thread texture. Lengths in
// millimetres.
//
// The routines validate nothing: a failing host call raises host::RuntimeError out of the
// routine, and the features built so far stay in the part.
#pragma once

#include <cstdint>

#include "geometry/generaDadi.h"
#include "host/Automation.h"
#include "host/Shape.h"

namespace vormbrace {

// A flat ring: outer diameter D, hole d, thickness H.
void MakePlainWasher(host::Shape& part, double D, double d, double H);
// The plain ring, then its split.
void MakeSplitWasher(host::Shape& part, double D, double d, double H);
// The split of a spring washer: a slit 0.1 wide, from the axis out past the ring on the -X
// side, swept along a path turned 30° about X, so that it climbs through the thickness while
// it crosses the ring: the ring stays one piece but is open.
void MakeSplitCut(host::Shape& part, double D, double d, double H);
// A ring whose outer rim is straight up to height c, then slopes inwards by c to the top face.
void MakeChamferedWasher(host::Shape& part, double D, double d, double H, double c);
// A ring with 45° chamfers on the top face: c1 at the outer edge, c at the hole.
void MakeDoubleChamferWasher(host::Shape& part, double D, double d, double H, double c, double c1);
// The region between a circle of diameter Dc and a square of side A: a round washer with a
// square hole when the circle is the larger, a square washer with a round hole otherwise.
void MakeCircleSquareWasher(host::Shape& part, double Dc, double A, double H);
// Square taper washer: A wide across the slope (thickness H at x = -A/2 down to H1 at +A/2), B
// long, with a groove g wide and deep in the thick half of the bottom (and its mirror image in
// the thin half when twoGrooves), the thin end's top edge rounded with 0.8 H1; then its hole.
void MakeTaperWasher(host::Shape& part, double A, double B, double H, double H1, double d, double c,
                     double g, HostBool twoGrooves);
// The hole d through the height H, with a 45° chamfer of c at the bottom face.
void MakeTaperWasherHole(host::Shape& part, double d, double c, double H);

// The properties of Washer that the generators read (DiametroNominale is carried, never drawn).
struct WasherDimensions {
  std::int32_t ComponentType = 0;
  double DiametroEsterno = 0, DiametroInterno = 0, Spessore = 0, Spessore1 = 0, lato = 0;
  double Lato1 = 0, SpessoreSmusso = 0, SpessoreSmusso1 = 0, Scanalatura = 0;
};

// The same properties read from a Washer object by member name.
WasherDimensions ReadWasherDimensions(const host::AutomationObject& washer);

// The routines of the washer's kind (ComponentType 1-8); any other kind builds nothing.
void BuildWasherByType(host::Shape& part, const WasherDimensions& d);

}  // namespace vormbrace
