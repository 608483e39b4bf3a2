// Changing a placed part from the page: the dialog opened on the part (its double-click) with
// its own choices, OK rebuilding it in its place; a typed shank length following the standard;
// the scene drawn as an SVG sheet. Refused changes leave the saved scene as it was.
#include <cstdlib>

#include "server/ServeFixture.h"

namespace vormbrace::test {
namespace {

// A suite of its own: gtest keeps one fixture class per suite and executable.
class ServeEdit : public ServeApi {};

TEST_F(ServeEdit, EditOpensOnThePartAndRebuildsItInPlace) {
  const std::int32_t bolt = DropBoltInHole();
  const std::string dropped = SceneFile();
  // The part list gives the dropped bolt with its bill of materials.
  auto scene = client_->Get("/api/scene");
  ASSERT_TRUE(scene);
  const json listed = json::parse(scene->body)["parts"];
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[1]["partNumber"], "ISO4017M105088");
  EXPECT_EQ(listed[1]["bom"][0], (json{{"name", "Standard Name"}, {"value", "ISO 4017"}}));

  // The dialog opens on the bolt's stored choice; looking changes nothing.
  Reply look = Post("/api/dialog", json{{"edit", bolt}, {"clicks", json::array()}});
  ASSERT_EQ(look.status, 200) << look.body.dump();
  EXPECT_EQ(look.body["choice"]["standard"], "ISO 4017");
  EXPECT_EQ(look.body["choice"]["size"], "M10");
  EXPECT_EQ(look.body["choice"]["length"], "50");
  EXPECT_EQ(SceneFile(), dropped);

  // Another size: the same part (its id), still on the hole's axis with its head on the plate.
  const json clicks = {{{"list", "Misura"}, {"index", IndexOf(look.body["Misura"], "M12")}}};
  Reply edit = Post("/api/edit", json{{"version", 2}, {"id", bolt}, {"clicks", clicks}});
  ASSERT_EQ(edit.status, 200) << edit.body.dump();
  EXPECT_EQ(edit.body["version"], 3);
  ASSERT_EQ(edit.body["parts"].size(), 2u);
  EXPECT_EQ(edit.body["parts"][1]["id"], bolt);
  EXPECT_EQ(edit.body["parts"][1]["partNumber"], "ISO4017M125088");
  std::optional<SavedPart> saved = Saved(bolt);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->name, "ISO 4017 M12x50 - 8.8");
  ExpectSeatedInHole(saved->figures, 50, 7.5);  // ISO 4017 M12: head height k = 7.5

  // The drawing of the scene shows the rebuilt bolt's thread, called out with its new size.
  auto svg = client_->Get("/api/download/scene.svg");
  ASSERT_TRUE(svg);
  ASSERT_EQ(svg->status, 200) << svg->body.substr(0, 200);
  EXPECT_EQ(svg->get_header_value("Content-Type"), "image/svg+xml");
  EXPECT_NE(svg->body.find(">M12</text>"), std::string::npos);
  EXPECT_NE(svg->body.find("<g id=\"view-front\""), std::string::npos);
  EXPECT_NE(svg->body.find("<g id=\"view-top\""), std::string::npos);
  // A drawing program reads it: rsvg renders it to a picture.
  std::ofstream(host_.Scratch() / "scene.svg", std::ios::binary) << svg->body;
  const std::string render = "rsvg-convert '" + (host_.Scratch() / "scene.svg").string() +
                             "' -o '" + (host_.Scratch() / "scene.png").string() + "'";
  EXPECT_EQ(std::system(render.c_str()), 0);
  EXPECT_EQ(host_.ReadFile((host_.Scratch() / "scene.png").string()).substr(1, 3), "PNG");
}

TEST_F(ServeEdit, ATypedLengthFollowsTheStandard) {
  const std::int32_t bolt = DropBoltInHole();
  // 47 mm is between the 45 and 50 records: the bolt takes the nearest, 45.
  Reply r = Post("/api/length", json{{"version", 2}, {"id", bolt}, {"length", 47}});
  ASSERT_EQ(r.status, 200) << r.body.dump();
  EXPECT_EQ(r.body["parts"][1]["name"], "ISO 4017 M10x45 - 8.8");
  EXPECT_EQ(r.body["parts"][1]["length"], 45);
  EXPECT_EQ(r.body["popups"], json::parse(R"([["Length", "45", "mm"]])"));
  std::optional<SavedPart> saved = Saved(bolt);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->name, "ISO 4017 M10x45 - 8.8");
  ExpectSeatedInHole(saved->figures, 45, 6.4);  // the head stays on the plate
}

TEST_F(ServeEdit, ChangesToAPartThatCannotBeMadeChangeNothing) {
  const std::int32_t bolt = DropBoltInHole();
  const std::int32_t plate = 1;
  const std::string dropped = SceneFile();
  const json badSize = {{{"list", "Misura"}, {"index", 999}}};
  ExpectRefused({
      {"/api/edit", {{"version", 2}, {"id", bolt}, {"clicks", badSize}}, 422,
       "click 1: Misura entry 999"},
      {"/api/edit", {{"version", 2}, {"id", bolt}, {"clicks", "M12"}}, 400,
       "clicks must be an array"},
      {"/api/edit", {{"version", 2}, {"id", plate}, {"clicks", json::array()}}, 422,
       "Part1 \"Plate\" has no fastener data table: it is not a catalogue part"},
      {"/api/edit", {{"version", 2}, {"id", 999}, {"clicks", json::array()}}, 404,
       "the scene has no part 999"},
      {"/api/length", {{"version", 2}, {"id", bolt}, {"length", -5}}, 400,
       "a shank length is above 0 and at most 10000 mm, not -5"},
      {"/api/length", {{"version", 2}, {"id", bolt}, {"length", "45"}}, 400,
       "length must be a number"},
      {"/api/length", {{"version", 2}, {"id", bolt}, {"expression", "10-15"}}, 400,
       "a shank length is above 0 and at most 10000 mm, not -5"},
      {"/api/length", {{"version", 2}, {"id", bolt}, {"expression", "2*("}}, 400,
       "expression: formula \"2*(\" at character 4"},
      {"/api/length", {{"version", 2}, {"id", bolt}}, 400,
       "the request needs either \"length\" or \"expression\""},
      {"/api/length", {{"version", 2}, {"id", plate}, {"length", 45}}, 422,
       "Part1 \"Plate\" has no fastener data table"},
  });
  EXPECT_EQ(SceneFile(), dropped);
  auto scene = client_->Get("/api/scene");
  ASSERT_TRUE(scene);
  EXPECT_EQ(json::parse(scene->body)["version"], 2);
}

}  // namespace
}  // namespace vormbrace::test
