// Registry settings, language and directories.
#include "data/Settings.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <random>

#include "data/Globals.h"
#include "host/Host.h"
#include "host/Page.h"
#include "host/Shape.h"

namespace vormbrace {
namespace {

constexpr std::int32_t kHive = 2;
constexpr std::int32_t kDataTable = 34;

std::string ReadSetting(const char* key, const std::string& name) {
  return host::CurrentHost().Registry().ReadString(kHive, key, name);
}

// "Norme Dir#" + 2 reads "Norme Dir#2": the number in decimal without blanks.
std::string Numbered(const char* name, int n) { return name + std::to_string(n); }

void CollectIds(host::ShapeCollection& shapes, std::set<std::int32_t>& ids) {
  for (std::int32_t i = 1; i <= shapes.Count(); ++i) {
    host::Shape& s = shapes.Item(i);
    auto& tables = s.Components(kDataTable);
    if (tables.Count() > 0) {
      host::Value id = tables.Item(1).Variable(1, 2).GetValue();
      if (!id.IsEmpty()) ids.insert(static_cast<std::int32_t>(id.AsDouble()));
    }
    CollectIds(s.ChildShapes(), ids);
  }
}

}  // namespace

std::int16_t LoadLanguage() {
  std::string language = ReadSetting(kCorvaneKey, "Language");
  std::int16_t base = 2000;
  if (language.find("Italian") != std::string::npos) {
    base = 1000;
  } else if (language.find("English") != std::string::npos) {
    base = 2000;
  } else if (language.find("German") != std::string::npos) {
    base = 3000;
  }
  State().languageBase = base;
  return base;
}

void LoadFamilyPaths() {
  RunTimeState& s = State();
  std::string appl = ReadSetting(kCorvaneKey, "ApplDir");
  s.paths.standardsFolder = appl + ReadSetting(kVormbraceKey, Numbered("Norme Dir#", s.family));
  s.paths.prefsPath = appl + ReadSetting(kVormbraceKey, "File Prefs");
}

void LoadKindSettings(std::int16_t kind) {
  LoadFamilyPaths();
  Paths& p = State().paths;
  p.dataFolder = p.standardsFolder + ReadSetting(kVormbraceKey, Numbered("Data#", kind));
  p.indexFile = ReadSetting(kVormbraceKey, Numbered("File INI#", kind));
  p.toleranceFolder = p.standardsFolder + ReadSetting(kVormbraceKey, "Toll Dir");
  p.toleranceIndex = p.standardsFolder + ReadSetting(kVormbraceKey, "Toll INI");
}

std::string ReadFamilyCaption(std::int16_t family) {
  return ReadSetting(kVormbraceKey, Numbered("Norme#", family));
}

std::vector<std::string> ReadFamilyCaptions() {
  std::vector<std::string> captions;
  for (std::int16_t i = 0;; ++i) {
    std::string caption = ReadFamilyCaption(i);
    if (caption.empty()) break;
    captions.push_back(caption);
  }
  return captions;
}

bool FileExists(const std::string& path) { return host::CurrentHost().Registry().FileExists(path); }

bool FindThreadTexture(std::string& path) {
  std::string first = ReadSetting(kCorvaneKey, "ApplDir") + "\\Images\\" + kThreadTextureName;
  if (FileExists(first)) {
    path = first;
    return true;
  }
  std::string folder;
  auto store = host::CurrentHost().NewConfigStore();
  bool found = store->OpenSection("Directories") && store->ReadValue("ThreadFile", folder);
  store->Close();
  if (!found) folder = "v:\\bin.32";
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  std::string second = folder + "\\" + kThreadTextureName;
  if (!FileExists(second)) return false;
  path = second;
  return true;
}

std::set<std::int32_t> UsedComponentIds(host::Page& page) {
  std::set<std::int32_t> ids;
  CollectIds(page.RootShape().ChildShapes(), ids);
  return ids;
}

std::int32_t FirstFreeNumber(std::int32_t candidate, const std::set<std::int32_t>& used) {
  while (candidate == 0 || used.contains(candidate)) ++candidate;
  return candidate;
}

std::int32_t NewUniqueNumber() {
  // The generator is reseeded from the clock on every call, as the add-in always did.
  auto now = std::chrono::system_clock::now();
  std::mt19937 generator(static_cast<std::uint32_t>(now.time_since_epoch().count()));
  auto r = static_cast<std::int32_t>(std::uniform_real_distribution<double>(0, 1)(generator) * 100);
  std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  auto fraction = std::chrono::duration<double>(now - std::chrono::system_clock::from_time_t(t));
  // Seconds since midnight, rounded to an integer as the clock's fraction allows.
  auto seconds = static_cast<std::int32_t>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec +
                                           std::lround(fraction.count()));
  std::int32_t candidate = seconds * 100 + r;
  host::Page* page = State().page;
  return FirstFreeNumber(candidate,
                         page != nullptr ? UsedComponentIds(*page) : std::set<std::int32_t>{});
}

}  // namespace vormbrace
