// Texts in STEP files (ISO 10303-21): only printable ASCII may stand in a string; the
// apostrophe and the backslash are doubled and every other character is written as a
// directive (\X\hh, \X2\hhhh..\X0\ within the basic plane, \X4\hhhhhhhh..\X0\ beyond it).
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace host::occt {

// `text` (UTF-8) as it stands between the apostrophes of a STEP string. A byte that starts no
// UTF-8 character is written as the ISO 8859-1 character of that code.
std::string StepString(std::string_view text);

// The longest start of `text`, cut at a character's start, whose StepString is at most `most`
// bytes long.
std::string CutStepText(const std::string& text, std::size_t most);

// Writes `file`, a STEP file as the kernel's writer makes it, to `out` with every string
// rewritten as StepString: the writer leaves characters beyond ASCII as UTF-8 bytes and breaks
// long strings into lines inside them.
void WriteAsciiStepFile(std::string_view file, std::ostream& out);

}  // namespace host::occt
