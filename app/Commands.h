// The program's subcommands. Each command file adds its subcommand to the command line and
// the function that runs it, once the host is up.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <utility>
#include <vector>

#include "app/AppHost.h"

namespace vormbrace::app {

using CommandRun = std::function<int(AppHost&)>;
using CommandTable = std::vector<std::pair<CLI::App*, CommandRun>>;

void AddInspectCommand(CLI::App& cli, CommandTable& commands);
void AddCatalogCommand(CLI::App& cli, CommandTable& commands);
void AddRecordCommand(CLI::App& cli, CommandTable& commands);
void AddExportCommand(CLI::App& cli, CommandTable& commands);
void AddBuildCommand(CLI::App& cli, CommandTable& commands);
void AddDropCommand(CLI::App& cli, CommandTable& commands);
void AddBatchCommand(CLI::App& cli, CommandTable& commands);
void AddServeCommand(CLI::App& cli, CommandTable& commands);
void AddCacheCommand(CLI::App& cli, CommandTable& commands);

}  // namespace vormbrace::app
