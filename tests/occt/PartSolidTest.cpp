// Part solids: features combined in creation order, removal and suppression, re-evaluation
// after a change, and records that make no solid failing as host errors that name the feature.
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <utility>

#include "KernelFixture.h"
#include "host/RuntimeError.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;

class PartSolid : public KernelTest {
 protected:
  // An axis-aligned box feature from (x0, y0, z0), w × d × h.
  SceneShape& Box(SceneShape& part, double x0, double y0, double z0, double w, double d, double h) {
    SceneShape& f = AddFeature(part, host::kShapeExtruded, w, d, h);
    SetAnchor(f, 0, 0, 0);
    Set(f.Components(4).Item(1), {{1, x0}, {2, y0}, {3, z0}});
    Polygon(f, {{0, 0}, {w, 0}, {w, d}, {0, d}});
    return f;
  }

  // The error number and description that Update raises, or {0, ""}.
  static std::pair<int, std::string> UpdateError(SceneShape& feature) {
    try {
      feature.Update();
    } catch (const host::RuntimeError& e) {
      return {e.Number(), e.Description()};
    }
    return {0, ""};
  }
};

TEST_F(PartSolid, RemovalFeaturesCutInCreationOrder) {
  // Cube 10 minus a 4 x 4 x 4 pocket at its top: 1000 - 64.
  SceneShape& part = NewPart();
  Box(part, 0, 0, 0, 10, 10, 10);
  SceneShape& pocket = Box(part, 3, 3, 6, 4, 4, 4);
  MarkRemoval(pocket);
  ExpectValidSolid(part, 936, 1e-9);

  // A suppressed removal removes nothing; the cube is evaluated again, not taken from before.
  pocket.SetSuppressed(true);
  ExpectValidSolid(part, 1000, 1e-9);
  pocket.SetSuppressed(false);

  // Material added after the pocket fills half of it again: 936 + 32.
  Box(part, 3, 3, 6, 2, 4, 4);
  ExpectValidSolid(part, 968, 1e-9);

  // A removal before any material removes nothing.
  SceneShape& late = NewPart();
  MarkRemoval(Box(late, 0, 0, 0, 4, 4, 4));
  Box(late, 0, 0, 0, 10, 10, 10);
  ExpectValidSolid(late, 1000, 1e-9);
}

TEST_F(PartSolid, OverlappingRemovalsCutTheirUnion) {
  // Two grooves 2 wide and 2 deep crossing on the top of a cube 10, their top faces on the
  // cube's: 1000 - (40 + 40 - 8).
  SceneShape& part = NewPart();
  Box(part, 0, 0, 0, 10, 10, 10);
  MarkRemoval(Box(part, 0, 4, 8, 10, 2, 2));
  MarkRemoval(Box(part, 4, 0, 8, 2, 10, 2));
  ExpectValidSolid(part, 928, 1e-9);
}

TEST_F(PartSolid, ChangedRecordsChangeTheSolid) {
  SceneShape& part = NewPart();
  SceneShape& box = Box(part, 0, 0, 0, 10, 10, 10);
  ExpectValidSolid(part, 1000, 1e-9);
  Set(box.Components(1).Item(1), {{3, 5}});
  ExpectValidSolid(part, 500, 1e-9);
  Set(box.Components(4).Item(1), {{3, 7}});
  ExpectBox(part, {0, 0, 7}, {10, 10, 12});
}

TEST_F(PartSolid, FiguresOfPartsWithoutOrWithSeparateMaterial) {
  SceneShape& empty = NewPart();
  host::occt::SolidFigures none = Figures(empty);
  EXPECT_FALSE(none.valid);
  EXPECT_EQ(none.solids, 0);
  EXPECT_EQ(none.volume, 0);

  SceneShape& apart = NewPart();
  Box(apart, 0, 0, 0, 1, 1, 1);
  Box(apart, 5, 0, 0, 1, 1, 1);
  host::occt::SolidFigures two = Figures(apart);
  EXPECT_TRUE(two.valid);
  EXPECT_EQ(two.solids, 2);
  EXPECT_NEAR(two.volume, 2, 1e-9);
  EXPECT_EQ(two.faces, 12);
}

