// vormbrace set: a typed shank length makes a bolt follow its standard (the record nearest to
// the typed length), a change within 0.1 mm changes nothing, a formula stops the update, and a
// threaded rod takes the whole millimetres. The length popup shows without waiting and closes
// at its timer's first tick.
#include "dialog/InfoLung.h"
#include "edit/EditFixture.h"
#include "host/DataObject.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;

class SetLength : public EditFixture {
 protected:
  // Variable 3 of the size box of the part's "Body" feature: what the designer types into.
  static host::Variable& TypedLength(SceneShape& part) {
    for (auto& feature : part.Children()) {
      if (feature->Name() == "Body") return feature->Components(1).Item(1).Variable(3);
    }
    throw std::runtime_error(part.Name() + " has no Body");
  }
};

TEST_F(SetLength, TypedLengthSnapsToTheStandardsRecord) {
  const std::string bolt = DropHexBolt("M10", "40", "s.json");
  const std::string saved = Read("s.json");
  Ok("set s.json --part " + bolt + " --length 40.05");
  EXPECT_EQ(Read("s.json"), saved);

  // 47 has no record: the nearest one, 45, is built and named.
  const std::string report = Ok("set s.json --part " + bolt + " --length 47");
  EXPECT_EQ(report.rfind("InfoLung: Length 45 mm\nISO 4017 M10x45 - 8.8\n", 0), 0u) << report;
  const host::occt::SolidFigures m10x45 = HexBoltAlone("M10", "45");
  auto scene = Load("s.json");
  SceneShape& part = Root(*scene, 0);
  EXPECT_EQ(part.Name(), "ISO 4017 M10x45 - 8.8");
  EXPECT_EQ(Cell(part, 11), 45);
  EXPECT_EQ(TypedLength(part).GetValue().AsDouble(), 45);
  EXPECT_EQ(part.DataObject(host::kAttributeListGuid, false)->EntryValue(3), "45");
  EXPECT_EQ(part.DataObject(host::kDescriptionGuid, false)->PartNumber(), "ISO4017M104588");
  host::occt::SolidFigures f = Figures(*scene, part);
  EXPECT_TRUE(f.valid);
  EXPECT_NEAR(f.volume, m10x45.volume, 1e-6);
  EXPECT_NEAR(f.boxMin.z, -45, 1e-6);

  // A formula drives the length: the part keeps its record.
  EXPECT_NE(
      Ok("set s.json --part " + bolt + " --expression \"2*(20+5)\"").find("driven by the formula"),
      std::string::npos);
  scene = Load("s.json");
  EXPECT_EQ(Root(*scene, 0).Name(), "ISO 4017 M10x45 - 8.8");
  EXPECT_EQ(TypedLength(Root(*scene, 0)).Expression(), "2*(20+5)");
  EXPECT_EQ(TypedLength(Root(*scene, 0)).GetValue().AsDouble(), 50);
  EXPECT_NEAR(Figures(*scene, Root(*scene, 0)).volume, m10x45.volume, 1e-6);
}

// A size whose table has no record at all (here the table file lost it): the part stays as it
// was, the message says what was looked for, and nothing is written.
TEST_F(SetLength, LengthWithoutAnyRecordChangesNothing) {
  DropHexBolt("M10", "40", "s.json");
  {
    auto scene = Load("s.json");
    Table(Root(*scene, 0)).Variable(2, 14).SetValue(host::Value::Text("M99"));
    host::ref::SaveScene(*scene, Path("s.json"));
  }
  const std::string saved = Read("s.json");
  CommandResult r = Run("set s.json --part \"ISO 4017 M10x40 - 8.8\" --length 45");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Measurement not valid: ISO 4017 M99x45"), std::string::npos) << r.err;
  EXPECT_EQ(Read("s.json"), saved);
}

TEST_F(SetLength, ThreadedRodTakesTheWholeMillimetres) {
  Ok("drop --kind bolt --family DIN --type 5 --standard \"DIN 975\" --size M10 --length 100 "
     "-o s.json");
  const std::string rod = Root(*Load("s.json"), 0).SystemName();
  EXPECT_NE(Ok("set s.json --part " + rod + " --length 123.9").find("InfoLung: Length 123 mm"),
            std::string::npos);
  auto scene = Load("s.json");
  SceneShape& part = Root(*scene, 0);
  EXPECT_EQ(Cell(part, 11), 123);
  EXPECT_NE(part.Name().find("x123"), std::string::npos) << part.Name();
  host::occt::SolidFigures f = Figures(*scene, part);
  EXPECT_TRUE(f.valid);
  EXPECT_NEAR(f.boxMax.z - f.boxMin.z, 123, 1e-6);
}

TEST_F(SetLength, PopupClosesAtItsTimersFirstTick) {
  InfoLung& popup = TheInfoLung();
  popup.Show("Length", "45");
  ASSERT_FALSE(host_.Host().Popups().empty());
  EXPECT_EQ(host_.Host().Popups().back().captions,
            (std::vector<std::string>{"Length", "45", "mm"}));
  host_.Host().AdvanceClock(InfoLung::kTimerInterval - 1);
  EXPECT_TRUE(popup.IsShown());
  host_.Host().AdvanceClock(1);
  EXPECT_FALSE(popup.IsShown());
}

}  // namespace
}  // namespace vormbrace::test
