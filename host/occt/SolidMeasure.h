// A solid's volume and bounding box from its faces' and edges' own geometry, in closed form or
// by one-dimensional quadrature along its edges where its surfaces allow: the kernel's
// integration over every face and its search for each face's extent cost most of what a direct
// build leaves. Surfaces without such a form are measured by the kernel, face by face. Kernel
// types: for use inside host/occt only.
#pragma once

#include <Bnd_Box.hxx>
#include <TopoDS_Shape.hxx>

namespace host::occt {

// The volume (mm³) the shape's faces enclose, as the kernel's volume integration gives it (to
// about 1e-9 relative): each face contributes the signed volume of the cone from the shape's
// origin to it. Planes, cylinders, cones, spheres and tori take integrals along their edges;
// other faces the kernel's own; a shape with a cone whose circles lie off it is integrated by
// the kernel whole.
double SolidVolume(const TopoDS_Shape& shape);

// The bounding box of the shape's faces as the kernel's optimal box without tolerances gives
// it: the box of each edge of a plane, cylinder or cone once (their edges bound them), and the
// box of each other face (a sphere, torus or revolved arc turning a whole turn about an axis
// along Z between circles about it in closed form, others by the kernel).
Bnd_Box SolidBox(const TopoDS_Shape& shape);

}  // namespace host::occt
