// vormbrace set: the designer types a new shank length (or a formula) into a bolt's or screw's
// "Body" size box. The host raises PreUpdate on the part's class, which makes the part follow
// the standard for that length, then regenerates the part.
#include <iostream>
#include <memory>
#include <sstream>

#include "app/CommandSupport.h"
#include "app/Commands.h"
#include "front/PartActions.h"
#include "host/reference/Expression.h"
#include "host/reference/SceneFile.h"

namespace vormbrace::app {
namespace {

using host::ref::SceneShape;

std::string LengthWrong(const std::string& text) {
  return "--length takes a length in mm above 0 and at most " + Number(front::kLongestShank) +
         ", not \"" + text + "\"";
}

struct SetOptions {
  std::string scenePath;
  std::string part;
  std::string length;
  std::string expression;
  std::string outPath;
};

// The typed length; the range is the part's to check (front::TypeShankLength).
double ParseLength(const std::string& text) {
  try {
    std::size_t used = 0;
    const double value = std::stod(text, &used);
    if (used == text.size()) return value;
  } catch (const std::logic_error&) {
  }
  throw UsageError(LengthWrong(text));
}

int Set(AppHost& app, const SetOptions& o) {
  if (o.length.empty() == o.expression.empty()) {
    throw UsageError("give either --length or --expression");
  }
  const double length = o.length.empty() ? 0 : ParseLength(o.length);
  OpenScene scene = LoadSceneForCommand(app, o.scenePath);
  SceneShape& part = FindPart(*scene.document, o.part);

  std::ostringstream report;
  try {
    for (const host::ref::PopupRecord& popup :
         front::TypeShankLength(*app.host, part, length, o.expression)) {
      report << popup.form << ":";
      for (const std::string& caption : popup.captions) report << " " << caption;
      report << "\n";
    }
  } catch (const front::ValueError& e) {
    throw UsageError(o.expression.empty() ? LengthWrong(o.length)
                                          : "--expression \"" + o.expression + "\": " + e.what());
  } catch (const host::ref::ExpressionError& e) {
    throw UsageError(std::string("--expression: ") + e.what());
  }
  if (!o.expression.empty()) {
    report << "the shank length is driven by the formula: the part keeps its standard length\n";
  }
  PrintShape(report, part, *scene.kernel, "");
  WriteBack(scene, o.outPath.empty() ? o.scenePath : o.outPath, report);
  return 0;
}

}  // namespace

void AddSetCommand(CLI::App& cli, CommandTable& commands) {
  auto o = std::make_shared<SetOptions>();
  CLI::App* command = cli.add_subcommand(
      "set",
      "Type a new shank length into a placed bolt or screw (its \"Body\" size box), as a "
      "designer does in the host: the part follows the standard, rebuilt from the record of "
      "its size nearest to the length (47 gives the 45 record; a threaded rod takes the whole "
      "millimetres), renamed and with its bill of materials; a change of 0.1 mm or less "
      "changes nothing. A formula drives the length instead: the part then keeps its record. "
      "Prints the length popup and the part, then writes the scene.");
  command->add_option("SCENE", o->scenePath, "Scene file (.json)")->required();
  command->add_option("--part", o->part, "The part: its name or its system name (e.g. Part3)")
      ->required();
  command->add_option("--length", o->length, "The new shank length in mm (above 0, at most 10000)");
  command->add_option("--expression", o->expression,
                      "A formula for the length instead, e.g. \"2*20+5\" (numbers, + - * / and "
                      "parentheses)");
  command->add_option("-o", o->outPath,
                      "Write the scene here (default: SCENE, replaced atomically; a failure "
                      "leaves it untouched)");
  commands.emplace_back(command,
                        [o](AppHost& app) { return ExitCodeOf([&] { return Set(app, *o); }); });
}

}  // namespace vormbrace::app
