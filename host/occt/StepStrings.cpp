// Texts in STEP files: UTF-8 to the directives of ISO 10303-21, and the kernel writer's files
// rewritten with them.
#include "host/occt/StepStrings.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "host/QuotedText.h"

namespace host::occt {
namespace {

// The kernel writer's line length; a rewritten string breaks its lines near it.
constexpr std::size_t kLine = 72;
// Characters per directive, so that a long run of them can break into lines between directives
// (a line break inside a directive would be read as one of its digits).
constexpr int kRunCharacters = 8;

std::string Hex(char32_t code, int digits) {
  char out[9];
  std::snprintf(out, sizeof out, "%0*X", digits, static_cast<unsigned>(code));
  return out;
}

// Calls piece() with each piece of text's StepString in order; a line may break between two.
template <typename F>
void ForEachPiece(std::string_view text, F&& piece) {
  std::size_t at = 0;
  while (at < text.size()) {
    const Utf8Character c = Utf8At(text, at);
    if (c.code == '\'' || c.code == '\\') {
      piece(std::string(2, static_cast<char>(c.code)));
      ++at;
    } else if (c.code >= 0x20 && c.code < 0x7F) {
      piece(std::string(1, static_cast<char>(c.code)));
      ++at;
    } else if (c.code < 0x80) {
      piece("\\X\\" + Hex(c.code, 2));
      ++at;
    } else {
      const bool wide = c.code > 0xFFFF;
      std::string run = wide ? "\\X4\\" : "\\X2\\";
      for (int n = 0; n < kRunCharacters && at < text.size(); ++n) {
        const Utf8Character next = Utf8At(text, at);
        if (next.code < 0x80 || (next.code > 0xFFFF) != wide) break;
        run += Hex(next.code, wide ? 8 : 4);
        at += next.length;
      }
      piece(run + "\\X0\\");
    }
  }
}

// A string's text as the kernel writer escaped it (apostrophes already single): its backslashes
// doubled, line feeds and tabs as \N\ and \T\.
std::string WriterUnescaped(std::string_view escaped) {
  std::string text;
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] == '\\' && i + 1 < escaped.size() && escaped[i + 1] == '\\') {
      text += '\\';
      ++i;
    } else if (escaped[i] == '\\' && i + 2 < escaped.size() && escaped[i + 2] == '\\' &&
               (escaped[i + 1] == 'N' || escaped[i + 1] == 'T')) {
      text += escaped[i + 1] == 'N' ? '\n' : '\t';
      i += 2;
    } else {
      text += escaped[i];
    }
  }
  return text;
}

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

}  // namespace

std::string StepString(std::string_view text) {
  std::string out;
  ForEachPiece(text, [&](const std::string& piece) { out += piece; });
  return out;
}

std::string CutStepText(const std::string& text, std::size_t most) {
  // No character is written shorter than its UTF-8 bytes: the answer lies within `most` bytes.
  std::string start = CutText(text, most);
  if (StepString(start).size() <= most) return start;
  std::size_t fits = 0, over = start.size();
  while (over - fits > 1) {
    const std::size_t middle = (fits + over) / 2;
    (StepString(CutText(start, middle)).size() <= most ? fits : over) = middle;
  }
  return CutText(start, fits);
}

void WriteAsciiStepFile(std::string_view file, std::ostream& out) {
  std::size_t column = 0;  // of the end of what is written
  auto put = [&](std::string_view text) {
    out << text;
    const std::size_t end = text.rfind('\n');
    column = end == std::string_view::npos ? column + text.size() : text.size() - end - 1;
  };
  std::size_t at = 0;
  while (at < file.size()) {
    if (file.compare(at, 2, "/*") == 0) {
      const std::size_t end = file.find("*/", at + 2);
      const std::size_t next = end == std::string_view::npos ? file.size() : end + 2;
      put(file.substr(at, next - at));
      at = next;
      continue;
    }
    if (file[at] != '\'') {
      const std::size_t next = std::min(file.find_first_of("'/", at + 1), file.size());
      put(file.substr(at, next - at));
      at = next;
      continue;
    }
    // A string, without the line breaks the writer put in it (even between the two apostrophes
    // of a doubled one: a string is never followed directly by another).
    std::string escaped;
    for (++at; at < file.size();) {
      const char c = file[at++];
      if (IsLineEnd(c)) continue;
      if (c == '\'') {
        std::size_t next = at;
        while (next < file.size() && IsLineEnd(file[next])) ++next;
        if (next == file.size() || file[next] != '\'') break;
        at = next + 1;
      }
      escaped += c;
    }
    put("'");
    ForEachPiece(WriterUnescaped(escaped), [&](const std::string& piece) {
      if (column + piece.size() > kLine) put("\n");
      put(piece);
    });
    put("'");
  }
}

}  // namespace host::occt
