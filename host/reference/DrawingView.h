// What a 2D drawing of the scene is made of, before it is put on a sheet: the orthographic
// views (where the eye is and which way is right and up), and each view's lines and thread
// callouts in millimetres of the view plane, true to the model.
#pragma once

#include <string>
#include <vector>

#include "host/reference/Math3.h"

namespace host::ref {

struct Point2 {
  double x = 0, y = 0;
};

// The line types of ISO 128-2 a drawing uses: visible outlines and thread ends (01.2, thick
// continuous), hidden outlines (02.1, thin dashed), thread roots (01.1, thin continuous).
enum class LineType { Visible, Hidden, Thin };

struct DrawnLine {
  LineType type = LineType::Visible;
  std::string role;  // "edge", "thread-root", "thread-end"
  std::vector<Point2> points;
};

// A thread callout: its text, the point on the thread that its leader starts from, and the
// direction (unit, view plane) the leader leaves in.
struct DrawnCallout {
  Point2 anchor;
  Point2 direction;
  std::string text;
};

struct DrawnView {
  std::string name;
  std::vector<DrawnLine> lines;
  std::vector<DrawnCallout> callouts;
};

// An orthographic view: the eye looks from `toEye` (unit, scene) at the scene; a scene point
// lands at (p . xAxis, p . yAxis) of the view plane.
struct ViewAxes {
  std::string name;
  Vec3 toEye, xAxis, yAxis;

  Point2 Project(Vec3 p) const { return {Dot(p, xAxis), Dot(p, yAxis)}; }
};

// The six principal views of ISO 5456-2 (front from -Y with Z up; top from +Z with Y up;
// right, left, bottom, back) and an isometric view from the front, right and top. nullptr for
// another name.
const ViewAxes* FindView(const std::string& name);
// "front, top, right, left, bottom, back, iso".
std::string ViewNames();

}  // namespace host::ref
