// Vector and rotation arithmetic for placements and transforms.
#include "host/reference/Math3.h"

#include <algorithm>
#include <cmath>

namespace host::ref {

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
Vec3 Normalized(Vec3 a) {
  double l = Length(a);
  return l > 0 ? (1.0 / l) * a : a;
}

Mat3 operator*(const Mat3& a, const Mat3& b) {
  Mat3 r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
    }
  }
  return r;
}

Vec3 operator*(const Mat3& a, Vec3 v) {
  return {a.m[0][0] * v.x + a.m[0][1] * v.y + a.m[0][2] * v.z,
          a.m[1][0] * v.x + a.m[1][1] * v.y + a.m[1][2] * v.z,
          a.m[2][0] * v.x + a.m[2][1] * v.y + a.m[2][2] * v.z};
}

Mat3 Transposed(const Mat3& a) {
  Mat3 r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) r.m[i][j] = a.m[j][i];
  }
  return r;
}

Mat3 RotationAboutAxis(Vec3 axis, double degrees) {
  Vec3 u = Normalized(axis);
  if (Length(u) == 0) return Mat3{};
  double a = degrees * kPi / 180;
  double c = std::cos(a), s = std::sin(a), t = 1 - c;
  Mat3 r;
  r.m = {{{t * u.x * u.x + c, t * u.x * u.y - s * u.z, t * u.x * u.z + s * u.y},
          {t * u.x * u.y + s * u.z, t * u.y * u.y + c, t * u.y * u.z - s * u.x},
          {t * u.x * u.z - s * u.y, t * u.y * u.z + s * u.x, t * u.z * u.z + c}}};
  return r;
}

Mat3 RotationTaking(Vec3 a, Vec3 b) {
  Vec3 ua = Normalized(a), ub = Normalized(b);
  Vec3 axis = Cross(ua, ub);
  double cosine = std::clamp(Dot(ua, ub), -1.0, 1.0);
  if (Length(axis) < 1e-12) {
    if (cosine > 0) return Mat3{};
    // Opposite directions: half a turn about any axis perpendicular to a.
    Vec3 helper = std::abs(ua.x) < 0.9 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    return RotationAboutAxis(Cross(ua, helper), 180);
  }
  return RotationAboutAxis(axis, std::acos(cosine) * 180 / kPi);
}

void ToAxisAngle(const Mat3& r, Vec3& axis, double& degrees) {
  const auto& m = r.m;
  double cosine = std::clamp((m[0][0] + m[1][1] + m[2][2] - 1) / 2, -1.0, 1.0);
  double angle = std::acos(cosine);
  Vec3 v{m[2][1] - m[1][2], m[0][2] - m[2][0], m[1][0] - m[0][1]};
  if (angle < 1e-12) {
    axis = {0, 0, 1};
    degrees = 0;
    return;
  }
  if (Length(v) > 1e-9) {
    axis = Normalized(v);
  } else {
    // Half a turn: the axis is the column of R + I with the largest length.
    Vec3 best{};
    for (int j = 0; j < 3; ++j) {
      Vec3 col{m[0][j] + (j == 0), m[1][j] + (j == 1), m[2][j] + (j == 2)};
      if (Length(col) > Length(best)) best = col;
    }
    axis = Normalized(best);
  }
  degrees = angle * 180 / kPi;
}

Vec3 Apply(const RigidTransform& t, Vec3 p) { return t.rotation * p + t.translation; }

RigidTransform Then(const RigidTransform& first, const RigidTransform& second) {
  return {second.rotation * first.rotation,
          second.rotation * first.translation + second.translation};
}

RigidTransform Inverse(const RigidTransform& t) {
  Mat3 back = Transposed(t.rotation);
  return {back, -1.0 * (back * t.translation)};
}

}  // namespace host::ref
