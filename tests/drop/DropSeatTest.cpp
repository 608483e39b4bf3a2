// Where a drop on a real hole seats the fastener and what it cuts: the narrowest bore decides
// the size and the head seats on the first face across the axis (past a rounded or chamfered
// top edge, on a counterbore's floor); a placed fastener is never drilled.
#include "drop/DropFixture.h"
#include "host/occt/Import.h"
#include "host/occt/OcctEvaluator.h"

namespace {

using host::ref::SceneShape;
using vormbrace::test::DropOnParts;

class DropSeat : public DropOnParts {
 protected:
  // Drops an ISO 4017 bolt along the ray and answers the new bolt's frame origin.
  host::ref::Vec3 BoltSeat(const std::string& ray, std::string& size) {
    auto r = Run("drop --import edges.step " + ray +
                 " --kind bolt --standard \"ISO 4017\" --hole none -o seat.json");
    size = SizeOf(r);
    auto scene = Scene("seat.json");
    return scene->Root().Children().back()->Frame().translation;
  }
};

TEST_F(DropSeat, HeadSeatsOnTheFaceAroundARoundedOrChamferedEdgeAndOnACounterboreFloor) {
  // Ø5 bores: a 1 mm rounding of the top edge, a 1 mm chamfer, a Ø9 × 5 counterbore.
  WritePlate("edges.step", {{0, 0, 5, 0, 0, 1}, {20, 0, 5, 0, 0, 0, 1}, {-20, 0, 5, 9, 5}}, true);
  struct Case {
    const char* ray;
    double x, z;  // where the bolt stands: on the axis, its head on z
  } cases[] = {
      {"--at 0,0,5 --dir 2.5,0,-8", 0, 0},         // the rounded hole's wall
      {"--at 3.49,0,5 --dir 0,0,-1", 0, 0},        // the Ø7 outer edge of the rounding
      {"--at 3,0,5 --dir 0,0,-1", 0, 0},           // the rounding itself
      {"--at 0,3,5 --dir 0.3,-1,-1", 0, 0},        // the rounding, slanting
      {"--at 20,0,5 --dir 2.5,0,-8", 20, 0},       // the chamfered hole's wall
      {"--at 23.49,0,5 --dir 0,0,-1", 20, 0},      // the chamfer's outer edge
      {"--at 23,0,5 --dir 0,0,-1", 20, 0},         // the chamfer itself
      {"--at -20,0,5 --dir 4.5,0,-8", -20, -5},    // the counterbore's wall
      {"--at -20,0,5 --dir 2.5,0,-14", -20, -5},   // the bore under the counterbore
  };
  for (const Case& c : cases) {
    std::string size;
    host::ref::Vec3 seat = BoltSeat(c.ray, size);
    EXPECT_EQ(size, "M5") << c.ray;
    EXPECT_NEAR(seat.x, c.x, 1e-6) << c.ray;
    EXPECT_NEAR(seat.y, 0, 1e-6) << c.ray;
    EXPECT_NEAR(seat.z, c.z, 1e-6) << c.ray;
  }
}

TEST_F(DropSeat, APlacedFastenerIsNeverDrilledAndEveryHoleCutIsNamed) {
  WritePlate("plate.step", {{0, 0, 10.5}});
  auto first = Run("drop --import plate.step --at 0,0,5 --dir 5.25,0,-8 --kind bolt --standard "
                   "\"ISO 4017\" --length 40 --hole simple -o one.json");
  EXPECT_EQ(LineOf(first, "hole cut: "), "hole cut: \"Hole  10\" into \"plate\"");
  auto scene = Scene("one.json");
  SceneShape& bolt = *scene->Root().Children().back();
  const double volume = host::occt::AttachKernel(*scene).Figures(bolt).volume;

  // "Simple hole" is remembered: dropped on the first bolt's shank, the second bolt must leave
  // that shank whole.
  auto second = Run("drop one.json --at 0,-20,-25 --dir 0,1,0 --kind bolt -o two.json");
  EXPECT_EQ(LineOf(second, "hit: "),
            "hit: shaft (cylinder) of \"ISO 4017 M10x40 - 8.8\" at (0, -5, -25), diameter 10");
  EXPECT_EQ(LineOf(second, "hole cut: "), "hole cut: none");
  auto after = Scene("two.json");
  SceneShape& same = *after->Root().Children()[1];
  host::occt::SolidFigures figures = host::occt::AttachKernel(*after).Figures(same);
  EXPECT_TRUE(figures.valid);
  EXPECT_NEAR(figures.volume, volume, 1e-6);
}

// The nut's bearing face (its own z = 0) and the way its own Z runs, in the scene.
struct NutSeat {
  double z;
  host::ref::Vec3 up;
};
NutSeat SeatOf(SceneShape& nut) {
  host::ref::RigidTransform frame = nut.Frame();
  return {frame.translation.z, frame.rotation * host::ref::Vec3{0, 0, 1}};
}

TEST_F(DropSeat, NutsSitAgainstTheFarFaceOfWhatTheBoltClampsElseFlushWithItsTip) {
  // A 10 mm plate with a Ø10.5 hole; an M10 × 40 bolt; an ISO 4032 M10 nut is 8.4 high.
  WritePlate("plate.step", {{0, 0, 10.5}}, true);
  const std::string bolt = " --kind bolt --standard \"ISO 4017\" --length 40 --hole none";
  Run("drop --import plate.step --at 0,0,5 --dir 5.25,0,-8" + bolt + " --nut -o with.json");
  auto with = Scene("with.json");
  ASSERT_EQ(with->Root().Children().size(), 3u);  // the plate, the nut, the bolt
  NutSeat option = SeatOf(*with->Root().Children()[1]);
  EXPECT_NEAR(option.z, -10, 1e-6);  // against the plate's underside, not 10 mm below it
  EXPECT_NEAR(option.up.z, -1, 1e-9);

  // A nut dropped on the bolt's shank: the same place, not inside the bolt's head.
  Run("drop --import plate.step --at 0,0,5 --dir 5.25,0,-8" + bolt + " -o bolt.json");
  auto r = Run("drop bolt.json --at 0,-20,-25 --dir 0,1,0 --kind nut -o nut.json");
  EXPECT_EQ(SizeOf(r), "M10");
  auto dropped = Scene("nut.json");
  NutSeat onShank = SeatOf(*dropped->Root().Children().back());
  EXPECT_NEAR(onShank.z, -10, 1e-6);
  EXPECT_NEAR(onShank.up.z, -1, 1e-9);

  // With nothing clamped the nut's outer face is flush with the tip, 40 under the head.
  Run("drop --at 0,0,0 --kind bolt --standard \"ISO 4017\" --size M10 --length 40 --nut -o free.json");
  auto free = Scene("free.json");
  NutSeat tip = SeatOf(*free->Root().Children()[0]);
  EXPECT_NEAR(tip.z, -40 + 8.4, 1e-6);
  EXPECT_NEAR(tip.up.z, -1, 1e-9);
}

}  // namespace
