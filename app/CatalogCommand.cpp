// vormbrace catalog: what the catalogue is built from.
#include <iostream>

#include "app/Commands.h"
#include "app/SettingsReport.h"

namespace vormbrace::app {

void AddCatalogCommand(CLI::App& cli, CommandTable& commands) {
  CLI::App* catalog = cli.add_subcommand("catalog", "Show what the catalogue is built from.");
  catalog->add_flag("--settings")
      ->description(
          "Print the resolved settings: language, application folder, standards "
          "families, each kind's data folder and index file, tolerance files, "
          "preferences file and thread texture")
      ->required();
  commands.emplace_back(catalog, [](AppHost& app) {
    PrintSettings(app, std::cout);
    return 0;
  });
}

}  // namespace vormbrace::app
