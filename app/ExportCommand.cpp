// vormbrace export: a scene's parts as STEP, STL or glTF.
#include <iostream>
#include <memory>

#include "app/Commands.h"
#include "host/occt/Export.h"
#include "host/reference/SceneFile.h"

namespace vormbrace::app {

void AddExportCommand(CLI::App& cli, CommandTable& commands) {
  auto scenePath = std::make_shared<std::string>();
  auto outPath = std::make_shared<std::string>();
  CLI::App* command = cli.add_subcommand(
      "export",
      "Write a scene's parts, each placed in the scene, as STEP AP214 (one named "
      "product per part), binary STL or binary glTF, by the output's extension.");
  command->add_option("SCENE", *scenePath, "Scene file (.json) to read")->required();
  command->add_option("OUT", *outPath, "Output file: .step, .stp, .stl or .glb")->required();
  commands.emplace_back(command, [scenePath, outPath](AppHost&) {
    host::occt::FormatOf(*outPath);  // an unknown extension fails before any work
    auto document = host::ref::LoadScene(*scenePath);
    host::occt::ExportScene(*document, *outPath);
    std::cout << "wrote " << *outPath << "\n";
    return 0;
  });
}

}  // namespace vormbrace::app
