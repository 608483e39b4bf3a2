// vormbrace serve's API, spoken to over HTTP as the page does: a drop on the plate's hole is
// saved with the bolt on the hole's axis, a change on an old version is refused, bad requests
// get a 4xx JSON error and change nothing, and the dialog answers with its own rules.
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneFile.h"
#include "support/Plate.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;
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

  // A drop of ISO 4017 M10x50 along a ray that enters the plate's hole and meets its wall.
  static json HoleDrop(std::int64_t version) {
    return {
        {"version", version},
        {"choice", {{"kind", "bolt"}, {"standard", "ISO 4017"}, {"size", "M10"}, {"length", "50"}}},
        {"at", {0, 0, 30}},
        {"dir", {5, 0, -34}}};
  }

  test::TestHost host_;
  std::string scene_;
  std::unique_ptr<Served> served_;
  std::unique_ptr<httplib::Client> client_;
};

TEST_F(ServeApi, DropOnThePlateHoleSavesTheBoltOnTheHoleAxis) {
  Reply r = Post("/api/drop", HoleDrop(1));
  ASSERT_EQ(r.status, 200) << r.body.dump();
  EXPECT_EQ(r.body["version"], 2);
  ASSERT_EQ(r.body["added"].size(), 1u);

  // The saved scene: the plate and the bolt, whose solid stands on the hole's axis (x = y = 0)
  // with its head on the plate's top face (z = 0) and its 50 mm shank going down.
  auto saved = host::ref::LoadScene(scene_);
  host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(*saved);
  auto* bolt = saved->Find(r.body["added"][0].get<std::int32_t>());
  ASSERT_NE(bolt, nullptr);
  EXPECT_EQ(bolt->Name(), "ISO 4017 M10x50 - 8.8");
  host::occt::SolidFigures f = kernel.Figures(*bolt);
  EXPECT_TRUE(f.valid);
  EXPECT_NEAR(f.boxMin.x + f.boxMax.x, 0, 1e-6);
  EXPECT_NEAR(f.boxMin.y + f.boxMax.y, 0, 1e-6);
  EXPECT_NEAR(f.boxMin.z, -50, 1e-6);
  EXPECT_NEAR(f.boxMax.z, 6.4, 1e-6);  // ISO 4017 M10: head height k = 6.4

  // The part list tells the same, with the bill of materials.
  auto scene = client_->Get("/api/scene");
  ASSERT_TRUE(scene);
  json parts = json::parse(scene->body)["parts"];
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[1]["partNumber"], "ISO4017M105088");
  EXPECT_EQ(parts[1]["bom"][0], (json{{"name", "Standard Name"}, {"value", "ISO 4017"}}));
}

TEST_F(ServeApi, AChangeMadeOnAnOlderVersionIsRefused) {
  ASSERT_EQ(Post("/api/drop", HoleDrop(1)).status, 200);
  const std::string afterFirst = SceneFile();
  // A second page that still shows version 1 drops, then deletes: both are refused.
  Reply drop = Post("/api/drop", HoleDrop(1));
  EXPECT_EQ(drop.status, 409);
  EXPECT_EQ(drop.body["error"],
            "the scene has changed since this page last read it (version 1, now 2): it was "
            "changed elsewhere; look at it again and repeat the change");
  EXPECT_EQ(Post("/api/delete", json{{"version", 1}, {"id", 1}}).status, 409);
  EXPECT_EQ(SceneFile(), afterFirst);

  // On the current version the delete goes through and is saved.
  Reply del = Post("/api/delete", json{{"version", 2}, {"id", 1}});
  ASSERT_EQ(del.status, 200) << del.body.dump();
  EXPECT_EQ(del.body["parts"].size(), 1u);
  EXPECT_EQ(host::ref::LoadScene(scene_)->Find(1), nullptr);
}

