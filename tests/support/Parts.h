// Parts as they come from other modelling programs: plates with holes (through, counterbored,
// with a rounded or chamfered top edge), built from features and written as STEP, optionally
// with each hole's diameter stored with the float noise those programs leave in their files.
#pragma once

#include <string>
#include <vector>

#include "host/reference/SceneDocument.h"

namespace vormbrace::test {

struct HoleSpec {
  double x = 0, y = 0;         // the axis, on the plate's top face
  double diameter = 10;        // the bore
  double counterbore = 0;      // the counterbore's diameter, 0 for none
  double counterboreDepth = 0;
  double fillet = 0;   // radius rounding the top edge (of the counterbore when there is one)
  double chamfer = 0;  // 45° chamfer of the top edge
};

// A plate side × side × thickness centred on the Z axis, its top face on z = 0, with the holes
// cut through it.
host::ref::SceneShape& AddDrilledPlate(host::ref::SceneDocument& document,
                                       const std::vector<HoleSpec>& holes, double side = 60,
                                       double thickness = 10);

// Writes the plate as a STEP part at `path`. With `noisy`, every circle and cylinder radius is
// written 4 units in the last place too large (a Ø10 bore reads back as 10.000000000000009).
void WriteDrilledPlate(const std::string& path, const std::vector<HoleSpec>& holes,
                       bool noisy = false, double side = 60, double thickness = 10);

}  // namespace vormbrace::test
