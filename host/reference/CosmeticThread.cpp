// The cosmetic thread of a part in one view.
#include "host/reference/CosmeticThread.h"

#include <cmath>

namespace host::ref {
namespace {

// Points per straight cosmetic line: enough to show where other material cuts it off.
constexpr int kLineSegments = 32;
// 1 degree: the tolerance that makes an axis lie in, or along, the view direction.
const double kSinOneDegree = std::sin(kPi / 180);

std::vector<Vec3> Segment(Vec3 a, Vec3 b, int segments) {
  std::vector<Vec3> points;
  for (int i = 0; i <= segments; ++i) points.push_back(a + (double(i) / segments) * (b - a));
  return points;
}

Point2 Unit(Point2 p) {
  double l = std::hypot(p.x, p.y);
  return l > 0 ? Point2{p.x / l, p.y / l} : Point2{1, 0};
}

void SideView(const ThreadAnswer& t, Vec3 start, Vec3 end, Vec3 axis, const ViewAxes& view,
              CosmeticThread& out) {
  Vec3 across = Normalized(Cross(view.toEye, axis));
  // Callouts go to the right of the thread (above it when the thread lies across the view).
  Point2 side = view.Project(across);
  if (side.x < -1e-9 || (std::abs(side.x) <= 1e-9 && side.y < 0)) across = -1.0 * across;
  const double ri = t.innerDiameter / 2, ro = t.outerDiameter / 2;
  for (double s : {1.0, -1.0}) {
    out.curves.push_back(
        {LineType::Thin, "thread-root",
         Segment(start + (s * ri) * across, end + (s * ri) * across, kLineSegments)});
  }
  out.curves.push_back({LineType::Visible, "thread-end",
                        Segment(start + ro * across, start - ro * across, kLineSegments / 4)});
  out.calloutAnchor = 0.5 * (start + end) + ro * across;
  Point2 out2 = view.Project(across), back = view.Project(-1.0 * axis);
  out.calloutDirection = Unit({out2.x + back.x, out2.y + back.y});
}

// The gap of the three-quarter circle is in the upper right quadrant; the callout leaves
// through it.
void EndView(const ThreadAnswer& t, Vec3 centre, const ViewAxes& view, CosmeticThread& out) {
  const double ri = t.innerDiameter / 2, ro = t.outerDiameter / 2;
  CosmeticCurve circle{LineType::Thin, "thread-root", {}};
  for (int degrees = 90; degrees <= 360; degrees += 5) {
    double a = degrees * kPi / 180;
    circle.points.push_back(centre + (ri * std::cos(a)) * view.xAxis +
                            (ri * std::sin(a)) * view.yAxis);
  }
  out.curves.push_back(std::move(circle));
  const double c = std::sqrt(0.5);
  out.calloutAnchor = centre + (ro * c) * view.xAxis + (ro * c) * view.yAxis;
  out.calloutDirection = {c, c};
}

}  // namespace

Vec3 CosmeticThread::Probe(Vec3 p) const {
  const double along = Dot(middle - p, axis);
  if (std::abs(along) < 1e-9) return p;
  return p + (along > 0 ? 0.01 : -0.01) * axis;
}

CosmeticThread CosmeticThreadIn(const ThreadAnswer& thread, const RigidTransform& partFrame,
                                const ViewAxes& view) {
  CosmeticThread out;
  out.callout = thread.callout;
  // A little beyond the crest: a ray through the axis leaves the body at the crest exactly.
  out.ownClearance = thread.outerDiameter / 2 + 0.05;
  Vec3 axis = Normalized(partFrame.rotation * thread.direction);
  Vec3 start = Apply(partFrame, thread.offset * thread.direction);
  Vec3 end = Apply(partFrame, (thread.offset + thread.length) * thread.direction);
  out.axis = axis;
  out.middle = 0.5 * (start + end);
  double along = Dot(axis, view.toEye);
  if (std::abs(along) < kSinOneDegree) {
    SideView(thread, start, end, axis, view, out);
  } else if (std::abs(along) > std::cos(kPi / 180)) {
    // The end of the thread nearer the eye.
    out.alongAxis = true;
    out.endCentre = along > 0 ? end : start;
    EndView(thread, out.endCentre, view, out);
  }
  return out;
}

}  // namespace host::ref
