// The JSON API of the served page: the dialog, the preview, the scene (parts, drop, pick,
// delete, downloads). Add-in work runs one call at a time; bad requests get a 4xx JSON error
// {"error": message} and change nothing.
#pragma once

#include <filesystem>
#include <mutex>

#include "host/reference/ReferenceHost.h"
#include "server/Preview.h"
#include "server/SceneSession.h"

namespace httplib {
class Server;
}

namespace vormbrace::server {

struct ApiContext {
  host::ref::ReferenceHost& host;
  SceneSession& scene;
  std::filesystem::path scratch;
  std::mutex addIn;  // the add-in is single-threaded: one request at a time inside it
  PreviewCache previews;
};

void AddApiRoutes(httplib::Server& server, ApiContext& api);

}  // namespace vormbrace::server
