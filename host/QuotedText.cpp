// Quoting texts for messages.
#include "host/QuotedText.h"

#include <cstdio>

namespace host {
namespace {

// `text` with every byte for which `escape` holds written as \xNN.
template <typename Escape>
std::string Escaped(std::string_view text, Escape escape) {
  std::string out;
  for (unsigned char c : text) {
    if (escape(c)) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace

std::string Quoted(const std::string& text) {
  return "\"" + Escaped(text, [](unsigned char c) {
           return c < 0x20 || c >= 0x7f || c == '"' || c == '\\';
         }) + "\"";
}

std::string CutText(const std::string& text, std::size_t most) {
  if (text.size() <= most) return text;
  std::size_t end = most;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

std::string QuotedStart(const std::string& text, std::size_t most) {
  std::string start = CutText(text, most);
  return Quoted(start) + (start.size() < text.size() ? "..." : "");
}

Utf8Character Utf8At(std::string_view text, std::size_t at) {
  const auto first = static_cast<unsigned char>(text[at]);
  const Utf8Character byte{first, 1};
  const std::size_t length = first < 0x80           ? 1
                             : (first >> 5) == 0x6  ? 2
                             : (first >> 4) == 0xE  ? 3
                             : (first >> 3) == 0x1E ? 4
                                                    : 0;
  if (length == 0 || at + length > text.size()) return byte;
  char32_t code = length == 1 ? first : first & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return byte;
    code = code << 6 | (next & 0x3F);
  }
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return byte;
  return {code, length};
}

bool IsUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Character c = Utf8At(text, at);
    if (c.length == 1 && c.code >= 0x80) return false;
    at += c.length;
  }
  return true;
}

std::string Printable(std::string_view text) {
  return Escaped(text, [](unsigned char c) {
    return (c < 0x20 && c != '\n' && c != '\t') || c == 0x7f;
  });
}

}  // namespace host
