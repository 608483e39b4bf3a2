// Shank, threaded rod, set-screw body and stud: their golden profiles, variables and textures.
#include <algorithm>
#include <cmath>

#include "GeometryFixture.h"
#include "data/Settings.h"
#include "geometry/generaGambo.h"

namespace vormbrace::test {
namespace {

using host::ref::ProfileCall;

class Gambo : public GeometryTest {
 protected:
  // Installs the thread texture image where the settings look for it first.
  void InstallTexture() {
    std::string dir = host_.Scratch().string();
    host_.Settings().SetRegistry(kCorvaneKey, "ApplDir", dir);
    host_.WriteFile("Images/3iaoftt.jpg", "jpeg");
  }
  static std::vector<double> Point(const host::ref::SurfaceFinishRecord& f) {
    return {f.point.x, f.point.y, f.point.z};
  }
};

TEST_F(Gambo, ShankProfileAndVariables) {
  host::Shape& body = BuildShank(part_, 10, 50, 20, 1.5);
  auto& f = Feature(0);
  ASSERT_EQ(&body, &f);
  EXPECT_EQ(f.Type(), 6);
  EXPECT_EQ(f.Name(), "Body");
  ExpectLoop(Loop(f),
             {{"SetStartPoint", {0, 0}},
              {"AddLineTo", {4.25, 0}},
              {"AddLineTo", {5, 0.75}},
              {"AddLineTo", {5, 30}},
              {"AddLineTo", {4.9975, 50}},
              {"AddLineTo", {0, 50}},
              {"AddLineTo", {0, 0}}},
             1e-12);
  ExpectNear(Triple(f, 1), {10, 10, 50}, 0);
  ExpectNear(Triple(f, 5), {5, 5, 50}, 0);
  ExpectNear(Triple(f, 4), {0, 0, 0}, 0);
  ExpectNear(ProfileOrigin(f), {5, 5, 0}, 0);
  // The threaded body's box flags, after SetSizeBox wrote 1 and 3.
  EXPECT_EQ(Var(f, 1, 6), host::Value::Int16(0));
  EXPECT_EQ(Var(f, 1, 14), host::Value::Int32(2));
  EXPECT_EQ(Var(f, 14, 62), host::Value::Int32(0));
  EXPECT_TRUE(Var(f, 14, 1).IsEmpty());
  const std::string id = f.SystemName();
  EXPECT_EQ(document_.Calls(), (std::vector<std::string>{"PartService.Run " + part_.SystemName(),
                                                         "Update " + id, "ResetSizeBox " + id}));
}

TEST_F(Gambo, ShankTextureLiesOnTheBoxAxisAtTheThreadsMiddle) {
  InstallTexture();
  // F = 0: the texture point is (D/2, D/2, L/2) in metres.
  BuildShank(part_, 10, 50, 0, 1.5);
  auto& f = Feature(0);
  auto& finishes = Component(f, 27).Finishes();
  ASSERT_EQ(finishes.size(), 1u);
  ExpectNear(Point(*finishes[0]), {0.005, 0.005, 0.025}, 1e-15);
  EXPECT_NEAR(finishes[0]->projectionWidth, 3.14159265358979 * 10, 1e-12);
  EXPECT_NEAR(finishes[0]->projectionHeight, 6.25 * 1.5, 1e-12);
  // With no unthreaded length the cone under the head is a radial step.
  EXPECT_EQ(Loop(f)[3].args, (std::vector<double>{5, 50}));
}

TEST_F(Gambo, SetScrewChamfersFollowTheirAngles) {
  // 90° at both ends: 45° chamfers, p/2 long at the top and (D - di)/2 at the point.
  BuildSetScrewBody(part_, 10, 90, 6, 90, 20, 1.5);
  ExpectLoop(Loop(Feature(0)),
             {{"SetStartPoint", {0, 0}},
              {"AddLineTo", {3, 0}},
              {"AddLineTo", {5, 2}},
              {"AddLineTo", {5, 19.25}},
              {"AddLineTo", {4.9975, 19.25}},
              {"AddLineTo", {4.25, 20}},
              {"AddLineTo", {0, 20}},
              {"AddLineTo", {0, 0}}},
             1e-12);
  // The size box flags stay as SetSizeBox wrote them.
  EXPECT_EQ(Var(Feature(0), 1, 6), host::Value::Int16(1));

  // di = D: no chamfer at the point; the zero-length segment still makes a valid body.
  host::ref::SceneShape& flat =
      static_cast<host::ref::SceneShape&>(document_.RootShape().Shapes(3).Add());
  BuildSetScrewBody(flat, 10, 90, 10, 90, 20, 1.5);
  auto& f = *flat.Children().front();
  EXPECT_EQ(Loop(f)[2].args, (std::vector<double>{5, 0}));
  EXPECT_TRUE(kernel_.Figures(flat).valid);
}

TEST_F(Gambo, StudIsDrawnDownwardWithTwoTextures) {
  InstallTexture();
  // D 10, L 40, G 15, R 10, C 1, p 1.5: H = 50; the dome is a cap of height 1 over radius 5.
  BuildStudBody(part_, 10, 40, 15, 10, 1, 1.5);
  auto& f = Feature(0);
  ExpectNear(Triple(f, 5), {5, 5, 0}, 0);
  ExpectNear(Triple(f, 1), {10, 10, 50}, 0);
  // The cap of height 1 over radius 5 lies on a circle of radius 13: sagitta over chord.
  const double r = (13 - std::sqrt(169 - 6.5)) / std::sqrt(26.0);
  ExpectLoop(Loop(f),
             {{"SetStartPoint", {0, 0}},
              {"AddLineTo", {4.25, 0}},
              {"AddLineTo", {5, -0.75}},
              {"AddLineTo", {4.9975, -10}},
              {"AddLineTo", {4.9975, -35}},
              {"AddLineTo", {5, -49}},
              {"AddArcTo", {0, -50, r}},
              {"AddLineTo", {0, 0}}},
             1e-12);
  auto& finishes = Component(f, 27).Finishes();
  ASSERT_EQ(finishes.size(), 2u);
  ExpectNear(Point(*finishes[0]), {0, 0, -0.005}, 1e-15);
  ExpectNear(Point(*finishes[1]), {0, 0, 7.5e-3 - 0.05}, 1e-15);
  EXPECT_EQ(std::count(document_.Calls().begin(), document_.Calls().end(),
                       "PartService.Run " + part_.SystemName()),
            2);
}

TEST_F(Gambo, RebuildsRedrawTheBodyInPlace) {
  host::Shape& body = BuildShank(part_, 10, 50, 20, 1.5);
  auto& f = Feature(0);
  f.SetName("renamed");
  RebuildShank(body, 10, 60, 25, 1.5);
  ASSERT_EQ(ProfileStore(f).List(3).Items().size(), 1u);
  EXPECT_EQ(Loop(f)[3].args, (std::vector<double>{5, 35}));
  ExpectNear(Triple(f, 5), {5, 5, 60}, 0);
  EXPECT_EQ(f.Name(), "renamed");

  // A body whose profile has no loop gets one.
  ProfileStore(f).List(3).Items().clear();
  RebuildThreadedRod(body, 10, 30, 1.5);
  ASSERT_EQ(ProfileStore(f).List(3).Items().size(), 1u);
  EXPECT_EQ(Loop(f)[3].args, (std::vector<double>{5, 29.25}));
  EXPECT_NEAR(kernel_.Figures(part_).boxMin.z, -30, 1e-6);
}

}  // namespace
}  // namespace vormbrace::test
