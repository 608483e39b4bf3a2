// Part names, part numbers, bill-of-materials data and hole tables on a reference scene.
#include <gtest/gtest.h>

#include "components/Screw.h"
#include "data/Globals.h"
#include "data/PartData.h"
#include "host/DataObject.h"
#include "host/reference/SceneDocument.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;
using Entries = std::vector<std::pair<std::string, std::string>>;

Entries EntriesOf(host::DataObject& list) {
  Entries entries;
  for (std::int32_t i = 1; i <= list.Count(); ++i) {
    entries.emplace_back(list.EntryName(i), list.EntryValue(i));
  }
  return entries;
}

class PartDataTest : public ::testing::Test {
 protected:
  // A part inside an assembly, after another: the data is written to it only if the search for
  // it goes depth first.
  host::Shape& NestedPart() {
    host::Shape& assembly = doc_.RootShape().Shapes(host::kShapeAssembly).Add();
    assembly.Shapes(host::kShapePart).Add();
    return assembly.Shapes(host::kShapePart).Add();
  }
  host::DataObject& List(host::Shape& part) {
    return *part.DataObject(host::kAttributeListGuid, false);
  }
  host::DataObject& Description(host::Shape& part) {
    return *part.DataObject(host::kDescriptionGuid, false);
  }

  test::TestHost host_;
  host::ref::SceneDocument doc_;
};

TEST_F(PartDataTest, ComposeNameFollowsTheTemplate) {
  Screw screw;
  screw.Normativa = "ISO 4017";
  screw.Codice = "M10";
  screw.lung = 50;
  screw.MaterialCode = "8.8";
  std::string name, pattern;
  ComposeName(screw, "N D CxL", "Hex screw", name, pattern);
  EXPECT_EQ(name, "ISO 4017 Hex screw M10x50");
  EXPECT_EQ(pattern, "ISO 4017 Hex screw M10x@");

  // Lower-case letters are copied; the outputs are appended to.
  name = "[";
  pattern = "[";
  screw.lung = 2.5;
  ComposeName(screw, "d-M-L", "Hex screw", name, pattern);
  EXPECT_EQ(name, "[d-8.8-2.5");
  EXPECT_EQ(pattern, "[d-8.8-@");
}

TEST_F(PartDataTest, PartNumberIsDerivedFromTheNameOnlyForOne) {
  const std::string name = "ISO 4017 - M10x50 8.8";
  EXPECT_EQ(PartNumberFor(name, "1"), "ISO4017M105088");
  EXPECT_EQ(PartNumberFor(name, " 1.0 "), "ISO4017M105088");
  EXPECT_EQ(PartNumberFor(name, "ABC-12"), "ABC-12");
  EXPECT_EQ(PartNumberFor(name, "1.00"), "1.00");
  EXPECT_EQ(PartNumberFor(name, ""), "");
}

TEST_F(PartDataTest, BomDataIsWrittenReplacedAndItsLengthUpdated) {
  host::Shape& part = NestedPart();
  State().partNumberText = "1";
  WriteBomData(part, "ISO 4017", "M10", 50, "8.8", "ISO 4017 - M10x50 8.8");
  EXPECT_EQ(
      EntriesOf(List(part)),
      (Entries{
          {"Standard Name", "ISO 4017"}, {"Type", "M10"}, {"Length", "50"}, {"Material", "8.8"}}));
  EXPECT_EQ(Description(part).Description(), "ISO 4017 - M10x50 8.8");
  EXPECT_EQ(Description(part).PartNumber(), "ISO4017M105088");

  // A new length changes only the length; "1.0" derives the part number as "1" does.
  State().partNumberText = "1.0";
  UpdateBomLength(part, 65.5, "ISO 4017 M10x65.5");
  EXPECT_EQ(EntriesOf(List(part)), (Entries{{"Standard Name", "ISO 4017"},
                                            {"Type", "M10"},
                                            {"Length", "65.5"},
                                            {"Material", "8.8"}}));
  EXPECT_EQ(Description(part).Description(), "ISO 4017 M10x65.5");
  EXPECT_EQ(Description(part).PartNumber(), "ISO4017M10655");

  // Written again, in Italian and without a length: the entries are replaced, not added to.
  State().languageBase = 1000;
  State().partNumberText = "W-8";
  WriteBomData(part, "ISO 7089", "8", 0, "St", "ISO 7089 - 8");
  EXPECT_EQ(EntriesOf(List(part)),
            (Entries{{"Normativa", "ISO 7089"}, {"Misura", "8"}, {"Materiale", "St"}}));
  EXPECT_EQ(Description(part).PartNumber(), "W-8");
}

TEST_F(PartDataTest, HoleTableKeepsRowsLabelsAndValueTypes) {
  host::Shape& part = doc_.RootShape().Shapes(host::kShapePart).Add();
  host::Shape& hole = part.Shapes(host::kShapeRevolved).Add();
  HoleTable written{2, 123456, 10, 40, 0.2, 18, 6.4, 90};
  WriteHoleTable(hole, written);
  WriteHoleTable(hole, written);
  ASSERT_EQ(hole.Components(34).Count(), 1);
  host::Component& table = hole.Components(34).Item(1);
  const char* labels[] = {"Corvane", "FastHole",   "Comp. ID",  "Diam.",    "Len.",
                          "Toll.",   "Diam. Inc.", "Len. Inc.", "Ang. Inc."};
  for (std::int16_t row = 0; row < 9; ++row) {
    EXPECT_EQ(table.Variable(2, row).GetValue().AsText(), labels[row]);
  }
  EXPECT_TRUE(table.Variable(1, 0).GetValue().IsEmpty());
  EXPECT_EQ(table.Variable(1, 1).GetValue().Type(), host::ValueType::Int16);
  EXPECT_EQ(table.Variable(1, 2).GetValue().Type(), host::ValueType::Int32);
  EXPECT_EQ(table.Variable(1, 8).GetValue().Type(), host::ValueType::Double);

  HoleTable read;
  ReadHoleTable(hole, read);
  EXPECT_EQ(read.holeKind, 2);
  EXPECT_EQ(read.componentId, 123456);
  EXPECT_EQ(read.tolerance, 0.2);
  EXPECT_EQ(read.incAngle, 90);

  HoleTable untouched{3, 7, 1, 1, 1, 1, 1, 1};
  ReadHoleTable(part, untouched);
  EXPECT_EQ(untouched.holeKind, 3);
  EXPECT_EQ(untouched.componentId, 7);
}

}  // namespace
