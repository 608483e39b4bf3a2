// vormbrace export: a scene as STEP, STL or glTF.
#include <iostream>
#include <memory>

#include "app/Commands.h"
#include "app/ExportSettings.h"
#include "host/reference/SceneFile.h"

namespace vormbrace::app {
namespace {

struct ExportFlags {
  std::string scenePath, outPath, part;
  MeshFlags mesh;
};

}  // namespace

void AddExportCommand(CLI::App& cli, CommandTable& commands) {
  auto flags = std::make_shared<ExportFlags>();
  CLI::App* command = cli.add_subcommand(
      "export",
      "Write a scene, by the output's extension: STEP AP214 keeping its assemblies (one product "
      "per distinct part, one instance per placement, names, material colours, part numbers "
      "and descriptions); binary STL (one mesh of all parts); binary glTF (one mesh per "
      "distinct part, one node per placement, a material per fastener material, the thread "
      "texture on threaded faces).");
  command->add_option("SCENE", flags->scenePath, "Scene file (.json) to read")->required();
  command->add_option("OUT", flags->outPath, "Output file: .step, .stp, .stl or .glb")->required();
  command->add_option("--part", flags->part,
                      "Write only the first part of this name, placed as in the scene");
  AddMeshFlags(*command, flags->mesh);
  commands.emplace_back(command, [flags](AppHost& app) {
    host::occt::FormatOf(flags->outPath);  // an unknown extension fails before any work
    host::occt::ExportOptions options = ExportOptionsFor(app, flags->mesh);
    options.part = flags->part;
    auto document = host::ref::LoadScene(flags->scenePath);
    host::occt::ExportScene(*document, flags->outPath, options);
    std::cout << "wrote " << flags->outPath << "\n";
    return 0;
  });
}

}  // namespace vormbrace::app
