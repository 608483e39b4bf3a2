// Cache payloads: a text line of figures, then the shape in the kernel's binary format.
#include "host/occt/CachePayload.h"

#include <BRep_Builder.hxx>
#include <BinTools.hxx>
#include <Standard_Failure.hxx>
#include <cstdio>
#include <sstream>

namespace host::occt {
namespace {

constexpr const char* kShapeTag = "shape";
constexpr const char* kPartTag = "part";

std::string ShapeBytes(const TopoDS_Shape& shape) {
  std::ostringstream out(std::ios::binary);
  BinTools::Write(shape, out, Standard_False, Standard_False, BinTools_FormatVersion_CURRENT);
  return out.str();
}

std::optional<TopoDS_Shape> ShapeFromBytes(const std::string& bytes, std::size_t from) {
  try {
    std::istringstream in(bytes.substr(from), std::ios::binary);
    TopoDS_Shape shape;
    BinTools::Read(shape, in);
    if (shape.IsNull()) return std::nullopt;
    return shape;
  } catch (const Standard_Failure&) {
    return std::nullopt;
  }
}

}  // namespace

std::string WriteShapePayload(const TopoDS_Shape& shape) {
  return std::string(kShapeTag) + '\n' + ShapeBytes(shape);
}

std::optional<TopoDS_Shape> ReadShapePayload(const std::string& bytes) {
  std::string tag = std::string(kShapeTag) + '\n';
  if (bytes.compare(0, tag.size(), tag) != 0) return std::nullopt;
  return ShapeFromBytes(bytes, tag.size());
}

std::string WritePartPayload(const PartPayload& part) {
  const SolidFigures& f = part.figures;
  char line[512];
  std::snprintf(line, sizeof line, "%s %d %d %d %a %a %a %a %a %a %a %d\n", kPartTag,
                part.valid ? 1 : 0, f.valid ? 1 : 0, f.solids, f.volume, f.boxMin.x, f.boxMin.y,
                f.boxMin.z, f.boxMax.x, f.boxMax.y, f.boxMax.z, f.faces);
  return line + ShapeBytes(part.solid);
}

std::optional<PartPayload> ReadPartPayload(const std::string& bytes) {
  std::size_t end = bytes.find('\n');
  if (end == std::string::npos || end > 500) return std::nullopt;
  std::string line = bytes.substr(0, end);
  PartPayload p;
  SolidFigures& f = p.figures;
  int valid = 0, figuresValid = 0, used = 0;
  char tag[8] = {};
  int read = std::sscanf(line.c_str(), "%7s %d %d %d %la %la %la %la %la %la %la %d%n", tag,
                         &valid, &figuresValid, &f.solids, &f.volume, &f.boxMin.x, &f.boxMin.y,
                         &f.boxMin.z, &f.boxMax.x, &f.boxMax.y, &f.boxMax.z, &f.faces, &used);
  if (read != 12 || std::string(tag) != kPartTag || used != static_cast<int>(line.size())) {
    return std::nullopt;
  }
  p.valid = valid == 1;
  f.valid = figuresValid == 1;
  std::optional<TopoDS_Shape> solid = ShapeFromBytes(bytes, end + 1);
  if (!solid) return std::nullopt;
  p.solid = *solid;
  return p;
}

}  // namespace host::occt
