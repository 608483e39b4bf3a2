// The projected-thread answers of the threaded classes, asked as the host asks them: through
// the interface found on a fresh instance of the class a part is bound to. Lengths come back
// in the host's internal unit (metres), so 99.25 mm reads 0.09925.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/Bolt.h"
#include "components/Screw.h"
#include "components/ScrewNoHead.h"
#include "data/Globals.h"
#include "host/ProjectedThreads.h"
#include "host/reference/SceneDocument.h"
#include "support/ErrorOf.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;
using host::ProjectedThreads;

constexpr double kMetre = 1e-3;  // one millimetre in the host's internal unit

class ProjectedThreadsTest : public ::testing::Test {
 protected:
  host::Shape& NewPart() { return doc_.RootShape().Shapes(host::kShapePart).Add(); }

  // Writes the component's data table into a new part, then asks a fresh instance of the class
  // the part is now bound to for its interface, as the host's drawing module does.
  template <typename C>
  ProjectedThreads& Bound(const C& component, std::int16_t subType) {
    State().typeCode = subType;
    part_ = &NewPart();
    component.WriteTable(*part_, "x@");
    instance_ = host_.Host().Classes().CreateBound(*part_);
    EXPECT_NE(instance_, nullptr);
    auto* threads = host::QueryInterface<ProjectedThreads>(*instance_);
    EXPECT_NE(threads, nullptr);
    return *threads;
  }

  // Length and offset in millimetres after Initialize on the bound part.
  std::pair<double, double> Position(ProjectedThreads& threads) {
    EXPECT_TRUE(threads.Initialize(part_));
    double length = 0, offset = 0;
    EXPECT_TRUE(threads.GetPositionInformation(length, offset));
    return {length / kMetre, offset / kMetre};
  }

  test::TestHost host_;
  host::ref::SceneDocument doc_;
  host::Shape* part_ = nullptr;
  std::unique_ptr<host::AutomationObject> instance_;
};

TEST_F(ProjectedThreadsTest, OnlyTheThreadedClassesGiveTheInterface) {
  for (const char* progId : {"Vormbrace.bolt", "Vormbrace.Screw", "Vormbrace.ScrewNoHead"}) {
    auto object = host_.Host().Classes().Create(host_.Host().Classes().ClassIdOf(progId));
    ASSERT_NE(object, nullptr) << progId;
    EXPECT_NE(host::QueryInterface<ProjectedThreads>(*object), nullptr) << progId;
    EXPECT_NE(object->QueryInterface("{fc213957-4068-11d3-80cc-00c04f6bfadf}"), nullptr) << progId;
    EXPECT_EQ(object->QueryInterface("{FC213957-4068-11D3-80CC-00C04F6BFAD0}"), nullptr) << progId;
  }
  for (const char* progId : {"Vormbrace.Washer", "Vormbrace.Nut", "Vormbrace.DropHook"}) {
    auto object = host_.Host().Classes().Create(host_.Host().Classes().ClassIdOf(progId));
    ASSERT_NE(object, nullptr) << progId;
    EXPECT_EQ(host::QueryInterface<ProjectedThreads>(*object), nullptr) << progId;
  }
}

TEST_F(ProjectedThreadsTest, BoltAnswersEveryQuestionFromItsTableInMetres) {
  Bolt bolt;
  bolt.Diametro = 10;
  bolt.Passo = 1.5;
  bolt.lung = 50;
  bolt.DistFiletto = 24;
  bolt.LungTesta = 6.4;
  ProjectedThreads& threads = Bound(bolt, 1);
  double inner = 0, outer = 0, taper = 9, length = 0, offset = 0, vx = 9, vy = 9, vz = 9;
  bool isHole = true, taperProjection = false;
  ASSERT_TRUE(threads.GetProjectedThreadInformation(part_, inner, outer, taper, length, offset, vx,
                                                    vy, vz, isHole, taperProjection));
  EXPECT_NEAR(inner, 8.5 * kMetre, 1e-12);
  EXPECT_NEAR(outer, 10 * kMetre, 1e-12);
  EXPECT_EQ(taper, 0);
  EXPECT_NEAR(length, 26 * kMetre, 1e-12);
  EXPECT_NEAR(offset, 24 * kMetre, 1e-12);
  EXPECT_EQ(vx, 0);
  EXPECT_EQ(vy, 0);
  EXPECT_EQ(vz, -1);
  EXPECT_FALSE(isHole);
  EXPECT_TRUE(taperProjection);
  EXPECT_EQ(threads.ProjectionFlags(), 1);
  EXPECT_EQ(threads.HoleInformationFlags(), 0);
  EXPECT_EQ(threads.Callout(), "");
}

