// Building a fastener part: placement, geometry by sub-type, name, bill of materials, data
// table, binding, and the hole a bolt or screw cuts into the part it was dropped on.
#include <gtest/gtest.h>

#include <cmath>

#include "components/Bolt.h"
#include "components/FastenerTable.h"
#include "components/Screw.h"
#include "components/Washer.h"
#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "components/NewVormbrace.h"
#include "data/PartData.h"
#include "data/Settings.h"
#include "host/DataObject.h"
#include "host/reference/DropHit.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;
using host::ref::SceneShape;

std::vector<std::string> FeatureNames(host::Shape& part) {
  std::vector<std::string> names;
  for (std::int32_t i = 1; i <= part.Shapes(0).Count(); ++i)
    names.push_back(part.Shapes(0).Item(i).Name());
  return names;
}

class CreateTest : public ::testing::Test {
 protected:
  CreateTest()
      : host_(host::ref::SettingsStore::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json")) {
    State().family = 0;
    State().page = &doc_;
  }

  // A component made the way the dialog makes it: kind, type, standard file, size, length.
  template <typename Make>
  auto FromRecord(std::int16_t kind, std::int16_t type, const std::string& file,
                  const std::string& standard, const std::string& size, const std::string& length,
                  Make make) {
    State().kind = kind;
    State().typeCode = type;
    LoadKindSettings(kind);
    EXPECT_TRUE(QMisuraVariabili(State().paths.dataFolder + file, size, length, State().values,
                                 State().partNumberText));
    auto c = make(type, State().values);
    c->FileData = file;
    c->Normativa = standard;
    c->Codice = size;
    c->MaterialCode = "8.8";
    return c;
  }

  // A drop on the top face (z = 0) of a new plate part at (x, y).
  SceneShape& DropOnPlate(double x, double y) {
    auto& plate = static_cast<SceneShape&>(doc_.RootShape().Shapes(host::kShapePart).Add());
    host::ref::DropHit hit;
    hit.elementType = host::kHitFace;
    hit.geometryType = 1;
    hit.pickPoint = {x, y, 0};
    hit.faceNormal = {0, 0, 1};
    hit.path = {&doc_.Root(), &plate};
    drop_ = std::make_unique<host::ref::RecordedDrop>(doc_, hit);
    State().drop.hook = drop_.get();
    State().drop.pick = {x, y, 0};
    State().drop.axis = {0, 0, 1};
    State().drop.placement = {x, y, 0, 0, 0, 1, 0};
    return plate;
  }
  // An M10 hexagon bolt of head height 6.4.
  static Bolt HexBolt(double length, double across) {
    Bolt bolt;
    bolt.HeaderType = 1;
    bolt.Diametro = 10;
    bolt.lung = length;
    bolt.LungTesta = 6.4;
    bolt.DiamCerchioTesta = across;
    bolt.Passo = 1.5;
    return bolt;
  }

  test::TestHost host_;
  host::ref::SceneDocument doc_;
  std::unique_ptr<host::ref::RecordedDrop> drop_;
};

TEST_F(CreateTest, HexagonBoltIsPlacedBuiltNamedRecordedAndBound) {
  State().drop.placement = {10, 20, 30, 0, 0, 1, 90};
  State().componentId = 1234;
  auto bolt = FromRecord(0, 1, "ISO4017.tab", "ISO 4017", "M10", "50",
                         [](auto t, auto& v) { return MakeBolt(t, v); });
  host::Shape& part = bolt->Create(doc_.RootShape());

  EXPECT_EQ(bolt->Assembly(), &part);
  auto& scene = static_cast<SceneShape&>(part);
  EXPECT_EQ(scene.Frame().translation.y, 20);
  EXPECT_EQ(FeatureNames(part), (std::vector<std::string>{"Body", "Head", "Head Reshape"}));
  EXPECT_EQ(part.Name(), "ISO 4017 M10x50 - 8.8");
  host::Component& table = *FindDataTable(part);
  EXPECT_EQ(TextAt(table, 2), "ISO 4017 M10x@ - 8.8");
  EXPECT_EQ(TextAt(table, 1), "Bolt");
  EXPECT_EQ(table.Variable(1, 2).GetValue(), host::Value::Int32(1234));
  EXPECT_NE(host_.Host().Classes().CreateBound(part), nullptr);
  host::DataObject* bom = part.DataObject(host::kAttributeListGuid, false);
  ASSERT_NE(bom, nullptr);
  EXPECT_EQ(bom->Count(), 4);
  EXPECT_EQ(bom->EntryValue(3), "50");
  EXPECT_EQ(part.DataObject(host::kDescriptionGuid, false)->PartNumber(), "ISO4017M105088");
  EXPECT_EQ(doc_.RootShape().Shapes(0).Count(), 1);  // no hole, nothing else
}

TEST_F(CreateTest, BoltOutsideItsTypesIsStillNamedRecordedAndBound) {
  for (std::int32_t type : {0, 11}) {
    Bolt bolt;
    bolt.HeaderType = type;
    bolt.Normativa = "ISO 4017";
    bolt.Codice = "M10";
    host::Shape& part = bolt.Create(doc_.RootShape());
    EXPECT_EQ(part.Shapes(0).Count(), 0) << type;
    EXPECT_NE(FindDataTable(part), nullptr);
    EXPECT_NE(host_.Host().Classes().CreateBound(part), nullptr);
  }
}

