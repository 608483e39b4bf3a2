// Texts shown in messages: what they quote reaches the terminal as plain text.
#pragma once

#include <string>
#include <string_view>

namespace host {

// The text quoted for a message: in double quotes, control characters and non-ASCII bytes as
// \xNN, so whatever was typed reaches the terminal as plain text.
std::string Quoted(const std::string& text);

// A message as the terminal may show it: control characters other than line feed and tab (from
// a binary file the message quotes) as \xNN; other bytes as they are.
std::string Printable(std::string_view text);

}  // namespace host
