// The hole a bolt or screw cuts into the part its drop hit, before the fastener is built: the
// hole feature in that part's body, its frame, tolerance and size, the hole table and the
// binding that lets the hole follow its fastener.
#pragma once

#include <string>

#include "data/PartData.h"
#include "host/Shape.h"

namespace vormbrace {

struct FastenerHole {
  host::Shape* feature = nullptr;  // nullptr when the drop hit no element: no hole
  double allowance = 0;            // the tolerance class's allowance for the diameter
};

// Adds the revolved hole feature to the hit part, placed on the drop's pick point and turned
// so that it runs into the part along the drop axis, sized (D + t, D + t, L). No hole when
// nothing was hit or the hit part carries a fastener data table (a placed fastener).
FastenerHole StartFastenerHole(double D, double L);

// Moves the drop placement by d along the fastener's own axis, towards its tip: into the hole
// (a negative d moves it out), so that the fastener built next sits in a counterbore or on a
// plain hole as its head needs. The axis is taken from the placement itself, so the move is
// right in whatever frame the placement is given (the target's, or an assembly's own).
void MovePlacementIntoHole(double d);

// Writes the hole table, binds the hole to the class that made it and updates it.
void FinishFastenerHole(host::Shape& feature, const HoleTable& table, const std::string& progId);

}  // namespace vormbrace
