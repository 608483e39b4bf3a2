// What the host hands to a drop: the page, the path of shapes down to the hit part and the hit
// element (a face or an edge) with its geometry.
#pragma once

#include <cstdint>

namespace host {

class Page;
class Shape;

inline constexpr std::int32_t kHitEdge = 2;
inline constexpr std::int32_t kHitFace = 3;

// Geometry type codes of a hit element. Faces: 1 plane, 2 cylinder, 4 cone, 11 other surface
// of revolution. Edges: 1 line, 2 circle. Types 2, 4 and 11 carry an axis and MajorRadius.
class HitElement {
 public:
  virtual ~HitElement() = default;
  virtual std::int32_t GeometryType() const = 0;
  virtual double PickPointX() const = 0;
  virtual double PickPointY() const = 0;
  virtual double PickPointZ() const = 0;
  // A point on the axis and its direction; a component above 999 in magnitude is unusable.
  virtual double PointX() const = 0;
  virtual double PointY() const = 0;
  virtual double PointZ() const = 0;
  virtual double NormalX() const = 0;
  virtual double NormalY() const = 0;
  virtual double NormalZ() const = 0;
  // Edge direction.
  virtual double DirectionX() const = 0;
  virtual double DirectionY() const = 0;
  virtual double DirectionZ() const = 0;
  virtual double MajorRadius() const = 0;
  // The owning part (argument false).
  virtual Shape& Part(bool assembly) = 0;
};

class ShapePath {
 public:
  virtual ~ShapePath() = default;
  virtual std::int32_t Count() const = 0;
  virtual Shape& Item(std::int32_t index) = 0;  // 1 = the scene's top item
};

class DragDropHook {
 public:
  virtual ~DragDropHook() = default;
  virtual host::Page& Page() = 0;
  virtual host::ShapePath& ShapePath() = 0;
  // 2 an edge, 3 a face, anything else nothing usable.
  virtual std::int32_t HitElementType() const = 0;
  virtual host::HitElement& HitElement() = 0;  // error 424 when nothing was hit
  // Normal of the hit face (argument: the path's Count).
  virtual double HitNormalX(std::int32_t pathIndex) const = 0;
  virtual double HitNormalY(std::int32_t pathIndex) const = 0;
  virtual double HitNormalZ(std::int32_t pathIndex) const = 0;
  // The drop point (argument 1).
  virtual double HitPointX(std::int32_t pathIndex) const = 0;
  virtual double HitPointY(std::int32_t pathIndex) const = 0;
  virtual double HitPointZ(std::int32_t pathIndex) const = 0;
};

}  // namespace host
