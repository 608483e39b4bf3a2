// Direct union of a cross recess's removals. The blades' walls lie on the notches' walls and
// meet the corner arcs tangentially, which makes their boolean fusion cost several times the
// cut that follows; the union's faces are few and all known: the removals are recognised here
// and the union is built face by face.
#include "host/occt/CrossRecess.h"

#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepGProp.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Solid.hxx>
#include <TopoDS_Vertex.hxx>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "host/occt/CrossRecessFaces.h"
#include "host/occt/MadeRecesses.h"
#include "host/occt/RecessMeasures.h"
#include "host/occt/StarRecess.h"

namespace host::occt {
namespace {

// Positions and sizes must agree to this (mm) for a solid to be taken for a recess's removal.
constexpr double kMatch = 1e-7;
// Volumes must agree to this fraction.
constexpr double kVolumeMatch = 1e-9;
// The blades must stand out of the notches by at least this much (mm).
constexpr double kStandOut = 1e-3;

struct Box {
  double x0, y0, z0, x1, y1, z1;
};

Box BoxOf(const TopoDS_Shape& shape) {
  Bnd_Box box;
  BRepBndLib::AddOptimal(shape, box, Standard_False, Standard_False);
  Box b{};
  box.Get(b.x0, b.y0, b.z0, b.x1, b.y1, b.z1);
  return b;
}

bool Near(double a, double b) { return std::abs(a - b) < kMatch; }

std::optional<TopoDS_Solid> OnlySolid(const TopoDS_Shape& shape) {
  std::optional<TopoDS_Solid> only;
  for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next()) {
    if (only) return std::nullopt;
    only = TopoDS::Solid(e.Current());
  }
  return only;
}

// The prism's faces are planes parallel to the axis, the two ends, and four cylinders of
// radius b about the axis's parallels through the corners of the square 3b wide.
bool HasCornerArcs(const TopoDS_Shape& prism, const Recess& r) {
  int arcs = 0;
  for (TopExp_Explorer f(prism, TopAbs_FACE); f.More(); f.Next()) {
    BRepAdaptor_Surface surface(TopoDS::Face(f.Current()), Standard_False);
    if (surface.GetType() == GeomAbs_Plane) continue;
    if (surface.GetType() != GeomAbs_Cylinder) return false;
    gp_Cylinder c = surface.Cylinder();
    gp_Pnt o = c.Location();
    if (!c.Axis().Direction().IsParallel(gp::DZ(), 1e-12) || !Near(c.Radius(), r.b) ||
        !Near(std::abs(o.X() - r.cx), 1.5 * r.b) || !Near(std::abs(o.Y() - r.cy), 1.5 * r.b)) {
      return false;
    }
    ++arcs;
  }
  return arcs == 4;
}

// The notched cross prism's corners, top and bottom.
std::vector<gp_Pnt> PrismCorners(const Recess& r) {
  std::vector<gp_Pnt> out;
  for (int arm = 0; arm < 4; ++arm) {
    for (double d : {0.0, r.t}) {
      for (double v : {-r.b / 2, r.b / 2}) {
        out.push_back(r.At(arm, r.b, v, d));
        out.push_back(r.At(arm, 1.5 * r.b, v, d));
      }
    }
  }
  return out;
}

// The corners of the blade along arm 0 (and 2) or arm 1 (and 3).
std::vector<gp_Pnt> BladeCorners(const Recess& r, int arm) {
  std::vector<gp_Pnt> out;
  for (int end : {arm, arm + 2}) {
    for (double v : {-r.b / 2, r.b / 2}) {
      out.push_back(r.At(end, r.w, v, 0));
      out.push_back(r.At(end, r.w, v, r.t / 3));
      out.push_back(r.At(end, r.b / 2, v, r.t));
    }
  }
  return out;
}

// The solid's faces are all planes and cylinders, as a recess's removals' are: anything else (a
// head and shank with a fin) is told apart before measuring boxes, which is slow on curved
// faces.
bool PlanesAndCylinders(const TopoDS_Shape& solid) {
  for (TopExp_Explorer f(solid, TopAbs_FACE); f.More(); f.Next()) {
    GeomAbs_SurfaceType type =
        BRepAdaptor_Surface(TopoDS::Face(f.Current()), Standard_False).GetType();
    if (type != GeomAbs_Plane && type != GeomAbs_Cylinder) return false;
  }
  return true;
}

// The recess the three solids make, when they are one.
std::optional<Recess> Recognise(const std::vector<TopoDS_Shape>& solids) {
  if (solids.size() != 3) return std::nullopt;
  std::vector<TopoDS_Solid> parts;
  for (const TopoDS_Shape& s : solids) {
    std::optional<TopoDS_Solid> solid = OnlySolid(s);
    if (!solid || !PlanesAndCylinders(*solid)) return std::nullopt;
    parts.push_back(*solid);
  }
  // The prism is the one as wide as it is long; the blades are b thick.
  auto prism = std::find_if(parts.begin(), parts.end(), [](const TopoDS_Solid& s) {
    Box b = BoxOf(s);
    return Near(b.x1 - b.x0, b.y1 - b.y0);
  });
  if (prism == parts.end()) return std::nullopt;
  Box p = BoxOf(*prism);
  Recess r;
  r.cx = (p.x0 + p.x1) / 2, r.cy = (p.y0 + p.y1) / 2, r.top = p.z1, r.t = p.z1 - p.z0;
  r.b = (p.x1 - p.x0) / 3;
  std::vector<TopoDS_Solid> blades;
  for (auto it = parts.begin(); it != parts.end(); ++it) {
    if (it != prism) blades.push_back(*it);
  }
  Box first = BoxOf(blades[0]);
  if (first.x1 - first.x0 < first.y1 - first.y0) std::swap(blades[0], blades[1]);
  r.w = (BoxOf(blades[0]).x1 - BoxOf(blades[0]).x0) / 2;
  if (r.b < kStandOut || r.t < kStandOut || r.w < 1.5 * r.b + kStandOut) return std::nullopt;

  double prismArea = (7 - M_PI) * r.b * r.b;
  double bladeArea = 2 * (r.w * r.t / 3 + (r.w + r.b / 2) * r.t / 3);
  if (!HasCorners(*prism, PrismCorners(r), prismArea * r.t) || !HasCornerArcs(*prism, r)) {
    return std::nullopt;
  }
  for (int arm : {0, 1}) {
    if (!HasCorners(blades[arm], BladeCorners(r, arm), bladeArea * r.b)) return std::nullopt;
  }
  return r;
}

// The shape has `count` faces, all flat.
bool AllFlat(const TopoDS_Shape& shape, int count) {
  int faces = 0;
  for (TopExp_Explorer f(shape, TopAbs_FACE); f.More(); f.Next(), ++faces) {
    if (BRepAdaptor_Surface(TopoDS::Face(f.Current()), Standard_False).GetType() != GeomAbs_Plane) {
      return false;
    }
  }
  return faces == count;
}

}  // namespace

