// The check a command makes before it writes a part: its solid must be one or more valid solids
// with material, else the command writes nothing unless asked to keep it (--keep-invalid).
#pragma once

#include <string>

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneDocument.h"

namespace vormbrace::app {

// "" when the part's solid is valid, has at least one solid and a volume; else the message
// that names the part and what is wrong with it. A kernel failure counts as not valid.
std::string InvalidSolid(host::occt::OcctEvaluator& kernel, host::ref::SceneShape& part);

// The help text of --keep-invalid.
inline constexpr const char* kKeepInvalidHelp =
    "Write the result even when a part's solid is not valid or empty (default: refuse, exit 1)";

}  // namespace vormbrace::app
