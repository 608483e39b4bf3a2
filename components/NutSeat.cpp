// Nuts on bolts.
#include "components/NutSeat.h"

#include <algorithm>
#include <cmath>

#include "host/Host.h"

namespace vormbrace {
namespace {

constexpr double kPi = 3.14159265358979;
// A stretch of material that begins this near the head's seat is clamped by it (mm).
constexpr double kSeatGap = 1e-4;

std::array<double, 3> Cross(const std::array<double, 3>& a, const std::array<double, 3>& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

std::array<double, 3> Unit(const std::array<double, 3>& a) {
  const double n = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
  return {a[0] / n, a[1] / n, a[2] / n};
}

}  // namespace

std::array<double, 3> PlacementZ(const Placement& p) {
  const double norm = std::sqrt(p[3] * p[3] + p[4] * p[4] + p[5] * p[5]);
  if (norm == 0) return {0, 0, 1};
  const double ux = p[3] / norm, uy = p[4] / norm, uz = p[5] / norm;
  const double a = p[6] * kPi / 180;
  const double c = std::cos(a), s = std::sin(a);
  // Rodrigues' rotation of (0, 0, 1) about u.
  return {ux * uz * (1 - c) + uy * s, uy * uz * (1 - c) - ux * s, c + uz * uz * (1 - c)};
}

double ClampedDepth(host::Shape& parent, const BoltOnAxis& bolt) {
  const std::array<double, 3> z = PlacementZ(bolt.placement);
  const std::array<double, 3> down = {-z[0], -z[1], -z[2]};
  std::array<double, 3> side = Cross(z, {1, 0, 0});
  if (std::sqrt(side[0] * side[0] + side[1] * side[1] + side[2] * side[2]) < 0.5) {
    side = Cross(z, {0, 1, 0});
  }
  side = Unit(side);
  const std::array<double, 3> other = Cross(z, side);

  // Lines along the shank on four sides, outside any clearance hole and under a nut's bearing
  // face: the clamped stack ends where the last of them leaves the material that begins at
  // the head's seat.
  const double radius = 0.75 * bolt.diameter;
  double depth = 0;
  host::HostElementHelper& elements = host::CurrentHost().ElementHelper();
  for (int k = 0; k < 4; ++k) {
    const double a = k * kPi / 2;
    std::array<double, 3> start{};
    for (std::size_t i = 0; i < 3; ++i) {
      start[i] = bolt.placement[i] + radius * (std::cos(a) * side[i] + std::sin(a) * other[i]);
    }
    for (const auto& [enter, leave] : elements.MaterialAlong(parent, start, down, bolt.part)) {
      if (enter <= kSeatGap && leave > kSeatGap) depth = std::max(depth, leave);
    }
  }
  return depth;
}

Placement PlacementOf(host::Shape& shape) {
  auto frame = host::CurrentHost().NewPlacement();
  frame->ReadFrom(shape);
  return {frame->PositionX(), frame->PositionY(), frame->PositionZ(), frame->AxisX(),
          frame->AxisY(),     frame->AxisZ(),     frame->Angle()};
}

void ApplyPlacement(host::Shape& shape, const Placement& p) {
  auto placement = host::CurrentHost().NewPlacement();
  placement->SetPosition(p[0], p[1], p[2]);
  placement->SetAxis(p[3], p[4], p[5]);
  placement->SetAngle(p[6]);
  placement->SetTarget(shape);
  placement->Apply();
}

Placement NutPlacement(const Placement& bolt, double depth) {
  const std::array<double, 3> z = PlacementZ(bolt);
  auto frame = host::CurrentHost().NewTransform();
  frame->SetFromFrames(0, 0, 0, 0, 0, 1, bolt[0] - depth * z[0], bolt[1] - depth * z[1],
                       bolt[2] - depth * z[2], -z[0], -z[1], -z[2]);
  Placement nut{};
  frame->GetTranslation(nut[0], nut[1], nut[2]);
  frame->GetRotation(nut[3], nut[4], nut[5], nut[6]);
  return nut;
}

}  // namespace vormbrace
