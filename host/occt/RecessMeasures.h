// The measures of a cross recess sunk along the part's Z axis, shared by the builders of its
// faces. Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <gp_Pnt.hxx>
#include <vector>

namespace host::occt {

// A cross recess's axis (cx, cy), the plane it is sunk from, its depth t, its notch width b and
// its blades' half-length w at the top.
struct Recess {
  double cx = 0, cy = 0, top = 0, t = 0, b = 0, w = 0;

  // The point u along arm `arm` (0 to 3, a quarter turn each from +X), v across it (to the
  // left) and d below the top.
  gp_Pnt At(int arm, double u, double v, double d) const {
    static constexpr double kCos[] = {1, 0, -1, 0}, kSin[] = {0, 1, 0, -1};
    double c = kCos[arm % 4], s = kSin[arm % 4];
    return {cx + u * c - v * s, cy + u * s + v * c, top - d};
  }
  // The depth at which the blades' tapered ends are `half` from the axis.
  double DepthAt(double half) const { return t / 3 + (w - half) * (2 * t / 3) / (w - b / 2); }
};

// The solid's vertices are exactly `expected` (in any order, to 1e-7 mm) and its volume is
// `volume` (to 1e-9 of it).
bool HasCorners(const TopoDS_Shape& solid, const std::vector<gp_Pnt>& expected, double volume);

}  // namespace host::occt
