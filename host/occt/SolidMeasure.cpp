// Volume by the divergence theorem turned into edge integrals; bounding box by edges, each once.
#include "host/occt/SolidMeasure.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepBndLib.hxx>
#include <BRepGProp.hxx>
#include <BRepGProp_Domain.hxx>
#include <BRepGProp_Face.hxx>
#include <BRepGProp_Vinert.hxx>
#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <BndLib_Add3dCurve.hxx>
#include <GProp_GProps.hxx>
#include <Geom2d_Curve.hxx>
#include <Geom2d_Line.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace host::occt {
namespace {

// Gauss-Legendre nodes and weights on [-1, 1], 10 points: exact for polynomials of degree 19.
constexpr std::array<double, 5> kNodes{0.1488743389816312, 0.4333953941292472, 0.6794095682990244,
                                       0.8650633666889845, 0.9739065285171717};
constexpr std::array<double, 5> kWeights{0.2955242247147529, 0.2692667193099963, 0.2190863625159820,
                                         0.1494513491505806, 0.0666713443086881};

// A circle this close (mm) to the cone it bounds lies on it.
constexpr double kOnSurface = 1e-9;

// Halvings allowed before an integral is taken as it stands.
constexpr int kMaxDepth = 12;
// An integral is done when halving its interval changes it by no more than this, relative.
constexpr double kRelative = 1e-13;

using Integrand = std::function<gp_XYZ(double)>;

gp_XYZ Gauss(const Integrand& f, double a, double b) {
  double mid = (a + b) / 2, half = (b - a) / 2;
  gp_XYZ sum(0, 0, 0);
  for (std::size_t i = 0; i < kNodes.size(); ++i) {
    sum += (f(mid - half * kNodes[i]) + f(mid + half * kNodes[i])) * kWeights[i];
  }
  return sum * half;
}

gp_XYZ Adaptive(const Integrand& f, double a, double b, const gp_XYZ& whole, double scale,
                int depth) {
  double mid = (a + b) / 2;
  gp_XYZ left = Gauss(f, a, mid), right = Gauss(f, mid, b);
  gp_XYZ halves = left + right;
  if (depth >= kMaxDepth || (halves - whole).Modulus() <= kRelative * scale) return halves;
  return Adaptive(f, a, mid, left, scale, depth + 1) + Adaptive(f, mid, b, right, scale, depth + 1);
}

// The integral of `f` over [a, b], halving until two levels agree.
gp_XYZ Integrate(const Integrand& f, double a, double b) {
  gp_XYZ whole = Gauss(f, a, b);
  double scale = std::max(whole.Modulus(), 1e-9);
  return Adaptive(f, a, b, whole, scale, 0);
}

// The integral of r × dr along the edge, in the sense the edge takes: twice the vector area it
// sweeps about the origin. Conics in closed form: a curve C + a·f(t)·X + b·g(t)·Y with
// f·g' − f'·g constant sweeps C × Δr + a·b·(that constant)·Δt·(X × Y).
gp_XYZ SweptArea(const TopoDS_Edge& edge) {
  BRepAdaptor_Curve curve(edge);
  double t0 = curve.FirstParameter(), t1 = curve.LastParameter();
  gp_XYZ r0 = curve.Value(t0).XYZ(), r1 = curve.Value(t1).XYZ();
  gp_XYZ swept;
  auto conic = [&](const gp_Ax2& frame, double ab) {
    gp_XYZ centre = frame.Location().XYZ();
    swept = centre.Crossed(r1 - r0) + frame.Direction().XYZ() * (ab * (t1 - t0));
  };
  switch (curve.GetType()) {
    case GeomAbs_Line:
      swept = r0.Crossed(r1);
      break;
    case GeomAbs_Circle:
      conic(curve.Circle().Position(), curve.Circle().Radius() * curve.Circle().Radius());
      break;
    case GeomAbs_Ellipse:
      conic(curve.Ellipse().Position(),
            curve.Ellipse().MajorRadius() * curve.Ellipse().MinorRadius());
      break;
    case GeomAbs_Hyperbola:
      conic(curve.Hyperbola().Position(),
            curve.Hyperbola().MajorRadius() * curve.Hyperbola().MinorRadius());
      break;
    default:
      swept = Integrate(
          [&](double t) {
            gp_Pnt p;
            gp_Vec d;
            curve.D1(t, p, d);
            return p.XYZ().Crossed(d.XYZ());
          },
          t0, t1);
      break;
  }
  return edge.Orientation() == TopAbs_REVERSED ? swept.Reversed() : swept;
}

// The kernel's volume between the face and `origin`, times three.
double KernelCone(const TopoDS_Face& face, const gp_Pnt& origin) {
  BRepGProp_Face surface(face);
  BRepGProp_Vinert inertia;
  inertia.SetLocation(origin);
  if (surface.NaturalRestriction()) {
    inertia.Perform(surface);
  } else {
    BRepGProp_Domain domain(face);
    inertia.Perform(surface, domain);
  }
  return 3 * inertia.Mass();
}

// The integral over the face of (r − q)·(∂r/∂u × ∂r/∂v) du dv where that integrand depends on v
// alone (q on the axis of a surface of revolution whose u turns about it), by Green's theorem as
// ∮ u·g(v) dv along the face's curves in its parameter plane. Nothing when an edge has no such
// curve.
std::optional<double> RevolvedPart(const TopoDS_Face& face, const BRepAdaptor_Surface& surface,
                                   const gp_Pnt& q) {
  auto g = [&](double v) {
    gp_Pnt p;
    gp_Vec du, dv;
    surface.D1(0, v, p, du, dv);
    return gp_Vec(q, p).Dot(du.Crossed(dv));
  };
  double sum = 0;
  for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
    double first = 0, last = 0;
    Handle(Geom2d_Curve) curve = BRep_Tool::CurveOnSurface(edge, face, first, last);
    if (curve.IsNull()) return std::nullopt;
    if (auto line = Handle(Geom2d_Line)::DownCast(curve);
        !line.IsNull() && std::abs(line->Direction().Y()) < 1e-15) {
      continue;  // along u: dv is zero
    }
    double part = Integrate(
                      [&](double t) {
                        gp_Pnt2d uv;
                        gp_Vec2d d;
                        curve->D1(t, uv, d);
                        return gp_XYZ(uv.X() * g(uv.Y()) * d.Y(), 0, 0);
                      },
                      first, last)
                      .X();
    sum += edge.Orientation() == TopAbs_REVERSED ? -part : part;
  }
  return sum;
}

