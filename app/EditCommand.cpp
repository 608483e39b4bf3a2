// vormbrace edit: a double-click on a placed part, as the host raises it: the part's class
// opens the selection dialog on it, the dialog is driven from the command line's choices, and
// OK rebuilds the part, its copies and the hole made for it, each in its own place.
#include <iostream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/CommandSupport.h"
#include "app/Commands.h"
#include "app/ExportSettings.h"
#include "front/PartActions.h"
#include "host/occt/Export.h"
#include "host/reference/SceneFile.h"

namespace vormbrace::app {
namespace {

using host::ref::SceneShape;

struct EditOptions {
  std::string scenePath;
  std::string part;
  std::string outPath;
  std::string exportPath;
  DialogScript script;
};

// Every part's records as text, by SystemID: what an edit changed shows as a difference.
void Snapshot(SceneShape& shape, std::map<std::int32_t, std::string>& records) {
  for (auto& child : shape.Children()) {
    if (child->Type() == host::kShapePart) records[child->SystemID()] = ShapeToJson(*child).dump();
    if (child->Type() == host::kShapeAssembly) Snapshot(*child, records);
  }
}

int Edit(AppHost& app, const EditOptions& o) {
  if (!o.exportPath.empty()) host::occt::FormatOf(o.exportPath);  // fails before any work
  OpenScene scene = LoadSceneForCommand(app, o.scenePath);
  SceneShape& part = FindPart(*scene.document, o.part);
  std::map<std::int32_t, std::string> before, after;
  Snapshot(scene.document->Root(), before);

  DialogPresenter presenter(o.script);
  WarnUnlessChoicesSaved(front::EditPlacedPart(*app.host, part, presenter, true));

  std::ostringstream report;
  Snapshot(scene.document->Root(), after);
  for (const auto& [id, records] : after) {
    if (before[id] == records) continue;
    SceneShape& changed = *scene.document->Find(id);
    report << "rebuilt " << changed.SystemName() << "\n";
    PrintShape(report, changed, *scene.kernel, "  ");
  }
  if (!o.exportPath.empty()) {
    host::occt::ExportScene(*scene.document, o.exportPath, ExportOptionsFor(app));
    report << "wrote " << o.exportPath << "\n";
  }
  WriteBack(scene, o.outPath.empty() ? o.scenePath : o.outPath, report);
  return 0;
}

}  // namespace

void AddEditCommand(CLI::App& cli, CommandTable& commands) {
  auto o = std::make_shared<EditOptions>();
  CLI::App* command = cli.add_subcommand(
      "edit",
      "Double-click a placed part: the selection dialog opens on the part's stored choice, "
      "takes the choices given here and confirms. The part is rebuilt in its place; every "
      "copy of it (same component identifier, same owner) takes the new size with its own "
      "standard and length, a copy without such a record is suppressed and named "
      "\"Measurement not valid\"; the hole made for a bolt or screw follows its head. Prints "
      "every part that changed, then writes the export and the scene.");
  command->add_option("SCENE", o->scenePath, "Scene file (.json)")->required();
  command->add_option("--part", o->part, "The part: its name or its system name (e.g. Part3)")
      ->required();
  AddChoiceOptions(*command, o->script);
  command->add_option("-o", o->outPath,
                      "Write the scene here (default: SCENE, replaced atomically; a failure "
                      "leaves it untouched)");
  command->add_option("--export", o->exportPath, "Export the scene: .step, .stp, .stl or .glb");
  commands.emplace_back(command,
                        [o](AppHost& app) { return ExitCodeOf([&] { return Edit(app, *o); }); });
}

}  // namespace vormbrace::app
