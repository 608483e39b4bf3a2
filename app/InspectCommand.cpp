// vormbrace inspect: a scene as JSON, each part with the figures of its solid.
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "app/Commands.h"
#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneFile.h"

namespace vormbrace::app {
namespace {

using nlohmann::json;

// The figures of a part's solid, or the error that stops it.
json SolidJson(host::occt::OcctEvaluator& kernel, host::ref::SceneShape& part) {
  try {
    host::occt::SolidFigures f = kernel.Figures(part);
    return {{"valid", f.valid},
            {"solids", f.solids},
            {"volume", f.volume},
            {"box",
             {{"min", {f.boxMin.x, f.boxMin.y, f.boxMin.z}},
              {"max", {f.boxMax.x, f.boxMax.y, f.boxMax.z}}}},
            {"faces", f.faces}};
  } catch (const std::exception& e) {
    return {{"error", e.what()}};
  }
}

// Adds "solid" to every part node of the shape tree, whose nodes stand in the order of the
// document's shapes (so the walk needs no search by id).
void AddSolids(host::ref::SceneShape& shape, host::occt::OcctEvaluator& kernel, json& node) {
  if (shape.Type() == host::kShapePart) node["solid"] = SolidJson(kernel, shape);
  json& children = node["children"];
  for (std::size_t i = 0; i < shape.Children().size() && i < children.size(); ++i)
    AddSolids(*shape.Children()[i], kernel, children[i]);
}

}  // namespace

void AddInspectCommand(CLI::App& cli, CommandTable& commands) {
  auto scenePath = std::make_shared<std::string>();
  auto stats = std::make_shared<bool>(false);
  CLI::App* inspect = cli.add_subcommand(
      "inspect",
      "Print a scene file as JSON: shapes, components, variables with their types, "
      "data tables, profiles, data objects, and each part's solid (valid, number of "
      "solids, volume in mm3, bounding box, faces). Without SCENE: a new, empty scene.");
  inspect->add_option("SCENE", *scenePath, "Scene file (.json) to read");
  inspect->add_flag("--stats", *stats,
                    "Also print what the kernel did (\"kernel\"): part solids built by booleans, "
                    "shapes built directly (chamfered heads and nuts, shanks on them, pockets, "
                    "cross recesses), slot tools pushed clear of the solid, solids read from and "
                    "written to the solid cache");
  commands.emplace_back(inspect, [scenePath, stats](AppHost&) {
    auto document = scenePath->empty() ? std::make_unique<host::ref::SceneDocument>()
                                       : host::ref::LoadScene(*scenePath);
    host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(*document);
    json out = host::ref::SceneToJson(*document);
    AddSolids(document->Root(), kernel, out["root"]);
    if (*stats) {
      const host::occt::KernelCounts& c = kernel.Counts();
      out["kernel"] = {{"booleanBuilds", c.booleanBuilds},
                       {"directBuilds", c.directBuilds},
                       {"clearedTools", c.clearedTools},
                       {"cacheHits", c.cacheHits},
                       {"cacheWrites", c.cacheWrites}};
    }
    std::cout << out.dump(2, ' ', false, json::error_handler_t::replace) << "\n";
    return 0;
  });
}

}  // namespace vormbrace::app
