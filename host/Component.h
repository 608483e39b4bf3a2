// Host components: numbered records attached to a shape or a profile, kept per type code.
// Codes used by the add-in: 1 size box, 2 element holding assemblies, 3 profile loops,
// 4 position, 5 anchor, 14 attributes, 15 profile holder, 23 body, 24 path profile,
// 25 and 43 class binding, 27 surface finish, 34 data table.
#pragma once

#include <cstdint>

#include "host/Variable.h"

namespace host {

class Profile;
class ShapeCollection;
class SurfaceFinish;

class Component {
 public:
  virtual ~Component() = default;
  virtual std::int32_t TypeCode() const = 0;

  // The numbered variable `index`, created on first use.
  virtual host::Variable& Variable(std::int32_t index) = 0;
  // The table cell at (column, row): column 1 holds numbers, column 2 texts.
  virtual host::Variable& Variable(std::int32_t column, std::int16_t row) = 0;

  // Profile holder (15) and path profile (24): the profile. Other codes: error 438.
  virtual host::Profile& Profile() = 0;
  // Body (23) and assembly element (2): the shapes it holds. Other codes: error 438.
  virtual ShapeCollection& Shapes(std::int32_t kind) = 0;

  // Profile loop (3): drawing operations, coordinates in millimetres in the profile plane.
  // AddArcTo's r is the signed sagitta/chord ratio (r > 0 bulges to the left of travel);
  // AddEllipse(0, 0, r) right after SetStartPoint(0, 0) is the full circle of radius r;
  // AddFilletAt counts corners from 1 at the start point, earlier fillets counting as corners.
  virtual void SetStartPoint(double x, double y) = 0;
  virtual void AddLineTo(double x, double y) = 0;
  virtual void AddArcTo(double x, double y, double r) = 0;
  virtual void AddEllipse(double x, double y, double r) = 0;
  virtual void AddFilletAt(std::int32_t corner, double radius) = 0;

  // Surface finish (27): the finish of the face found at the point (host units).
  virtual host::SurfaceFinish& SurfaceFinish(double x, double y, double z, std::int16_t a,
                                             std::int16_t b, std::int16_t c) = 0;
};

// The components of one type code on one owner; Item is 1-based.
class ComponentCollection {
 public:
  virtual ~ComponentCollection() = default;
  virtual std::int32_t Count() const = 0;
  virtual Component& Item(std::int32_t index) = 0;  // error 9 out of range
  virtual Component& Add() = 0;
  virtual void Remove(std::int32_t index) = 0;
};

// Anything that carries components: shapes and profiles.
class ComponentOwner {
 public:
  virtual ~ComponentOwner() = default;
  virtual ComponentCollection& Components(std::int32_t typeCode) = 0;
};

}  // namespace host
