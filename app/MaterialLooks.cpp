// Reading the material looks table and matching material codes against it.
#include "app/MaterialLooks.h"

#include <cctype>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "components/FastenerTable.h"

namespace vormbrace::app {
namespace {

constexpr std::int16_t kMaterialRow = 16;  // MaterialCode in the fastener data table

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Trimmed(const std::string& text) {
  auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Whether `text` matches `pattern`, where "*" stands for any run of characters.
bool Matches(const char* pattern, const char* text) {
  if (*pattern == '\0') return *text == '\0';
  if (*pattern == '*') {
    for (const char* t = text;; ++t) {
      if (Matches(pattern + 1, t)) return true;
      if (*t == '\0') return false;
    }
  }
  return *text != '\0' && *pattern == *text && Matches(pattern + 1, text + 1);
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> out;
  std::stringstream in(text);
  std::string piece;
  while (std::getline(in, piece, separator)) out.push_back(Trimmed(piece));
  return out;
}

// A number from 0 to 1, or nothing.
std::optional<double> Fraction(const std::string& text) {
  std::size_t used = 0;
  double value = 0;
  try {
    value = std::stod(text, &used);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (used != text.size() || !(value >= 0 && value <= 1)) return std::nullopt;
  return value;
}

}  // namespace

MaterialLooks MaterialLooks::Load(const std::string& path) {
  MaterialLooks table;
  std::ifstream in(path);
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    text = Trimmed(text);
    if (text.empty() || text[0] == '#') continue;
    auto fail = [&](const std::string& what) {
      throw std::runtime_error(path + ", line " + std::to_string(number) + ": " + what);
    };
    std::vector<std::string> fields = Split(text, '|');
    if (fields.size() != 5) fail("expected codes|name|red green blue|metallic|roughness");
    Line line;
    for (const std::string& code : Split(fields[0], ',')) {
      if (!code.empty()) line.patterns.push_back(Lower(code));
    }
    if (line.patterns.empty()) fail("no material codes");
    if (fields[1].empty()) fail("no name");
    line.look.name = fields[1];
    std::stringstream rgb(fields[2]);
    std::string part;
    std::size_t channel = 0;
    while (rgb >> part) {
      std::optional<double> value = Fraction(part);
      if (!value || channel == 3) fail("the colour \"" + fields[2] + "\" is not three numbers from 0 to 1");
      line.look.colour[channel++] = *value;
    }
    if (channel != 3) fail("the colour \"" + fields[2] + "\" is not three numbers from 0 to 1");
    std::optional<double> metallic = Fraction(fields[3]), roughness = Fraction(fields[4]);
    if (!metallic) fail("metallic \"" + fields[3] + "\" is not a number from 0 to 1");
    if (!roughness) fail("roughness \"" + fields[4] + "\" is not a number from 0 to 1");
    line.look.metallic = *metallic;
    line.look.roughness = *roughness;
    table.lines_.push_back(std::move(line));
  }
  return table;
}

std::optional<host::occt::Appearance> MaterialLooks::Find(const std::string& code) const {
  std::string key = Lower(Trimmed(code));
  if (key.empty()) return std::nullopt;
  for (const Line& line : lines_) {
    for (const std::string& pattern : line.patterns) {
      if (Matches(pattern.c_str(), key.c_str())) return line.look;
    }
  }
  return std::nullopt;
}

host::occt::ExportOptions::AppearanceLookup MaterialLooks::ForParts() const {
  return [table = *this](host::ref::SceneShape& part) -> std::optional<host::occt::Appearance> {
    host::Component* data = FindDataTable(part);
    if (data == nullptr) return std::nullopt;
    return table.Find(TextAt(*data, kMaterialRow));
  };
}

std::string MaterialLooksPath(const std::string& applicationFolder) {
  return applicationFolder + "/Appearance.tab";
}

}  // namespace vormbrace::app
