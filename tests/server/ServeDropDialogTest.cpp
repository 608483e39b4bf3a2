// The dialog the page opens on a drop: on a hole it takes the hole's size (a size chosen before
// gives way), on a hole a fastener made or on a fastener it offers the assembly, and OK builds
// the item there. Looking changes nothing; refused drops leave the saved scene as it was.
#include "server/ServeFixture.h"

namespace vormbrace::test {
namespace {

// A suite of its own: gtest keeps one fixture class per suite and executable.
class ServeDropDialog : public ServeApi {};

// The ray of HoleDrop: into the plate's Ø10.5 hole, onto its wall.
const json kOnTheHole = {{"at", {0, 0, 30}}, {"dir", {5, 0, -34}}};

TEST_F(ServeDropDialog, OnAHoleTheSizeFollowsItAndOkBuildsOnItsAxis) {
  const std::string before = SceneFile();
  // An M6 chosen before the click gives way to the hole's size; the standard stays.
  const json carried = {{{"kindTab", 0}},
                        {{"list", "Normativa"}, {"index", 0}, {"entry", "ISO 4017"}},
                        {{"list", "Misura"}, {"index", 0}, {"entry", "M6"}}};
  Reply look = Post("/api/dialog",
                    json{{"drop", kOnTheHole}, {"carried", carried}, {"clicks", json::array()}});
  ASSERT_EQ(look.status, 200) << look.body.dump();
  const json& s = look.body;
  EXPECT_EQ(s["choice"]["standard"], "ISO 4017");
  EXPECT_TRUE(s["types"][0]["value"]);  // the hexagon bolts' option, and only it, is set
  EXPECT_FALSE(s["types"][1]["value"]);
  EXPECT_EQ(s["choice"]["size"], "M10");  // a Ø10.5 clearance hole is an M10's
  EXPECT_FALSE(s["Misura"]["enabled"]);
  EXPECT_TRUE(s["ToggleMisuraAuto"]["visible"]);
  EXPECT_TRUE(s["ToggleMisuraAuto"]["value"]);
  EXPECT_NE(s["lblInfo"].get<std::string>().find("10.5"), std::string::npos) << s["lblInfo"];
  EXPECT_NE(s["autoSizeReason"], "");
  EXPECT_FALSE(s["ToggleCreateAssembly"]["visible"]);  // a plain hole: no fastener to join
  EXPECT_EQ(SceneFile(), before);

  // OK with a length chosen on this dialog: the bolt stands on the hole's axis, head on top.
  const json clicks = {{{"list", "Lunghezza"}, {"index", IndexOf(s["Lunghezza"], "50")}}};
  Reply ok = Post("/api/drop", json{{"version", 1},
                                    {"at", kOnTheHole["at"]},
                                    {"dir", kOnTheHole["dir"]},
                                    {"carried", carried},
                                    {"clicks", clicks}});
  ASSERT_EQ(ok.status, 200) << ok.body.dump();
  ASSERT_EQ(ok.body["added"].size(), 1u);
  std::optional<SavedPart> bolt = Saved(ok.body["added"][0].get<std::int32_t>());
  ASSERT_TRUE(bolt);
  EXPECT_EQ(bolt->name, "ISO 4017 M10x50 - 8.8");
  ExpectSeatedInHole(bolt->figures, 50, 6.4);
}

TEST_F(ServeDropDialog, OnAFastenersHoleTheAssemblyIsOfferedAndBuilt) {
  // A bolt that cuts its own clearance hole into the plate.
  json first = HoleDrop(1);
  first["choice"]["length"] = "20";
  first["choice"]["hole"] = "simple";
  ASSERT_EQ(Post("/api/drop", first).status, 200);
  const std::string before = SceneFile();

  // From below, onto the rim of that hole.
  const json rim = {{"at", {5.26, 0, -30}}, {"dir", {0, 0, 1}}};
  const json carried = {{{"kindTab", 0}}};
  Reply look = Post("/api/dialog", json{{"drop", rim}, {"carried", carried}, {"clicks", json::array()}});
  ASSERT_EQ(look.status, 200) << look.body.dump();
  EXPECT_TRUE(look.body["ToggleCreateAssembly"]["visible"]);
  EXPECT_EQ(look.body["choice"]["size"], "M10");
  EXPECT_EQ(look.body["autoSizeReason"],
            "the nominal diameter 10 of the fastener (or its hole) hit");
  EXPECT_EQ(SceneFile(), before);

  const json clicks = {{{"box", "ToggleCreateAssembly"}}, {{"hole", 0}}};
  Reply ok = Post("/api/drop", json{{"version", 2},
                                    {"at", rim["at"]},
                                    {"dir", rim["dir"]},
                                    {"carried", carried},
                                    {"clicks", clicks}});
  ASSERT_EQ(ok.status, 200) << ok.body.dump();
  const json& assembly = ok.body["parts"].back();
  EXPECT_EQ(assembly["kind"], "assembly");
  ASSERT_EQ(assembly["children"].size(), 1u) << assembly.dump();
  std::optional<SavedPart> bolt = Saved(assembly["children"][0]["id"].get<std::int32_t>());
  ASSERT_TRUE(bolt);
  EXPECT_TRUE(bolt->figures.valid);
  EXPECT_NEAR(bolt->figures.boxMin.x + bolt->figures.boxMax.x, 0, 1e-6);
  EXPECT_NEAR(bolt->figures.boxMin.y + bolt->figures.boxMax.y, 0, 1e-6);
}

TEST_F(ServeDropDialog, RefusedDropsChangeNothing) {
  const std::string before = SceneFile();
  const json none = json::array();
  const json onHole = kOnTheHole;
  const json missRay = {{"at", {100, 100, 30}}, {"dir", {0, 0, -1}}};
  auto dropWith = [&](const json& clicks) {
    return json{{"version", 1}, {"at", onHole["at"]}, {"dir", onHole["dir"]}, {"clicks", clicks}};
  };
  json both = HoleDrop(1);  // a choice by name and clicks
  both["clicks"] = none;
  ExpectRefused({
      {"/api/dialog", {{"drop", missRay}, {"clicks", none}}, 422, "nothing there"},
      {"/api/dialog", {{"drop", "here"}, {"clicks", none}}, 400, "drop must be an object"},
      {"/api/dialog", {{"drop", onHole}, {"edit", 1}, {"clicks", none}}, 400,
       "the dialog opens on a part (edit) or on a drop"},
      {"/api/dialog", {{"drop", onHole}, {"carried", {{{"list", "Nope"}}}}, {"clicks", none}}, 422,
       "carried click 1: no list \"Nope\""},
      // The size follows the hole: it cannot be chosen until the automatic size is switched off.
      {"/api/drop", dropWith({{{"list", "Misura"}, {"index", 0}}}), 422, "click 1: "},
      // A plain hole: no fastener to gather with.
      {"/api/drop", dropWith({{{"box", "ToggleCreateAssembly"}}}), 422, "click 1: "},
      {"/api/drop", dropWith("OK"), 400, "clicks must be an array"},
      {"/api/drop", both, 400,
       "the drop takes the dialog's choice or its clicks"},
  });
  EXPECT_EQ(SceneFile(), before);

  // Switched off, the size can be chosen: the click that was refused now goes through.
  Reply chosen = Post("/api/drop", dropWith({{{"box", "ToggleMisuraAuto"}},
                                             {{"list", "Misura"}, {"index", 0}}}));
  EXPECT_EQ(chosen.status, 200) << chosen.body.dump();
  EXPECT_EQ(chosen.body["version"], 2);
}

}  // namespace
}  // namespace vormbrace::test
