// Kernel shapes, and part solids with their figures, as the bytes of solid cache entries (the
// kernel's binary format, exact to the bit). Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <optional>
#include <string>

#include "host/occt/OcctEvaluator.h"

namespace host::occt {

struct PartPayload {
  TopoDS_Shape solid;
  bool valid = false;
  SolidFigures figures;
};

std::string WriteShapePayload(const TopoDS_Shape& shape);
// Nothing when the bytes hold no shape.
std::optional<TopoDS_Shape> ReadShapePayload(const std::string& bytes);

std::string WritePartPayload(const PartPayload& part);
// Nothing when the bytes are not a part payload.
std::optional<PartPayload> ReadPartPayload(const std::string& bytes);

}  // namespace host::occt
