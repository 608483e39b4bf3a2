// Extruded, revolved and swept feature solids.
#include "host/occt/FeatureSolid.h"

#include "host/occt/ShapeText.h"

#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepBuilderAPI_MakeSolid.hxx>
#include <BRepBuilderAPI_Sewing.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepLib.hxx>
#include <BRepOffsetAPI_MakePipe.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <Geom2d_Curve.hxx>
#include <Geom_ConicalSurface.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <Geom_Line.hxx>
#include <Geom_SurfaceOfRevolution.hxx>
#include <Geom_TrimmedCurve.hxx>
#include <Precision.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_MapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shell.hxx>
#include <TopoDS_Solid.hxx>
#include <cmath>
#include <gp_Ax1.hxx>
#include <gp_Ax3.hxx>
#include <utility>
#include <vector>

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

TopoDS_Face PlanarFace(const std::vector<gp_Pnt>& corners) {
  BRepBuilderAPI_MakePolygon polygon;
  for (const gp_Pnt& c : corners) polygon.Add(c);
  polygon.Close();
  BRepBuilderAPI_MakeFace face(polygon.Wire(), Standard_True);
  if (!face.IsDone()) throw InvalidRecords("the drafted sweep cannot be built");
  return face.Face();
}

// The solid between the loop at z = 0 and its inset copy at z = length. Corresponding edges are
// parallel, so every side is a plane: built from planar faces, the solid keeps booleans on it
// analytic (a loft would make spline faces, many times slower to cut).
TopoDS_Shape DraftedPrism(const std::vector<gp_Pnt2d>& bottom, const std::vector<gp_Pnt2d>& top,
                          double length) {
  std::size_t n = bottom.size();
  std::vector<gp_Pnt> b, t;
  for (std::size_t i = 0; i < n; ++i) {
    b.emplace_back(bottom[i].X(), bottom[i].Y(), 0);
    t.emplace_back(top[i].X(), top[i].Y(), length);
  }
  BRepBuilderAPI_Sewing sewing(1e-6);
  sewing.Add(PlanarFace(b));
  sewing.Add(PlanarFace(t));
  for (std::size_t i = 0; i < n; ++i) {
    std::size_t j = (i + 1) % n;
    sewing.Add(PlanarFace({b[i], b[j], t[j], t[i]}));
  }
  sewing.Perform();
  TopoDS_Shape sewn = sewing.SewedShape();
  if (sewn.ShapeType() != TopAbs_SHELL) throw InvalidRecords("the drafted sweep cannot be built");
  BRepBuilderAPI_MakeSolid solid(TopoDS::Shell(sewn));
  if (!solid.IsDone()) throw InvalidRecords("the drafted sweep cannot be built");
  TopoDS_Solid result = solid.Solid();
  BRepLib::OrientClosedSolid(result);
  return result;
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
    return DraftedPrism(region.polygon, Inset(region.polygon, inset), length);
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

// Puts `surface` under the face, keeping every edge's curve on the face (they are kept per
// surface: each is registered on the new one too). Leaves the face alone when an edge has no
// such curve.
void ReplaceSurface(BRep_Builder& builder, const TopoDS_Face& face,
                    const Handle(Geom_Surface)& surface, const TopLoc_Location& location) {
  struct OnFace {
    TopoDS_Edge edge;
    Handle(Geom2d_Curve) forward, reversed;
    double first = 0, last = 0;
  };
  std::vector<OnFace> curves;
  TopoDS_Face forwardFace = TopoDS::Face(face.Oriented(TopAbs_FORWARD));
  TopTools_MapOfShape seen;
  for (TopExp_Explorer ex(forwardFace, TopAbs_EDGE); ex.More(); ex.Next()) {
    if (!seen.Add(ex.Current())) continue;
    OnFace c;
    c.edge = TopoDS::Edge(ex.Current().Oriented(TopAbs_FORWARD));
    c.forward = BRep_Tool::CurveOnSurface(c.edge, forwardFace, c.first, c.last);
    if (BRep_Tool::IsClosed(c.edge, forwardFace)) {
      c.reversed = BRep_Tool::CurveOnSurface(TopoDS::Edge(c.edge.Reversed()), forwardFace,
                                             c.first, c.last);
    }
    if (c.forward.IsNull()) return;
    curves.push_back(c);
  }
  builder.UpdateFace(face, surface, location, BRep_Tool::Tolerance(face));
  for (const OnFace& c : curves) {
    double tolerance = BRep_Tool::Tolerance(c.edge);
    if (c.reversed.IsNull()) {
      builder.UpdateEdge(c.edge, c.forward, surface, location, tolerance);
    } else {
      builder.UpdateEdge(c.edge, c.forward, c.reversed, surface, location, tolerance);
    }
    builder.Range(c.edge, surface, location, c.first, c.last);
  }
}

// The cone of a surface of revolution whose basis curve is a straight line, placed so that its
// parameters are the revolution's; null when the line is not a cone's generatrix.
Handle(Geom_ConicalSurface) ConeOfRevolution(const Handle(Geom_SurfaceOfRevolution)& revolution) {
  Handle(Geom_Curve) curve = revolution->BasisCurve();
  if (auto trimmed = Handle(Geom_TrimmedCurve)::DownCast(curve); !trimmed.IsNull())
    curve = trimmed->BasisCurve();
  auto line = Handle(Geom_Line)::DownCast(curve);
  if (line.IsNull()) return nullptr;
  gp_Ax1 ax = revolution->Axis();
  gp_Pnt p0 = line->Lin().Location();
  gp_Dir d = line->Lin().Direction();
  gp_Vec toPoint(ax.Location(), p0);
  gp_Pnt origin =
      ax.Location().Translated(gp_Vec(ax.Direction()) * toPoint.Dot(gp_Vec(ax.Direction())));
  gp_Vec radial(origin, p0);
  double radius = radial.Magnitude();
  if (radius < Precision::Confusion()) return nullptr;
  gp_Dir x(radial);
  double along = d.Dot(ax.Direction()), across = d.Dot(x);
  if (std::abs(along) < Precision::Angular() || std::abs(across) < Precision::Angular()) {
    return nullptr;
  }
  if (std::abs(d.Dot(gp_Dir(ax.Direction().Crossed(x)))) > Precision::Angular()) return nullptr;
  // u turns about the axis as the revolution does (Y = axis × X); Z follows the segment along
  // the axis, so the frame is left-handed when the segment runs against it.
  gp_Ax3 frame(origin, along > 0 ? ax.Direction() : ax.Direction().Reversed(), x);
  if (along < 0) frame.YReverse();
  return new Geom_ConicalSurface(frame, std::asin(across), radius);
}

// The cone through the seam of a face that the revolution builder made a cylinder although its
// generating segment leans (by less than about 1e-4 rad): in the cylinder's own frame, so that
// the edges' curves on the face stay valid (their parameter along the axis differs from the
// cone's by the segment's length times 1 - cos of its lean, far below the tolerance). Null when
// the segment is parallel to the axis.
Handle(Geom_ConicalSurface) ConeOfLeaningCylinder(const TopoDS_Face& face,
                                                  const Handle(Geom_CylindricalSurface)& cylinder,
                                                  const TopLoc_Location& location) {
  for (TopExp_Explorer ex(face, TopAbs_EDGE); ex.More(); ex.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(ex.Current());
    if (!BRep_Tool::IsClosed(edge, face)) continue;
    TopLoc_Location edgeLocation;
    double first = 0, last = 0;
    Handle(Geom_Curve) curve = BRep_Tool::Curve(edge, edgeLocation, first, last);
    if (curve.IsNull() || !edgeLocation.IsEqual(location)) return nullptr;
    gp_Pnt a = curve->Value(first), b = curve->Value(last);
    const gp_Ax3& frame = cylinder->Position();
    gp_Vec z(frame.Direction());
    if (gp_Vec(a, b).Dot(z) < 0) std::swap(a, b);
    gp_Vec d(a, b);
    double rise = d.Dot(z);
    if (rise < Precision::Confusion()) return nullptr;
    // The seam at the height of the frame's origin: the cone's reference radius.
    gp_Pnt atOrigin = a.Translated(d * (-gp_Vec(frame.Location(), a).Dot(z) / rise));
    gp_Vec radial(frame.Location(), atOrigin);
    double radius = radial.Magnitude();
    double across = d.Normalized().Dot(gp_Vec(frame.XDirection()));
    if (radius < Precision::Confusion() || std::abs(across) < Precision::Angular()) {
      return nullptr;
    }
    return new Geom_ConicalSurface(frame, std::asin(across), radius);
  }
  return nullptr;
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
  MakeConesAnalytic(revol.Shape());
  return revol.Shape();
}

TopoDS_Shape Sweep(const FeatureRecipe& r) {
  Region region = BuildRegion(r.section.loops);
  TopoDS_Wire path = BuildPath(r.path.loops);
  TopoDS_Shape section =
      BRepBuilderAPI_Transform(region.shape, Frame(r.section.origin, r.section.turn), Standard_True)
          .Shape();
  TopoDS_Wire spine = TopoDS::Wire(
      BRepBuilderAPI_Transform(path, Frame(r.path.origin, r.path.turn), Standard_True).Shape());
  BRepOffsetAPI_MakePipe pipe(spine, section);
  pipe.Build();
  if (!pipe.IsDone()) throw InvalidRecords("the section cannot be swept along the path");
  return pipe.Shape();
}

}  // namespace

