// The host's service objects, created by the add-in through the Host (see Host.h).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace host {

class ComponentOwner;
class Shape;

// A placement: position, rotation axis and angle (degrees). Applying it to a target writes the
// target's position component (4): variables 1-3 the position, 4-7 the axis and the angle.
class HostPlacement {
 public:
  virtual ~HostPlacement() = default;
  virtual void SetPosition(double x, double y, double z) = 0;
  virtual void SetAxis(double x, double y, double z) = 0;
  virtual void SetAngle(double degrees) = 0;
  virtual double PositionX() const = 0;
  virtual double PositionY() const = 0;
  virtual double PositionZ() const = 0;
  virtual double AxisX() const = 0;
  virtual double AxisY() const = 0;
  virtual double AxisZ() const = 0;
  virtual double Angle() const = 0;
  virtual void SetTarget(ComponentOwner& target) = 0;
  // Reads the placement of a shape (its position component).
  virtual void ReadFrom(Shape& shape) = 0;
  virtual void Apply() = 0;  // error 424 without a target
};

class HostVector {
 public:
  virtual ~HostVector() = default;
  virtual void Set(double x, double y, double z) = 0;
  virtual void Normalize() = 0;
  // The angle to another vector in degrees, 0 to 180.
  virtual double AngleTo(const HostVector& other) const = 0;
  virtual double X() const = 0;
  virtual double Y() const = 0;
  virtual double Z() const = 0;
};

// A rigid transform of the scene.
class HostTransform {
 public:
  virtual ~HostTransform() = default;
  // The transform that carries point p with axis a onto point q with axis b.
  virtual void SetFromFrames(double px, double py, double pz, double ax, double ay, double az,
                             double qx, double qy, double qz, double bx, double by, double bz) = 0;
  // A pure translation.
  virtual void SetTranslation(double x, double y, double z) = 0;
  // this := other after this (a point is mapped by this first, then by other).
  virtual void Multiply(const HostTransform& other) = 0;
  virtual void GetTranslation(double& x, double& y, double& z) const = 0;
  // Rotation as axis and angle in degrees (axis (0, 0, 1) and 0 for no rotation).
  virtual void GetRotation(double& ax, double& ay, double& az, double& degrees) const = 0;
  virtual void MapPoint(double& x, double& y, double& z) const = 0;
  // Whether a point mapped through this transform is to be used instead of its translation.
  virtual bool UseMappedPoint() const = 0;
};

class HostSizebox {
 public:
  virtual ~HostSizebox() = default;
  virtual void SetShape(Shape& part) = 0;
  // The part's frame in its parent.
  virtual std::unique_ptr<HostTransform> SizeboxToParentTransform() const = 0;
};

class HostElementHelper {
 public:
  virtual ~HostElementHelper() = default;
  // The scene element under which a Create parent adds its part.
  virtual Shape& SceneElement(Shape& parent) = 0;
  // The shape that owns a part (its assembly or the root); nullptr for the root.
  virtual Shape* Owner(Shape& part) = 0;
  // The solid material of the parts under `parent` (those of its assemblies too, `skip` left
  // out) along the line from `origin` in the unit direction `direction`, both in the frame
  // `parent`'s parts are placed in: the stretches as (enter, exit) distances from `origin`,
  // ascending, stretches that touch joined. Empty when the host keeps no solids.
  virtual std::vector<std::pair<double, double>> MaterialAlong(
      Shape& parent, const std::array<double, 3>& origin, const std::array<double, 3>& direction,
      const Shape* skip) = 0;
  // Moves `part` (a part or an assembly, with all it holds) from its owner under `assembly`,
  // its placement rewritten so that it stays where it stands in the scene. Error 5 when
  // `assembly` is no assembly or lies inside `part`.
  virtual void MoveInto(Shape& part, Shape& assembly) = 0;
};

class HostClassRegistry {
 public:
  virtual ~HostClassRegistry() = default;
  // The class identifier text of a ProgID text; "" when the ProgID is not registered.
  virtual std::string ClassIdOf(const std::string& progId) const = 0;
};

class HostUnitConverter {
 public:
  virtual ~HostUnitConverter() = default;
  // A length converted between unit codes: 2 the host's internal unit (metres), 3 centimetres,
  // 4 inches, 5 feet, 7 millimetres. Other codes: error 5.
  virtual double Convert(double value, std::int16_t fromUnit, std::int16_t toUnit) const = 0;
};

class HostRegistry {
 public:
  virtual ~HostRegistry() = default;
  // A string value under a key; "" when the key or the value is missing.
  virtual std::string ReadString(std::int32_t hive, const std::string& key,
                                 const std::string& valueName) const = 0;
  virtual bool FileExists(const std::string& path) const = 0;
};

class HostConfigStore {
 public:
  virtual ~HostConfigStore() = default;
  virtual bool OpenSection(const std::string& section) = 0;
  virtual bool ReadValue(const std::string& name, std::string& value) = 0;
  virtual void Close() = 0;
};

// The part service {FC213935-4068-11D3-80CC-00C04F6BFADF}: prepares a part's faces before a
// surface finish is laid on them.
class PartService {
 public:
  virtual ~PartService() = default;
  virtual void SetPart(Shape& part) = 0;
  virtual void Run() = 0;
  virtual void Run(std::int32_t option) = 0;
};

}  // namespace host
