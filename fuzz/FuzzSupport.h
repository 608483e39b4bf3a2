// What every fuzz target needs: a reference host for the message boxes, a scratch folder for the
// table files, and the checks that hold whatever the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vormbrace::fuzz {

// Installs the host and the scratch folder on first use; answers the folder, ending in "/".
const std::string& Scratch();

// Writes `content` as the file `name` in the scratch folder and answers its path.
std::string WriteTable(const std::string& name, std::string_view content);

// Aborts unless every message shown since the last call has the title and an icon the queries
// use; then forgets them.
void CheckMessages();

// Aborts when `condition` is false (kept in release builds: a fuzzer must see it).
void Require(bool condition, const char* what);

}  // namespace vormbrace::fuzz
