// Plates with holes, written as STEP, and the test plate.
#include "support/Parts.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include "host/occt/Export.h"
#include "support/Plate.h"

namespace vormbrace::test {
namespace {

void Set(host::Component& c, std::initializer_list<double> values) {
  std::int32_t i = 1;
  for (double v : values) c.Variable(i++).SetValue(host::Value::Double(v));
}

// Bulge of a quarter circle: sagitta / chord = (1 - cos 45°) / (2 sin 45°).
constexpr double kQuarterArc = 0.20710678118654752;

// The revolved removal of one hole: profile x is the distance from the axis, y runs from the
// plate's bottom (0) to its top (thickness), 1 beyond each face so no face of it lies on the
// plate's own.
void AddHole(host::Component& body, const HoleSpec& h, double thickness) {
  host::Shape& hole = body.Shapes(host::kShapeRevolved).Add();
  const double r = h.diameter / 2;
  const double top = h.counterbore > 0 ? h.counterbore / 2 : r;
  const double edge = std::max(h.fillet, h.chamfer);
  Set(hole.Components(1).Item(1), {2 * (top + edge), 2 * (top + edge), thickness + 2});
  Set(hole.Components(5).Item(1), {-h.x, -h.y, thickness});  // the anchor: the axis at (x, y)
  host::Component& loop = hole.Components(15).Item(1).Profile().Components(3).Add();
  loop.SetStartPoint(0, -1);
  loop.AddLineTo(r, -1);
  if (h.counterbore > 0) {
    loop.AddLineTo(r, thickness - h.counterboreDepth);
    loop.AddLineTo(top, thickness - h.counterboreDepth);
  }
  if (h.fillet > 0) {
    loop.AddLineTo(top, thickness - h.fillet);
    loop.AddArcTo(top + h.fillet, thickness, kQuarterArc);
  } else if (h.chamfer > 0) {
    loop.AddLineTo(top, thickness - h.chamfer);
    loop.AddLineTo(top + h.chamfer, thickness);
  }
  loop.AddLineTo(top + edge, thickness + 1);
  loop.AddLineTo(0, thickness + 1);
  loop.AddLineTo(0, -1);
  hole.Components(14).Item(1).Variable(1).SetValue(host::Value::Int32(1));  // removal
  hole.Update();
}

// Every radius of a circle or a cylinder in the STEP text, 4 units in the last place larger.
std::string WithNoisyRadii(const std::string& step) {
  static const std::regex radius(R"(((?:CIRCLE|CYLINDRICAL_SURFACE)\('[^']*',#\d+,)([-0-9.E+]+)\))");
  std::string out;
  auto last = step.cbegin();
  for (std::sregex_iterator m(step.begin(), step.end(), radius), end; m != end; ++m) {
    out.append(last, (*m)[0].first);
    double r = std::stod((*m)[2].str());
    for (int i = 0; i < 4; ++i) r = std::nextafter(r, 2 * r);
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", r);
    out += (*m)[1].str() + text + ")";
    last = (*m)[0].second;
  }
  out.append(last, step.cend());
  return out;
}

}  // namespace

host::ref::SceneShape& AddDrilledPlate(host::ref::SceneDocument& document,
                                       const std::vector<HoleSpec>& holes, double side,
                                       double thickness) {
  auto& part =
      static_cast<host::ref::SceneShape&>(document.RootShape().Shapes(host::kShapePart).Add());
  part.SetName("Drilled plate");
  host::Component& body = part.Components(23).Item(1);
  host::Shape& block = body.Shapes(host::kShapeExtruded).Add();
  Set(block.Components(1).Item(1), {side, side, thickness});
  Set(block.Components(5).Item(1), {0, 0, thickness});  // top face on z = 0
  const double h = side / 2;
  host::Component& outline = block.Components(15).Item(1).Profile().Components(3).Add();
  outline.SetStartPoint(-h, -h);
  for (auto [x, y] : {std::pair{h, -h}, {h, h}, {-h, h}, {-h, -h}}) outline.AddLineTo(x, y);
  block.Update();
  for (const HoleSpec& hole : holes) AddHole(body, hole, thickness);
  return part;
}

host::ref::SceneShape& AddPlate(host::ref::SceneDocument& document) {
  host::ref::SceneShape& part =
      AddDrilledPlate(document, {{0, 0, 2 * kPlateHoleRadius}}, kPlateSide, kPlateThickness);
  part.SetName("Plate");
  return part;
}

void WriteDrilledPlate(const std::string& path, const std::vector<HoleSpec>& holes, bool noisy,
                       double side, double thickness) {
  {
    host::ref::SceneDocument document;
    AddDrilledPlate(document, holes, side, thickness);
    host::occt::ExportScene(document, path);
  }
  if (!noisy) return;
  std::stringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  std::ofstream(path, std::ios::binary | std::ios::trunc) << WithNoisyRadii(text.str());
}

}  // namespace vormbrace::test
