// `vormbrace serve` on a scene holding the test plate, started on a free port for each test and
// spoken to over HTTP as the page does.
#pragma once

#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneFile.h"
#include "support/Plate.h"
#include "support/TestHost.h"

namespace vormbrace::test {

using nlohmann::json;

// `vormbrace serve ARGS` on a free port, run from `cwd`, stopped with SIGTERM at the end.
class Served {
 public:
  Served(const std::string& args, const std::filesystem::path& cwd) {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe");
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], 1);
      close(out[0]);
      if (chdir(cwd.c_str()) != 0) _exit(126);
      setenv("VORMBRACE_USER_DIR", (cwd / "user").c_str(), 1);
      setenv("XDG_CACHE_HOME", (cwd / "cache").c_str(), 1);  // never the user's solid cache
      const std::string command = "exec '" VORMBRACE_EXE "' serve --port 0 " + args;
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    output_ = fdopen(out[0], "r");
    char line[512] = {};
    if (std::fgets(line, sizeof line, output_) != nullptr) {
      const std::string text = line;
      if (auto at = text.find("127.0.0.1:"); at != std::string::npos) {
        port_ = std::stoi(text.substr(at + 10));
      }
    }
  }
  ~Served() {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    std::fclose(output_);
  }
  int Port() const { return port_; }

 private:
  pid_t pid_ = -1;
  FILE* output_ = nullptr;
  int port_ = 0;
};

// The index of `entry` in a list the dialog answered.
inline int IndexOf(const json& list, const std::string& entry) {
  const json& entries = list["entries"];
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] == entry) return static_cast<int>(i);
  }
  ADD_FAILURE() << "no entry " << entry << " in " << entries.dump();
  return -1;
}

// One valid solid standing on the plate hole's axis (x = y = 0), its head `head` high on the
// plate's top face (z = 0) and its shank `length` long going down.
inline void ExpectSeatedInHole(const host::occt::SolidFigures& f, double length, double head) {
  EXPECT_TRUE(f.valid);
  EXPECT_NEAR(f.boxMin.x + f.boxMax.x, 0, 1e-6);
  EXPECT_NEAR(f.boxMin.y + f.boxMax.y, 0, 1e-6);
  EXPECT_NEAR(f.boxMin.z, -length, 1e-6);
  EXPECT_NEAR(f.boxMax.z, head, 1e-6);
}

struct Reply {
  int status = 0;
  json body;
};

class ServeApi : public ::testing::Test {
 protected:
  void SetUp() override {
    host::ref::SceneDocument document;
    host::occt::AttachKernel(document);
    test::AddPlate(document);
    scene_ = (host_.Scratch() / "plate.json").string();
    host::ref::SaveScene(document, scene_);
    served_ = std::make_unique<Served>("plate.json", host_.Scratch());
    ASSERT_GT(served_->Port(), 0) << "the server printed no address";
    client_ = std::make_unique<httplib::Client>("127.0.0.1", served_->Port());
  }

  Reply Post(const std::string& path, const std::string& body) {
    auto r = client_->Post(path.c_str(), body, "application/json");
    if (!r) return {};
    return {r->status, json::parse(r->body, nullptr, false)};
  }
  Reply Post(const std::string& path, const json& body) { return Post(path, body.dump()); }

  std::string SceneFile() const {
    std::stringstream s;
    s << std::ifstream(scene_, std::ios::binary).rdbuf();
    return s.str();
  }

  // A request the server refuses: its status and the start of its error message. A body that
  // is a JSON string is sent as the request's raw text.
  struct Refusal {
    std::string path;
    json body;
    int status;
    std::string error;
  };
  void ExpectRefused(const std::vector<Refusal>& refusals) {
    for (const Refusal& c : refusals) {
      Reply r = Post(c.path, c.body.is_string() ? c.body.get<std::string>() : c.body.dump());
      EXPECT_EQ(r.status, c.status) << c.path << " " << c.body.dump().substr(0, 80);
      EXPECT_EQ(r.body.value("error", "").rfind(c.error, 0), 0u) << r.body.dump();
    }
  }

  // A drop of ISO 4017 M10x50 along a ray that enters the plate's hole and meets its wall.
  static json HoleDrop(std::int64_t version) {
    return {
        {"version", version},
        {"choice", {{"kind", "bolt"}, {"standard", "ISO 4017"}, {"size", "M10"}, {"length", "50"}}},
        {"at", {0, 0, 30}},
        {"dir", {5, 0, -34}}};
  }

  // Drops HoleDrop(1) (the scene goes to version 2) and answers the bolt's id.
  std::int32_t DropBoltInHole() {
    Reply r = Post("/api/drop", HoleDrop(1));
    EXPECT_EQ(r.status, 200) << r.body.dump();
    return r.status == 200 ? r.body["added"][0].get<std::int32_t>() : 0;
  }

  // Part `id` of the scene as saved: its name and solid figures; nothing when there is none.
  struct SavedPart {
    std::string name;
    host::occt::SolidFigures figures;
  };
  std::optional<SavedPart> Saved(std::int32_t id) const {
    auto saved = host::ref::LoadScene(scene_);
    host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(*saved);
    host::ref::SceneShape* part = saved->Find(id);
    if (part == nullptr) return std::nullopt;
    return SavedPart{part->Name(), kernel.Figures(*part)};
  }

  test::TestHost host_;
  std::string scene_;
  std::unique_ptr<Served> served_;
  std::unique_ptr<httplib::Client> client_;
};

}  // namespace vormbrace::test
