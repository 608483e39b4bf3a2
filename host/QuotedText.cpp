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

std::string Printable(std::string_view text) {
  return Escaped(text, [](unsigned char c) {
    return (c < 0x20 && c != '\n' && c != '\t') || c == 0x7f;
  });
}

}  // namespace host
