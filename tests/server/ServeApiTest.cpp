// vormbrace serve's API, spoken to over HTTP as the page does: a change on an old version is
// refused, bad requests get a 4xx JSON error and change nothing. The dialog's own rules are
// tested on the dialog (tests/dialog); the page's drops and edits, with the saved parts on the
// hole's axis, in ServeDropDialogTest and ServeEditTest.
#include "server/ServeFixture.h"

namespace vormbrace::test {
namespace {

TEST_F(ServeApi, AChangeMadeOnAnOlderVersionIsRefused) {
  ASSERT_EQ(Post("/api/drop", HoleDrop(1)).status, 200);
  const std::string afterFirst = SceneFile();
  // A second page that still shows version 1 drops, deletes, edits, types a length: all are
  // refused.
  Reply drop = Post("/api/drop", HoleDrop(1));
  EXPECT_EQ(drop.status, 409);
  EXPECT_EQ(drop.body["error"],
            "the scene has changed since this page last read it (version 1, now 2): it was "
            "changed elsewhere; look at it again and repeat the change");
  EXPECT_EQ(Post("/api/delete", json{{"version", 1}, {"id", 1}}).status, 409);
  EXPECT_EQ(Post("/api/edit", json{{"version", 1}, {"id", 2}, {"clicks", json::array()}}).status,
            409);
  EXPECT_EQ(Post("/api/length", json{{"version", 1}, {"id", 2}, {"length", 40}}).status, 409);
  EXPECT_EQ(SceneFile(), afterFirst);

  // On the current version the delete goes through and is saved.
  Reply del = Post("/api/delete", json{{"version", 2}, {"id", 1}});
  ASSERT_EQ(del.status, 200) << del.body.dump();
  EXPECT_EQ(del.body["parts"].size(), 1u);
  EXPECT_EQ(host::ref::LoadScene(scene_)->Find(1), nullptr);
}

TEST_F(ServeApi, BadRequestsGetAClearErrorAndChangeNothing) {
  const std::string before = SceneFile();
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
  ExpectRefused({
      {"/api/drop", "{\"version\": 1,", 400, "the request is not JSON"},
      {"/api/drop", "[1, 2]", 400, "the request must be a JSON object"},
      {"/api/drop", json{{"version", "1"}}.dump(), 400, "version must be a whole number"},
      {"/api/drop", wrongType.dump(), 400, "at must be a number"},
      {"/api/drop", unknownField.dump(), 400, "choice has no field \"colour\""},
      {"/api/drop", unknownKind.dump(), 422, "no kind \"rivet\"; the kinds are: bolt, screw"},
      {"/api/drop", unknownSize.dump(), 422, "no size \"M99\" in ISO 4017; the sizes are: M1.6"},
      {"/api/drop", missRay.dump(), 422, "nothing there: the ray from the click meets no part"},
      {"/api/drop", std::string(70 * 1024, ' '), 413, "the request is larger than 64 KiB"},
  });
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
}  // namespace vormbrace::test
