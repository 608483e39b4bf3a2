// vormbrace serve: the catalogue's local web page over one scene.
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/Commands.h"
#include "server/Server.h"

namespace vormbrace::app {
namespace {

constexpr const char* kNewScene = "scene.json";

}  // namespace

void AddServeCommand(CLI::App& cli, CommandTable& commands) {
  auto o = std::make_shared<server::ServeOptions>();
  CLI::App* command = cli.add_subcommand(
      "serve",
      "Serve the catalogue's web page on this computer (127.0.0.1 only): the selection dialog "
      "with a picture of every type and a 3D preview of the chosen item, and the scene in 3D, "
      "where a click on a face, a hole or a circular edge drops the chosen item there; a part "
      "selected there can be edited in the dialog (as `edit` does), given another shank length "
      "(as `set` does) or deleted; with the part list, bill of materials and downloads (STEP, "
      "STL, GLB, an SVG drawing from the front and from above). Saves the scene after each change. "
      "Without SCENE: a new scene, saved to scene.json (which must not exist yet). Stop it "
      "with Ctrl+C.");
  command->add_option(
      "SCENE", o->scenePath,
      "Scene file (.json) to open; made on the first change when it does not exist");
  command->add_option("--port", o->port, "Port on 127.0.0.1 (default 8080; 0 takes a free one)")
      ->check(CLI::Range(0, 65535));
  command->add_flag(
      "--no-save", [o](std::int64_t) { o->save = false; },
      "Keep the scene in memory: nothing is written");
  commands.emplace_back(command, [o](AppHost& app) {
    server::ServeOptions options = *o;
    if (options.scenePath.empty() && options.save) {
      if (std::filesystem::exists(kNewScene)) {
        std::cerr << "vormbrace: " << kNewScene
                  << " exists: give it as SCENE to go on with it, or another name\n";
        return 2;
      }
      options.scenePath = kNewScene;
    }
    server::Serve(*app.host, options, [&options](const std::string& url) {
      std::cout << "vormbrace: serving "
                << (options.save ? options.scenePath : std::string("a scene in memory")) << " at "
                << url << " (Ctrl+C stops)" << std::endl;
    });
    return 0;
  });
}

}  // namespace vormbrace::app
