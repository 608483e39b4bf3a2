// Box-shaped removals moved clear of a solid's extreme faces.
#include "host/occt/ClearBox.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepGProp.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRep_Builder.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <algorithm>
#include <array>

namespace host::occt {
namespace {

// How far a face may fall short of the solid's box and still count as at it (mm): far below
// any feature, far above the box's rounding.
constexpr double kAtBox = 1e-9;
// How far past the solid's box the moved faces go, at least (mm), and as a fraction of the
// solid's size.
constexpr double kPast = 0.5, kPastFraction = 0.1;
// A solid whose volume is its box's to this fraction is that box.
constexpr double kBoxVolume = 1e-9;

std::array<double, 6> Bounds(const TopoDS_Shape& shape) {
  Bnd_Box box;
  BRepBndLib::AddOptimal(shape, box, Standard_False, Standard_False);
  std::array<double, 6> b{};
  box.Get(b[0], b[1], b[2], b[3], b[4], b[5]);
  return b;
}

// Six planar faces, as a box has: anything else (a hole's cone, a chamfer's ring) is told apart
// before its optimal box and volume are measured.
bool SixPlanes(const TopoDS_Shape& tool) {
  int faces = 0;
  for (TopExp_Explorer e(tool, TopAbs_FACE); e.More(); e.Next(), ++faces) {
    if (BRepAdaptor_Surface(TopoDS::Face(e.Current()), Standard_False).GetType() != GeomAbs_Plane) {
      return false;
    }
  }
  return faces == 6;
}

// The box in place of one solid of the tool; null when it is not one to move.
TopoDS_Shape Cleared(const std::array<double, 6>& s, const TopoDS_Shape& tool) {
  if (!SixPlanes(tool)) return {};
  std::array<double, 6> t = Bounds(tool);
  double size = std::max({s[3] - s[0], s[4] - s[1], s[5] - s[2]});
  double past = std::max(kPast, kPastFraction * size);
  bool moved = false;
  for (int axis = 0; axis < 3; ++axis) {
    double &low = t[axis], &high = t[axis + 3];
    if (high <= low) return {};
    if (low <= s[axis] + kAtBox && low > s[axis] - past) low = s[axis] - past, moved = true;
    if (high >= s[axis + 3] - kAtBox && high < s[axis + 3] + past) {
      high = s[axis + 3] + past, moved = true;
    }
  }
  if (!moved) return {};
  // Only a box fills its bounding box.
  std::array<double, 6> b = Bounds(tool);
  GProp_GProps props;
  BRepGProp::VolumeProperties(tool, props);
  double boxVolume = (b[3] - b[0]) * (b[4] - b[1]) * (b[5] - b[2]);
  if (std::abs(props.Mass() - boxVolume) > kBoxVolume * boxVolume) return {};
  return BRepPrimAPI_MakeBox(gp_Pnt(t[0], t[1], t[2]), gp_Pnt(t[3], t[4], t[5])).Shape();
}

}  // namespace

TopoDS_Shape ClearBox(const TopoDS_Shape& solid, const TopoDS_Shape& tool) {
  int solids = 0;
  for (TopExp_Explorer e(solid, TopAbs_SOLID); e.More(); e.Next()) ++solids;
  if (solids != 1) return {};
  std::array<double, 6> bounds = Bounds(solid);
  // Each of the tool's solids (a slot at one end, a cup at the other), moved or as it is.
  TopoDS_Compound out;
  BRep_Builder builder;
  builder.MakeCompound(out);
  bool moved = false;
  for (TopExp_Explorer e(tool, TopAbs_SOLID); e.More(); e.Next()) {
    TopoDS_Shape box = Cleared(bounds, e.Current());
    moved = moved || !box.IsNull();
    builder.Add(out, box.IsNull() ? e.Current() : box);
  }
  if (!moved) return {};
  return out;
}

}  // namespace host::occt
