// Export: STEP products named after their parts and placed by their frames, binary STL and
// glTF files, and the failures that must leave an existing file alone.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "KernelFixture.h"
#include "host/RuntimeError.h"
#include "host/occt/Export.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;

class Export : public KernelTest {
 protected:
  // A 10 x 10 x 10 cube part named `name` under `parent`, placed at `x`.
  SceneShape& Cube(host::Shape& parent, const std::string& name, double x) {
    auto& part = static_cast<SceneShape&>(parent.Shapes(host::kShapePart).Add());
    part.SetName(name);
    Set(part.Components(4).Item(1), {{1, x}});
    SceneShape& f = AddFeature(part, host::kShapeExtruded, 10, 10, 10);
    SetAnchor(f, 0, 0, 0);
    Polygon(f, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    return part;
  }
  std::string Path(const std::string& name) { return (host_.Scratch() / name).string(); }
  std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
};

TEST_F(Export, StepHasOneNamedProductPerPartPlacedInTheScene) {
  Cube(document_.RootShape(), "Würfel A", 0);
  // A part in an assembly moved by 100: the assembly's frame and the part's add up.
  host::Shape& assembly = document_.RootShape().Shapes(host::kShapeAssembly).Add();
  Set(assembly.Components(4).Item(1), {{1, 100}});
  Cube(assembly, "cube B", 20);
  std::string path = Path("scene.step");
  host::occt::ExportScene(document_, path);

  auto products = host::occt::ReadStepProducts(path);
  ASSERT_EQ(products.size(), 2u);
  EXPECT_EQ(products[0].name, "Würfel A");
  EXPECT_EQ(products[1].name, "cube B");
  for (const auto& p : products) {
    EXPECT_TRUE(p.figures.valid) << p.name;
    EXPECT_EQ(p.figures.solids, 1) << p.name;
    EXPECT_NEAR(p.figures.volume, 1000, 1e-6) << p.name;
  }
  EXPECT_NEAR(products[0].figures.boxMin.x, 0, 1e-6);
  EXPECT_NEAR(products[1].figures.boxMin.x, 120, 1e-6);
}

TEST_F(Export, StlAndGlbAreBinaryMeshesOfTheParts) {
  Cube(document_.RootShape(), "first cube", 0);
  Cube(document_.RootShape(), "second cube", 50);
  host::occt::ExportScene(document_, Path("scene.stl"));
  std::string stl = Read(Path("scene.stl"));
  ASSERT_GE(stl.size(), 84u);
  std::uint32_t triangles = 0;
  std::memcpy(&triangles, stl.data() + 80, 4);
  // A cube's six faces need two triangles each.
  EXPECT_EQ(triangles, 24u);
  EXPECT_EQ(stl.size(), 84u + 50u * triangles);

  host::occt::ExportScene(document_, Path("scene.GLB"));
  std::string glb = Read(Path("scene.GLB"));
  ASSERT_GE(glb.size(), 20u);
  EXPECT_EQ(glb.substr(0, 4), "glTF");
  std::uint32_t version = 0, length = 0;
  std::memcpy(&version, glb.data() + 4, 4);
  std::memcpy(&length, glb.data() + 8, 4);
  EXPECT_EQ(version, 2u);
  EXPECT_EQ(length, glb.size());
  EXPECT_NE(glb.find("first cube"), std::string::npos);
  EXPECT_NE(glb.find("second cube"), std::string::npos);
}

TEST_F(Export, FailuresLeaveTheExistingFileAlone) {
  std::string path = Path("kept.step");
  std::ofstream(path) << "previous";
  // Nothing to export.
  EXPECT_THROW(host::occt::ExportScene(document_, path), host::occt::ExportError);
  // A part whose feature makes no solid: the error names the feature.
  SceneShape& part = NewPart();
  SceneShape& f = AddFeature(part, host::kShapeExtruded, 1, 1, 1);
  f.SetName("Head");
  host::Component& open = NewLoop(f);
  open.SetStartPoint(0, 0);
  open.AddLineTo(1, 0);
  try {
    host::occt::ExportScene(document_, path);
    ADD_FAILURE() << "no error";
  } catch (const host::RuntimeError& e) {
    EXPECT_NE(e.Description().find("\"Head\""), std::string::npos);
  }
  EXPECT_EQ(Read(path), "previous");
  // An unknown format, and a folder that does not exist.
  EXPECT_THROW(host::occt::FormatOf(Path("scene.obj")), host::occt::ExportError);
  f.SetSuppressed(true);
  Cube(document_.RootShape(), "cube", 0);
  EXPECT_THROW(host::occt::ExportScene(document_, Path("missing/scene.stl")),
               host::occt::ExportError);
  EXPECT_EQ(Read(path), "previous");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(host_.Scratch()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(Export, StepWritersOnTwoThreadsDoNotMeet) {
  // The STEP translator crashes when two writers run at once; exports serialise it.
  host::ref::SceneDocument other;
  host::occt::AttachKernel(other);
  Cube(document_.RootShape(), "left", 0);
  Cube(other.RootShape(), "right", 0);
  std::thread a([&] {
    for (int i = 0; i < 3; ++i) host::occt::ExportScene(document_, Path("a.step"));
  });
  std::thread b([&] {
    for (int i = 0; i < 3; ++i) host::occt::ExportScene(other, Path("b.step"));
  });
  a.join();
  b.join();
  EXPECT_EQ(host::occt::ReadStepProducts(Path("a.step")).at(0).name, "left");
  EXPECT_EQ(host::occt::ReadStepProducts(Path("b.step")).at(0).name, "right");
}

}  // namespace
}  // namespace vormbrace::test
