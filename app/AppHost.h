// The command-line program's host: the reference host with the bundled standards' settings,
// the add-in's classes registered, and message boxes printed to standard error.
#pragma once

#include <memory>
#include <string>

#include "host/occt/SolidCache.h"
#include "host/reference/ReferenceHost.h"

namespace vormbrace::app {

struct AppHost {
  std::string settingsPath;
  std::string userStore;  // where files written under the application folder go
  std::unique_ptr<host::ref::ReferenceHost> host;
  // Where solids are kept across runs; null with --no-cache.
  std::shared_ptr<host::occt::SolidCache> cache;
};

// The settings file of the bundled standards: beside the installed program
// (../share/vormbrace/standards/settings.json) or in the source tree it was built from.
std::string DefaultSettingsPath();

// The user's folder for files the program writes (preferences): $VORMBRACE_USER_DIR, else
// $XDG_DATA_HOME/vormbrace, else ~/.local/share/vormbrace (the account's home folder when HOME
// is not set). Raises std::runtime_error when there is no home folder at all.
std::string UserStorePath();

// Loads the settings (the given file, or the default), installs the host for this process and
// registers the add-in's classes; with `useCache`, every kernel keeps its solids in the solid
// cache's default folder. Raises host::ref::SettingsError for a damaged settings file.
AppHost StartHost(const std::string& settingsPath, bool useCache = false);

}  // namespace vormbrace::app
