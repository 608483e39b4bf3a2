// Printing the resolved settings.
#include "app/SettingsReport.h"

#include "data/Globals.h"
#include "data/Resources.h"
#include "data/Settings.h"
#include "host/TextFile.h"

namespace vormbrace::app {
namespace {

// A composed path and, when it differs, where it lies on this machine.
std::string Shown(const std::string& path) {
  std::string native = host::NativePath(path);
  std::string found = host::PlatformFileExists(path) ? "" : "  (missing)";
  return (native == path ? path : path + "  ->  " + native) + found;
}

}  // namespace

void PrintSettings(AppHost& app, std::ostream& out) {
  RunTimeState& s = State();
  std::int16_t base = LoadLanguage();
  out << "settings file:      " << app.settingsPath << "\n";
  out << "language:           " << app.host->Settings().Registry(kCorvaneKey, "Language")
      << " (string base " << base << ")\n";
  out << "application folder: " << app.host->Settings().Registry(kCorvaneKey, "ApplDir") << "\n";
  std::vector<std::string> families = ReadFamilyCaptions();
  std::int16_t savedFamily = s.family;
  for (std::size_t i = 0; i < families.size(); ++i) {
    s.family = static_cast<std::int16_t>(i);
    LoadFamilyPaths();
    out << "family " << i << " \"" << families[i] << "\": " << s.paths.standardsFolder << "\n";
    for (std::int16_t k = 0; k < kKindCount; ++k) {
      LoadKindSettings(k);
      out << "  kind " << k << " \"" << ResText(res::kKindTab0 + k) << "\"\n";
      out << "    data folder:     " << s.paths.dataFolder << "\n";
      out << "    index file:      " << Shown(s.paths.standardsFolder + s.paths.indexFile) << "\n";
    }
    out << "  tolerance index:   " << Shown(s.paths.toleranceIndex) << "\n";
    out << "  tolerance folder:  " << s.paths.toleranceFolder << "\n";
  }
  s.family = savedFamily;
  LoadFamilyPaths();
  out << "preferences:        " << s.paths.prefsPath << "\n";
  out << "  written to:       " << app.userStore << " (the application folder is read-only)\n";
  std::string texture;
  out << "thread texture:     " << (FindThreadTexture(texture) ? Shown(texture) : "not found")
      << "\n";
}

}  // namespace vormbrace::app
