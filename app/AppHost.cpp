// Starting the reference host for the command-line program.
#include "app/AppHost.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "app/CliInput.h"

#include "dialog/AddInClasses.h"
#include "data/Settings.h"
#include "host/TextFile.h"
#include "host/occt/OcctEvaluator.h"

namespace vormbrace::app {
namespace fs = std::filesystem;

std::string DefaultSettingsPath() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    fs::path installed =
        exe.parent_path() / ".." / "share" / "vormbrace" / "standards" / "settings.json";
    if (fs::exists(installed, ec)) return fs::weakly_canonical(installed, ec).string();
  }
  return std::string(VORMBRACE_STANDARDS_SOURCE_DIR) + "/settings.json";
}

std::string UserStorePath() {
  if (const char* dir = std::getenv("VORMBRACE_USER_DIR"); dir != nullptr && *dir != '\0')
    return dir;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
    return (fs::path(xdg) / "vormbrace").string();
  }
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') {
    // No HOME: the account's own home folder, never the working folder.
    const passwd* account = ::getpwuid(::getuid());
    if (account == nullptr || account->pw_dir == nullptr || *account->pw_dir == '\0')
      throw std::runtime_error("no home folder: set HOME or VORMBRACE_USER_DIR");
    home = account->pw_dir;
  }
  return (fs::path(home) / ".local" / "share" / "vormbrace").string();
}

AppHost StartHost(const std::string& settingsPath, bool useCache) {
  AppHost app;
  if (useCache) app.cache = std::make_shared<host::occt::SolidCache>(host::occt::DefaultCacheFolder());
  host::occt::SetDefaultSolidCache(app.cache);
  app.settingsPath = settingsPath.empty() ? DefaultSettingsPath() : settingsPath;
  app.userStore = UserStorePath();
  app.host =
      std::make_unique<host::ref::ReferenceHost>(host::ref::SettingsStore::Load(app.settingsPath));
  app.host->SetMessageSink([](const host::ref::MessageRecord& m) {
    // Message texts break lines with CR or CR LF; the terminal wants LF.
    std::string text;
    for (std::size_t i = 0; i < m.text.size(); ++i) {
      if (m.text[i] != '\r') {
        text += m.text[i];
      } else if (i + 1 >= m.text.size() || m.text[i + 1] != '\n') {
        text += '\n';
      }
    }
    std::cerr << Printable(m.title) << ": " << Printable(text) << "\n";
  });
  for (const ClassInfo& c : AddInClasses())
    app.host->Classes().Register(c.progId, c.classId, c.create);
  host::SetCurrentHost(app.host.get());
  // The application folder is treated as installed and read-only: what the add-in writes there
  // (the preferences file) goes to the user's folder.
  host::SetFileRedirect(app.host->Settings().Registry(kCorvaneKey, "ApplDir"), app.userStore);
  return app;
}

}  // namespace vormbrace::app