TEST_F(CreateTest, HoleOptionWithoutAHitMakesNoHole) {
  host::ref::DropHit free;
  free.dropPoint = {5, 6, 7};
  drop_ = std::make_unique<host::ref::RecordedDrop>(doc_, free);
  State().drop.hook = drop_.get();
  State().drop.placement = {5, 6, 7, 0, 0, 0, 0};
  State().holeType = 1;
  auto bolt = FromRecord(0, 1, "ISO4017.tab", "ISO 4017", "M10", "50",
                         [](auto t, auto& v) { return MakeBolt(t, v); });
  host::Shape& part = bolt->Create(doc_.RootShape());
  EXPECT_EQ(static_cast<SceneShape&>(part).Frame().translation.z, 7);
  EXPECT_EQ(doc_.RootShape().Shapes(0).Count(), 1);
}

TEST_F(CreateTest, CounterboreForABoltIsCutIntoThePlateAndTheBoltSinksIntoIt) {
  SceneShape& plate = DropOnPlate(30, 40);
  State().holeType = 2;
  State().componentId = 777;
  State().toleranceLine = 4;  // ISO 273 medium
  LoadKindSettings(0);
  host::Shape& part = HexBolt(50, 18).Create(doc_.RootShape());

  ASSERT_EQ(plate.Shapes(0).Count(), 1);
  host::Shape& hole = plate.Shapes(0).Item(1);
  EXPECT_EQ(hole.Name(), "CBHole  10");
  HoleTable t;
  ReadHoleTable(hole, t);
  EXPECT_EQ(t.holeKind, 2);
  EXPECT_EQ(t.componentId, 777);
  EXPECT_EQ(t.tolerance, 1);
  EXPECT_NEAR(t.incDiameter, 24.94, 0.005);  // 1.2 × 18 / cos 30°
  EXPECT_EQ(t.incDepth, 6.4);
  auto linked = host_.Host().Classes().CreateBound(hole);
  ASSERT_NE(linked, nullptr);
  EXPECT_EQ(linked->ProgID(), "Vormbrace.bolt");
  // The hole runs down into the plate from the pick point; the bolt sits the head's height deep.
  auto& holeFrame = static_cast<SceneShape&>(hole);
  host::ref::Vec3 down = holeFrame.Frame().rotation * host::ref::Vec3{0, 0, 1};
  EXPECT_NEAR(down.z, -1, 1e-12);
  EXPECT_EQ(holeFrame.Frame().translation.x, 30);
  EXPECT_NEAR(static_cast<SceneShape&>(part).Frame().translation.z, -6.4, 1e-12);
  EXPECT_TRUE(host_.Host().Messages().empty());
}

TEST_F(CreateTest, CountersunkScrewOnASimpleHoleRestsOnTheSurface) {
  SceneShape& plate = DropOnPlate(0, 0);
  State().holeType = 1;
  Screw screw;
  screw.HeaderType = 2;
  screw.Diametro = 8;
  screw.lung = 30;
  screw.LungTesta = 4.4;
  screw.DiamCerchioTesta = 16;
  screw.Var1 = 90;
  host::Shape& part = screw.Create(doc_.RootShape());
  EXPECT_NEAR(static_cast<SceneShape&>(part).Frame().translation.z, 4.4, 1e-12);
  EXPECT_EQ(plate.Shapes(0).Item(1).Name(), "Hole  8");
}

TEST_F(CreateTest, HoleMovesFollowThePlacementsOwnAxis) {
  DropOnPlate(0, 0);
  State().drop.placement = {1, 2, 3, 1, 0, 0, 90};  // the bolt's +Z turned onto -Y
  State().holeType = 2;
  host::Shape& part = HexBolt(30, 16).Create(doc_.RootShape());
  host::ref::Vec3 at = static_cast<SceneShape&>(part).Frame().translation;
  EXPECT_NEAR(at.x, 1, 1e-12);
  EXPECT_NEAR(at.y, 2 + 6.4, 1e-9);  // towards the tip, along +Y
  EXPECT_NEAR(at.z, 3, 1e-9);
}

TEST_F(CreateTest, BoltMakesNoCountersinkHoleAndAWasherNoHoleAtAll) {
  SceneShape& plate = DropOnPlate(0, 0);
  State().holeType = 3;
  HexBolt(30, 16).Create(doc_.RootShape());
  EXPECT_EQ(plate.Shapes(0).Count(), 0);

  State().holeType = 1;
  State().componentId = 55;
  auto washer = FromRecord(3, 1, "ISO7089.tab", "ISO 7089", "M10", "2",
                           [](auto t, auto& v) { return MakeWasher(t, v); });
  host::Shape& part = washer->Create(doc_.RootShape());
  EXPECT_EQ(plate.Shapes(0).Count(), 0);
  EXPECT_EQ(FeatureNames(part), (std::vector<std::string>{"Body"}));
  EXPECT_EQ(part.DataObject(host::kAttributeListGuid, false)->Count(), 3);  // no length entry
  EXPECT_EQ(State().componentId, 55);
}

}  // namespace
