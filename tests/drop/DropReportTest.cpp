// What drop says it did: what the ray hit (or that it hit nothing), the diameter read, the size
// and why, the holes cut; and the same as one JSON object for scripts.
#include <nlohmann/json.hpp>

#include "drop/DropFixture.h"

namespace {

using vormbrace::test::DropOnParts;

TEST_F(DropOnParts, ReportSaysWhatTheRayHitOrThatItHitNothing) {
  WritePlate("plate.step", {{0, 0, 10}}, true);
  const std::string drop = "drop --import plate.step --kind nut ";
  EXPECT_EQ(LineOf(Run(drop + "--at 10,5,20 --dir 0,0,-1"), "hit: "),
            "hit: face (plane) of \"plate\" at (10, 5, 0)");
  EXPECT_EQ(LineOf(Run(drop + "--at 0,0,5 --dir 5,0,-8"), "hit: "),
            "hit: hole wall (cylinder) of \"plate\" at (5, 0, -3), diameter 10.000000000000007");
  EXPECT_EQ(LineOf(Run(drop + "--at 5.01,0,20 --dir 0,0,-1"), "hit: "),
            "hit: circular edge (circle) of \"plate\" at (5.01, 0, 0), diameter 10.000000000000007");
  WritePlate("rounded.step", {{0, 0, 10, 0, 0, 1}});
  EXPECT_EQ(LineOf(Run("drop --import rounded.step --kind nut --at 5.5,0,20 --dir 0,0,-1"), "hit: "),
            "hit: rounded hole edge (surface of revolution) of \"rounded\" at (5.5, 0, -0.134), "
            "diameter 10");
  // Beside the plate, and down the middle of the hole: nothing, placed where the ray began.
  for (const char* at : {"100,0,20", "0,0,20"}) {
    auto r = Run(drop + "--at " + at + " --dir 0,0,-1 -o miss.json");
    EXPECT_EQ(LineOf(r, "hit: "), "hit: nothing; placed at the drop point (" +
                                      std::string(at[0] == '1' ? "100" : "0") + ", 0, 20)");
    EXPECT_EQ(Scene("miss.json")->Root().Children().back()->Frame().translation.z, 20);
  }
}

TEST_F(DropOnParts, JsonReportIsOneObjectWithTheHitTheSizeAndTheHoles) {
  WritePlate("plate.step", {{0, 0, 10.5}}, true);
  auto r = Run("drop --import plate.step --at 0,0,5 --dir 5.25,0,-8 --kind bolt --standard "
               "\"ISO 4017\" --length 40 --hole simple --json -o scene.json");
  nlohmann::json report = nlohmann::json::parse(r.out);  // nothing else on standard output
  EXPECT_EQ(report["hit"]["element"], "hole wall");
  EXPECT_EQ(report["hit"]["part"], "plate");
  EXPECT_NEAR(report["hit"]["diameter"].get<double>(), 10.5, 1e-12);
  EXPECT_EQ(report["size"]["chosen"], "M10");
  EXPECT_EQ(report["size"]["why"], "Ø10.5 read as the largest size not above Ø10.5");
  ASSERT_EQ(report["holes"].size(), 1u);
  EXPECT_EQ(report["holes"][0]["part"], "plate");
  ASSERT_EQ(report["parts"].size(), 1u);
  EXPECT_EQ(report["parts"][0]["name"], "ISO 4017 M10x40 - 8.8");
  EXPECT_TRUE(report["parts"][0]["solid"]["valid"].get<bool>());
  EXPECT_EQ(report["written"], nlohmann::json::array({"scene.json", "drop.step"}));
  EXPECT_EQ(report["messages"][0], "imported plate.step as \"plate\"");
}

}  // namespace
