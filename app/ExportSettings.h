// What the export commands share: the tessellation options on the command line and the export
// options they make with the standards library's material looks.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "app/AppHost.h"
#include "host/occt/Export.h"

namespace vormbrace::app {

struct MeshFlags {
  double deflection = host::occt::ExportOptions{}.deflection;
  double angle = host::occt::ExportOptions{}.angle;
};

// Adds --deflection and --angle to `command`.
void AddMeshFlags(CLI::App& command, MeshFlags& flags);

// Prints an export's warning on the error stream, as the program's other warnings.
void PrintExportWarning(const std::string& message);

// Export options with the flags, the material looks of the host's standards library and the
// warnings printed.
// Raises std::runtime_error naming the looks table and line when it is damaged.
host::occt::ExportOptions ExportOptionsFor(AppHost& app, const MeshFlags& flags = {});

}  // namespace vormbrace::app
