// vormbrace inspect: a scene as JSON.
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "app/Commands.h"
#include "host/reference/SceneFile.h"

namespace vormbrace::app {

void AddInspectCommand(CLI::App& cli, CommandTable& commands) {
  auto scenePath = std::make_shared<std::string>();
  CLI::App* inspect = cli.add_subcommand(
      "inspect", "Print a scene file as JSON: shapes, components, variables with their types, "
                 "data tables, profiles, data objects. Without SCENE: a new, empty scene.");
  inspect->add_option("SCENE", *scenePath, "Scene file (.json) to read");
  commands.emplace_back(inspect, [scenePath](AppHost&) {
    auto document = scenePath->empty() ? std::make_unique<host::ref::SceneDocument>()
                                       : host::ref::LoadScene(*scenePath);
    std::cout << host::ref::SceneToJson(*document).dump(2, ' ', false,
                                                        nlohmann::json::error_handler_t::replace)
              << "\n";
    return 0;
  });
}

}  // namespace vormbrace::app
