// A document exported to memory (STEP, STL or binary glTF), for downloads and the 3D views.
#pragma once

#include <filesystem>
#include <string>

#include "host/occt/Export.h"

namespace vormbrace::server {

// The exporter writes files: this one goes through `file` in the server's own scratch folder
// and is removed again. Raises what ExportScene raises.
std::string ExportBytes(host::ref::SceneDocument& document, const std::filesystem::path& file);

}  // namespace vormbrace::server
