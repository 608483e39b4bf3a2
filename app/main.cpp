// vormbrace: runs the add-in's entry points against the reference host from the command line.
#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

#include "app/AppHost.h"
#include "app/SettingsReport.h"
#include "data/Globals.h"
#include "host/reference/SceneFile.h"
#include "host/reference/SettingsStore.h"

namespace {

using vormbrace::app::AppHost;

int Inspect(const std::string& scenePath) {
  std::unique_ptr<host::ref::SceneDocument> document =
      scenePath.empty() ? std::make_unique<host::ref::SceneDocument>() : host::ref::LoadScene(scenePath);
  std::cout << host::ref::SceneToJson(*document).dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
            << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App cli{
      "Vormbrace: a catalogue of standard fasteners (bolts, screws, set screws, washers, nuts)\n"
      "built from ISO and DIN tables, run against the reference host."};
  cli.require_subcommand(1);
  std::string config;
  cli.add_option("--config", config,
                 "Settings file standing in for the registry (default: the bundled standards' "
                 "settings.json)");

  std::string scenePath;
  CLI::App* inspect = cli.add_subcommand(
      "inspect", "Print a scene file as JSON: shapes, components, variables with their types, "
                 "data tables, profiles, data objects. Without SCENE: a new, empty scene.");
  inspect->add_option("SCENE", scenePath, "Scene file (.json) to read");

  bool settings = false;
  CLI::App* catalog = cli.add_subcommand("catalog", "Show what the catalogue is built from.");
  catalog->add_flag("--settings", settings,
                    "Print the resolved settings: language, application folder, standards "
                    "families, each kind's data folder and index file, tolerance files, "
                    "preferences file and thread texture")
      ->required();

  CLI11_PARSE(cli, argc, argv);
  try {
    AppHost app = vormbrace::app::StartHost(config);
    if (*inspect) return Inspect(scenePath);
    if (*catalog) {
      vormbrace::app::PrintSettings(app, std::cout);
      return 0;
    }
  } catch (const std::exception& e) {
    std::cerr << "vormbrace: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