bool HasCorners(const TopoDS_Shape& solid, const std::vector<gp_Pnt>& expected, double volume) {
  TopTools_IndexedMapOfShape vertices;
  TopExp::MapShapes(solid, TopAbs_VERTEX, vertices);
  if (vertices.Extent() != static_cast<int>(expected.size())) return false;
  for (int i = 1; i <= vertices.Extent(); ++i) {
    gp_Pnt p = BRep_Tool::Pnt(TopoDS::Vertex(vertices(i)));
    if (std::none_of(expected.begin(), expected.end(),
                     [&](const gp_Pnt& q) { return p.Distance(q) < kMatch; })) {
      return false;
    }
  }
  GProp_GProps props;
  BRepGProp::VolumeProperties(solid, props);
  return std::abs(props.Mass() - volume) <= kVolumeMatch * volume;
}

TopoDS_Shape FuseCrossRecess(const std::vector<TopoDS_Shape>& solids) {
  try {
    if (solids.size() == 3) {
      std::optional<Recess> recess = Recognise(solids);
      if (!recess) return {};
      TopoDS_Shape made = CrossRecessUnion(*recess, nullptr);
      RememberRecess(made, {*recess, std::nullopt});
      return made;
    }
    // A type Z recess: one of four is a star, the others a type H recess.
    for (std::size_t i = 0; solids.size() == 4 && i < 4; ++i) {
      if (!AllFlat(solids[i], 10)) continue;
      std::vector<TopoDS_Shape> others = solids;
      others.erase(others.begin() + static_cast<std::ptrdiff_t>(i));
      std::optional<Recess> recess = Recognise(others);
      if (!recess) continue;
      std::optional<std::array<StarTip, 4>> tips =
          RecogniseStar(solids[i], *recess, recess->DepthAt(1.5 * recess->b));
      if (!tips) return {};
      TopoDS_Shape made = CrossRecessUnion(*recess, &*tips);
      RememberRecess(made, {*recess, tips});
      return made;
    }
    return {};
  } catch (const Standard_Failure&) {
    return {};  // not built: the boolean decides
  }
}

}  // namespace host::occt
