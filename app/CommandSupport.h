// What the scene commands (drop, copy, edit, set) share: reading their options, opening a scene
// with the kernel and the host's class events, naming a part, reporting a part, and running the
// add-in with the dialog presenter and the message check.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "app/AppHost.h"
#include "app/CliInput.h"
#include "dialog/DialogPresenter.h"
#include "front/AddInRun.h"
#include "host/SafeFile.h"
#include "host/occt/OcctEvaluator.h"
#include "host/reference/Math3.h"
#include "host/reference/SceneDocument.h"

namespace CLI {
class App;
}

namespace vormbrace::app {

// What the command asked for cannot be done to this scene: exit code 1, nothing written.
class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A length for printing: three decimals at most, no trailing zeros.
std::string Number(double value);

// A scene loaded from its file, with the kernel attached and the host's class events routed.
// The file stays locked until the command ends, so another command cannot change it between
// the read and the write back.
struct OpenScene {
  std::unique_ptr<host::FileLock> lock;
  std::unique_ptr<host::ref::SceneDocument> document;
  host::occt::OcctEvaluator* kernel = nullptr;
};
OpenScene LoadSceneForCommand(AppHost& app, const std::string& path);

// Saves the scene to `path`, then prints `report` followed by the file written: nothing is
// printed as done before the scene is on disk.
void WriteBack(OpenScene& scene, const std::string& path, std::ostringstream& report);

// The part named `name` (its scene name, or its SystemName such as "Part3"). CommandError for
// an unknown name (listing the parts) or a name several parts carry (listing their
// SystemNames).
host::ref::SceneShape& FindPart(host::ref::SceneDocument& document, const std::string& name);

// A part or assembly as the commands print it: name, description record, bill of materials,
// whether it is suppressed, and the solid's figures.
void PrintShape(std::ostream& out, host::ref::SceneShape& shape, host::occt::OcctEvaluator& kernel,
                const std::string& indent);

// The dialog choices an edit can change (family, type, standard, size, length, material).
void AddChoiceOptions(CLI::App& command, DialogScript& script);

// Runs an entry point of the add-in that may open the selection dialog, with `script` driving
// it; raises front::ActionRefused as front::RunAddIn does: nothing is to be written then. A
// failed save of the remembered choices is only a warning.
void RunAddIn(AppHost& app, const DialogScript& script, bool needsConfirm,
              const std::function<void()>& entry);

// Warns that the remembered choices were not saved when `saved` is false.
void WarnUnlessChoicesSaved(bool saved);

// Runs a command and turns its failures into their exit codes, each with a message on standard
// error: 2 for a usage error, 1 for anything else (an action refused after a message of the
// add-in's, printed already, says that nothing was written).
int ExitCodeOf(const std::function<int()>& command);

}  // namespace vormbrace::app
