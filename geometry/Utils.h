// What every geometry generator shares: the construction order of a feature (body, kind, size
// box, anchor, position, name, profile origin, loop, attributes), the placement helpers, the
// arc parameter of domes, the part service, and the run time's floating-point faults.
#pragma once

#include <cstdint>

#include "host/Component.h"
#include "host/Shape.h"

namespace host {
class Page;
class Profile;
}  // namespace host

namespace vormbrace {

// The add-in's value of pi (fifteen significant digits, not the double nearest to pi).
inline constexpr double kPi = 3.14159265358979;
// 30 degrees in radians as the add-in computes it: 30 × pi / 180.
inline constexpr double kRad30 = 94.2477796076937 / 180;

// Feature kinds passed to Shapes before Add.
inline constexpr std::int32_t kExtruded = 5;
inline constexpr std::int32_t kRevolved = 6;

// Component codes of a feature.
inline constexpr std::int32_t kSizeBoxCode = 1;
inline constexpr std::int32_t kLoopsCode = 3;
inline constexpr std::int32_t kPositionCode = 4;
inline constexpr std::int32_t kAnchorCode = 5;
inline constexpr std::int32_t kAttributesCode = 14;
inline constexpr std::int32_t kProfileCode = 15;
inline constexpr std::int32_t kBodyCode = 23;

// Floating-point faults stop a generator as the add-in's run time stops it: a/0 raises error 11
// (division by zero), 0/0 and any result too large error 6 (overflow), the square root of a
// negative number error 5.
double Div(double a, double b);
double Sqrt(double a);
double Checked(double value);

// Degrees to radians, degrees × pi / 180.
double Radians(double degrees);

// Size box (component 1): variables 1-3 ← sx, sy, sz (doubles); 4, 5, 6 ← 16-bit 1;
// 14 ← 32-bit 3; 7 ← 32-bit 0, in this order.
void SetSizeBox(host::Shape& feature, double sx, double sy, double sz);
// Position (component 4) variables 1-3 of a feature or a profile.
void SetPosition(host::ComponentOwner& target, double x, double y, double z);
// Anchor (component 5) variables 1-3 of a feature.
void SetAnchor(host::Shape& feature, double x, double y, double z);

// A length in millimetres in the host's internal unit (the page's converter, codes 7 to 2).
double ToHostLength(double length, host::Page& page);

// The arc parameter for AddArcTo of the arc from (0, height) on the axis to (radius, 0) whose
// centre lies on the axis: its sagitta over its chord, positive for the minor arc. A height of
// 0 raises error 11 or 6.
double ArcRatio(double height, double radius);

// Hands the part to the part service; code 0 runs its operation without argument, codes 1-6
// pass 2, 3, 4, 1, 6, 5 to its other operation, other codes do nothing more.
void CallPartService(host::Shape& part, std::int32_t code);

// Construction steps 1-2: a new feature of `kind` (32-bit) in the part's body.
host::Shape& AddFeature(host::Shape& part, std::int32_t kind);
// Step 4: the feature's name, the resource text at `offset` (res::kBody ...).
void NameFeature(host::Shape& feature, int offset);
// The feature's profile (the Profile of its component 15).
host::Profile& ProfileOf(host::Shape& feature);
// Step 6: a new loop on the profile.
host::Component& AddLoop(host::Profile& profile);
// The feature's attributes (component 14).
host::Component& Attributes(host::Shape& feature);
// Step 8: attribute 62 ← 32-bit 0, and on removal features attribute 1 ← 32-bit 1.
void MarkFeature(host::Shape& feature, bool removal);
// Step 10: Update, then ResetSizeBox.
void Rebuild(host::Shape& feature);

}  // namespace vormbrace
