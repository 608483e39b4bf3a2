// Export: the scene's tree with shared parts, names, colours and part data read back from STEP
// and glTF by the kernel's own readers; the thread texture's wrapping; STL meshes; options; and
// the failures that must leave an existing file alone.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <thread>
#include <tuple>

#include "KernelFixture.h"
#include "host/DataObject.h"
#include "host/RuntimeError.h"
#include "host/occt/Export.h"
#include "support/Glb.h"
#include "support/GltfValidator.h"

namespace vormbrace::test {
namespace {

using host::occt::Appearance;
using host::occt::ExportOptions;
using host::occt::ReadNode;
using host::ref::SceneShape;

const Appearance kBrass{"Brass", {0.78, 0.56, 0.22}, 1, 0.3};
const Appearance kSteel{"Steel", {0.42, 0.43, 0.45}, 1, 0.4};

class Export : public KernelTest {
 protected:
  // A cube part of side `side` named `name` under `parent`, placed at `x`.
  SceneShape& Cube(host::Shape& parent, const std::string& name, double x, double side = 10) {
    auto& part = static_cast<SceneShape&>(parent.Shapes(host::kShapePart).Add());
    part.SetName(name);
    Set(part.Components(4).Item(1), {{1, x}});
    SceneShape& f = AddFeature(part, host::kShapeExtruded, side, side, side);
    SetAnchor(f, 0, 0, 0);
    Polygon(f, {{0, 0}, {side, 0}, {side, side}, {0, side}});
    return part;
  }
  // A rod of diameter 10 and length 30 along Z whose whole cylinder carries the thread image,
  // laid as the threaded bodies lay it: the point on the axis half way up, in metres; the
  // image 10 pi around and 6.25 pitches of 1.5 along.
  SceneShape& ThreadedRod(const std::string& name) {
    SceneShape& part = NewPart();
    part.SetName(name);
    SceneShape& f = AddFeature(part, host::kShapeRevolved, 10, 10, 30);
    SetAnchor(f, 0, 0, 0);
    Polygon(f, {{0, 0}, {5, 0}, {5, 30}, {0, 30}});
    host::SurfaceFinish& finish = f.Components(27).Add().SurfaceFinish(0, 0, 0.015, 1, 1, 0);
    finish.SetTextureFile(VORMBRACE_STANDARDS_SOURCE_DIR "/Images/3iaoftt.jpg");
    finish.SetProjectionWidth(1, 3.14159265358979 * 10);
    finish.SetProjectionHeight(1, 6.25 * 1.5);
    return part;
  }
  // Three equal cubes, an assembly with its part data holding two more and a bigger one in
  // brass; the rest steel.
  void AssemblyScene() {
    for (int i = 0; i < 3; ++i) Cube(document_.RootShape(), "cube", 20.0 * i);
    auto& assembly = static_cast<SceneShape&>(
        document_.RootShape().Shapes(host::kShapeAssembly).Add());
    assembly.SetName("Bolt Assembly");
    Set(assembly.Components(4).Item(1), {{2, 100}});
    host::DataObject& data = assembly.AttachDataObject(host::kDescriptionGuid);
    data.SetPartNumber("BA-1");
    data.SetDescription("Bolt M10x50 8.8");
    Cube(assembly, "cube", 0);
    Cube(assembly, "cube", 30);
    SceneShape& big = Cube(assembly, "big cube", 60, 20);
    host::DataObject& bigData = big.AttachDataObject(host::kDescriptionGuid);
    bigData.SetPartNumber("BC-20");
    bigData.SetDescription("a cube of 20");
    options_.appearanceOf = [](SceneShape& part) {
      return part.Name() == "big cube" ? kBrass : kSteel;
    };
  }
  // The scene's tree as AssemblyScene builds it, with equal parts sharing one product.
  static void ExpectAssemblyTree(const std::vector<ReadNode>& roots) {
    ASSERT_EQ(roots.size(), 1u);
    const ReadNode& scene = roots[0];
    EXPECT_EQ(scene.name, "Scene");
    ASSERT_EQ(scene.children.size(), 4u);
    const ReadNode& assembly = scene.children[3];
    EXPECT_EQ(assembly.name, "Bolt Assembly");
    ASSERT_EQ(assembly.children.size(), 3u);
    std::vector<const ReadNode*> cubes = {&scene.children[0], &scene.children[1],
                                          &scene.children[2], &assembly.children[0],
                                          &assembly.children[1]};
    for (const ReadNode* cube : cubes) {
      EXPECT_EQ(cube->name, "cube");
      EXPECT_EQ(cube->product, scene.children[0].product) << "five placements, one product";
      ExpectColour(*cube, kSteel);
    }
    const ReadNode& big = assembly.children[2];
    EXPECT_EQ(big.name, "big cube");
    EXPECT_NE(big.product, cubes[0]->product);
    ExpectColour(big, kBrass);
  }
  static void ExpectColour(const ReadNode& node, const Appearance& look) {
    ASSERT_TRUE(node.colour.has_value()) << node.name;
    for (int c = 0; c < 3; ++c) EXPECT_NEAR((*node.colour)[c], look.colour[c], 2e-3) << node.name;
  }
  std::string Path(const std::string& name) { return (host_.Scratch() / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // The binary STL's triangles, each as three corner points.
  static std::vector<std::array<std::array<float, 3>, 3>> StlTriangles(const std::string& path) {
    std::string stl = Read(path);
    std::uint32_t count = 0;
    std::memcpy(&count, stl.data() + 80, 4);
    EXPECT_EQ(stl.size(), 84u + 50u * count);
    std::vector<std::array<std::array<float, 3>, 3>> out(count);
    for (std::uint32_t t = 0; t < count; ++t) {
      std::memcpy(out[t].data(), stl.data() + 84 + 50 * t + 12, 36);
    }
    return out;
  }
  static void ExpectValidGltf(const std::string& path) {
    nlohmann::json report = ValidateGltf(path);
    EXPECT_EQ(report["issues"]["numErrors"], 0) << report["issues"].dump(1);
    EXPECT_EQ(report["issues"]["numWarnings"], 0) << report["issues"].dump(1);
  }

  // A GLB node as a read tree node: its mesh numbers the product, the colour is that of its
  // mesh's plain material.
  static ReadNode GlbNode(const Glb& glb, int index) {
    const nlohmann::json& node = glb.json["nodes"][index];
    ReadNode out;
    out.name = node.value("name", "");
    if (node.contains("mesh")) {
      out.product = node["mesh"].get<int>() + 1;
      for (const auto& primitive : glb.json["meshes"][out.product - 1]["primitives"]) {
        const auto& pbr = glb.json["materials"][primitive["material"].get<int>()]
                                  ["pbrMetallicRoughness"];
        if (pbr.contains("baseColorTexture")) continue;
        const auto& c = pbr["baseColorFactor"];
        out.colour = std::array<double, 3>{c[0].get<double>(), c[1].get<double>(),
                                           c[2].get<double>()};
      }
    }
    for (const auto& child : node.value("children", nlohmann::json::array())) {
      out.children.push_back(GlbNode(glb, child.get<int>()));
    }
    return out;
  }
  static std::vector<ReadNode> GlbTree(const std::string& path) {
    Glb glb = Glb::Read(path);
    std::vector<ReadNode> roots;
    for (const auto& root : glb.json["scenes"][0]["nodes"]) {
      roots.push_back(GlbNode(glb, root.get<int>()));
    }
    return roots;
  }

  ExportOptions options_;
};

TEST_F(Export, StepKeepsTheAssembliesAndSharesEqualParts) {
  AssemblyScene();
  std::string path = Path("scene.step");
  host::occt::ExportScene(document_, path, options_);

  host::occt::ReadTree tree = host::occt::ReadExportedTree(path);
  ExpectAssemblyTree(tree.roots);
  // Scene, assembly, cube, big cube: one product record each, with the part data.
  ASSERT_EQ(tree.products.size(), 4u);
  std::map<std::string, std::pair<std::string, std::string>> data;
  for (const auto& p : tree.products) data[p.name] = {p.id, p.description};
  EXPECT_EQ(data["big cube"], std::make_pair(std::string("BC-20"), std::string("a cube of 20")));
  EXPECT_EQ(data["Bolt Assembly"],
            std::make_pair(std::string("BA-1"), std::string("Bolt M10x50 8.8")));

  // Every placement where the scene puts it: the assembly's 100 along y and the parts' own x.
  auto parts = host::occt::ReadStepProducts(path);
  ASSERT_EQ(parts.size(), 6u);
  const double xs[] = {0, 20, 40, 0, 30, 60};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    EXPECT_TRUE(parts[i].figures.valid) << i;
    EXPECT_NEAR(parts[i].figures.boxMin.x, xs[i], 1e-6) << i;
    EXPECT_NEAR(parts[i].figures.boxMin.y, i < 3 ? 0 : 100, 1e-6) << i;
    EXPECT_NEAR(parts[i].figures.volume, i == 5 ? 8000 : 1000, 1e-6) << i;
  }
}

// Texts beyond ASCII, apostrophes and backslashes: the STEP file holds only printable ASCII
// (the kernel's writer would leave UTF-8 and break lines inside its characters), and the
// kernel's reader gives every name, part number and description back as it was; glTF keeps
// them in its JSON.
TEST_F(Export, TextsBeyondAsciiComeBackWholeFromAnAsciiStepFile) {
  std::string longName;  // long enough to break into lines, in both planes
  for (int i = 0; i < 30; ++i) longName += "\u87ba\u6813\U0001F529'\\";
  const std::vector<std::string> names = {"Schraube \u00d810 \u2013 Stahl \u20ac",
                                          "\u87ba\u6813 M8",
                                          "\u87ba\u6813",
                                          "bolt \U0001F529\U0001F527 x2",
                                          "O'Brien''s nut",
                                          "C:\\parts\\\\nut\\",
                                          "\\X2\\00D8\\X0\\ \\N\\",
                                          "two\tcolumns\nand lines",
                                          longName};
  // Cubes of different sides, so that each is a product of its own.
  std::map<std::string, std::pair<std::string, std::string>> expected;
  SceneShape* first = nullptr;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const double at = 20.0 * static_cast<double>(i);
    SceneShape& part = Cube(document_.RootShape(), names[i], at, 5.0 + static_cast<double>(i));
    if (first == nullptr) first = &part;
    expected[names[i]] = {"Nr. " + std::to_string(i) + " \u00e4'\\", "\u00bd " + names[i]};
    host::DataObject& data = part.AttachDataObject(host::kDescriptionGuid);
    data.SetPartNumber(expected[names[i]].first);
    data.SetDescription(expected[names[i]].second);
  }
  const std::string step = Path("Schrauben \u00d8.step");  // the header names the file
  host::occt::ExportScene(document_, step, options_);