// Whether every circle bounding the cone's face lies on the cone. The revolution builder makes
// a cylinder of a segment leaning by less than about 1e-4 rad, which the feature build turns
// into the cone it is while keeping the cylinder's circles, a little off it: integrals along
// the edges then disagree with the kernel's over the surface.
bool CirclesOnCone(const TopoDS_Face& face, const gp_Cone& cone) {
  gp_XYZ axis = cone.Axis().Direction().XYZ();
  for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
    if (BRep_Tool::Degenerated(edge)) continue;
    BRepAdaptor_Curve curve(edge);
    if (curve.GetType() != GeomAbs_Circle) continue;
    gp_Circ circle = curve.Circle();
    double along = (circle.Location().XYZ() - cone.Location().XYZ()).Dot(axis);
    double radius = cone.RefRadius() + along * std::tan(cone.SemiAngle());
    if (std::abs(radius - circle.Radius()) > kOnSurface) return false;
  }
  return true;
}

// The point of the axis nearest `origin`, from it.
gp_XYZ Foot(const gp_Ax1& axis, const gp_Pnt& origin) {
  gp_XYZ p = axis.Location().XYZ() - origin.XYZ(), d = axis.Direction().XYZ();
  return p - d * p.Dot(d);
}

// Three times the signed volume of the cone from `origin` (o) to the face: the integral over the
// face of (r − o)·n. With q a point where (r − q)·n integrates in closed form, that is (q − o)·N
// plus the integral of (r − q)·n, N the face's vector area (half of r × dr around its boundary).
// On a surface of revolution q is the axis's point nearest o, so that (q − o)·N takes only the
// part of N across the axis (none for a face about an axis through o). Nothing when a cone's
// circles lie off it: the caller then asks the kernel.
std::optional<double> FaceCone(const TopoDS_Face& oriented, const gp_Pnt& origin) {
  TopoDS_Face face = TopoDS::Face(oriented.Oriented(TopAbs_FORWARD));
  double sign = oriented.Orientation() == TopAbs_REVERSED ? -1 : 1;
  BRepAdaptor_Surface surface(face, Standard_False);
  gp_XYZ q;  // from the origin
  bool revolved = true;
  switch (surface.GetType()) {
    case GeomAbs_Plane:
      // (r − q)·n is zero on the plane.
      q = surface.Plane().Location().XYZ() - origin.XYZ();
      revolved = false;
      break;
    case GeomAbs_Cone:
      if (!CirclesOnCone(face, surface.Cone())) return std::nullopt;
      q = Foot(surface.Cone().Axis(), origin);
      break;
    case GeomAbs_Cylinder:
      q = Foot(surface.Cylinder().Axis(), origin);
      break;
    case GeomAbs_Sphere:
      q = Foot(surface.Sphere().Position().Axis(), origin);
      break;
    case GeomAbs_Torus:
      q = Foot(surface.Torus().Axis(), origin);
      break;
    default:
      return sign * KernelCone(face, origin);
  }
  double rest = 0;
  if (revolved) {
    std::optional<double> part = RevolvedPart(face, surface, gp_Pnt(origin.XYZ() + q));
    if (!part) return sign * KernelCone(face, origin);
    rest = *part;
  }
  gp_XYZ area(0, 0, 0);
  if (q.Modulus() > 0) {
    for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) {
      const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
      if (!BRep_Tool::Degenerated(edge)) area += SweptArea(edge);
    }
  }
  return sign * (q.Dot(area) / 2 + rest);
}

