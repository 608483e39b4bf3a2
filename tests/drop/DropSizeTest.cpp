// The size a drop on a real hole chooses: decided for the kind dropped whatever the drop before,
// diameters read with the float noise files carry, washers and nuts on clearance holes, rims
// of alike holes, a standard that names its kind, the opt-in readings of the hole, and a whole
// session of mixed drops against each drop alone.
#include <cstdio>
#include <filesystem>

#include "drop/DropFixture.h"

namespace {

using vormbrace::test::DropOnParts;

// Rays that meet a hole's wall 3 below the top face: from 5 above the axis towards the wall.
std::string Wall(double x, double y, double radius) {
  char text[96];
  std::snprintf(text, sizeof text, "--at %g,%g,5 --dir %g,0,-8", x, y, radius);
  return text;
}

TEST_F(DropOnParts, SizeIsDecidedForTheKindDroppedWhateverTheDropBefore) {
  WritePlate("holes.step", {{-20, 0, 5.2}, {0, 0, 12}});
  // A free bolt of M3 is remembered; a washer dropped on the Ø12 hole must not overwrite it.
  Run("drop --import holes.step --at 0,0,60 --kind bolt --size M3 -o plate.json");
  EXPECT_EQ(SizeOf(Run("drop plate.json " + Wall(0, 0, 6) + " --kind washer -o w.json")), "M12");
  EXPECT_EQ(SizeOf(Run("drop --at 0,0,80 --kind bolt -o free.json")), "M3");
  // After a nut drop the dialog opens on nuts: the bolt still sizes itself on its own hole.
  EXPECT_EQ(SizeOf(Run("drop plate.json " + Wall(0, 0, 6) + " --kind nut -o n.json")), "M12");
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(SizeOf(Run("drop plate.json " + Wall(-20, 0, 2.6) + " --kind bolt -o b.json")), "M5");
  }
  Run("drop plate.json " + Wall(0, 0, 6) + " --kind nut -o n.json");
  EXPECT_EQ(SizeOf(Run("drop plate.json " + Wall(0, 0, 6) + " --kind bolt -o b.json")), "M12");
}

TEST_F(DropOnParts, DiametersWithFloatNoiseSizeWashersAndNuts) {
  WritePlate("noisy.step", {{0, 0, 10}, {20, 0, 12}}, true);
  auto washer = Run("drop --import noisy.step " + Wall(0, 0, 5) + " --kind washer -o w.json");
  EXPECT_NE(washer.out.find(", diameter 10.000000000000007\n"), std::string::npos) << washer.out;
  EXPECT_EQ(SizeOf(washer), "M10");
  EXPECT_EQ(SizeOf(Run("drop --import noisy.step " + Wall(20, 0, 6) + " --kind nut -o n.json")),
            "M12");
  EXPECT_EQ(SizeOf(Run("drop --import noisy.step " + Wall(0, 0, 5) + " --kind bolt -o b.json")),
            "M10");
}

TEST_F(DropOnParts, WashersAndNutsOnClearanceHolesTakeTheBoltsSizeAndSaySo) {
  WritePlate("clearance.step", {{0, 0, 10.5}, {20, 0, 11}});
  for (const char* kind : {"washer", "nut"}) {
    auto fine = Run("drop --import clearance.step " + Wall(0, 0, 5.25) + " --kind " + kind);
    EXPECT_EQ(SizeOf(fine), "M10") << kind;
    EXPECT_EQ(LineOf(fine, "size: "),
              "size: M10, no size of exactly Ø10.5, so Ø10.5 read as the largest size not above "
              "Ø10.5");
    EXPECT_EQ(SizeOf(Run("drop --import clearance.step " + Wall(20, 0, 5.5) + " --kind " + kind)),
              "M10")
        << kind;
  }
}

TEST_F(DropOnParts, RimsOfAlikeCounterboresReadAlike) {
  WritePlate("counterbores.step", {{-15, 0, 5, 9, 5}, {15, 0, 5, 9, 5}});
  // Straight down onto each rim, and onto each rim of the bore at the counterbore's floor.
  for (const char* at : {"-19.5,0,5", "19.5,0,5", "-12.5,0,5", "17.5,0,5", "15,4.5,5"}) {
    auto r = Run("drop --import counterbores.step --at " + std::string(at) +
                 " --dir 0,0,-1 --kind bolt --standard \"ISO 4017\"");
    EXPECT_EQ(SizeOf(r), "M5") << at << "\n" << r.out;
    EXPECT_NE(r.out.find("hit: circular edge (circle)"), std::string::npos) << at << "\n" << r.out;
  }
}

