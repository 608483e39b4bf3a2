// vormbrace: runs the add-in's entry points against the reference host from the command line.
#include <CLI/CLI.hpp>
#include <iostream>

#include "app/AppHost.h"
#include "app/Commands.h"

int main(int argc, char** argv) {
  CLI::App cli{
      "Vormbrace: a catalogue of standard fasteners (bolts, screws, set screws, washers, nuts)\n"
      "built from ISO and DIN tables, run against the reference host."};
  cli.require_subcommand(1);
  std::string config;
  cli.add_option("--config", config,
                 "Settings file standing in for the registry (default: the bundled standards' "
                 "settings.json)");
  bool noCache = false;
  cli.add_flag("--no-cache", noCache,
               "Build every solid afresh: neither read nor write the solid cache "
               "($XDG_CACHE_HOME/vormbrace, else ~/.cache/vormbrace)");

  vormbrace::app::CommandTable commands;
  vormbrace::app::AddInspectCommand(cli, commands);
  vormbrace::app::AddCatalogCommand(cli, commands);
  vormbrace::app::AddRecordCommand(cli, commands);
  vormbrace::app::AddExportCommand(cli, commands);
  vormbrace::app::AddBuildCommand(cli, commands);
  vormbrace::app::AddDropCommand(cli, commands);
  vormbrace::app::AddBatchCommand(cli, commands);
  vormbrace::app::AddServeCommand(cli, commands);
  vormbrace::app::AddCacheCommand(cli, commands);

  CLI11_PARSE(cli, argc, argv);
  try {
    vormbrace::app::AppHost app = vormbrace::app::StartHost(config, !noCache);
    for (auto& [subcommand, run] : commands) {
      if (!*subcommand) continue;
      int status = run(app);
      // The cache never stops a command; a folder it could not write is worth one line.
      if (app.cache && !app.cache->Warning().empty())
        std::cerr << "vormbrace: warning: " << app.cache->Warning() << "\n";
      return status;
    }
  } catch (const std::exception& e) {
    std::cerr << "vormbrace: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