bool BoundedByEdges(const TopoDS_Face& face) {
  GeomAbs_SurfaceType type = BRepAdaptor_Surface(face, Standard_False).GetType();
  return type == GeomAbs_Plane || type == GeomAbs_Cylinder || type == GeomAbs_Cone;
}

// The axis a sphere, torus or surface of revolution turns about, when its meridian (u fixed) is
// a circle: each coordinate along it is then a + b·cos v + c·sin v.
std::optional<gp_Ax1> CircleMeridianAxis(const BRepAdaptor_Surface& surface) {
  switch (surface.GetType()) {
    case GeomAbs_Sphere:
      return surface.Sphere().Position().Axis();
    case GeomAbs_Torus:
      return surface.Torus().Axis();
    case GeomAbs_SurfaceOfRevolution:
      if (surface.BasisCurve()->GetType() != GeomAbs_Circle) return std::nullopt;
      return surface.AxeOfRevolution();
    default:
      return std::nullopt;
  }
}

// The box of a face that turns a whole turn about an axis along Z and is bounded by circles
// about it (u fixed lines of its parameter plane at the seam, v fixed lines elsewhere) whose
// meridian is a circle: the meridian's extremes across and along the axis, turned. Nothing for
// any other face.
std::optional<Bnd_Box> RevolvedBandBox(const TopoDS_Face& face) {
  BRepAdaptor_Surface surface(face, Standard_False);
  std::optional<gp_Ax1> axis = CircleMeridianAxis(surface);
  if (!axis || !axis->Direction().IsParallel(gp::DZ(), 1e-12)) return std::nullopt;
  double u0 = 0, u1 = 0, v0 = 0, v1 = 0;
  BRepTools::UVBounds(face, u0, u1, v0, v1);
  if (u1 - u0 < 2 * M_PI - 1e-12) return std::nullopt;
  for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) {
    double first = 0, last = 0;
    Handle(Geom2d_Curve) curve =
        BRep_Tool::CurveOnSurface(TopoDS::Edge(e.Current()), face, first, last);
    auto line = Handle(Geom2d_Line)::DownCast(curve);
    if (line.IsNull()) return std::nullopt;
    gp_Dir2d d = line->Direction();
    double u = line->Location().X();
    bool alongU = std::abs(d.Y()) < 1e-15;
    bool seam = std::abs(d.X()) < 1e-15 && (std::abs(u - u0) < 1e-12 || std::abs(u - u1) < 1e-12);
    if (!alongU && !seam) return std::nullopt;
  }
  // Radius and height of the meridian at v, from the axis.
  gp_XYZ at = axis->Location().XYZ();
  auto meridian = [&](double v) {
    gp_XYZ p = surface.Value(u0, v).XYZ() - at;
    return std::pair{std::hypot(p.X(), p.Y()), p.Z()};
  };
  // The meridian's plane across the axis: the farthest of three of its points off the axis (a
  // circle meets the axis in two at most).
  gp_XYZ radial(0, 0, 0);
  for (double v : {0.0, M_PI / 2, M_PI}) {
    gp_XYZ p = surface.Value(u0, v).XYZ() - at;
    p.SetZ(0);
    if (p.Modulus() > radial.Modulus()) radial = p;
  }
  if (radial.Modulus() < 1e-12) return std::nullopt;
  radial.Normalize();
  std::vector<double> vs{v0, v1};
  // Each of radius and height is a + b·cos v + c·sin v: extreme where tan v = c / b.
  for (int k = 0; k < 2; ++k) {
    auto f = [&](double v) {
      gp_XYZ p = surface.Value(u0, v).XYZ() - at;
      return k == 0 ? p.Dot(radial) : p.Z();
    };
    double a = (f(0) + f(M_PI)) / 2, b = (f(0) - f(M_PI)) / 2, c = f(M_PI / 2) - a;
    double turn = std::atan2(c, b);
    for (double v = turn + M_PI * std::ceil((v0 - turn) / M_PI); v < v1; v += M_PI) {
      if (v > v0) vs.push_back(v);
    }
  }
  double radius = 0, low = INFINITY, high = -INFINITY;
  for (double v : vs) {
    auto [r, z] = meridian(v);
    radius = std::max(radius, r), low = std::min(low, z), high = std::max(high, z);
  }
  Bnd_Box box;
  box.Update(at.X() - radius, at.Y() - radius, at.Z() + low, at.X() + radius, at.Y() + radius,
             at.Z() + high);
  return box;
}

}  // namespace

