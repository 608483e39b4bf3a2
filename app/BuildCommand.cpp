// vormbrace build: one bolt, screw, set screw, washer or nut from its properties, without the
// dialog: a new scene, a new part, the class's generators by sub-type, then the export (and the
// scene).
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/BuildLimits.h"
#include "app/CliInput.h"
#include "app/ExportSettings.h"
#include "app/Commands.h"
#include "app/FastenerPart.h"
#include "app/SolidCheck.h"
#include "components/Classes.h"
#include "data/Settings.h"
#include "host/RuntimeError.h"
#include "host/SafeFile.h"
#include "host/occt/Export.h"
#include "host/reference/SceneFile.h"

namespace vormbrace::app {
namespace {

struct BuildOptions {
  std::string kind;
  std::int32_t type = 0;
  std::vector<std::string> sets;
  std::string name;
  std::string scenePath;
  std::string outPath;
  bool keepInvalid = false;
};

struct KindInfo {
  const char* kind;
  const char* progId;
  const char* className;
  const char* typeProperty;
  std::int32_t lastType;
};

// In kind order (0 bolts .. 4 nuts).
constexpr KindInfo kKinds[] = {
    {"bolt", kBoltProgId, "Bolt", "HeaderType", 10},
    {"screw", kScrewProgId, "Screw", "HeaderType", 12},
    {"setscrew", kScrewNoHeadProgId, "ScrewNoHead", "ComponentType", 9},
    {"washer", kWasherProgId, "Washer", "ComponentType", 8},
    {"nut", kNutProgId, "Nut", "ComponentType", 9},
};

std::unique_ptr<host::AutomationObject> NewObject(const char* progId) {
  for (const ClassInfo& c : FastenerClasses()) {
    if (std::string(c.progId) == progId) return c.create();
  }
  return nullptr;
}

int Build(const BuildOptions& o) {
  const KindInfo* kind = nullptr;
  for (const KindInfo& k : kKinds) kind = o.kind == k.kind ? &k : kind;
  if (o.type < 1 || o.type > kind->lastType) {
    std::cerr << "vormbrace: a " << o.kind << " has types 1 to " << kind->lastType << "\n";
    return 1;
  }
  host::occt::FormatOf(o.outPath);  // an unknown extension fails before any work
  if (!o.scenePath.empty() && host::SameFile(o.scenePath, o.outPath)) {
    std::cerr << "vormbrace: the export and the scene would both be written to "
              << Quoted(o.outPath) << "\n";
    return 2;
  }

  std::unique_ptr<host::AutomationObject> object = NewObject(kind->progId);
  object->PutProperty(kind->typeProperty, host::Value::Int32(o.type));
  for (const std::string& set : o.sets) {
    auto eq = set.find('=');
    if (eq == std::string::npos || eq == 0) {
      std::cerr << "vormbrace: --set takes NAME=VALUE, not \"" << set << "\"\n";
      return 1;
    }
    std::string name = set.substr(0, eq);
    try {
      object->PutProperty(name, host::Value::Text(set.substr(eq + 1)));
    } catch (const host::RuntimeError& e) {
      std::cerr << "vormbrace: --set " << Quoted(set) << ": " << kind->className << "." << name
                << ": " << e.Description() << "\n";
      return 1;
    }
  }

  // A --set of the type property itself must name a type of the kind, as --type does.
  if (std::int32_t type = object->GetProperty(kind->typeProperty).AsInt32();
      type < 1 || type > kind->lastType) {
    std::cerr << "vormbrace: " << kind->typeProperty << " " << type << ": a " << o.kind
              << " has types 1 to " << kind->lastType << "\n";
    return 1;
  }
  if (std::string why = ImpossibleDimensions(o.kind, *object); !why.empty()) {
    std::cerr << "vormbrace: " << why << "\n";
    return 1;
  }
  LoadLanguage();
  host::ref::SceneDocument document;
  host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(document);
  host::Shape& part = document.RootShape().Shapes(host::kShapePart).Add();
  part.SetName(o.name.empty() ? std::string(kind->className) + " " + std::to_string(o.type) : o.name);
  BuildFastenerPart(static_cast<std::int16_t>(kind - kKinds), *object, part);
  if (std::string why = InvalidSolid(kernel, static_cast<host::ref::SceneShape&>(part));
      !why.empty() && !o.keepInvalid) {
    std::cerr << "vormbrace: " << why << "\n";
    return 1;
  }
  if (!o.scenePath.empty()) host::ref::SaveScene(document, o.scenePath);
  host::occt::ExportOptions options;
  options.warn = PrintExportWarning;
  host::occt::ExportScene(document, o.outPath, options);
  std::cout << "wrote " << o.outPath << ": \"" << part.Name() << "\"\n";
  return 0;
}

}  // namespace

void AddBuildCommand(CLI::App& cli, CommandTable& commands) {
  auto o = std::make_shared<BuildOptions>();
  CLI::App* command = cli.add_subcommand(
      "build", "Build one bolt, screw, set screw, washer or nut from its properties in a new "
               "scene and export it (no dialog, no standards tables).");
  command->add_option("--kind", o->kind, "bolt, screw, setscrew, washer or nut")
      ->required()
      ->check(CLI::IsMember({"bolt", "screw", "setscrew", "washer", "nut"}));
  command->add_option("--type", o->type, "Sub-type: HeaderType (bolt 1-10, screw 1-12) or "
                                          "ComponentType (setscrew 1-9, washer 1-8, nut 1-9)")
      ->required();
  command->add_option("--set", o->sets,
                      "A property by member name, e.g. --set Diametro=10 --set lung=50")
      ->allow_extra_args(false);
  command->add_option("--name", o->name, "The part's name (default: the class and the type)")
      ->check(kUtf8Text);
  command->add_option("--scene", o->scenePath, "Also save the new scene to this file (.json)");
  command->add_flag("--keep-invalid", o->keepInvalid, kKeepInvalidHelp);
  command->add_option("OUT", o->outPath, "Output file: .step, .stp, .stl or .glb")->required();
  commands.emplace_back(command, [o](AppHost&) { return Build(*o); });
}

}  // namespace vormbrace::app
