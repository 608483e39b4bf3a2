// Fusing a standing solid of revolution onto an end face found by geometry.
#include "host/occt/EndFaceFuse.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRepClass_FaceClassifier.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <Bnd_Box.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <cmath>
#include <optional>

#include "host/occt/SolidMeasure.h"
#include "host/occt/StandingSolid.h"

namespace host::occt {
namespace {

// Heights and directions this close (mm) are equal.
constexpr double kExact = 1e-7;
// The disk's rim stays this far (mm) inside the end face's edges.
constexpr double kClearance = 1e-4;

std::pair<double, double> HeightRange(const TopoDS_Shape& shape) {
  Bnd_Box box = SolidBox(shape);
  double xmin, ymin, zmin, xmax, ymax, zmax;
  box.Get(xmin, ymin, zmin, xmax, ymax, zmax);
  return {zmin, zmax};
}

// The one planar face of the shape square to Z at height `z`; a null face when there is none
// or more than one.
TopoDS_Face OnlyEndFace(const TopoDS_Shape& shape, double z) {
  TopoDS_Face found;
  for (TopExp_Explorer e(shape, TopAbs_FACE); e.More(); e.Next()) {
    const TopoDS_Face& face = TopoDS::Face(e.Current());
    BRepAdaptor_Surface surface(face, Standard_False);
    if (surface.GetType() != GeomAbs_Plane) continue;
    gp_Ax1 normal = surface.Plane().Axis();
    if (!normal.Direction().IsParallel(gp::DZ(), kExact) ||
        std::abs(normal.Location().Z() - z) > kExact) {
      continue;
    }
    if (!found.IsNull()) return {};
    found = face;
  }
  return found;
}

// The disk of `radius` about the axis at height `z` lies inside the face, clear of its edges:
// its centre is inside and every edge keeps farther away than its rim.
bool HoldsDisk(const TopoDS_Face& face, double z, double radius) {
  gp_Pnt centre(0, 0, z);
  TopoDS_Shape point = BRepBuilderAPI_MakeVertex(centre).Shape();
  for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) {
    BRepExtrema_DistShapeShape distance(point, e.Current());
    if (!distance.IsDone() || distance.Value() <= radius + kClearance) return false;
  }
  return BRepClass_FaceClassifier(face, centre, kExact).State() == TopAbs_IN;
}

// The height of a planar face square to Z bounded by one circle about the Z axis.
std::optional<double> DiskHeight(const TopoDS_Face& face) {
  BRepAdaptor_Surface surface(face, Standard_False);
  if (surface.GetType() != GeomAbs_Plane ||
      !surface.Plane().Axis().Direction().IsParallel(gp::DZ(), kExact)) {
    return std::nullopt;
  }
  TopExp_Explorer e(face, TopAbs_EDGE);
  if (!e.More()) return std::nullopt;
  BRepAdaptor_Curve curve(TopoDS::Edge(e.Current()));
  e.Next();
  if (e.More() || curve.GetType() != GeomAbs_Circle) return std::nullopt;
  gp_Pnt centre = curve.Circle().Location();
  if (std::hypot(centre.X(), centre.Y()) > kExact) return std::nullopt;
  return centre.Z();
}

}  // namespace

TopoDS_Shape FuseOnEndFace(const TopoDS_Shape& base, const TopoDS_Shape& standing) {
  // Planes and circles first, extents last: a solid's extent may cost the kernel a search over
  // each of its curved faces, and most pairs fail on the faces. A disk of the standing solid
  // names the plane; its whole footprint there (the disk and any rings around it) the radius.
  for (TopExp_Explorer e(standing, TopAbs_FACE); e.More(); e.Next()) {
    std::optional<double> z = DiskHeight(TopoDS::Face(e.Current()));
    if (!z) continue;
    TopoDS_Face end = OnlyEndFace(base, *z);
    if (end.IsNull()) continue;
    auto [low, high] = HeightRange(standing);
    bool below = std::abs(high - *z) <= kExact;
    if (!below && std::abs(low - *z) > kExact) continue;
    std::optional<double> radius = StandingRadius(standing, *z, below);
    if (!radius || !HoldsDisk(end, *z, *radius)) continue;
    auto [baseLow, baseHigh] = HeightRange(base);
    if (below ? baseLow < *z - kExact : baseHigh > *z + kExact) continue;
    return FuseStanding(base, standing, *z);
  }
  return {};
}

}  // namespace host::occt
