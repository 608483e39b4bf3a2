// Scene shapes: the root, assemblies (kind 1), parts (kind 3) and features (4 swept, 5 extruded,
// 6 revolved). A part's features are the shapes of its body (Components(23).Item(1)).
#pragma once

#include <cstdint>
#include <string>

#include "host/Component.h"

namespace host {

class DataObject;
class Page;
class Shape;

inline constexpr std::int32_t kShapeAssembly = 1;
inline constexpr std::int32_t kShapePart = 3;
inline constexpr std::int32_t kShapeSwept = 4;
inline constexpr std::int32_t kShapeExtruded = 5;
inline constexpr std::int32_t kShapeRevolved = 6;

// Shapes of one kind (kind 0: every kind) under one owner, in creation order; 1-based.
class ShapeCollection {
 public:
  virtual ~ShapeCollection() = default;
  virtual std::int32_t Count() const = 0;
  virtual Shape& Item(std::int32_t index) = 0;  // error 9 out of range
  virtual Shape& Add() = 0;                     // error 5 on a kind-0 collection
  virtual void Remove(std::int32_t index) = 0;
};

class Shape : public ComponentOwner {
 public:
  // Children: parts and assemblies of an assembly, features of a part.
  virtual ShapeCollection& Shapes(std::int32_t kind) = 0;
  virtual ShapeCollection& ChildShapes() = 0;
  // The shape this scene item shows (the item itself in a scene without instancing).
  virtual Shape& InstanceShape() = 0;
  virtual host::Page& Page() = 0;

  virtual std::string Name() const = 0;
  virtual void SetName(const std::string& name) = 0;
  virtual std::int32_t Type() const = 0;
  virtual bool Suppressed() const = 0;
  virtual void SetSuppressed(bool suppressed) = 0;
  virtual std::int32_t SystemID() const = 0;
  virtual std::string SystemName() const = 0;

  // Rebuilds the shape from its records; ResetSizeBox refits the size box to the result.
  virtual void Update() = 0;
  virtual void ResetSizeBox() = 0;
  // Turns a feature about its own axis (1 X, 2 Y, 3 Z) through its position point, radians.
  virtual void Rotate(std::int32_t axisCode, double angle) = 0;
  // Copy(true) appends a duplicate of the feature to the same body, or of the part to the same
  // owner (same records and tables, a new SystemID and SystemName), and returns it.
  virtual Shape& Copy(bool sameOwner) = 0;
  // Moves a part in its parent by (dx, dy, dz), or to that point when not `relative`. The
  // lengths are in the host's internal unit, as ToHostLength gives them (not scene millimetres).
  virtual void Shift(double dx, double dy, double dz, bool relative) = 0;
  // The shape's Z axis in its parent.
  virtual void GetNormal(double& nx, double& ny, double& nz) = 0;

  // The data object under `guid`; when absent, nullptr unless `create`.
  virtual host::DataObject* DataObject(const std::string& guid, bool create) = 0;
  // Attaches a new, empty data object under `guid` (replacing one that was there).
  virtual host::DataObject& AttachDataObject(const std::string& guid) = 0;
};

}  // namespace host
