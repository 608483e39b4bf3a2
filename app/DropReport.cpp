// The report of a drop.
#include "app/DropReport.h"

#include <charconv>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "app/CommandSupport.h"
#include "components/FastenerTable.h"
#include "data/Globals.h"
#include "host/DataObject.h"

namespace vormbrace::app {
namespace {

using host::ref::SceneShape;
using host::ref::Vec3;

bool IsPart(const SceneShape& s) {
  return s.Type() == host::kShapePart || s.Type() == host::kShapeAssembly;
}

void Record(SceneShape& shape, SceneBefore& before) {
  for (auto& child : shape.Children()) {
    if (!IsPart(*child)) continue;
    before.shapes.insert(child->SystemID());
    before.features[child->SystemID()] = child->Shapes(0).Count();
    Record(*child, before);
  }
}

// The shortest text that reads back as the same number: a diameter as the file stored it.
std::string Exact(double value) {
  char buf[32];
  auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
  return std::string(buf, end);
}

std::string Point(Vec3 p) {
  return "(" + Number(p.x) + ", " + Number(p.y) + ", " + Number(p.z) + ")";
}

std::string SurfaceName(const host::ref::DropHit& hit) {
  if (hit.elementType == host::kHitEdge) return hit.geometryType == 2 ? "circle" : "line";
  switch (hit.geometryType) {
    case 1:
      return "plane";
    case 2:
      return "cylinder";
    case 4:
      return "cone";
    case 11:
      return "surface of revolution";
    default:
      return "surface";
  }
}

// A wall whose normal points towards its axis bounds a hole; one pointing away is a shaft.
bool FacesItsAxis(const host::ref::DropHit& hit) {
  Vec3 offset = hit.pickPoint - hit.axisPoint;
  Vec3 radial = offset - host::ref::Dot(offset, hit.axisDirection) * hit.axisDirection;
  return host::ref::Dot(radial, hit.faceNormal) < 0;
}

std::string ElementName(const host::ref::DropHit& hit) {
  if (hit.elementType == host::kHitEdge) return "circular edge";
  if (hit.elementType != host::kHitFace) return "nothing";
  if (hit.geometryType == 2 || hit.geometryType == 4) {
    return FacesItsAxis(hit) ? "hole wall" : "shaft";
  }
  if (hit.geometryType == 11 && hit.majorRadius > 0) return "rounded hole edge";
  return "face";
}

}  // namespace

SceneBefore RecordScene(SceneShape& root) {
  SceneBefore before;
  Record(root, before);
  return before;
}

DropReport::DropReport(host::ref::SceneDocument& document, const host::ref::DropHit& hit,
                       const SceneBefore& before, host::occt::OcctEvaluator& kernel)
    : kernel_(kernel) {
  element_ = ElementName(hit);
  if (element_ != "nothing") {
    surface_ = SurfaceName(hit);
    part_ = hit.path.back()->Name();
    point_ = hit.pickPoint;
    diameter_ = 2 * hit.majorRadius;
  } else {
    point_ = hit.dropPoint;
  }
  why_ = State().autoSizeReason.empty() ? "as chosen in the dialog (given or remembered)"
                                         : State().autoSizeReason;
  std::vector<std::pair<SceneShape*, int>> stack{{&document.Root(), -1}};
  while (!stack.empty()) {
    auto [shape, depth] = stack.back();
    stack.pop_back();
    const auto& children = shape->Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      if (IsPart(**it)) stack.push_back({it->get(), depth + 1});
    }
    if (shape == &document.Root()) continue;
    const std::int32_t id = shape->SystemID();
    if (before.shapes.count(id) == 0) {
      shapes_.push_back({shape, depth});
      if (host::Component* table = FindDataTable(*shape)) size_ = TextAt(*table, 14);
      continue;
    }
    SceneShape* owner = shape->Parent();
    if (owner != &document.Root() && before.shapes.count(owner->SystemID()) == 0) {
      gathered_.push_back({shape->Name(), owner->Name()});
    }
    const std::int32_t count = shape->Shapes(0).Count();
    for (std::int32_t i = before.features.at(id) + 1; i <= count; ++i) {
      holes_.push_back({shape->Shapes(0).Item(i).Name(), shape->Name()});
    }
  }
}

void DropReport::PrintText(std::ostream& out) const {
  for (const std::string& line : lines_) out << line << "\n";
  if (element_ == "nothing") {
    out << "hit: nothing; placed at the drop point " << Point(point_) << "\n";
  } else {
    out << "hit: " << element_ << " (" << surface_ << ") of \"" << part_ << "\" at "
        << Point(point_);
    if (diameter_ > 0) out << ", diameter " << Exact(diameter_);
    out << "\n";
  }
  if (!size_.empty()) out << "size: " << size_ << ", " << why_ << "\n";
  for (const Hole& h : holes_) out << "hole cut: \"" << h.name << "\" into \"" << h.part << "\"\n";
  if (holes_.empty()) out << "hole cut: none\n";
  for (const NewShape& n : shapes_) {
    PrintShape(out, *n.shape, kernel_, std::string(static_cast<std::size_t>(2 * n.depth), ' '));
  }
  if (shapes_.empty()) out << "new parts: none\n";
  for (const Gathered& g : gathered_) {
    out << "gathered into \"" << g.into << "\": \"" << g.name << "\"\n";
  }
  for (const std::string& path : written_) out << "wrote " << path << "\n";
}

void DropReport::PrintJson(std::ostream& out) const {
  using nlohmann::json;
  auto vec = [](Vec3 p) { return json::array({p.x, p.y, p.z}); };
  json hit = {{"element", element_}, {"point", vec(point_)}};
  if (element_ != "nothing") {
    hit["surface"] = surface_;
    hit["part"] = part_;
    if (diameter_ > 0) hit["diameter"] = diameter_;
  }
  json report = {{"hit", hit}, {"holes", json::array()}, {"parts", json::array()}};
  if (!size_.empty()) report["size"] = {{"chosen", size_}, {"why", why_}};
  for (const Hole& h : holes_) report["holes"].push_back({{"name", h.name}, {"part", h.part}});
  for (const NewShape& n : shapes_) {
    SceneShape& shape = *n.shape;
    json p = {{"name", shape.Name()},
              {"assembly", shape.Type() == host::kShapeAssembly},
              {"depth", n.depth}};
    if (host::DataObject* d = shape.DataObject(host::kDescriptionGuid, false)) {
      p["part number"] = d->PartNumber();
    }
    if (shape.Type() == host::kShapePart) {
      host::occt::SolidFigures f = kernel_.Figures(shape);
      p["solid"] = {{"valid", f.valid},  {"solids", f.solids},       {"volume", f.volume},
                    {"faces", f.faces},  {"min", vec(f.boxMin)},     {"max", vec(f.boxMax)}};
    }
    report["parts"].push_back(p);
  }
  report["gathered"] = json::array();
  for (const Gathered& g : gathered_) report["gathered"].push_back({{"name", g.name}, {"into", g.into}});
  report["messages"] = lines_;
  report["written"] = written_;
  out << report.dump(2) << "\n";
}

}  // namespace vormbrace::app
