// Texts shown in messages: what they quote reaches the terminal as plain text.
#pragma once

#include <string>
#include <string_view>

namespace host {

// The text quoted for a message: in double quotes, control characters and non-ASCII bytes as
// \xNN, so whatever was typed reaches the terminal as plain text.
std::string Quoted(const std::string& text);

// The first `most` bytes of `text` at most, cut where a UTF-8 character starts.
std::string CutText(const std::string& text, std::size_t most);

// The text quoted as Quoted does, shortened to its first `most` bytes and "..." when longer:
// for naming a long text in a message.
std::string QuotedStart(const std::string& text, std::size_t most = 40);

// One character of a text in UTF-8: its code and its length in bytes.
struct Utf8Character {
  char32_t code = 0;
  std::size_t length = 0;
};

// The character at text[at]; a byte that starts no valid UTF-8 character (a stray byte, an
// overlong form, a surrogate, a character cut by the text's end) stands for itself, length 1.
Utf8Character Utf8At(std::string_view text, std::size_t at);

// Whether every character of `text` is valid UTF-8.
bool IsUtf8(std::string_view text);

// A message as the terminal may show it: control characters other than line feed and tab (from
// a binary file the message quotes) as \xNN; other bytes as they are.
std::string Printable(std::string_view text);

}  // namespace host