  const std::string file = Read(step);
  for (std::size_t i = 0; i < file.size(); ++i) {
    const auto c = static_cast<unsigned char>(file[i]);
    ASSERT_TRUE((c >= 0x20 && c < 0x7F) || c == '\n') << "byte " << int(c) << " at " << i;
  }
  host::occt::ReadTree tree = host::occt::ReadExportedTree(step);
  ASSERT_EQ(tree.roots.size(), 1u);
  ASSERT_EQ(tree.roots[0].children.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(tree.roots[0].children[i].name, names[i]);
  }
  std::map<std::string, std::pair<std::string, std::string>> read;
  for (const auto& p : tree.products) {
    if (expected.count(p.name)) read[p.name] = {p.id, p.description};
  }
  EXPECT_EQ(read, expected);

  const std::string glb = Path("texts.glb");
  host::occt::ExportScene(document_, glb, options_);
  std::vector<ReadNode> nodes = GlbTree(glb);
  ASSERT_EQ(nodes.size(), 1u);
  ASSERT_EQ(nodes[0].children.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(nodes[0].children[i].name, names[i]);
  }
  ExpectValidGltf(glb);

  // A byte that starts no UTF-8 character: the replacement character in glTF, the character of
  // that code in STEP; neither export fails.
  first->SetName("bad \xff");
  host::occt::ExportScene(document_, glb, options_);
  EXPECT_EQ(GlbTree(glb)[0].children[0].name, "bad \ufffd");
  ExpectValidGltf(glb);
  host::occt::ExportScene(document_, step, options_);
  EXPECT_EQ(host::occt::ReadExportedTree(step).roots[0].children[0].name, "bad \u00ff");
}

TEST_F(Export, GlbKeepsTheTreeSharesMeshesAndPassesTheValidator) {
  AssemblyScene();
  std::string path = Path("scene.glb");
  host::occt::ExportScene(document_, path, options_);
  ExpectValidGltf(path);
  ExpectAssemblyTree(GlbTree(path));
  // Two distinct parts, two meshes, each with its own look.
  Glb glb = Glb::Read(path);
  EXPECT_EQ(glb.json["meshes"].size(), 2u);
  EXPECT_EQ(glb.json["materials"].size(), 2u);
  // The kernel's reader takes the file too (as one node of all its faces, coloured).
  auto read = host::occt::ReadExportedTree(path).roots;
  ASSERT_EQ(read.size(), 1u);
  EXPECT_TRUE(read[0].colour.has_value());
}

TEST_F(Export, ThreadImageWrapsOnceRoundAndAlongSixAndAQuarterPitches) {
  ThreadedRod("rod");
  std::string path = Path("rod.glb");
  host::occt::ExportScene(document_, path);
  ExpectValidGltf(path);
  nlohmann::json report = ValidateGltf(path);
  EXPECT_EQ(report["info"]["hasTextures"], true);

  // Only the cylinder carries the image: round it once (10 pi of 10 pi), along it 30 mm of
  // 6.25 x 1.5 mm; as the file says and as the kernel's reader sees it.
  Glb glb = Glb::Read(path);
  std::vector<std::array<double, 4>> spans;
  for (const auto& primitive : glb.json["meshes"][0]["primitives"]) {
    if (!primitive["attributes"].contains("TEXCOORD_0")) continue;
    std::vector<float> uv = glb.Floats(primitive["attributes"]["TEXCOORD_0"].get<int>());
    std::array<double, 4> span{1e9, -1e9, 1e9, -1e9};
    for (std::size_t i = 0; i < uv.size(); i += 2) {
      span = {std::min<double>(span[0], uv[i]), std::max<double>(span[1], uv[i]),
              std::min<double>(span[2], uv[i + 1]), std::max<double>(span[3], uv[i + 1])};
    }
    spans.push_back(span);
  }
  auto roots = host::occt::ReadExportedTree(path).roots;
  ASSERT_EQ(roots.size(), 1u);
  spans.insert(spans.end(), roots[0].textured.begin(), roots[0].textured.end());
  ASSERT_EQ(spans.size(), 2u);
  for (const auto& uv : spans) {
    EXPECT_NEAR(uv[1] - uv[0], 1, 1e-6);
    EXPECT_NEAR(uv[3] - uv[2], 30 / 9.375, 1e-6);
  }

  // The image is embedded: the file reads the same with the image gone.
  std::filesystem::path moved = host_.Scratch() / "elsewhere";
  std::filesystem::create_directory(moved);
  std::filesystem::copy_file(path, moved / "rod.glb");
  EXPECT_EQ(ValidateGltf((moved / "rod.glb").string())["info"]["hasTextures"], true);
}

TEST_F(Export, StlIsOneClosedMeshOfThePlacedPartsOrOfTheOneAsked) {
  Cube(document_.RootShape(), "first cube", 0);
  Cube(document_.RootShape(), "second cube", 50);
  ThreadedRod("rod");
  host::occt::ExportScene(document_, Path("scene.stl"));
  auto triangles = StlTriangles(Path("scene.stl"));
  // Watertight: every edge between two corners is shared by exactly two triangles, walked
  // once each way.
  std::map<std::tuple<float, float, float, float, float, float>, int> edges;
  for (const auto& t : triangles) {
    for (int i = 0; i < 3; ++i) {
      const auto &a = t[i], &b = t[(i + 1) % 3];
      ++edges[{a[0], a[1], a[2], b[0], b[1], b[2]}];
    }
  }
  for (const auto& [edge, count] : edges) {
    auto [ax, ay, az, bx, by, bz] = edge;
    ASSERT_EQ(count, 1);
    ASSERT_EQ(edges.count({bx, by, bz, ax, ay, az}), 1u);
  }

  options_.part = "second cube";
  host::occt::ExportScene(document_, Path("one.stl"), options_);
  auto one = StlTriangles(Path("one.stl"));
  EXPECT_EQ(one.size(), 12u);
  for (const auto& t : one) {
    for (const auto& p : t) EXPECT_GE(p[0], 50.f);
  }
}

TEST_F(Export, TessellationFollowsTheDeflectionAndAngle) {
  ThreadedRod("rod");
  auto count = [&](double deflection, double angle) {
    options_.deflection = deflection;
    options_.angle = angle;
    std::string path = Path("rod" + std::to_string(deflection) + std::to_string(angle) + ".stl");
    host::occt::ExportScene(document_, path, options_);
    return StlTriangles(path).size();
  };
  std::size_t coarse = count(1, 1), fine = count(0.005, 0.1);
  EXPECT_GT(fine, 4 * coarse);
  for (auto [deflection, angle] : {std::pair{0.0, 0.5}, {-1.0, 0.5}, {0.1, 0.0}, {0.1, 4.0},
                                   {NAN, 0.5}}) {
    options_.deflection = deflection;
    options_.angle = angle;
    EXPECT_THROW(host::occt::ExportScene(document_, Path("bad.glb"), options_),
                 host::occt::ExportError);
  }
  EXPECT_FALSE(std::filesystem::exists(Path("bad.glb")));
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
  // An unknown format, a folder that does not exist, a part that is not there.
  EXPECT_THROW(host::occt::FormatOf(Path("scene.obj")), host::occt::ExportError);
  f.SetSuppressed(true);
  Cube(document_.RootShape(), "cube", 0);
  EXPECT_THROW(host::occt::ExportScene(document_, Path("missing/scene.stl")),
               host::occt::ExportError);
  options_.part = "bolt";
  try {
    host::occt::ExportScene(document_, path, options_);
    ADD_FAILURE() << "no error";
  } catch (const host::occt::ExportError& e) {
    EXPECT_NE(std::string(e.what()).find("no part named \"bolt\""), std::string::npos);
  }
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
