// Properties by member name, as the automation interface offers them.
#include <gtest/gtest.h>

#include "components/Bolt.h"
#include "components/Nut.h"
#include "dialog/AddInClasses.h"
#include "host/RuntimeError.h"
#include "support/ErrorOf.h"

namespace {

using namespace vormbrace;
using host::Value;

using vormbrace::test::ErrorOf;

TEST(Dispatch, NewObjectsHoldZeroAndEmptyTexts) {
  for (const ClassInfo& c : AddInClasses()) {
    auto object = c.create();
    for (const std::string& name : object->PropertyNames()) {
      Value v = object->GetProperty(name);
      if (v.Type() == host::ValueType::Text) {
        EXPECT_EQ(v.AsText(), "") << c.progId << " " << name;
      } else {
        EXPECT_EQ(v.AsDouble(), 0) << c.progId << " " << name;
      }
    }
  }
}

TEST(Dispatch, PutConvertsToThePropertysOwnType) {
  Nut nut;
  nut.PutProperty("numcave", Value::Double(3.5));  // names are case-insensitive
  EXPECT_EQ(nut.numCave, 4);
  EXPECT_EQ(nut.GetProperty("numCave"), Value::Int16(4));
  nut.PutProperty("Spessore", Value::Text("8.4"));
  EXPECT_EQ(nut.GetProperty("SPESSORE"), Value::Double(8.4));
  nut.PutProperty("Codice", Value::Double(10));
  EXPECT_EQ(nut.Codice, "10");
  Bolt bolt;
  bolt.PutProperty("HeaderType", Value::Int16(7));
  EXPECT_EQ(bolt.GetProperty("HeaderType"), Value::Int32(7));
}

TEST(Dispatch, BadNamesAndValuesAreRunTimeErrors) {
  Bolt bolt;
  EXPECT_EQ(ErrorOf([&] { bolt.GetProperty("Diameter"); }), 438);
  EXPECT_EQ(ErrorOf([&] { bolt.PutProperty("Diametro", Value::Text("M10")); }), 13);
  Nut nut;
  EXPECT_EQ(ErrorOf([&] { nut.PutProperty("numCave", Value::Double(40000)); }), 6);
  EXPECT_EQ(ErrorOf([&] { nut.GetProperty("ThreadCallout"); }), 438);
}

// The host binds a part to its class by these identifiers: two classes sharing one would
// rebuild a part as the wrong kind.
TEST(Dispatch, EveryClassHasItsOwnProgIdAndClassId) {
  std::set<std::string> progIds, classIds;
  for (const ClassInfo& c : AddInClasses()) {
    EXPECT_EQ(c.create()->ProgID(), c.progId);
    progIds.insert(c.progId);
    classIds.insert(c.classId);
  }
  EXPECT_EQ(progIds.size(), AddInClasses().size());
  EXPECT_EQ(classIds.size(), AddInClasses().size());
}

}  // namespace
