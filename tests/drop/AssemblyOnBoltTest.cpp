// An assembly dropped on a bolt placed earlier: only the members it lacks are added, fitted to
// that bolt and seated beside what is there (no part shares material with another); the bolt
// stays the one bolt with its identifier, gathered with its members in one assembly that the
// STEP export keeps as a product with its members.
#include <functional>

#include "components/FastenerTable.h"
#include "drop/DropFixture.h"
#include "host/occt/Export.h"
#include "host/occt/OcctEvaluator.h"
#include "host/occt/SharedVolume.h"

namespace {

using host::ref::SceneShape;
using vormbrace::test::DropOnParts;

constexpr double kBolt = 0, kWasher = 3, kNut = 4;

void CollectParts(SceneShape& shape, std::vector<SceneShape*>& parts) {
  for (auto& child : shape.Children()) {
    if (child->Type() == host::kShapePart) parts.push_back(child.get());
    if (child->Type() == host::kShapeAssembly) CollectParts(*child, parts);
  }
}

double KindOf(SceneShape& part) {
  host::Component* table = vormbrace::FindDataTable(part);
  return table == nullptr ? -1 : vormbrace::NumberAt(*table, 0);
}

std::int32_t IdentifierOf(SceneShape& part) {
  return vormbrace::FindDataTable(part)->Variable(vormbrace::kNumberColumn, 2).GetValue().AsInt32();
}

class AssemblyOnBolt : public DropOnParts {
 protected:
  struct Loaded {
    std::unique_ptr<host::ref::SceneDocument> document;
    std::vector<SceneShape*> parts;
    std::vector<SceneShape*> Of(double kind) const {
      std::vector<SceneShape*> out;
      for (SceneShape* p : parts)
        if (KindOf(*p) == kind) out.push_back(p);
      return out;
    }
  };
  Loaded Load(const std::string& name) const {
    Loaded l{Scene(name), {}};
    CollectParts(l.document->Root(), l.parts);
    return l;
  }
  // No two parts of the scene share material (they may touch).
  static void ExpectNoOverlap(Loaded& scene) {
    host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(*scene.document);
    for (std::size_t i = 0; i < scene.parts.size(); ++i) {
      for (std::size_t j = i + 1; j < scene.parts.size(); ++j) {
        EXPECT_NEAR(host::occt::SharedVolume(kernel, *scene.document, *scene.parts[i],
                                             *scene.parts[j]),
                    0, 1e-3)
            << scene.parts[i]->Name() << " and " << scene.parts[j]->Name();
      }
    }
  }
  // A 10 mm plate with a Ø10.5 hole and an ISO 4017 M10 × 40 bolt in it, through a hole it cut.
  void PlaceBolt() {
    WritePlate("plate.step", {{0, 0, 10.5}}, true);
    Run("drop --import plate.step --at 0,0,5 --dir 5.25,0,-8 --kind bolt --standard \"ISO 4017\" "
        "--length 40 --hole simple -o bolt.json");
  }
  static constexpr const char* kOnShank = " --at 0,-20,-25 --dir 0,1,0 --kind bolt --assembly";
};

TEST_F(AssemblyOnBolt, AddsOnlyTheMissingMembersAroundTheBoltThatIsThere) {
  PlaceBolt();
  Loaded before = Load("bolt.json");
  const std::int32_t id = IdentifierOf(*before.Of(kBolt).at(0));
  const std::int32_t boltName = before.Of(kBolt)[0]->SystemID();

  // A washer: under the head, which it lifts by its thickness (ISO 7089 M10: 2).
  auto washer = Run("drop bolt.json" + std::string(kOnShank) + " --washer -o washer.json");
  EXPECT_NE(washer.out.find("gathered into \"Bolt Assembly\": \"ISO 4017 M10x40 - 8.8\""),
            std::string::npos)
      << washer.out;
  // Then washer and nut on the same bolt: only the nut is new, in the same assembly, against
  // the plate's underside (found outside the assembly).
  auto nut = Run("drop washer.json" + std::string(kOnShank) + " --washer --nut -o nut.json "
                 "--export nut.step");
  EXPECT_EQ(nut.out.find("ISO 7089"), std::string::npos) << nut.out;
  EXPECT_NE(nut.out.find("  ISO 4032 M10 - 8\n"), std::string::npos) << nut.out;
  // Once more, on the nut's side: nothing is missing.
  auto again = Run("drop nut.json --at 0,-30,-14 --dir 0,1,0 --kind bolt --assembly --washer "
                   "--nut -o again.json");
  EXPECT_NE(again.out.find("hit: face (plane) of \"ISO 4032 M10 - 8\""), std::string::npos)
      << again.out;
  EXPECT_NE(again.out.find("\nnew parts: none\n"), std::string::npos) << again.out;

  for (const char* name : {"nut.json", "again.json"}) {
    Loaded scene = Load(name);
    ASSERT_EQ(scene.Of(kBolt).size(), 1u) << name;
    ASSERT_EQ(scene.Of(kWasher).size(), 1u) << name;
    ASSERT_EQ(scene.Of(kNut).size(), 1u) << name;
    SceneShape& bolt = *scene.Of(kBolt)[0];
    EXPECT_EQ(bolt.SystemID(), boltName);
    EXPECT_EQ(IdentifierOf(bolt), id);
    SceneShape* assembly = bolt.Parent();
    EXPECT_EQ(assembly->Name(), "Bolt Assembly");
    EXPECT_EQ(scene.Of(kWasher)[0]->Parent(), assembly);
    EXPECT_EQ(scene.Of(kNut)[0]->Parent(), assembly);
    EXPECT_NEAR(bolt.SceneFrame().translation.z, 2, 1e-6);
    EXPECT_NEAR(scene.Of(kWasher)[0]->SceneFrame().translation.z, 0, 1e-6);
    host::ref::RigidTransform nutFrame = scene.Of(kNut)[0]->SceneFrame();
    EXPECT_NEAR(nutFrame.translation.z, -10, 1e-6);
    EXPECT_NEAR((nutFrame.rotation * host::ref::Vec3{0, 0, 1}).z, -1, 1e-9);
    ExpectNoOverlap(scene);
  }

  // The export: the assembly with its three members, one bolt in the whole file.
  host::occt::ReadTree tree = host::occt::ReadExportedTree(Path("nut.step"));
  const host::occt::ReadNode* assembly = nullptr;
  std::function<void(const std::vector<host::occt::ReadNode>&)> find = [&](const auto& nodes) {
    for (const host::occt::ReadNode& n : nodes) {
      if (n.name == "Bolt Assembly") assembly = &n;
      find(n.children);
    }
  };
  find(tree.roots);
  ASSERT_NE(assembly, nullptr);
  std::vector<std::string> members;
  for (const host::occt::ReadNode& n : assembly->children) members.push_back(n.name);
  EXPECT_EQ(members, (std::vector<std::string>{"ISO 4017 M10x40 - 8.8", "ISO 7089 M10 - 200 HV",
                                               "ISO 4032 M10 - 8"}));
  int bolts = 0;
  for (const host::occt::StepProduct& p : host::occt::ReadStepProducts(Path("nut.step"))) {
    bolts += p.name == "ISO 4017 M10x40 - 8.8";
  }
  EXPECT_EQ(bolts, 1);
}

TEST_F(AssemblyOnBolt, OnTheHeadTheNutGoesToTheFarSideAndTheBoltStays) {
  PlaceBolt();
  // Straight down onto the hexagon head's top face (k = 6.4).
  auto r = Run("drop bolt.json --at 1,1,30 --dir 0,0,-1 --kind bolt --assembly --nut -o head.json");
  EXPECT_EQ(LineOf(r, "hit: "), "hit: face (plane) of \"ISO 4017 M10x40 - 8.8\" at (1, 1, 6.4)");
  Loaded scene = Load("head.json");
  ASSERT_EQ(scene.Of(kBolt).size(), 1u);
  ASSERT_EQ(scene.Of(kNut).size(), 1u);
  EXPECT_TRUE(scene.Of(kWasher).empty());
  EXPECT_NEAR(scene.Of(kBolt)[0]->SceneFrame().translation.z, 0, 1e-6);
  EXPECT_NEAR(scene.Of(kNut)[0]->SceneFrame().translation.z, -10, 1e-6);
  EXPECT_EQ(scene.Of(kNut)[0]->Parent(), scene.Of(kBolt)[0]->Parent());
  ExpectNoOverlap(scene);
}

}  // namespace
