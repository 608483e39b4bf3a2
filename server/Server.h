// vormbrace serve: the local web page of the catalogue. Binds to the loopback address only,
// serves the page's own files and its JSON API over the add-in's entry points, and holds one
// scene.
#pragma once

#include <functional>
#include <string>

#include "host/reference/ReferenceHost.h"

namespace vormbrace::server {

struct ServeOptions {
  std::string scenePath;  // loaded when it exists; saved after each change unless !save
  int port = 8080;        // 0: any free port
  bool save = true;
  std::string assetsFolder;  // empty: DefaultAssetsFolder()
  std::string threeFolder;   // empty: DefaultThreeFolder()
};

inline constexpr std::size_t kMaxBody = 64 * 1024;  // bytes of a request body

// Serves until SIGINT or SIGTERM; `listening` is told the page's address once the port is
// bound. Raises std::runtime_error when the port cannot be bound or the page's files or the
// scene cannot be read.
void Serve(host::ref::ReferenceHost& host, const ServeOptions& options,
           const std::function<void(const std::string& url)>& listening);

}  // namespace vormbrace::server