double SolidVolume(const TopoDS_Shape& shape) {
  // The kernel's cones start at the shape's own origin: where faces do not quite meet, the sum
  // depends a little on that point.
  gp_Pnt origin = gp::Origin().Transformed(shape.Location().Transformation());
  double sum = 0;
  for (TopExp_Explorer f(shape, TopAbs_FACE); f.More(); f.Next()) {
    std::optional<double> cone = FaceCone(TopoDS::Face(f.Current()), origin);
    if (!cone) {
      GProp_GProps props;
      BRepGProp::VolumeProperties(shape, props);
      return props.Mass();
    }
    sum += *cone;
  }
  return sum / 3;
}

Bnd_Box SolidBox(const TopoDS_Shape& shape) {
  Bnd_Box box;
  // The edges of the faces they bound, each once; other faces' edges lie within their faces'
  // boxes, and a general curve's box costs a search of its own.
  TopTools_IndexedMapOfShape edges;
  TopTools_IndexedMapOfShape faces;
  TopExp::MapShapes(shape, TopAbs_FACE, faces);
  for (int i = 1; i <= faces.Extent(); ++i) {
    const TopoDS_Face& face = TopoDS::Face(faces(i));
    if (BoundedByEdges(face)) {
      TopExp::MapShapes(face, TopAbs_EDGE, edges);
    } else if (std::optional<Bnd_Box> band = RevolvedBandBox(face)) {
      box.Add(*band);
    } else {
      Bnd_Box part;
      BRepBndLib::AddOptimal(face, part, Standard_False, Standard_False);
      box.Add(part);
    }
  }
  for (int i = 1; i <= edges.Extent(); ++i) {
    const TopoDS_Edge& edge = TopoDS::Edge(edges(i));
    if (!BRep_Tool::IsGeometric(edge)) continue;
    Bnd_Box part;
    BndLib_Add3dCurve::AddOptimal(BRepAdaptor_Curve(edge), 0, part);
    box.Add(part);
  }
  return box;
}

}  // namespace host::occt
