// vormbrace drawing: a scene's parts as an SVG drawing sheet with cosmetic threads.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/Commands.h"
#include "host/occt/Drawing.h"
#include "host/reference/DrawingView.h"
#include "host/reference/SceneFile.h"

namespace vormbrace::app {
namespace {

struct DrawingOptions {
  std::string scene, out, part;
  std::vector<std::string> views;
  bool hidden = false;
};

bool HasSvgExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return ext == ".svg";
}

}  // namespace

void AddDrawingCommand(CLI::App& cli, CommandTable& commands) {
  auto o = std::make_shared<DrawingOptions>();
  CLI::App* command = cli.add_subcommand(
      "drawing",
      "Draw a scene's parts in orthographic views on an SVG sheet: hidden-line removal on the "
      "solids, visible edges thick, and for every bolt, screw and set screw its thread as "
      "ISO 6410-1 draws it (thin root lines and a thick thread-end line across the axis, a thin "
      "three-quarter root circle along it, the callout such as \"M10\"). Threads are drawn in "
      "views across or along their axis, not in the isometric view. The sheet (A4 to A0) and "
      "scale (ISO 5455) are chosen to fit; millimetres are true to size at the stated scale.");
  command->add_option("SCENE", o->scene, "Scene file (.json) to read")->required();
  command->add_option("--part", o->part, "Draw only the parts of this name");
  command
      ->add_option(
          "--view", o->views,
          "Views, side by side in the order given (default: front): " + host::ref::ViewNames())
      ->take_all()
      ->expected(1, 7);
  command->add_flag("--hidden", o->hidden, "Also draw hidden lines, thin and dashed");
  command->add_option("-o,--output", o->out, "Drawing to write (.svg)")->required();
  commands.emplace_back(command, [o](AppHost& app) {
    if (o->views.empty()) o->views = {"front"};
    for (const std::string& v : o->views) {
      if (host::ref::FindView(v) == nullptr) {
        throw host::occt::DrawingError("unknown view \"" + v +
                                       "\" (views: " + host::ref::ViewNames() + ")");
      }
    }
    if (!HasSvgExtension(o->out)) {
      throw host::occt::DrawingError(o->out + ": a drawing is written as .svg");
    }
    auto document = host::ref::LoadScene(o->scene);
    host::occt::DrawingRequest request{o->views, o->part, o->hidden};
    std::vector<host::ref::DrawnView> views;
    try {
      views = host::occt::DrawViews(*document, app.host->Classes(), request);
    } catch (const host::occt::DrawingError& e) {
      throw host::occt::DrawingError(o->scene + ": " + e.what());
    }
    host::occt::WriteDrawing(views, std::filesystem::path(o->scene).stem().string(), o->out);
    std::cout << "wrote " << o->out << "\n";
    return 0;
  });
}

}  // namespace vormbrace::app
