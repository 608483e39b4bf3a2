// The resolved settings as a person reads them: language, application folder, families with
// their folders, each kind's data folder and index file, the tolerance files, the preferences.
#pragma once

#include <ostream>

#include "app/AppHost.h"

namespace vormbrace::app {

void PrintSettings(AppHost& app, std::ostream& out);

}  // namespace vormbrace::app
