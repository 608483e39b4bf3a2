// vormbrace drop: a catalogue drop onto a scene, as the host makes it: the drop hook analyses
// what was hit, the selection dialog is driven from the command line's choices (else the
// remembered ones), and OK builds the part. Prints what was built and writes the scene and the
// export; a failure anywhere writes nothing.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/CliInput.h"
#include "app/Commands.h"
#include "app/DropWithDialog.h"
#include "app/ExportSettings.h"
#include "app/SolidCheck.h"
#include "data/Prefs.h"
#include "host/DataObject.h"
#include "host/RuntimeError.h"
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
  bool keepInvalid = false;
  DialogScript script;
};

std::string Number(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.3f", value);
  std::string text = buf;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

void CollectIds(SceneShape& shape, std::set<std::int32_t>& ids) {
  for (auto& child : shape.Children()) {
    if (child->Type() == host::kShapePart || child->Type() == host::kShapeAssembly) {
      ids.insert(child->SystemID());
      CollectIds(*child, ids);
    }
  }
}

// What a new part or assembly shows: name, description record, bill of materials, solid.
void PrintShape(std::ostream& out, SceneShape& shape, host::occt::OcctEvaluator& kernel,
                const std::string& indent) {
  out << indent << shape.Name() << "\n";
  if (host::DataObject* d = shape.DataObject(host::kDescriptionGuid, false)) {
    if (shape.Type() == host::kShapeAssembly)
      out << indent << "  description: " << d->Description() << "\n";
    out << indent << "  part number: " << d->PartNumber() << "\n";
  }
  if (host::DataObject* bom = shape.DataObject(host::kAttributeListGuid, false)) {
    for (std::int32_t i = 1; i <= bom->Count(); ++i) {
      out << indent << "  " << bom->EntryName(i) << ": " << bom->EntryValue(i) << "\n";
    }
  }
  if (shape.Type() == host::kShapePart) {
    host::occt::SolidFigures f = kernel.Figures(shape);
    out << indent << "  solid: " << (f.valid ? "valid" : "NOT VALID") << ", " << f.solids
        << (f.solids == 1 ? " solid" : " solids") << ", volume " << Number(f.volume) << " mm3, "
        << f.faces << " faces, box (" << Number(f.boxMin.x) << ", " << Number(f.boxMin.y) << ", "
        << Number(f.boxMin.z) << ") to (" << Number(f.boxMax.x) << ", " << Number(f.boxMax.y)
        << ", " << Number(f.boxMax.z) << ")\n";
  }
}

void PrintNew(std::ostream& out, SceneShape& shape, const std::set<std::int32_t>& before,
              host::occt::OcctEvaluator& kernel, const std::string& indent) {
  for (auto& child : shape.Children()) {
    if (child->Type() != host::kShapePart && child->Type() != host::kShapeAssembly) continue;
    bool isNew = before.count(child->SystemID()) == 0;
    if (isNew) PrintShape(out, *child, kernel, indent);
    PrintNew(out, *child, before, kernel, isNew ? indent + "  " : indent);
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
  // What was done, printed once the files are written.
  std::ostringstream report;
  if (!o.importPath.empty()) {
    host::ref::SceneShape& part = host::occt::ImportStepPart(*document, o.importPath);
    report << "imported " << o.importPath << " as \"" << part.Name() << "\"\n";
  }
  std::set<std::int32_t> before;
  CollectIds(document->Root(), before);

  // Along a ray: what it meets first; without one, a drop on nothing at the drop point.
  host::ref::DropHit hit;
  if (o.dir.empty()) {
    hit.dropPoint = at;
  } else {
    hit = host::occt::PickScene(*document, at, dir);
  }
  host::ref::RecordedDrop hook(*document, hit);
  DialogPresenter presenter(o.script);
  DropWithDialog(*app.host, hook, presenter);

  // The add-in has printed its own messages (standard error); nothing is written after one.
  if (!presenter.Error().empty()) {
    std::cerr << "vormbrace: " << Printable(presenter.Error()) << "\n";
    return 1;
  }
  // The preferences only remember the dialog's choices: failing to save them is a warning.
  bool failed = false;
  for (const host::ref::MessageRecord& m : app.host->Messages()) {
    if (m.title == kWritePrefsTitle) {
      std::cerr << "vormbrace: warning: the remembered choices were not saved\n";
    } else {
      failed = true;
    }
  }
  if (!presenter.Confirmed() || failed) {
    std::cerr << "vormbrace: nothing was written\n";
    return 1;
  }

  std::set<std::int32_t> after;
  CollectIds(document->Root(), after);
  for (std::int32_t id : after) {
    SceneShape* shape = before.count(id) == 0 ? document->Find(id) : nullptr;
    if (shape == nullptr || shape->Type() != host::kShapePart || o.keepInvalid) continue;
    if (std::string why = InvalidSolid(kernel, *shape); !why.empty()) {
      std::cerr << "vormbrace: " << why << "\n";
      return 1;
    }
  }

  // The scene first, the export only once the scene is written.
  PrintNew(report, document->Root(), before, kernel, "");
  host::ref::SaveScene(*document, scenePath);
  report << "wrote " << scenePath << "\n";
  if (!exportPath.empty()) {
    host::occt::ExportScene(*document, exportPath, ExportOptionsFor(app));
    report << "wrote " << exportPath << "\n";
  }
  std::cout << report.str();
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
      "the part. Prints each new part's name, part number, bill of materials and solid, then "
      "writes the export and the scene. Without SCENE: a new scene, written to drop.json and "
      "exported to drop.step.");
  command->add_option("SCENE", o->scenePath, "Scene file (.json) to drop onto");
  command->add_option("--at", o->at, "Drop point X,Y,Z in mm (default 0,0,0)");
  command->add_option("--dir", o->dir,
                      "Drop along the ray from --at in direction DX,DY,DZ onto what it meets "
                      "first (a face, a hole, a circular edge)");
  command->add_option("--import", o->importPath,
                      "Import a STEP part into the scene first (saved with the scene)");
  command->add_option("--kind", s.kind, "bolt, screw, setscrew, washer or nut")
      ->check(CLI::IsMember({"bolt", "screw", "setscrew", "washer", "nut"}));
  command->add_option("--family", s.family, "Standards family: ISO or DIN");
  command->add_option("--type", s.type,
                      "Type within the kind: bolt 1-10, screw 1-12, setscrew 1-9, washer 1-8, "
                      "nut 1-9")
      ->check(CLI::Range(1, 12));
  command->add_option("--standard", s.standard, "Standard, e.g. \"ISO 4017\"");
  command->add_option("--size", s.size, "Size, e.g. M10");
  command->add_option("--length", s.length, "Length in mm (any length for a threaded rod)");
  command->add_option("--material", s.material, "Material, e.g. 8.8");
  command->add_option("--hole", s.hole, "Hole cut under a bolt or screw")
      ->check(CLI::IsMember({"none", "simple", "counterbore", "countersink"}));
  command->add_option("--tolerance", s.tolerance, "Hole tolerance class, e.g. \"ISO 273 medium\"");
  command->add_flag("--washer", s.washer, "Add a washer under the head");
  command->add_flag("--nut", s.nut, "Add a nut at the bolt's end");
  command->add_flag("--assembly", s.assembly, "Gather washer, bolt and nut in an assembly");
  command->add_flag("--keep-invalid", o->keepInvalid, kKeepInvalidHelp);
  command->add_option("-o", o->outPath, "Write the scene here (default: SCENE, or drop.json)");
  command->add_option("--export", o->exportPath,
                      "Export the scene: .step, .stp, .stl or .glb (default without SCENE: "
                      "drop.step)");
  // An empty text is no choice at all: refused rather than taken as "not given".
  for (CLI::Option* option : command->get_options()) {
    if (option->get_expected_max() > 0 && option->get_name() != "--type") option->check(kNotEmpty);
  }
  commands.emplace_back(command, [o](AppHost& app) {
    try {
      return Drop(app, *o);
    } catch (const UsageError& e) {
      std::cerr << "vormbrace: " << e.what() << "\n";
      return 2;
    } catch (const host::RuntimeError& e) {
      std::cerr << "vormbrace: error " << e.Number() << ": " << e.Description() << "\n";
      return 1;
    } catch (const host::occt::ImportError& e) {
      std::cerr << "vormbrace: " << e.what() << "\n";
      return 1;
    }
  });
}

}  // namespace vormbrace::app
