// Extruded, revolved and swept feature solids.
#include "host/occt/FeatureSolid.h"

#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepOffsetAPI_MakePipe.hxx>
#include <BRepOffsetAPI_ThruSections.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <Bnd_Box.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <cmath>
#include <gp_Ax1.hxx>
#include <gp_Ax3.hxx>

#include "host/occt/ProfileRegion.h"

namespace host::occt {
namespace {

constexpr double kTwoPi = 2 * 3.14159265358979323846;
// A sweep shorter than this (mm) makes no solid; revolved regions may reach this far across
// the axis.
constexpr double kLengthTolerance = 1e-6;

// The frame with this origin and turn: local coordinates to the frame's parent. Built through
// gp_Ax3, which keeps the rotation exactly orthonormal (a location with any scale in it makes
// invalid shapes).
gp_Trsf Frame(const ref::Vec3& origin, const ref::Mat3& r) {
  ref::Vec3 z = r * ref::Vec3{0, 0, 1}, x = r * ref::Vec3{1, 0, 0};
  gp_Trsf t;
  t.SetDisplacement(gp_Ax3(), gp_Ax3(gp_Pnt(origin.x, origin.y, origin.z), gp_Dir(z.x, z.y, z.z),
                                     gp_Dir(x.x, x.y, x.z)));
  return t;
}

// The loop's corners moved `offset` inwards (mitred), for the far end of a drafted sweep.
std::vector<gp_Pnt2d> Inset(const std::vector<gp_Pnt2d>& p, double offset) {
  std::size_t n = p.size();
  double area2 = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const gp_Pnt2d& a = p[i];
    const gp_Pnt2d& b = p[(i + 1) % n];
    area2 += a.X() * b.Y() - b.X() * a.Y();
  }
  // Inwards is to the left of travel on a counter-clockwise loop.
  double side = area2 > 0 ? 1 : -1;
  auto inwardLine = [&](std::size_t i, gp_Pnt2d& at, gp_Vec2d& dir) {
    dir = gp_Vec2d(p[i], p[(i + 1) % n]).Normalized();
    gp_Vec2d normal(-dir.Y() * side, dir.X() * side);
    at = p[i].Translated(normal * offset);
  };
  std::vector<gp_Pnt2d> out(n);
  for (std::size_t i = 0; i < n; ++i) {
    gp_Pnt2d a, b;
    gp_Vec2d da, db;
    inwardLine((i + n - 1) % n, a, da);
    inwardLine(i, b, db);
    double cross = da.Crossed(db);
    if (std::abs(cross) < 1e-12) {
      out[i] = b;  // straight on: the corner only moves with its edges
      continue;
    }
    double t = gp_Vec2d(a, b).Crossed(db) / cross;
    out[i] = a.Translated(da * t);
  }
  for (std::size_t i = 0; i < n; ++i) {
    gp_Vec2d before(p[i], p[(i + 1) % n]), after(out[i], out[(i + 1) % n]);
    if (after.Magnitude() < kLengthTolerance || before.Dot(after) <= 0) {
      throw InvalidRecords("the draft angle closes the profile before the end of the sweep");
    }
  }
  return out;
}

TopoDS_Wire PolygonAt(const std::vector<gp_Pnt2d>& p, double z) {
  BRepBuilderAPI_MakePolygon polygon;
  for (const gp_Pnt2d& q : p) polygon.Add(gp_Pnt(q.X(), q.Y(), z));
  polygon.Close();
  return polygon.Wire();
}

TopoDS_Shape Extrude(const FeatureRecipe& r) {
  double length = r.end - r.start;
  if (std::abs(length) < kLengthTolerance) throw InvalidRecords("the sweep height is 0");
  Region region = BuildRegion(r.section.loops);
  if (r.draft != 0) {
    if (r.start != 0) throw InvalidRecords("a drafted sweep must start on the profile plane");
    if (region.polygon.empty()) {
      throw InvalidRecords("a draft needs a profile of one loop of straight segments");
    }
    if (!(std::abs(r.draft) < 1.5)) throw InvalidRecords("the draft angle is too steep");
    double inset = -std::abs(length) * std::tan(r.draft);
    BRepOffsetAPI_ThruSections loft(Standard_True, Standard_True);
    loft.AddWire(PolygonAt(region.polygon, 0));
    loft.AddWire(PolygonAt(Inset(region.polygon, inset), length));
    loft.Build();
    if (!loft.IsDone()) throw InvalidRecords("the drafted sweep cannot be built");
    return loft.Shape();
  }
  TopoDS_Shape base = region.shape;
  if (r.start != 0) {
    gp_Trsf shift;
    shift.SetTranslation(gp_Vec(0, 0, r.start));
    base = base.Moved(TopLoc_Location(shift));
  }
  BRepPrimAPI_MakePrism prism(base, gp_Vec(0, 0, length));
  if (!prism.IsDone()) throw InvalidRecords("the sweep cannot be built");
  return prism.Shape();
}

TopoDS_Shape Revolve(const FeatureRecipe& r) {
  Region region = BuildRegion(r.section.loops);
  Bnd_Box box;
  BRepBndLib::AddOptimal(region.shape, box, Standard_False, Standard_False);
  double xmin, ymin, zmin, xmax, ymax, zmax;
  box.Get(xmin, ymin, zmin, xmax, ymax, zmax);
  if (xmin < -kLengthTolerance && xmax > kLengthTolerance) {
    throw InvalidRecords("the profile crosses the revolution axis");
  }
  BRepPrimAPI_MakeRevol revol(region.shape, gp_Ax1(gp::Origin(), gp::DY()), kTwoPi);
  if (!revol.IsDone()) throw InvalidRecords("the revolution cannot be built");
  return revol.Shape();
}

TopoDS_Shape Sweep(const FeatureRecipe& r) {
  Region region = BuildRegion(r.section.loops);
  TopoDS_Wire path = BuildPath(r.path.loops);
  TopoDS_Shape section = BRepBuilderAPI_Transform(region.shape, Frame(r.section.origin, r.section.turn), Standard_True).Shape();
  TopoDS_Wire spine = TopoDS::Wire(BRepBuilderAPI_Transform(path, Frame(r.path.origin, r.path.turn), Standard_True).Shape());
  BRepOffsetAPI_MakePipe pipe(spine, section);
  pipe.Build();
  if (!pipe.IsDone()) throw InvalidRecords("the section cannot be swept along the path");
  return pipe.Shape();
}

}  // namespace

TopoDS_Shape BuildLocalSolid(const FeatureRecipe& recipe) {
  switch (recipe.kind) {
    case kShapeExtruded: return Extrude(recipe);
    case kShapeRevolved: return Revolve(recipe);
    case kShapeSwept: return Sweep(recipe);
    default: throw InvalidRecords("not a feature");
  }
}

gp_Trsf LocalToPart(const FeatureRecipe& recipe) {
  // position + R (p - anchor)
  ref::Vec3 shift = recipe.position - recipe.rotation * recipe.anchor;
  gp_Trsf place = Frame(shift, recipe.rotation);
  if (recipe.kind == kShapeSwept) return place;
  ref::Mat3 plane = recipe.section.turn;
  if (recipe.kind == kShapeRevolved) {
    // Profile x is the distance from the axis and profile y runs along it: local (x, y, z)
    // becomes (x, -z, y) in the profile's turned frame, so local Y is the feature's Z.
    ref::Mat3 upright;
    upright.m = {{{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}};
    plane = plane * upright;
  }
  gp_Trsf t = place;
  t.Multiply(Frame(recipe.section.origin, plane));
  return t;
}

}  // namespace host::occt
