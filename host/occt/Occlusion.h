// Whether material lies between a point and the eye of an orthographic view: how a drawing
// tells which parts of a cosmetic thread other parts (a nut, the plate around a hole) or the
// part's own head hide.
#pragma once

#include <TopoDS_Shape.hxx>
#include <memory>
#include <vector>

#include "host/reference/Math3.h"

class IntCurvesFace_ShapeIntersector;

namespace host::occt {

class Occlusion {
 public:
  // `solids` placed in the scene; `toEye` the view's unit direction towards the eye.
  Occlusion(const std::vector<TopoDS_Shape>& solids, ref::Vec3 toEye);
  ~Occlusion();
  Occlusion(const Occlusion&) = delete;
  Occlusion& operator=(const Occlusion&) = delete;

  // Whether the ray from `p` towards the eye meets any other solid, or solid `own` farther than
  // `ownClearance` from p (nearer, it is the thread's own body).
  bool Hidden(std::size_t own, ref::Vec3 p, double ownClearance);

 private:
  struct Solid;
  IntCurvesFace_ShapeIntersector& Intersector(Solid& solid);
  std::vector<std::unique_ptr<Solid>> solids_;
  ref::Vec3 toEye_;
};

}  // namespace host::occt
