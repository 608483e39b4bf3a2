// vormbrace serve.
#include "server/Server.h"

#include <httplib.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>

#include <filesystem>
#include <stdexcept>
#include <thread>

#include "server/Api.h"
#include "server/Assets.h"

namespace vormbrace::server {
namespace {

namespace fs = std::filesystem;

void SendError(httplib::Response& res, int status, const std::string& message) {
  res.status = status;
  res.set_content(nlohmann::json{{"error", message}}.dump(), "application/json");
}

// A private folder for the exporter's files, removed when the server ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "vormbrace-serve-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error(pattern + ": cannot make a scratch folder");
    }
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

// Only this computer's own page may talk to the server: a page elsewhere that reaches the port
// through a name of its own (DNS rebinding) sends another Host, and a form posted from another
// site cannot send JSON without asking first (and is never answered).
bool Refused(const httplib::Request& req, httplib::Response& res, int port) {
  const std::string host = req.get_header_value("Host");
  const std::string p = ":" + std::to_string(port);
  if (host != "127.0.0.1" + p && host != "localhost" + p) {
    SendError(res, 403, "only pages from http://127.0.0.1" + p + "/ are served");
    return true;
  }
  if (req.method == "POST" &&
      req.get_header_value("Content-Type").rfind("application/json", 0) != 0) {
    SendError(res, 415, "the API takes application/json");
    return true;
  }
  return false;
}

}  // namespace

void Serve(host::ref::ReferenceHost& host, const ServeOptions& options,
           const std::function<void(const std::string& url)>& listening) {
  const Assets assets(options.assetsFolder.empty() ? DefaultAssetsFolder() : options.assetsFolder,
                      options.threeFolder.empty() ? DefaultThreeFolder() : options.threeFolder);
  ScratchFolder scratch;
  SceneSession scene(host, options.scenePath, options.save, scratch.Path());
  ApiContext api{host, scene, scratch.Path(), {}, {}};

  httplib::Server server;
  server.set_payload_max_length(kMaxBody);
  // The library's default also shares the port with any other program that asks (SO_REUSEPORT):
  // a second server on the same port must fail, not take half of the first one's requests.
  server.set_socket_options([](int socket) {
    int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  int port = options.port;
  server.set_pre_routing_handler([&port](const httplib::Request& req, httplib::Response& res) {
    return Refused(req, res, port) ? httplib::Server::HandlerResponse::Handled
                                   : httplib::Server::HandlerResponse::Unhandled;
  });
  AddApiRoutes(server, api);
  server.Get(R"(/[A-Za-z0-9_./-]*)",
             [&assets](const httplib::Request& req, httplib::Response& res) {
               if (const Asset* asset = assets.Find(req.path)) {
                 res.set_content(asset->bytes, asset->contentType);
               } else {
                 SendError(res, 404, "not found: " + req.path.substr(0, 100));
               }
             });
  server.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (res.body.empty()) {
      SendError(
          res, res.status,
          res.status == 413 ? "the request is larger than 64 KiB" : "the request was refused");
    }
  });

  if (port == 0) {
    port = server.bind_to_any_port("127.0.0.1");
    if (port < 0) throw std::runtime_error("cannot bind a port on 127.0.0.1");
  } else if (!server.bind_to_port("127.0.0.1", port)) {
    throw std::runtime_error("cannot bind 127.0.0.1:" + std::to_string(port) +
                             " (in use? choose another with --port)");
  }

  // SIGINT and SIGTERM end the server: a thread of its own waits for them, so the scratch
  // folder goes and the last save has been completed.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  std::thread waiter([&server, stopSignals] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.stop();
  });
  listening("http://127.0.0.1:" + std::to_string(port) + "/");
  server.listen_after_bind();
  if (waiter.joinable()) {
    pthread_kill(waiter.native_handle(), SIGTERM);
    waiter.join();
  }
}

}  // namespace vormbrace::server