TEST_F(PartSolid, RecordsThatMakeNoSolidFailInUpdateNamingTheFeature) {
  SceneShape& part = NewPart();
  auto feature = [&](const char* name) -> SceneShape& {
    SceneShape& f = AddFeature(part, host::kShapeExtruded, 1, 1, 1);
    f.SetName(name);
    return f;
  };
  struct Case {
    const char* name;
    std::function<void(SceneShape&)> draw;
    const char* message;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"open",
       [](SceneShape& f) {
         host::Component& l = NewLoop(f);
         l.SetStartPoint(0, 0);
         l.AddLineTo(1, 0);
         l.AddLineTo(1, 1);
       },
       "loop 1 is not closed"},
      {"headless", [](SceneShape& f) { NewLoop(f).AddLineTo(1, 0); },
       "loop 1 does not begin with SetStartPoint"},
      {"empty", [](SceneShape&) {}, "the profile has no loop"},
      {"crossing",
       [](SceneShape& f) {
         Polygon(f, {{0, 0}, {1, 1}, {1, 0}, {0, 1}});
       },
       "loop 1 crosses itself"},
      {"doubled back",
       [](SceneShape& f) {
         Polygon(f, {{0, 0}, {1, 0}, {2, 0}});
       },
       "loop 1 crosses itself"},
      {"missing corner",
       [](SceneShape& f) {
         Polygon(f, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}).AddFilletAt(9, 0.1);
       },
       "loop 1: corner 9 does not exist"},
      {"oversized fillet",
       [](SceneShape& f) {
         Polygon(f, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}).AddFilletAt(1, 5);
       },
       "loop 1: the fillet of radius 5.000000 does not fit its corner"},
      {"not a number",
       [&](SceneShape& f) {
         Polygon(f, {{0, 0}, {nan, 0}, {1, 1}});
       },
       "a profile coordinate is not a finite number"},
  };
  for (const Case& c : cases) {
    SceneShape& f = feature(c.name);
    c.draw(f);
    auto [number, description] = UpdateError(f);
    EXPECT_EQ(number, host::err::kInvalidProcedureCall) << c.name;
    EXPECT_EQ(description,
              "\"" + std::string(c.name) + "\" (" + f.SystemName() + "): " + c.message);
  }

  // A zero sweep and a profile across the revolution axis.
  SceneShape& flat = feature("zero sweep");
  Set(flat.Components(1).Item(1), {{3, 0}});
  Polygon(flat, {{0, 0}, {1, 0}, {1, 1}});
  EXPECT_EQ(UpdateError(flat).second,
            "\"zero sweep\" (" + flat.SystemName() + "): the sweep height is 0");
  auto& across =
      static_cast<SceneShape&>(part.Components(23).Item(1).Shapes(host::kShapeRevolved).Add());
  across.SetName("across");
  Polygon(across, {{-1, 0}, {1, 0}, {1, 1}, {-1, 1}});
  EXPECT_EQ(UpdateError(across).second,
            "\"across\" (" + across.SystemName() + "): the profile crosses the revolution axis");
}

TEST_F(PartSolid, PartEvaluationReportsTheFeatureAtFault) {
  // A feature that was never updated is built when the part is asked for: its fault then names
  // it the same way.
  SceneShape& part = NewPart();
  Box(part, 0, 0, 0, 1, 1, 1);
  SceneShape& open = AddFeature(part, host::kShapeExtruded, 1, 1, 1);
  open.SetName("Head");
  host::Component& loop = NewLoop(open);
  loop.SetStartPoint(0, 0);
  loop.AddLineTo(1, 0);
  try {
    Figures(part);
    ADD_FAILURE() << "no error";
  } catch (const host::RuntimeError& e) {
    EXPECT_EQ(e.Description(), "\"Head\" (" + open.SystemName() + "): loop 1 is not closed");
  }
  // Suppressed, it no longer stands in the way.
  open.SetSuppressed(true);
  ExpectValidSolid(part, 1, 1e-9);
}

}  // namespace
}  // namespace vormbrace::test