TEST_F(ServeApi, BadRequestsGetAClearErrorAndChangeNothing) {
  const std::string before = SceneFile();
  struct Case {
    std::string body;
    int status;
    std::string error;  // the start of the message
  };
  const json missRay = {
      {"version", 1}, {"choice", json::object()}, {"at", {100, 100, 30}}, {"dir", {0, 0, -1}}};
  json unknownSize = HoleDrop(1);
  unknownSize["choice"]["size"] = "M99";
  json unknownKind = HoleDrop(1);
  unknownKind["choice"]["kind"] = "rivet";
  json wrongType = HoleDrop(1);
  wrongType["at"] = {0, "0", 30};
  json unknownField = HoleDrop(1);
  unknownField["choice"]["colour"] = "red";
  const Case cases[] = {
      {"{\"version\": 1,", 400, "the request is not JSON"},
      {"[1, 2]", 400, "the request must be a JSON object"},
      {json{{"version", "1"}}.dump(), 400, "version must be a whole number"},
      {wrongType.dump(), 400, "at must be a number"},
      {unknownField.dump(), 400, "choice has no field \"colour\""},
      {unknownKind.dump(), 422, "no kind \"rivet\"; the kinds are: bolt, screw"},
      {unknownSize.dump(), 422, "no size \"M99\" in ISO 4017; the sizes are: M1.6"},
      {missRay.dump(), 422, "nothing there: the ray from the click meets no part"},
      {std::string(70 * 1024, ' '), 413, "the request is larger than 64 KiB"},
  };
  for (const Case& c : cases) {
    Reply r = Post("/api/drop", c.body);
    EXPECT_EQ(r.status, c.status) << c.body.substr(0, 80);
    EXPECT_EQ(r.body.value("error", "").rfind(c.error, 0), 0u) << r.body.dump();
  }
  // Only this computer's page, only the server's own files.
  httplib::Headers foreign = {{"Host", "attacker.example:" + std::to_string(served_->Port())}};
  auto rebound = client_->Get("/api/scene", foreign);
  ASSERT_TRUE(rebound);
  EXPECT_EQ(rebound->status, 403);
  for (const char* path : {"/../CMakeLists.txt", "/%2e%2e/%2e%2e/CMakeLists.txt", "/etc/passwd"}) {
    auto r = client_->Get(path);
    ASSERT_TRUE(r) << path;
    EXPECT_EQ(r->status, 404) << path;
  }
  auto form = client_->Post("/api/drop", HoleDrop(1).dump(), "application/x-www-form-urlencoded");
  ASSERT_TRUE(form);
  EXPECT_EQ(form->status, 415);

  // A second server on the same port fails instead of sharing it.
  const std::string second = "cd '" + host_.Scratch().string() +
                             "' && XDG_CACHE_HOME=cache timeout 20 '" VORMBRACE_EXE
                             "' serve --no-save --port " +
                             std::to_string(served_->Port()) + " 2>second.txt >/dev/null";
  const int status = std::system(second.c_str());
  EXPECT_EQ(WEXITSTATUS(status), 1);
  std::stringstream secondErr;
  secondErr << std::ifstream(host_.Scratch() / "second.txt").rdbuf();
  EXPECT_EQ(secondErr.str(), "vormbrace: cannot bind 127.0.0.1:" + std::to_string(served_->Port()) +
                                 " (in use? choose another with --port)\n");

  // Still serving, the scene untouched on disk and in memory.
  EXPECT_EQ(SceneFile(), before);
  auto scene = client_->Get("/api/scene");
  ASSERT_TRUE(scene);
  EXPECT_EQ(json::parse(scene->body)["version"], 1);
  EXPECT_EQ(json::parse(scene->body)["parts"].size(), 1u);
}

TEST_F(ServeApi, TheDialogAnswersWithItsOwnRules) {
  // Counterbore with a washer under the head leaves no room: the dialog takes the simple hole.
  Reply r =
      Post("/api/dialog",
           json{{"clicks",
                 {{{"kindTab", 0}}, {{"type", 1}}, {{"box", "ToggleRondella"}}, {{"hole", 2}}}}});
  ASSERT_EQ(r.status, 200) << r.body.dump();
  EXPECT_TRUE(r.body["OptHole"][1]["value"]);
  EXPECT_FALSE(r.body["OptHole"][2]["value"]);
  EXPECT_EQ(r.body["choice"]["hole"], "simple");
  EXPECT_TRUE(r.body["choice"]["washer"]);

  // Nuts have no length list and no washer box.
  Reply nuts = Post("/api/dialog", json{{"clicks", {{{"kindTab", 4}}}}});
  ASSERT_EQ(nuts.status, 200);
  EXPECT_FALSE(nuts.body["Lunghezza"]["visible"]);
  EXPECT_EQ(nuts.body["choice"]["kind"], "nut");

  // A click on what is not there is refused, naming the click.
  Reply refused =
      Post("/api/dialog", json{{"clicks", {{{"kindTab", 4}}, {{"box", "ToggleRondella"}}}}});
  EXPECT_EQ(refused.status, 400);
  EXPECT_EQ(refused.body["error"], "click 2: ToggleRondella is not shown");
}

TEST_F(ServeApi, EveryTypeOfEveryKindHasItsPicture) {
  const char* kinds[] = {"bolt", "screw", "setscrew", "washer", "nut"};
  for (int k = 0; k < 5; ++k) {
    Reply r = Post("/api/dialog", json{{"clicks", {{{"kindTab", k}}}}});
    ASSERT_EQ(r.status, 200);
    for (std::size_t t = 1; t <= r.body["types"].size(); ++t) {
      const std::string path = std::string("/types/") + kinds[k] + "-" + std::to_string(t) + ".png";
      auto picture = client_->Get(path.c_str());
      ASSERT_TRUE(picture);
      EXPECT_EQ(picture->status, 200) << path;
      EXPECT_EQ(picture->body.substr(1, 3), "PNG") << path;
    }
  }
}

TEST_F(ServeApi, PreviewAndDownloadsAreRealFiles) {
  const json choice = HoleDrop(1)["choice"];
  Reply preview = Post("/api/preview", json{{"choice", choice}});
  ASSERT_EQ(preview.status, 200) << preview.body.dump();
  EXPECT_EQ(preview.body["parts"][0]["name"], "ISO 4017 M10x50 - 8.8");
  EXPECT_EQ(preview.body["values"][0], 10);  // the record's nominal diameter
  auto glb = client_->Get(preview.body["glb"].get<std::string>().c_str());
  ASSERT_TRUE(glb);
  EXPECT_EQ(glb->body.substr(0, 4), "glTF");
  // The same choice again is the kept preview.
  EXPECT_EQ(Post("/api/preview", json{{"choice", choice}}).body["glb"], preview.body["glb"]);

  auto step = client_->Get("/api/download/scene.step");
  ASSERT_TRUE(step);
  EXPECT_EQ(step->body.rfind("ISO-10303-21;", 0), 0u);
  auto stl = client_->Get("/api/download/scene.stl");
  ASSERT_TRUE(stl);
  ASSERT_GT(stl->body.size(), 84u);
  std::uint32_t triangles = 0;
  std::memcpy(&triangles, stl->body.data() + 80, 4);
  EXPECT_EQ(stl->body.size(), 84u + 50u * triangles);
}

}  // namespace
