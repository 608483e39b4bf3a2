// The export commands' shared options.
#include "app/ExportSettings.h"

#include <iostream>

#include "app/MaterialLooks.h"
#include "data/Settings.h"
#include "host/QuotedText.h"

namespace vormbrace::app {

void AddMeshFlags(CLI::App& command, MeshFlags& flags) {
  command
      .add_option("--deflection", flags.deflection,
                  "STL and glTF: largest distance of a facet from the true surface, mm")
      ->capture_default_str();
  command
      .add_option("--angle", flags.angle,
                  "STL and glTF: largest angle between neighbouring facets, radians")
      ->capture_default_str();
}

void PrintExportWarning(const std::string& message) {
  std::cerr << "vormbrace: warning: " << host::Printable(message) << "\n";
}

host::occt::ExportOptions ExportOptionsFor(AppHost& app, const MeshFlags& flags) {
  host::occt::ExportOptions options;
  options.deflection = flags.deflection;
  options.angle = flags.angle;
  std::string folder = app.host->Settings().Registry(kCorvaneKey, "ApplDir");
  options.appearanceOf = MaterialLooks::Load(MaterialLooksPath(folder)).ForParts();
  options.warn = PrintExportWarning;
  return options;
}

}  // namespace vormbrace::app