TEST_F(DropOnParts, ReadmesFirstCommandAfterAWasherDrop) {
  Run("drop --kind washer -o washer.json");
  auto r = Run("drop --standard \"ISO 4017\" --size M10 --length 50 --export bolt.step");
  EXPECT_NE(r.out.find("\nISO 4017 M10x50 - 8.8\n"), std::string::npos) << r.out;
  EXPECT_TRUE(std::filesystem::exists(Path("bolt.step")));
}

TEST_F(DropOnParts, FitReadsTapDrillAndClearanceHolesWhenAskedAndIsRemembered) {
  WritePlate("fits.step", {{-20, 0, 8.5}, {0, 0, 11}, {20, 0, 10}, {0, 20, 4.2}}, true);
  const std::string drop = "drop --import fits.step --kind bolt --standard \"ISO 4017\" ";
  // The described rule: the largest size not above the hole.
  EXPECT_EQ(SizeOf(Run(drop + Wall(-20, 0, 4.25))), "M8");
  EXPECT_EQ(SizeOf(Run(drop + Wall(20, 0, 5))), "M10");
  EXPECT_EQ(Prefs().size(), 35u);  // the rule leaves the file as it always was
  // A tap-drill hole: Ø8.5 is drilled for M10 (ISO 2306); remembered for the next drop.
  auto tapped = Run(drop + Wall(-20, 0, 4.25) + " --fit tapped");
  EXPECT_EQ(SizeOf(tapped), "M10");
  EXPECT_EQ(LineOf(tapped, "size: "), "size: M10, Ø8.5 read as a tap-drill hole (Ø8.5 for Ø10)");
  EXPECT_EQ(Prefs().back(), "tapped");
  EXPECT_EQ(SizeOf(Run(drop + Wall(-20, 0, 4.25))), "M10");
  // ISO 273 clearance holes of the chosen class: Ø11 medium is M10's, Ø10 gives M8 room.
  const std::string medium = " --fit clearance --tolerance \"ISO 273 medium\"";
  EXPECT_EQ(SizeOf(Run(drop + Wall(0, 0, 5.5) + medium)), "M10");
  EXPECT_EQ(SizeOf(Run(drop + Wall(20, 0, 5) + medium)), "M8");
  // Auto: whichever reading fits best, and it says which.
  auto automatic = Run(drop + Wall(0, 20, 2.1) + " --fit auto");
  EXPECT_EQ(SizeOf(automatic), "M5");
  EXPECT_NE(LineOf(automatic, "size: ").find("tap-drill hole (Ø4.2 for Ø5) (fits best)"),
            std::string::npos)
      << automatic.out;
  EXPECT_EQ(SizeOf(Run(drop + Wall(20, 0, 5) + " --fit auto")), "M10");
  EXPECT_EQ(SizeOf(Run(drop + Wall(20, 0, 5) + " --fit rule")), "M10");
  EXPECT_EQ(Prefs().size(), 35u);
}

// Nut, washer, bolt, screw and an assembly on one scene, one after the other, choose the sizes
// each of them chooses alone on a fresh preferences file.
TEST_F(DropOnParts, MixedSessionGivesTheSizesOfEachDropAlone) {
  WritePlate("session.step", {{0, 0, 12}, {20, 0, 10.5}, {-20, 0, 5.2}, {0, 20, 6.6}}, true);
  Run("drop --import session.step --at 0,0,-60 --kind nut -o scene0.json");
  const std::vector<std::string> drops = {
      Wall(0, 0, 6) + " --kind nut",
      Wall(20, 0, 5.25) + " --kind washer",
      Wall(-20, 0, 2.6) + " --kind bolt --standard \"ISO 4017\" --length 25",
      Wall(0, 20, 3.3) + " --kind screw",
      "--at -20,-20,-20 --dir 0,1,0 --kind bolt --assembly --washer --nut",
  };
  std::vector<std::string> session;
  for (std::size_t i = 0; i < drops.size(); ++i) {
    session.push_back(SizeOf(Run("drop scene" + std::to_string(i) + ".json " + drops[i] +
                                 " -o scene" + std::to_string(i + 1) + ".json")));
  }
  EXPECT_EQ(session, (std::vector<std::string>{"M12", "M10", "M5", "M6", "M5"}));
  for (std::size_t i = 0; i < drops.size(); ++i) {
    std::filesystem::remove(Path("user/Vormbrace.prf"));
    EXPECT_EQ(SizeOf(Run("drop scene" + std::to_string(i) + ".json " + drops[i] + " -o alone.json")),
              session[i])
        << drops[i];
  }
}

}  // namespace
