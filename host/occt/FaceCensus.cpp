// Counting a part solid's faces by the kind of their surfaces.
#include "host/occt/FaceCensus.h"

#include <BRepAdaptor_Surface.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>

#include "host/occt/Kernel.h"

namespace host::occt {
namespace {

const char* KindName(GeomAbs_SurfaceType type) {
  switch (type) {
    case GeomAbs_Plane:
      return "plane";
    case GeomAbs_Cylinder:
      return "cylinder";
    case GeomAbs_Cone:
      return "cone";
    case GeomAbs_Sphere:
      return "sphere";
    case GeomAbs_Torus:
      return "torus";
    case GeomAbs_BSplineSurface:
      return "bspline";
    case GeomAbs_SurfaceOfRevolution:
      return "revolution";
    default:
      return "other";
  }
}

}  // namespace

std::map<std::string, int> FaceCensus(OcctEvaluator& kernel, ref::SceneShape& part) {
  TopoDS_Shape solid = PartSolid(kernel, part);
  std::map<std::string, int> census;
  if (solid.IsNull()) return census;
  TopTools_IndexedMapOfShape faces;
  TopExp::MapShapes(solid, TopAbs_FACE, faces);
  for (int i = 1; i <= faces.Extent(); ++i) {
    ++census[KindName(BRepAdaptor_Surface(TopoDS::Face(faces(i)), Standard_False).GetType())];
  }
  return census;
}

}  // namespace host::occt
