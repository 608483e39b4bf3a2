// What a feature's solid is made of, read from the feature's records: the kind, the profile
// loops and planes, the sweep, and where the feature lies in its part. Features with equal
// keys have equal solids, which is what the kernel caches by.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/reference/Math3.h"
#include "host/reference/SceneDocument.h"

namespace host::occt {

// Records that make no solid (an open loop, a zero sweep ...): the message says what is wrong.
class InvalidRecords : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A profile: its loops, and its plane in the feature frame (origin, turn about an axis).
struct ProfileRecipe {
  std::vector<std::vector<ref::ProfileCall>> loops;
  ref::Vec3 origin;
  ref::Mat3 turn;
};

struct FeatureRecipe {
  std::int32_t kind = 0;
  ProfileRecipe section;
  ProfileRecipe path;  // swept features only
  // Extruded: the region sweeps from `start` to `end` along the profile normal; normally 0 to
  // the size box height, or -backward to +forward when attributes 55/56 are written.
  double start = 0, end = 0;
  // Attribute 47: the side walls lean by this angle (radians, negative: the region narrows
  // along the sweep).
  double draft = 0;
  // Placement: a feature point p lands in the part at position + rotation * (p - anchor).
  ref::Vec3 position, anchor;
  ref::Mat3 rotation;
  bool removal = false;
  // An imported solid: the kernel's text form of its shape.
  std::string imported;

  // Everything that shapes the solid in its profile's own frame.
  std::string ShapeKey() const;
  // Everything that places that solid in the part.
  std::string PlacementKey() const;
};

// Reads a feature's recipe. Raises InvalidRecords for values that are not finite numbers.
FeatureRecipe ReadRecipe(ref::SceneShape& feature);

// `"Body" (Feature7)`: how errors name a shape.
std::string DescribeShape(ref::SceneShape& shape);

}  // namespace host::occt
