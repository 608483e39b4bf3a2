// A kernel shape as text and back, for solids a scene keeps in its records (imported parts).
// Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <string>

namespace host::occt {

std::string ShapeToText(const TopoDS_Shape& shape);
// Raises InvalidRecords when the text holds no shape.
TopoDS_Shape ShapeFromText(const std::string& text);

}  // namespace host::occt
