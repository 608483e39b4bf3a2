// The served scene.
#include "server/SceneSession.h"

#include <set>

#include "components/FastenerTable.h"
#include "host/DataObject.h"
#include "host/occt/OcctEvaluator.h"
#include "host/occt/Picking.h"
#include "host/reference/SceneFile.h"
#include "front/PartActions.h"
#include "host/occt/Drawing.h"
#include "host/reference/DrawingSheet.h"
#include "server/DialogState.h"
#include "server/ExportBytes.h"
#include "server/RequestError.h"

namespace vormbrace::server {
namespace {

using host::ref::SceneShape;
using nlohmann::json;

bool IsPartOrAssembly(const SceneShape& shape) {
  return shape.Type() == host::kShapePart || shape.Type() == host::kShapeAssembly;
}

json SolidJson(host::occt::OcctEvaluator& kernel, SceneShape& part) {
  try {
    host::occt::SolidFigures f = kernel.Figures(part);
    return {{"valid", f.valid},
            {"solids", f.solids},
            {"volume", f.volume},
            {"faces", f.faces},
            {"min", {f.boxMin.x, f.boxMin.y, f.boxMin.z}},
            {"max", {f.boxMax.x, f.boxMax.y, f.boxMax.z}}};
  } catch (const std::exception& e) {
    return {{"error", e.what()}};
  }
}

json ShapeJson(host::occt::OcctEvaluator& kernel, SceneShape& shape) {
  json j = {{"id", shape.SystemID()},
            {"name", shape.Name()},
            {"kind", shape.Type() == host::kShapeAssembly ? "assembly" : "part"}};
  if (host::DataObject* d = shape.DataObject(host::kDescriptionGuid, false)) {
    j["description"] = d->Description();
    j["partNumber"] = d->PartNumber();
  }
  json bom = json::array();
  if (host::DataObject* list = shape.DataObject(host::kAttributeListGuid, false)) {
    for (std::int32_t i = 1; i <= list->Count(); ++i) {
      bom.push_back({{"name", list->EntryName(i)}, {"value", list->EntryValue(i)}});
    }
  }
  j["bom"] = bom;
  if (shape.Type() == host::kShapePart) {
    j["solid"] = SolidJson(kernel, shape);
    // A catalogue part opens the dialog on a double-click; a bolt or screw takes a length.
    j["editable"] = FindDataTable(shape) != nullptr;
    if (std::optional<double> length = front::ShankLength(shape)) j["length"] = *length;
  }
  json children = json::array();
  for (auto& child : shape.Children()) {
    if (IsPartOrAssembly(*child)) children.push_back(ShapeJson(kernel, *child));
  }
  j["children"] = children;
  return j;
}

void CollectIds(SceneShape& shape, std::set<std::int32_t>& ids) {
  for (auto& child : shape.Children()) {
    if (!IsPartOrAssembly(*child)) continue;
    ids.insert(child->SystemID());
    CollectIds(*child, ids);
  }
}

host::ref::Vec3 Direction(host::ref::Vec3 dir) {
  if (host::ref::Length(dir) == 0) throw RequestError(400, "dir must not be 0,0,0");
  return dir;
}

}  // namespace

SceneSession::SceneSession(host::ref::ReferenceHost& host, std::string path, bool save,
                           std::filesystem::path scratch)
    : host_(host), path_(std::move(path)), save_(save), scratch_(std::move(scratch)) {
  document_ = !path_.empty() && std::filesystem::exists(path_)
                  ? host::ref::LoadScene(path_)
                  : std::make_unique<host::ref::SceneDocument>();
  Attach();
}

void SceneSession::Attach() {
  host::occt::AttachKernel(*document_);
  host_.Attach(*document_);
}

json SceneSession::Parts() {
  host::occt::OcctEvaluator& kernel = *host::occt::KernelOf(*document_);
  json parts = json::array();
  for (auto& child : document_->Root().Children()) {
    if (IsPartOrAssembly(*child)) parts.push_back(ShapeJson(kernel, *child));
  }
  return {{"version", version_}, {"parts", parts}};
}

void SceneSession::RequireVersion(std::int64_t version) const {
  if (version != version_) {
    throw RequestError(409,
                       "the scene has changed since this page last read it (version " +
                           std::to_string(version) + ", now " + std::to_string(version_) +
                           "): it was changed elsewhere; look at it again and repeat the change");
  }
}

template <typename ChangeFn>
void SceneSession::Change(ChangeFn&& change) {
  const json before = host::ref::SceneToJson(*document_);
  try {
    change();
    if (save_ && !path_.empty()) host::ref::SaveScene(*document_, path_);
  } catch (...) {
    document_ = host::ref::SceneFromJson(before, "the scene before the change");
    Attach();
    throw;
  }
  ++version_;
}

host::ref::DropHit SceneSession::HitAt(const DropPlace& place) {
  host::ref::DropHit hit;
  if (!place.dir) {
    hit.dropPoint = place.at;
    return hit;
  }
  hit = host::occt::PickScene(*document_, place.at, Direction(*place.dir));
  if (hit.elementType == 0) throw RequestError(422, "nothing there: the ray from the click meets no part");
  return hit;
}

template <typename Presenter>
json SceneSession::DropWith(std::int64_t version, const DropPlace& place, Presenter& presenter) {
  RequireVersion(version);
  std::set<std::int32_t> before;
  CollectIds(document_->Root(), before);
  Change([&] {
    host::ref::RecordedDrop hook(*document_, HitAt(place));
    front::RunAddIn(host_, presenter, true, [&hook] { front::DropOnHook(hook); });
  });
  std::set<std::int32_t> after;
  CollectIds(document_->Root(), after);
  json added = json::array();
  for (std::int32_t id : after) {
    if (before.count(id) == 0) added.push_back(id);
  }
  json out = Parts();
  out["added"] = added;
  return out;
}

json SceneSession::Drop(std::int64_t version, const DialogScript& choice, const DropPlace& place) {
  DialogPresenter presenter(choice);
  return DropWith(version, place, presenter);
}

json SceneSession::DropWithClicks(std::int64_t version, const DropPlace& place,
                                  const json& carried, const json& clicks) {
  ClickPresenter presenter(clicks, true, carried);
  return DropWith(version, place, presenter);
}

json SceneSession::DropDialog(const DropPlace& place, const json& carried, const json& clicks) {
  ClickPresenter presenter(clicks, false, carried);
  host::ref::RecordedDrop hook(*document_, HitAt(place));
  front::RunAddIn(host_, presenter, false, [&hook] { front::DropOnHook(hook); });
  if (presenter.State().is_null()) throw RequestError(422, "the drop opened no dialog");
  return presenter.State();
}

json SceneSession::Delete(std::int64_t version, std::int32_t id) {
  RequireVersion(version);
  SceneShape* shape = document_->Find(id);
  if (shape == nullptr || !IsPartOrAssembly(*shape) || shape->Parent() == nullptr) {
    throw RequestError(404, "the scene has no part " + std::to_string(id));
  }
  Change([&] { shape->Parent()->RemoveChild(*shape); });
  return Parts();
}

SceneShape& SceneSession::PartById(std::int32_t id) {
  SceneShape* shape = document_->Find(id);
  if (shape != nullptr && shape->Type() == host::kShapeAssembly) {
    throw RequestError(422, "\"" + shape->Name() + "\" is an assembly: choose one of its parts");
  }
  if (shape == nullptr || shape->Type() != host::kShapePart || shape->Parent() == nullptr) {
    throw RequestError(404, "the scene has no part " + std::to_string(id));
  }
  return *shape;
}

json SceneSession::EditDialog(std::int32_t id, const json& clicks) {
  SceneShape& part = PartById(id);
  ClickPresenter presenter(clicks, false);
  front::EditPlacedPart(host_, part, presenter, false);
  if (presenter.State().is_null()) throw RequestError(422, "the part opened no dialog");
  return presenter.State();
}

json SceneSession::Edit(std::int64_t version, std::int32_t id, const json& clicks) {
  RequireVersion(version);
  SceneShape& part = PartById(id);
  Change([&] {
    ClickPresenter presenter(clicks, true);
    front::EditPlacedPart(host_, part, presenter, true);
  });
  return Parts();
}

json SceneSession::TypeLength(std::int64_t version, std::int32_t id, double length,
                              const std::string& formula) {
  RequireVersion(version);
  SceneShape& part = PartById(id);
  json popups = json::array();
  Change([&] {
    for (const host::ref::PopupRecord& popup :
         front::TypeShankLength(host_, part, length, formula)) {
      popups.push_back(popup.captions);
    }
  });
  json out = Parts();
  out["popups"] = popups;
  return out;
}

json SceneSession::Pick(host::ref::Vec3 at, host::ref::Vec3 dir) {
  host::ref::DropHit hit = host::occt::PickScene(*document_, at, Direction(dir));
  // The outermost part or assembly on the path: what a click in the scene selects.
  for (SceneShape* shape : hit.path) {
    if (shape->Parent() != nullptr && IsPartOrAssembly(*shape)) {
      return {{"part", shape->SystemID()}};
    }
  }
  return {{"part", nullptr}};
}

std::string SceneSession::Export(host::occt::ExportFormat format) {
  const char* names[] = {"scene.step", "scene.stl", "scene.glb"};
  return ExportBytes(*document_, scratch_ / names[static_cast<int>(format)]);
}

std::string SceneSession::Drawing() {
  const std::vector<host::ref::DrawnView> views =
      host::occt::DrawViews(*document_, host_.Classes(), {{"front", "top"}, "", false});
  return host::ref::DrawingSvg(views, path_.empty() ? "scene" : std::filesystem::path(path_).stem().string());
}

}  // namespace vormbrace::server
