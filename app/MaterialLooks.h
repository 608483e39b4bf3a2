// The looks of fastener materials in exports, from the standards library's Appearance.tab:
// which material codes look like steel, stainless steel, brass ... and with what colour.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/occt/Export.h"

namespace vormbrace::app {

class MaterialLooks {
 public:
  // Reads the table. A missing file gives no looks (exports stay uncoloured); a line that is
  // not `codes|name|r g b|metallic|roughness` with numbers from 0 to 1 raises
  // std::runtime_error naming the file and the line.
  static MaterialLooks Load(const std::string& path);

  // The look of the first line whose codes match `code`; nothing for an empty code or when
  // no line matches.
  std::optional<host::occt::Appearance> Find(const std::string& code) const;

  // Export options that colour each fastener part by the material of its data table.
  host::occt::ExportOptions::AppearanceLookup ForParts() const;

 private:
  struct Line {
    std::vector<std::string> patterns;  // lower case
    host::occt::Appearance look;
  };
  std::vector<Line> lines_;
};

// The table of the standards library the host was started with.
std::string MaterialLooksPath(const std::string& applicationFolder);

}  // namespace vormbrace::app