// Where the thread starts under the seating plane and how long it runs, by kind and type:
// a rod from half a pitch (its DistFiletto ignored); countersunk screws under the head, except
// header type 2 from DistFiletto; a set screw between its chamfers (a 90-degree chamfer as long
// as its radial drop: half a pitch at the top, (10 - 5) / 2 at the point); a stud half a pitch
// from the top over root and length, less the dome.
TEST_F(ProjectedThreadsTest, ThreadPositionFollowsTheKindAndType) {
  Bolt rod;
  rod.lung = 100, rod.Passo = 1.5, rod.DistFiletto = 30;
  Screw screw;
  screw.lung = 40, screw.DistFiletto = 10, screw.LungTesta = 5;
  ScrewNoHead square;
  square.Diametro = 10, square.Passo = 1.5, square.lung = 20, square.DiamInf = 5;
  ScrewNoHead chamfered = square;
  chamfered.SmussoSuperiore = 90, chamfered.SmussoInferiore = 90;
  ScrewNoHead stud = chamfered;
  stud.LungRadice = 10, stud.AltCalotta = 1;
  struct Case {
    std::function<ProjectedThreads&()> bind;
    std::string what;
    double length, offset;
  };
  std::vector<Case> cases = {
      {[&]() -> ProjectedThreads& { return Bound(rod, 5); }, "rod", 99.25, 0.75},
      {[&]() -> ProjectedThreads& { return Bound(screw, 2); }, "screw 2", 30, 10},
      {[&]() -> ProjectedThreads& { return Bound(square, 1); }, "square set screw", 20, 0},
      {[&]() -> ProjectedThreads& { return Bound(chamfered, 1); }, "set screw", 16.75, 0.75},
      {[&]() -> ProjectedThreads& { return Bound(stud, 9); }, "stud", 28.25, 0.75},
  };
  for (std::int16_t type : {5, 6, 8, 9, 11, 12}) {
    cases.push_back({[&, type]() -> ProjectedThreads& { return Bound(screw, type); },
                     "countersunk screw " + std::to_string(type), 35, 5});
  }
  for (const Case& c : cases) {
    auto [length, offset] = Position(c.bind());
    EXPECT_NEAR(length, c.length, 1e-9) << c.what;
    EXPECT_NEAR(offset, c.offset, 1e-9) << c.what;
  }
  // Of these only the bolt projects its thread's taper, a rod (once initialised) not.
  for (bool isRod : {true, false}) {
    ProjectedThreads& threads = isRod ? Bound(rod, 5) : Bound(screw, 1);
    if (isRod) Position(threads);
    bool taperProjection = true;
    EXPECT_TRUE(threads.GetTaperProjection(taperProjection));
    EXPECT_FALSE(taperProjection) << isRod;
  }
  // The drawing takes only the two low bits of the stored flags.
  rod.TransferToDrawingFlags = 6;
  EXPECT_EQ(rod.ProjectionFlags(), 2);
}

TEST_F(ProjectedThreadsTest, ShapeWithoutTableAnswersFalseAndWritesNothing) {
  ScrewNoHead s;
  s.TransferToDrawingFlags = 3;
  host::Shape& bare = NewPart();
  double inner = -1, outer = -2, taper = -3, length = -4, offset = -5, vx = -6, vy = -7, vz = -8;
  bool isHole = true, taperProjection = true;
  EXPECT_FALSE(s.GetProjectedThreadInformation(&bare, inner, outer, taper, length, offset, vx, vy,
                                               vz, isHole, taperProjection));
  EXPECT_EQ(s.TransferToDrawingFlags, 0);
  EXPECT_EQ(s.ProjectionFlags(), 0);
  for (double v : {inner, outer, taper, length, offset, vx, vy, vz}) EXPECT_LT(v, 0);
  EXPECT_TRUE(isHole);
  EXPECT_TRUE(taperProjection);

  // An absent shape or an assembly is refused before anything changes.
  s.TransferToDrawingFlags = 3;
  EXPECT_FALSE(s.Initialize(nullptr));
  EXPECT_FALSE(s.Initialize(&doc_.RootShape()));
  EXPECT_EQ(s.TransferToDrawingFlags, 3);

  bool finite = false;
  double depth = -1;
  EXPECT_FALSE(s.GetHoleInformation(true, finite, depth, depth, depth, depth, depth, depth));
  EXPECT_FALSE(finite);
  EXPECT_EQ(depth, -1);
}

TEST_F(ProjectedThreadsTest, LengthsNeedAPageToConvert) {
  Screw fresh;  // never initialised, no drop in this process
  double inner = 0, outer = 0;
  EXPECT_EQ(test::ErrorOf([&] { fresh.GetDiameters(inner, outer); }), host::err::kObjectRequired);
  State().page = &doc_;  // a drop or an edit sets the page; a fresh object answers its zeros
  EXPECT_TRUE(fresh.GetDiameters(inner, outer));
  EXPECT_EQ(outer, 0);
}

}  // namespace
