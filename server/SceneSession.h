// The one scene `vormbrace serve` holds: the document with its kernel, the file it is saved to
// after each change (written to a temporary file and renamed), and its version. Every change
// names the version it was made on; a change made on an older version is refused, so two
// pages on one scene cannot lose each other's changes. A change that fails leaves the scene as
// it was. Not thread-safe: the server runs one add-in call at a time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "dialog/DialogPresenter.h"
#include "host/occt/Export.h"
#include "host/reference/DropHit.h"
#include "host/reference/Math3.h"
#include "host/reference/ReferenceHost.h"
#include "host/reference/SceneDocument.h"

namespace vormbrace::server {

// Where a drop goes: along the ray from `at` in direction `dir` onto what it meets first (it
// must meet a part), or, without a direction, on nothing at `at`.
struct DropPlace {
  host::ref::Vec3 at;
  std::optional<host::ref::Vec3> dir;
};

class SceneSession {
 public:
  // Loads `path` when it exists (a new scene otherwise, saved there on the first change);
  // `save` false keeps every change in memory. `scratch` is a private folder for exports.
  SceneSession(host::ref::ReferenceHost& host, std::string path, bool save,
               std::filesystem::path scratch);

  std::int64_t Version() const { return version_; }
  const std::string& Path() const { return path_; }

  // {"version", "parts": [{id, name, kind, description, partNumber, bom, solid, children}]}
  nlohmann::json Parts();
  // Drops the choice; answers Parts() with "added": the ids of the new parts and assemblies.
  nlohmann::json Drop(std::int64_t version, const DialogScript& choice, const DropPlace& place);
  // The selection dialog as a drop at `place` opens it (the hole's size, the assembly box of a
  // fastener's hole), after the `carried` and the page's `clicks` (see ClickPresenter), then
  // cancelled: the scene does not change.
  nlohmann::json DropDialog(const DropPlace& place, const nlohmann::json& carried,
                            const nlohmann::json& clicks);
  // The same dialog confirmed: answers as Drop.
  nlohmann::json DropWithClicks(std::int64_t version, const DropPlace& place,
                                const nlohmann::json& carried, const nlohmann::json& clicks);
  // Removes part or assembly `id` with what it holds; answers Parts().
  nlohmann::json Delete(std::int64_t version, std::int32_t id);
  // The selection dialog as a double-click on part `id` opens it, after the page's `clicks`
  // (see DialogAfterClicks), then cancelled: the scene does not change.
  nlohmann::json EditDialog(std::int32_t id, const nlohmann::json& clicks);
  // Double-clicks part `id`, replays `clicks` on the dialog and confirms: the part, its copies
  // and its hole are rebuilt in place. Answers Parts().
  nlohmann::json Edit(std::int64_t version, std::int32_t id, const nlohmann::json& clicks);
  // Types a shank length (mm) or, when `formula` is not empty, a formula into bolt or screw
  // `id`. Answers Parts() with "popups": the texts the add-in showed (the new length).
  nlohmann::json TypeLength(std::int64_t version, std::int32_t id, double length,
                            const std::string& formula);
  // The part the ray meets first: {"part": id} or {"part": null}.
  nlohmann::json Pick(host::ref::Vec3 at, host::ref::Vec3 dir);
  // The scene as a file's bytes. Raises host::occt::ExportError when no part has material.
  std::string Export(host::occt::ExportFormat format);
  // The scene drawn from the front and from above on an SVG sheet, threads drawn as a drafter
  // does. Raises host::occt::DrawingError when no part has material.
  std::string Drawing();

 private:
  void RequireVersion(std::int64_t version) const;
  // What a drop at `place` hits; RequestError 422 when its ray meets no part.
  host::ref::DropHit HitAt(const DropPlace& place);
  // Drops at `place` through the add-in's drop hook, `presenter` working the dialog.
  template <typename Presenter>
  nlohmann::json DropWith(std::int64_t version, const DropPlace& place, Presenter& presenter);
  // Part `id` (a part, not an assembly): RequestError 404 when the scene has none.
  host::ref::SceneShape& PartById(std::int32_t id);
  // Loads the document's kernel and routes its class events to the host.
  void Attach();
  // Runs `change` on the scene; on any failure puts the scene back as it was. Then saves.
  template <typename Change>
  void Change(Change&& change);

  host::ref::ReferenceHost& host_;
  std::string path_;
  bool save_;
  std::filesystem::path scratch_;
  std::unique_ptr<host::ref::SceneDocument> document_;
  std::int64_t version_ = 1;
};

}  // namespace vormbrace::server
