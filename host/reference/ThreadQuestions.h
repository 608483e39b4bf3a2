// The reference host asking a part's class about its thread, as its drawing module does: a
// fresh instance of the class the part is bound to, its projected-thread interface, the
// combined question, and the answers back in millimetres.
#pragma once

#include <optional>
#include <string>

#include "host/reference/ClassRegistry.h"
#include "host/reference/Math3.h"
#include "host/reference/SceneDocument.h"

namespace host::ref {

// A part's thread in its own frame, millimetres.
struct ThreadAnswer {
  double innerDiameter = 0, outerDiameter = 0;
  double length = 0;  // threaded length
  double offset = 0;  // from the part's origin along `direction` to where the thread starts
  Vec3 direction;     // unit
  bool isHole = false;
  std::string callout;  // the class's own callout, else the metric designation
};

// nullopt when the part is not bound to a class, its class does not implement the interface,
// the class answers false (a part without a fastener data table), or the answers describe no
// thread (a length or a root diameter not above 0, a figure that is not finite). Errors the
// class raises travel to the caller.
std::optional<ThreadAnswer> AskThread(const ClassRegistry& classes, SceneShape& part);

// The ISO metric designation: "M10" for a coarse pitch (ISO 261), "M10x1.25" for a fine one.
std::string MetricCallout(double diameter, double pitch);

}  // namespace host::ref
