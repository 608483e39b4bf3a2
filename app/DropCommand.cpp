// vormbrace drop: a catalogue drop onto a scene, as the host makes it: the drop hook analyses
// what was hit, the selection dialog is driven from the command line's choices (else the
// remembered ones), and OK builds the part. Prints what was built and writes the scene and the
// export; a failure anywhere writes nothing.
#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CatalogWalk.h"
#include "app/CommandSupport.h"
#include "app/Commands.h"
#include "app/DropReport.h"
#include "app/ExportSettings.h"
#include "app/SolidCheck.h"
#include "data/Settings.h"
#include "dialog/DropHook.h"
#include "host/DataObject.h"
#include "host/SafeFile.h"
#include "host/occt/Export.h"
#include "host/occt/Import.h"
#include "host/occt/OcctEvaluator.h"
#include "host/occt/Picking.h"
#include "host/reference/DropHit.h"
#include "host/reference/SceneFile.h"

namespace vormbrace::app {
namespace {

using host::ref::SceneDocument;
using host::ref::SceneShape;

struct DropOptions {
  std::string scenePath;
  std::string at;
  std::string dir;
  std::string importPath;
  std::string outPath;
  std::string exportPath;
  bool json = false;
  bool keepInvalid = false;
  DialogScript script;
};

// A standard given alone names its own kind and type (and family), whatever was remembered.
DialogScript WithStandardsPlace(AppHost& app, DialogScript script) {
  if (script.standard.empty() || !script.kind.empty() || script.type != 0) return script;
  std::optional<std::int16_t> family;
  if (!script.family.empty()) family = FindFamily(script.family);
  if (std::optional<StandardPlace> place = FindStandard(*app.host, script.standard, family)) {
    script.kind = kKindNames[place->kind];
    script.type = place->type;
    if (script.family.empty()) {
      script.family = ReadFamilyCaptions()[static_cast<std::size_t>(place->family)];
    }
  }
  return script;
}

// Refuses the drop when a part it made has no valid solid with material.
void RefuseInvalidNewParts(SceneShape& shape, const SceneBefore& before,
                           host::occt::OcctEvaluator& kernel) {
  for (auto& child : shape.Children()) {
    if (child->Type() == host::kShapeAssembly) RefuseInvalidNewParts(*child, before, kernel);
    if (child->Type() != host::kShapePart || before.shapes.count(child->SystemID()) != 0) continue;
    if (std::string why = InvalidSolid(kernel, *child); !why.empty()) throw CommandError(why);
  }
}

int Drop(AppHost& app, const DropOptions& o) {
  const host::ref::Vec3 at = o.at.empty() ? host::ref::Vec3{} : ParseTriple(o.at, "--at");
  const host::ref::Vec3 dir = o.dir.empty() ? host::ref::Vec3{} : ParseTriple(o.dir, "--dir");
  // A length is a number of millimetres, listed or (threaded rods) typed: never text the dialog
  // would read as some other length.
  if (!o.script.length.empty() &&
      !(ParseNumberOption(o.script.length, "--length", 0, kMaxLength) > 0)) {
    throw UsageError("--length: " + Quoted(o.script.length) + " is not more than 0");
  }
  if (!o.dir.empty() && host::ref::Length(dir) == 0) throw UsageError("--dir must not be 0,0,0");
  const std::string exportPath =
      !o.exportPath.empty() ? o.exportPath : (o.scenePath.empty() ? "drop.step" : "");
  const std::string scenePath =
      !o.outPath.empty() ? o.outPath : (o.scenePath.empty() ? "drop.json" : o.scenePath);
  if (!exportPath.empty()) host::occt::FormatOf(exportPath);  // fails before any work
  if (!exportPath.empty() && host::SameFile(exportPath, scenePath))
    throw UsageError("the export and the scene would both be written to " + Quoted(exportPath));

  // The scenes read and written stay locked until the command ends; taken in one order, so two
  // commands that name the same files the other way round cannot wait for each other.
  std::vector<std::string> lockOrder{scenePath};
  if (!o.scenePath.empty() && !host::SameFile(o.scenePath, scenePath)) lockOrder.push_back(o.scenePath);
  std::sort(lockOrder.begin(), lockOrder.end());
  std::vector<std::unique_ptr<host::FileLock>> locks;
  for (const std::string& path : lockOrder) locks.push_back(std::make_unique<host::FileLock>(path));

  std::unique_ptr<SceneDocument> document =
      o.scenePath.empty() ? std::make_unique<SceneDocument>() : host::ref::LoadScene(o.scenePath);
  host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(*document);
  app.host->Attach(*document);
  std::string imported;
  if (!o.importPath.empty()) {
    host::ref::SceneShape& part = host::occt::ImportStepPart(*document, o.importPath);
    imported = "imported " + o.importPath + " as \"" + part.Name() + "\"";
  }
  const SceneBefore before = RecordScene(document->Root());

  // Along a ray: what it meets first; without one, a drop on nothing at the drop point.
  host::ref::DropHit hit;
  if (o.dir.empty()) {
    hit.dropPoint = at;
  } else {
    hit = host::occt::PickScene(*document, at, dir);
  }
  host::ref::RecordedDrop hook(*document, hit);
  RunAddIn(app, WithStandardsPlace(app, o.script), true, [&] { DropHook().OnDragDrop(hook); });

  if (!o.keepInvalid) RefuseInvalidNewParts(document->Root(), before, kernel);

  // What was done, printed once the files are written: the scene first, the export only once
  // the scene is written.
  DropReport report(*document, hit, before, kernel);
  if (!imported.empty()) report.AddLine(imported);
  host::ref::SaveScene(*document, scenePath);
  report.AddWritten(scenePath);
  if (!exportPath.empty()) {
    host::occt::ExportScene(*document, exportPath, ExportOptionsFor(app));
    report.AddWritten(exportPath);
  }
  if (o.json) {
    report.PrintJson(std::cout);
  } else {
    report.PrintText(std::cout);
  }
  return 0;
}

}  // namespace

void AddDropCommand(CLI::App& cli, CommandTable& commands) {
  auto o = std::make_shared<DropOptions>();
  DialogScript& s = o->script;
  CLI::App* command = cli.add_subcommand(
      "drop",
      "Drop a catalogue item onto a scene: the selection dialog is driven by the choices "
      "given here, else by the remembered ones (preferences), else by its defaults; OK builds "
      "the part. Prints what the ray hit (or that it hit nothing), the size chosen and why, "
      "every hole cut and into which part, each new part's name, part number, bill of "
      "materials and solid, then writes the export and the scene. A standard given without "
      "--kind and --type selects its own kind and type. Without SCENE: a new scene, written to "
      "drop.json and exported to drop.step.");
  command->add_option("SCENE", o->scenePath, "Scene file (.json) to drop onto");
  command->add_option("--at", o->at, "Drop point X,Y,Z in mm (default 0,0,0)");
  command->add_option("--dir", o->dir,
                      "Drop along the ray from --at in direction DX,DY,DZ onto what it meets "
                      "first (a face, a hole, a circular edge)");
  command->add_option("--import", o->importPath,
                      "Import a STEP part into the scene first (saved with the scene)");
  command->add_option("--kind", s.kind, "bolt, screw, setscrew, washer or nut")
      ->check(CLI::IsMember({"bolt", "screw", "setscrew", "washer", "nut"}));
  AddChoiceOptions(*command, s);
  command->add_option("--hole", s.hole, "Hole cut under a bolt or screw")
      ->check(CLI::IsMember({"none", "simple", "counterbore", "countersink"}));
  command->add_option("--tolerance", s.tolerance, "Hole tolerance class, e.g. \"ISO 273 medium\"");
  command->add_option("--fit", s.fit,
                      "How a hole's diameter gives the size (remembered): rule (default: the "
                      "largest size not above it), clearance (an ISO 273 clearance hole of the "
                      "--tolerance class), tapped (a tap-drill hole, ISO 2306), auto (whichever "
                      "reading fits best)")
      ->check(CLI::IsMember({"rule", "clearance", "tapped", "auto"}));
  command->add_flag("--washer", s.washer, "Add a washer under the head");
  command->add_flag("--nut", s.nut, "Add a nut at the bolt's end");
  command->add_flag("--assembly", s.assembly,
                    "Gather washer, bolt and nut in an assembly; dropped on a bolt or screw "
                    "placed earlier, only the --washer and --nut it lacks are added, fitted to "
                    "it, and it is gathered with them (never built a second time)");
  command->add_flag("--keep-invalid", o->keepInvalid, kKeepInvalidHelp);
  command->add_flag("--json", o->json,
                    "Print the report (what the ray hit, the size chosen and why, the holes cut, "
                    "the new parts, the parts placed before that it gathered into a new "
                    "assembly, the files written) as one JSON object");
  command->add_option("-o", o->outPath, "Write the scene here (default: SCENE, or drop.json)");
  command->add_option("--export", o->exportPath,
                      "Export the scene: .step, .stp, .stl or .glb (default without SCENE: "
                      "drop.step)");
  // An empty text is no choice at all: refused rather than taken as "not given".
  for (CLI::Option* option : command->get_options()) {
    if (option->get_expected_max() > 0 && option->get_name() != "--type") option->check(kNotEmpty);
  }
  commands.emplace_back(command,
                        [o](AppHost& app) { return ExitCodeOf([&] { return Drop(app, *o); }); });
}

}  // namespace vormbrace::app
