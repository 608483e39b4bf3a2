// vormbrace copy: the host copies a part, as a designer copies it in the scene: a new part with
// its own SystemName and placement, the same records, tables and component identifier, so that
// an edit of one rebuilds the others.
#include <iostream>
#include <memory>
#include <sstream>

#include "app/CommandSupport.h"
#include "app/Commands.h"
#include "host/reference/SceneFile.h"

namespace vormbrace::app {
namespace {

struct CopyOptions {
  std::string scenePath;
  std::string part;
  std::string at;
  std::string dir;
  std::string outPath;
};

int Copy(AppHost& app, const CopyOptions& o) {
  using host::ref::Vec3;
  const bool moved = !o.at.empty();
  const Vec3 at = moved ? ParseTriple(o.at, "--at") : Vec3{};
  const Vec3 dir = o.dir.empty() ? Vec3{} : ParseTriple(o.dir, "--dir");
  if (!o.dir.empty() && host::ref::Length(dir) == 0) throw UsageError("--dir must not be 0,0,0");

  OpenScene scene = LoadSceneForCommand(app, o.scenePath);
  host::ref::SceneShape& part = FindPart(*scene.document, o.part);
  auto& copy = static_cast<host::ref::SceneShape&>(part.Copy(true));
  host::ref::RigidTransform frame = part.Frame();
  if (moved) frame.translation = at;
  if (!o.dir.empty()) frame.rotation = host::ref::RotationTaking({0, 0, 1}, dir);
  copy.SetFrame(frame);

  std::ostringstream report;
  report << "copied " << part.SystemName() << " to " << copy.SystemName() << "\n";
  PrintShape(report, copy, *scene.kernel, "");
  WriteBack(scene, o.outPath.empty() ? o.scenePath : o.outPath, report);
  return 0;
}

}  // namespace

void AddCopyCommand(CLI::App& cli, CommandTable& commands) {
  auto o = std::make_shared<CopyOptions>();
  CLI::App* command = cli.add_subcommand(
      "copy",
      "Copy a part of a scene as the host does: the copy keeps the part's records, tables, "
      "name and component identifier (so an edit of one rebuilds the other) and gets its own "
      "system name and placement. Prints the copy, then writes the scene.");
  command->add_option("SCENE", o->scenePath, "Scene file (.json)")->required();
  command->add_option("--part", o->part, "The part: its name or its system name (e.g. Part3)")
      ->required();
  command->add_option("--at", o->at,
                      "Put the copy's origin here, X,Y,Z in mm (default: where "
                      "the part is)");
  command->add_option("--dir", o->dir,
                      "Turn the copy so that its Z axis (a fastener's axis, head up) points "
                      "along DX,DY,DZ (default: as the part is turned)");
  command->add_option("-o", o->outPath,
                      "Write the scene here (default: SCENE, replaced atomically; a failure "
                      "leaves it untouched)");
  commands.emplace_back(command,
                        [o](AppHost& app) { return ExitCodeOf([&] { return Copy(app, *o); }); });
}

}  // namespace vormbrace::app
