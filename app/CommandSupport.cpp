// Shared parts of the scene commands.
#include "app/CommandSupport.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <sstream>

#include "host/DataObject.h"
#include "host/RuntimeError.h"
#include "host/occt/Import.h"
#include "host/reference/SceneFile.h"

namespace vormbrace::app {

using host::ref::SceneShape;

std::string Number(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.3f", value);
  std::string text = buf;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

OpenScene LoadSceneForCommand(AppHost& app, const std::string& path) {
  OpenScene scene;
  scene.lock = std::make_unique<host::FileLock>(path);
  scene.document = host::ref::LoadScene(path);
  scene.kernel = &host::occt::AttachKernel(*scene.document);
  app.host->Attach(*scene.document);
  return scene;
}

void WriteBack(OpenScene& scene, const std::string& path, std::ostringstream& report) {
  host::ref::SaveScene(*scene.document, path);
  report << "wrote " << path << "\n";
  std::cout << report.str();
}

namespace {

void CollectParts(SceneShape& shape, std::vector<SceneShape*>& parts) {
  for (auto& child : shape.Children()) {
    if (child->Type() == host::kShapePart) parts.push_back(child.get());
    if (child->Type() == host::kShapeAssembly) CollectParts(*child, parts);
  }
}

std::string Listed(const std::vector<SceneShape*>& parts, bool withNames) {
  std::string text;
  for (SceneShape* p : parts) {
    text += (text.empty() ? "" : ", ") + p->SystemName();
    if (withNames) text += " \"" + p->Name() + "\"";
  }
  return text;
}

}  // namespace

SceneShape& FindPart(host::ref::SceneDocument& document, const std::string& name) {
  std::vector<SceneShape*> parts;
  CollectParts(document.Root(), parts);
  std::vector<SceneShape*> named;
  for (SceneShape* p : parts) {
    if (p->SystemName() == name) return *p;
    if (p->Name() == name) named.push_back(p);
  }
  if (named.size() == 1) return *named.front();
  if (named.size() > 1) {
    throw CommandError("several parts are named \"" + name +
                       "\": name one by its system name: " + Listed(named, false));
  }
  if (parts.empty()) throw CommandError("no part \"" + name + "\": the scene has no parts");
  throw CommandError("no part \"" + name + "\"; the parts are: " + Listed(parts, true));
}

void PrintShape(std::ostream& out, SceneShape& shape, host::occt::OcctEvaluator& kernel,
                const std::string& indent) {
  out << indent << shape.Name() << "\n";
  if (shape.Suppressed()) out << indent << "  suppressed\n";
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

void AddChoiceOptions(CLI::App& command, DialogScript& s) {
  command.add_option("--family", s.family, "Standards family: ISO or DIN");
  command.add_option("--type", s.type,
                     "Type within the kind: bolt 1-10, screw 1-12, setscrew 1-9, washer 1-8, "
                     "nut 1-9")
      ->check(CLI::Range(1, 12));
  command.add_option("--standard", s.standard, "Standard, e.g. \"ISO 4017\"");
  command.add_option("--size", s.size, "Size, e.g. M10");
  command.add_option("--length", s.length, "Length in mm (any length for a threaded rod)");
  command.add_option("--material", s.material, "Material, e.g. 8.8");
}

void RunAddIn(AppHost& app, const DialogScript& script, bool needsConfirm,
              const std::function<void()>& entry) {
  DialogPresenter presenter(script);
  WarnUnlessChoicesSaved(front::RunAddIn(*app.host, presenter, needsConfirm, entry));
}

void WarnUnlessChoicesSaved(bool saved) {
  // The preferences only remember the dialog's choices: failing to save them is a warning.
  if (!saved) std::cerr << "vormbrace: warning: the remembered choices were not saved\n";
}

int ExitCodeOf(const std::function<int()>& command) {
  try {
    return command();
  } catch (const UsageError& e) {
    std::cerr << "vormbrace: " << e.what() << "\n";
    return 2;
  } catch (const front::ActionRefused& e) {
    // The add-in's own message is on standard error already.
    std::cerr << "vormbrace: " << (e.Shown() ? "nothing was written" : Printable(e.what()))
              << "\n";
    return 1;
  } catch (const host::RuntimeError& e) {
    std::cerr << "vormbrace: error " << e.Number() << ": " << e.Description() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "vormbrace: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace vormbrace::app
