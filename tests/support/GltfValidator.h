// The Khronos glTF validator (Node package installed by scripts/setup.sh), run on a file.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace vormbrace::test {

// The validator's report of `path`; a report with one error saying what went wrong when the
// validator could not run.
nlohmann::json ValidateGltf(const std::string& path);

}  // namespace vormbrace::test
