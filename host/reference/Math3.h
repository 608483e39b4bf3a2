// Vectors, rotations and rigid transforms of the reference host (double precision).
#pragma once

#include <array>

namespace host::ref {

// The add-in's value of pi; the host uses it too so that degrees round-trip exactly.
inline constexpr double kPi = 3.14159265358979;

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(double s, Vec3 a);
double Dot(Vec3 a, Vec3 b);
Vec3 Cross(Vec3 a, Vec3 b);
double Length(Vec3 a);
// a / |a|; the zero vector stays zero.
Vec3 Normalized(Vec3 a);

// A rotation matrix, rows m[0..2].
struct Mat3 {
  std::array<std::array<double, 3>, 3> m{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
};

Mat3 operator*(const Mat3& a, const Mat3& b);
Vec3 operator*(const Mat3& a, Vec3 v);
Mat3 Transposed(const Mat3& a);

// Rotation about `axis` (need not be unit) by `degrees`; a zero axis gives the identity.
Mat3 RotationAboutAxis(Vec3 axis, double degrees);
// The smallest rotation that turns direction a onto direction b (half a turn about a
// perpendicular axis when they are opposite).
Mat3 RotationTaking(Vec3 a, Vec3 b);
// Axis (unit) and angle in degrees, 0 to 180; the identity gives axis (0, 0, 1) and 0.
void ToAxisAngle(const Mat3& r, Vec3& axis, double& degrees);

// p -> R p + t
struct RigidTransform {
  Mat3 rotation;
  Vec3 translation;
};

Vec3 Apply(const RigidTransform& t, Vec3 p);
// Apply `first`, then `second`.
RigidTransform Then(const RigidTransform& first, const RigidTransform& second);
// The transform that undoes `t`.
RigidTransform Inverse(const RigidTransform& t);

}  // namespace host::ref
