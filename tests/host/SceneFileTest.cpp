// Scene files keep every record and every value's type, and refuse damaged input cleanly.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <nlohmann/json.hpp>

#include "host/Profile.h"
#include "host/RuntimeError.h"
#include "host/reference/SceneFile.h"
#include "support/TestHost.h"

namespace {

using host::Value;
using host::ref::LoadScene;
using host::ref::SaveScene;
using host::ref::SceneDocument;
using host::ref::SceneFileError;
using host::ref::SceneShape;

// A scene that uses every kind of record the document keeps.
void Populate(SceneDocument& doc) {
  doc.SetUnits(3);
  host::Shape& assembly = doc.RootShape().Shapes(host::kShapeAssembly).Add();
  host::Shape& part = assembly.Shapes(host::kShapePart).Add();
  part.SetName("ISO 4017 M10x50 - 8.8");
  part.SetSuppressed(true);
  host::Component& table = part.Components(34).Add();
  table.Variable(2, 0).SetValue(Value::Text("Corvane"));
  table.Variable(1, 0).SetValue(Value::Int16(-7));
  table.Variable(1, 2).SetValue(Value::Int32(8639999));
  table.Variable(1, 10).SetValue(Value::Double(0.1));
  table.Variable(1, 11).SetValue(Value::Double(1e300));
  table.Variable(1, 12).SetValue(Value::Double(-2.5e-310));
  table.Variable(1, 13).SetValue(Value::Boolean(true));
  table.Variable(2, 14).SetValue(Value::Text("L\xC3\xA4nge \"quoted\"\r\nnext line"));
  table.Variable(1, 15).SetValue(Value::Boolean(false));
  host::Component& binding = part.Components(43).Add();
  binding.Variable(1).SetValue(Value::Text("{CLASS}"));
  binding.Variable(9).SetExpression("lung * 2");

  host::Shape& feature = part.Components(23).Item(1).Shapes(host::kShapeRevolved).Add();
  feature.SetName("Body");
  host::Profile& profile = feature.Components(15).Item(1).Profile();
  profile.Components(4).Item(1).Variable(1).SetValue(Value::Double(5));
  host::Component& loop = profile.Components(3).Add();
  loop.SetStartPoint(0, 0);
  loop.AddLineTo(4.25, 0);
  loop.AddArcTo(5, 0.75, -0.2071);
  loop.AddEllipse(0, 0, 6.5);
  loop.AddFilletAt(3, 0.5);
  host::SurfaceFinish& finish =
      part.Components(27).Add().SurfaceFinish(0.005, 0.005, 0.015, 1, 1, 0);
  finish.SetTextureFile("v:\\bin.32\\3iaoftt.jpg");
  finish.SetProjectionType(1, 3);
  finish.SetProjectionWidth(1, 31.4159265358979);
  finish.SetProjectionHeight(1, 9.375);
  finish.SetUpDirection(1, 0, 0, 1);
  finish.SetFlip(1, true);

  host::DataObject* list = part.DataObject(host::kAttributeListGuid, true);
  list->Add("Standard Name", "ISO 4017");
  list->Add("Type", "M10");
  host::DataObject& description = part.AttachDataObject(host::kDescriptionGuid);
  description.SetDescription("ISO 4017 M10x50 - 8.8");
  description.SetPartNumber("ISO4017M105088");

  auto placement = host::CurrentHost().NewPlacement();
  placement->SetPosition(1, 2, 3);
  placement->SetAxis(0, 1, 0);
  placement->SetAngle(90);
  placement->SetTarget(part);
  placement->Apply();
}

class SceneFileTest : public ::testing::Test {
 protected:
  vormbrace::test::TestHost host_;
  std::string Path(const char* name) { return (host_.Scratch() / name).string(); }
};

TEST_F(SceneFileTest, SaveAndLoadKeepEveryRecordAndValueType) {
  SceneDocument original;
  Populate(original);
  std::string path = Path("scene.json");
  SaveScene(original, path);
  auto loaded = LoadScene(path);
  EXPECT_EQ(host::ref::SceneToJson(*loaded), host::ref::SceneToJson(original));

  // Spot checks through the API, so that a symmetric mistake in both directions shows too.
  auto& part = static_cast<SceneShape&>(loaded->Root().Children()[0]->Shapes(3).Item(1));
  host::Component& table = part.Components(34).Item(1);
  EXPECT_EQ(table.Variable(1, 0).GetValue(), Value::Int16(-7));
  EXPECT_EQ(table.Variable(1, 2).GetValue(), Value::Int32(8639999));
  EXPECT_EQ(table.Variable(1, 10).GetValue(), Value::Double(0.1));
  EXPECT_EQ(table.Variable(1, 12).GetValue(), Value::Double(-2.5e-310));
  EXPECT_EQ(table.Variable(1, 13).GetValue(), Value::Boolean(true));
  EXPECT_EQ(table.Variable(2, 14).GetValue().AsText(), "L\xC3\xA4nge \"quoted\"\r\nnext line");
  EXPECT_EQ(part.Components(43).Item(1).Variable(9).Expression(), "lung * 2");
  EXPECT_TRUE(part.Suppressed());
  EXPECT_EQ(loaded->UnitsEx(2), 3);
  auto& loop = static_cast<host::ref::SceneComponent&>(
      part.Shapes(0).Item(1).Components(15).Item(1).Profile().Components(3).Item(1));
  ASSERT_EQ(loop.Loop().size(), 5u);
  EXPECT_EQ(loop.Loop()[2], (host::ref::ProfileCall{"AddArcTo", {5, 0.75, -0.2071}}));
  EXPECT_EQ(part.DataObject(host::kAttributeListGuid, false)->EntryValue(2), "M10");
  EXPECT_EQ(part.DataObject(host::kDescriptionGuid, false)->PartNumber(), "ISO4017M105088");
}

TEST_F(SceneFileTest, LoadedSceneGivesNewShapesFreshIds) {
  SceneDocument original;
  Populate(original);
  SaveScene(original, Path("scene.json"));
  auto loaded = LoadScene(Path("scene.json"));
  std::int32_t highest = 0;
  for (std::int32_t id = 0; id < 100; ++id) {
    if (loaded->Find(id) != nullptr) highest = id;
  }
  host::Shape& added = loaded->RootShape().Shapes(host::kShapePart).Add();
  EXPECT_GT(added.SystemID(), highest);
  EXPECT_NE(added.SystemName(), loaded->Find(highest)->SystemName());
}

// A NaN or an infinity would be written as null and the scene never load again.
TEST_F(SceneFileTest, NonFiniteNumberIsRefusedAndLeavesThePreviousFile) {
  SceneDocument doc;
  std::string path = Path("scene.json");
  SaveScene(doc, path);
  std::string before = host_.ReadFile(path);
  Populate(doc);
  for (double bad : {std::nan(""), std::numeric_limits<double>::infinity()}) {
    doc.RootShape().Shapes(host::kShapeAssembly).Item(1).Shapes(host::kShapePart).Item(1)
        .Components(34).Item(1).Variable(1, 10).SetValue(Value::Double(bad));
    try {
      SaveScene(doc, path);
      FAIL() << "saved " << bad;
    } catch (const SceneFileError& e) {
      EXPECT_EQ(std::string(e.what()),
                path + ": at /root/children/0/children/0/components/3/items/0/cells/3/value/f64: "
                       "a number that is not finite; not saved");
    }
    EXPECT_EQ(host_.ReadFile(path), before);
  }
}

// `levels` assemblies, each inside the one before, under the root.
std::string NestedScene(int levels) {
  const std::string body =
      R"("name":"A","suppressed":false,"dataObjects":{},"components":[],"children":[)";
  std::string text = R"({"format":"vormbrace-scene","version":1,"units":0,"root":{)" + body;
  for (int i = 1; i <= levels; ++i) text += R"({"id":)" + std::to_string(i) + R"(,"kind":1,)" + body;
  for (int i = 0; i <= levels; ++i) text += "]}";
  return text + "}";
}

TEST_F(SceneFileTest, NestingIsLimitedWithAClearMessage) {
  EXPECT_NO_THROW(LoadScene(host_.WriteFile("ok.json", NestedScene(host::ref::kMaxNesting))));
  for (int levels : {host::ref::kMaxNesting + 1, 20000}) {
    std::string path = host_.WriteFile("deep.json", NestedScene(levels));
    try {
      LoadScene(path);
      FAIL() << levels << " levels loaded";
    } catch (const SceneFileError& e) {
      EXPECT_NE(std::string(e.what()).find("nest"), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(" 100 levels"), std::string::npos) << e.what();
    }
  }
}

TEST_F(SceneFileTest, InputBeyondTheSizeLimitIsRefused) {
  try {
    LoadScene("/dev/zero");
    FAIL() << "read /dev/zero";
  } catch (const SceneFileError& e) {
    EXPECT_EQ(std::string(e.what()), "/dev/zero: larger than 64 MB; not a scene file");
  }
}

struct BadScene {
  const char* name;
  std::string text;
  std::string expected;  // part of the message after the file name
};

void PrintTo(const BadScene& scene, std::ostream* out) { *out << scene.name; }

class DamagedSceneTest : public SceneFileTest, public ::testing::WithParamInterface<BadScene> {};

TEST_P(DamagedSceneTest, IsRefusedNamingFileAndPosition) {
  std::string path = host_.WriteFile("bad.json", GetParam().text);
  try {
    LoadScene(path);
    FAIL() << "loaded a damaged scene";
  } catch (const SceneFileError& e) {
    EXPECT_EQ(std::string(e.what()), path + ": " + GetParam().expected);
  }
  EXPECT_EQ(host_.ReadFile(path), GetParam().text);
}

// A scene whose root holds `children`; a part whose components are `components`.
std::string Scene(const std::string& children) {
  return R"({"format":"vormbrace-scene","version":1,"units":0,"root":{"name":"S","suppressed":false,"dataObjects":{},"components":[],"children":[)" +
         children + "]}}";
}
std::string Part(const std::string& components) {
  return R"({"id":1,"kind":3,"name":"P","suppressed":false,"dataObjects":{},"children":[],"components":)" +
         components + "}";
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, DamagedSceneTest,
    ::testing::Values(
        BadScene{"Truncated", R"({"format":"vormbrace-scene","version":1,"units":0,"root":{)",
                 "at byte 59: not valid JSON"},
        BadScene{"Foreign", R"({"name":"a shopping list"})",
                 "at /format: not a Vormbrace scene file"},
        BadScene{"BinaryGarbage", std::string("\x89PNG\r\n\x1a\n\0\0", 10),
                 "at byte 1: not valid JSON"},
        BadScene{"WrongValueType",
                 Scene(Part(R"([{"code":34,"items":[{"cells":[{"row":1,"column":1,"value":{"i16":"x"}}]}]}])")),
                 "at /root/children/0/components/0/items/0/cells/0/value/i16: expected an integer"},
        BadScene{"Int16OutOfRange",
                 Scene(Part(R"([{"code":34,"items":[{"variables":[{"index":1,"value":{"i16":40000}}]}]}])")),
                 "at /root/children/0/components/0/items/0/variables/0/value/i16: out of range"},
        BadScene{"FeatureUnderRoot", Scene(R"({"id":1,"kind":6})"),
                 "at /root/children/0/kind: a shape of kind 6 cannot stand here"},
        BadScene{
            "MissingField",
            R"({"format":"vormbrace-scene","version":1,"units":0,"root":{"name":"S","suppressed":false,"dataObjects":{},"children":[]}})",
            "at /root/components: missing"},
        BadScene{"NumberBeyondDouble",
                 Scene(Part(R"([{"code":34,"items":[{"variables":[{"index":1,"value":{"f64":1e400}}]}]}])")),
                 "a number beyond the range of a double; not a scene file"},
        BadScene{"DuplicateIds", Scene(Part("[]") + "," + Part("[]")),
                 "at /root/children/1/id: id 1 is used twice"}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