// The revolution builder makes a general surface of revolution, not a cone, when a straight
// segment is almost parallel to the axis (the plain part of a shank tapers by 0.0025 mm over
// its length), and a cylinder when it is closer still. Booleans on general surfaces cost
// several times those on cones, and a cylinder in place of a cone makes the plain part one
// surface with the threaded face next to it, so both are replaced by the cone they are.
void MakeConesAnalytic(const TopoDS_Shape& solid) {
  BRep_Builder builder;
  for (TopExp_Explorer e(solid, TopAbs_FACE); e.More(); e.Next()) {
    const TopoDS_Face& face = TopoDS::Face(e.Current());
    TopLoc_Location location;
    Handle(Geom_Surface) surface = BRep_Tool::Surface(face, location);
    Handle(Geom_ConicalSurface) cone;
    if (auto revolution = Handle(Geom_SurfaceOfRevolution)::DownCast(surface);
        !revolution.IsNull()) {
      cone = ConeOfRevolution(revolution);
    } else if (auto cylinder = Handle(Geom_CylindricalSurface)::DownCast(surface);
               !cylinder.IsNull()) {
      cone = ConeOfLeaningCylinder(face, cylinder, location);
    }
    if (!cone.IsNull()) ReplaceSurface(builder, face, cone, location);
  }
}

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


TopoDS_Shape BuildLocalSolid(const FeatureRecipe& recipe) {
  switch (recipe.kind) {
    case kShapeExtruded:
      return Extrude(recipe);
    case kShapeRevolved:
      return Revolve(recipe);
    case kShapeSwept:
      return Sweep(recipe);
    case ref::kShapeImported:
      return ShapeFromText(recipe.imported);
    default:
      throw InvalidRecords("not a feature");
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
