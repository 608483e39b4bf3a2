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
      {"--at 20,0,5 --dir 2.5,0,-8", 20, 0},       // the chamfered hole's wall
      {"--at 23.49,0,5 --dir 0,0,-1", 20, 0},      // the chamfer's outer edge
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
  EXPECT_EQ(same.Shapes(0).Count(), bolt.Shapes(0).Count());
  host::occt::SolidFigures figures = host::occt::AttachKernel(*after).Figures(same);
  EXPECT_TRUE(figures.valid);
  EXPECT_NEAR(figures.volume, volume, 1e-6);
}

}  // namespace
