// Profiles with more segments than the kernel's checker takes in one piece: the solids they
// make are measured and checked as small ones are and keep their shape in STEP, and a crossing
// among many segments is still found. A name too long for STEP is cut there.
#include <STEPControl_Reader.hxx>
#include <STEPControl_Writer.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>

#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <vector>

#include "host/RuntimeError.h"
#include "host/Shape.h"
#include "host/occt/Export.h"
#include "host/occt/Import.h"
#include "host/occt/Kernel.h"
#include "occt/KernelFixture.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;

constexpr int kSegments = 600;  // well above the size the checker takes whole
constexpr double kHeight = 3;

struct Point {
  double x, y;
};

// A star of `segments` sides between radii 20 and 19.
std::vector<Point> Star(int segments = kSegments) {
  std::vector<Point> points;
  for (int i = 0; i < segments; ++i) {
    double angle = 2 * M_PI * i / segments;
    double r = i % 2 == 0 ? 20 : 19;
    points.push_back({r * std::cos(angle), r * std::sin(angle)});
  }
  return points;
}

double Area(const std::vector<Point>& p) {
  double twice = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const Point& a = p[i];
    const Point& b = p[(i + 1) % p.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return std::abs(twice) / 2;
}

// How many entities of each kind of a solid's topology a STEP file holds.
std::map<std::string, int> TopologyCounts(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  const std::string file = text.str();
  std::map<std::string, int> counts;
  const std::regex entity("= (ADVANCED_FACE|FACE_BOUND|FACE_OUTER_BOUND|EDGE_LOOP|ORIENTED_EDGE|"
                          "EDGE_CURVE|VERTEX_POINT|PCURVE|SURFACE_CURVE)\\(");
  for (std::sregex_iterator it(file.begin(), file.end(), entity), end; it != end; ++it) {
    ++counts[(*it)[1]];
  }
  return counts;
}

class LongProfile : public KernelTest {
 protected:
  SceneShape& Prism(const std::vector<Point>& points) {
    SceneShape& part = NewPart();
    SceneShape& feature = AddFeature(part, host::kShapeExtruded, 40, 40, kHeight);
    feature.SetName("Star");
    SetAnchor(feature, 0, 0, kHeight);
    host::Component& loop = NewLoop(feature);
    loop.SetStartPoint(points[0].x, points[0].y);
    for (std::size_t i = 1; i < points.size(); ++i) loop.AddLineTo(points[i].x, points[i].y);
    loop.AddLineTo(points[0].x, points[0].y);
    feature_ = &feature;
    return part;
  }

  std::string UpdateError() {
    try {
      feature_->Update();
    } catch (const host::RuntimeError& e) {
      return e.Description();
    }
    return "";
  }

  // The part's STEP file reads back as the same valid solid, as exported products and as an
  // imported part. Answers the file.
  std::string ExpectSameInStep(SceneShape& part) {
    host::occt::SolidFigures f = Figures(part);
    auto expectSame = [&](const host::occt::SolidFigures& read) {
      EXPECT_TRUE(read.valid);
      EXPECT_EQ(read.faces, f.faces);
      EXPECT_NEAR(read.volume, f.volume, 1e-6 * f.volume);
      EXPECT_NEAR(read.boxMin.x, f.boxMin.x, 1e-6);
      EXPECT_NEAR(read.boxMax.y, f.boxMax.y, 1e-6);
      EXPECT_NEAR(read.boxMax.z, f.boxMax.z, 1e-6);
    };
    const std::string path = WriteStep(part);
    std::vector<host::occt::StepProduct> read = host::occt::ReadStepProducts(path);
    EXPECT_EQ(read.size(), 1u);
    for (const host::occt::StepProduct& product : read) expectSame(product.figures);
    expectSame(Imported(path));
    return path;
  }

  // The figures of the file's solid imported into a scene of its own.
  static host::occt::SolidFigures Imported(const std::string& path) {
    host::ref::SceneDocument scene;
    host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(scene);
    return kernel.Figures(host::occt::ImportStepPart(scene, path));
  }

  // Exports the part; its STEP file holds the same faces, loops, edges and vertices as the
  // kernel's translator writes for the solid handed over whole, and no loop left over from
  // writing long ones in pieces.
  std::string WriteStep(SceneShape& part) {
    const std::string path = (host_.Scratch() / "part.step").string();
    host::occt::ExportScene(document_, path);
    const std::string whole = (host_.Scratch() / "whole.step").string();
    STEPControl_Writer writer;
    EXPECT_EQ(writer.Transfer(host::occt::PartSolid(kernel_, part), STEPControl_AsIs),
              IFSelect_RetDone);
    EXPECT_EQ(writer.Write(whole.c_str()), IFSelect_RetDone);
    std::map<std::string, int> written = TopologyCounts(path);
    EXPECT_EQ(written, TopologyCounts(whole));
    TopTools_IndexedMapOfShape wires;
    TopExp::MapShapes(host::occt::PartSolid(kernel_, part), TopAbs_WIRE, wires);
    EXPECT_EQ(written["EDGE_LOOP"], wires.Extent());
    return path;
  }

  SceneShape* feature_ = nullptr;
};

TEST_F(LongProfile, ManySegmentsMakeAValidSolidOfTheProfilesArea) {
  std::vector<Point> star = Star();
  SceneShape& part = Prism(star);
  EXPECT_EQ(UpdateError(), "");
  ExpectValidSolid(part, Area(star) * kHeight, 1e-6);
  host::occt::SolidFigures f = Figures(part);
  EXPECT_EQ(f.faces, kSegments + 2);
  EXPECT_NEAR(f.boxMax.x - f.boxMin.x, 40, 1e-6);
  EXPECT_NEAR(f.boxMax.z - f.boxMin.z, kHeight, 1e-6);

  // Its STEP file: the caps' loops were written in pieces.
  ExpectSameInStep(part);

  // A hole through it: the cut solid has the star's large faces with a second wire each.
  SceneShape& hole = AddFeature(part, host::kShapeExtruded, 10, 10, kHeight);
  SetAnchor(hole, 0, 0, kHeight);
  Polygon(hole, {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}});
  MarkRemoval(hole);
  ExpectValidSolid(part, (Area(star) - 100) * kHeight, 1e-6);
  // The caps' outer loops in pieces, their holes' loops whole.
  WriteStep(part);
}

TEST_F(LongProfile, ALongLoopIsWrittenToStepAsOneLoop) {
  // 3,000 segments, one an arc (a curved side face): the caps' loops go to the translator in
  // six pieces each and come out whole, and read back whole.
  constexpr int kLong = 3000;
  std::vector<Point> star = Star(kLong);
  SceneShape& part = NewPart();
  SceneShape& feature = AddFeature(part, host::kShapeExtruded, 40, 40, kHeight);
  SetAnchor(feature, 0, 0, kHeight);
  host::Component& loop = NewLoop(feature);
  loop.SetStartPoint(star[0].x, star[0].y);
  for (int i = 1; i < kLong; ++i) {
    if (i == 1000) {
      loop.AddArcTo(star[i].x, star[i].y, 0.01);
    } else {
      loop.AddLineTo(star[i].x, star[i].y);
    }
  }
  loop.AddLineTo(star[0].x, star[0].y);
  host::occt::SolidFigures f = Figures(part);
  ASSERT_TRUE(f.valid);
  EXPECT_EQ(f.faces, kLong + 2);
  ExpectSameInStep(part);
}

TEST_F(LongProfile, ADamagedLongLoopIsReadAsTheKernelRepairsIt) {
  // The star's file with one corner moved across the far side: both caps' loops cross
  // themselves there, which only the reader's whole repair looks for.
  const std::string path = ExpectSameInStep(Prism(Star()));
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  std::string file = text.str();
  std::smatch vertex, point;
  ASSERT_TRUE(std::regex_search(file, vertex, std::regex("VERTEX_POINT\\('',#(\\d+)\\)")));
  const std::regex corner("\n#" + vertex[1].str() +
                          " = CARTESIAN_POINT\\('',\\(([^,]+),([^,]+),([^)]+)\\)\\)");
  ASSERT_TRUE(std::regex_search(file, point, corner));
  file.replace(static_cast<std::size_t>(point.position(1)),
               static_cast<std::size_t>(point.length(1) + 1 + point.length(2)), "-25.,0.5");
  const std::string damaged = (host_.Scratch() / "damaged.step").string();
  std::ofstream(damaged) << file;

  STEPControl_Reader kernel;
  ASSERT_EQ(kernel.ReadFile(damaged.c_str()), IFSelect_RetDone);
  kernel.TransferRoots();
  host::occt::SolidFigures repaired = host::occt::MeasureSolid(kernel.OneShape());
  std::vector<host::occt::StepProduct> read = host::occt::ReadStepProducts(damaged);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].figures.valid, repaired.valid);
  EXPECT_EQ(read[0].figures.faces, repaired.faces);
  EXPECT_NEAR(read[0].figures.volume, repaired.volume, 1e-9 * repaired.volume);
  host::occt::SolidFigures imported = Imported(damaged);
  EXPECT_EQ(imported.valid, repaired.valid);
  EXPECT_NEAR(imported.volume, repaired.volume, 1e-9 * repaired.volume);
}

TEST_F(LongProfile, ACrossingAmongManySegmentsIsFound) {
  const std::string crosses = "\"Star\" (";
  struct Case {
    const char* name;
    void (*spoil)(std::vector<Point>&);
  };
  const Case cases[] = {
      // One outer corner pulled across the far side of the star.
      {"spike", [](std::vector<Point>& p) { p[10] = {-25, 0.5}; }},
      // Two corners exchanged: their segments cross over the middle.
      {"swap", [](std::vector<Point>& p) { std::swap(p[100], p[400]); }},
      // A corner folded back onto the segment before it.
      {"fold", [](std::vector<Point>& p) {
         p[51] = {p[49].x + 0.5 * (p[50].x - p[49].x), p[49].y + 0.5 * (p[50].y - p[49].y)};
       }},
      // A corner touching another corner's segment without crossing it.
      {"touch", [](std::vector<Point>& p) {
         p[300] = {0.5 * (p[0].x + p[1].x), 0.5 * (p[0].y + p[1].y)};
       }},
  };
  for (const Case& c : cases) {
    std::vector<Point> star = Star();
    c.spoil(star);
    Prism(star);
    std::string error = UpdateError();
    EXPECT_EQ(error.substr(0, crosses.size()), crosses) << c.name;
    EXPECT_NE(error.find("loop 1 crosses itself"), std::string::npos) << c.name << ": " << error;
  }
}

TEST_F(LongProfile, AnArcAcrossItsNeighboursIsFound) {
  std::vector<Point> star = Star();
  SceneShape& part = NewPart();
  SceneShape& feature = AddFeature(part, host::kShapeExtruded, 40, 40, kHeight);
  host::Component& loop = NewLoop(feature);
  loop.SetStartPoint(star[0].x, star[0].y);
  for (std::size_t i = 1; i < star.size(); ++i) {
    // Segment 200 bulges far out sideways: over the segments beside it.
    if (i == 200) {
      loop.AddArcTo(star[i].x, star[i].y, 3);
    } else {
      loop.AddLineTo(star[i].x, star[i].y);
    }
  }
  loop.AddLineTo(star[0].x, star[0].y);
  feature_ = &feature;
  EXPECT_NE(UpdateError().find("loop 1 crosses itself"), std::string::npos);

  // A gentle arc in the same place stays clear of them.
  SceneShape& gentle = AddFeature(NewPart(), host::kShapeExtruded, 40, 40, kHeight);
  host::Component& smooth = NewLoop(gentle);
  smooth.SetStartPoint(star[0].x, star[0].y);
  for (std::size_t i = 1; i < star.size(); ++i) {
    if (i == 200) {
      smooth.AddArcTo(star[i].x, star[i].y, 0.01);
    } else {
      smooth.AddLineTo(star[i].x, star[i].y);
    }
  }
  smooth.AddLineTo(star[0].x, star[0].y);
  feature_ = &gentle;
  EXPECT_EQ(UpdateError(), "");
}

TEST_F(LongProfile, AVeryLongNameIsCutInTheStepFileWithAWarning) {
  SceneShape& part = Prism({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  const std::string path = (host_.Scratch() / "long.step").string();
  std::vector<std::string> warnings;
  host::occt::ExportOptions options;
  options.warn = [&](const std::string& message) { warnings.push_back(message); };
  auto readName = [&] {
    std::vector<host::occt::StepProduct> read = host::occt::ReadStepProducts(path);
    EXPECT_EQ(read.size(), 1u);
    EXPECT_TRUE(!read.empty() && read[0].figures.valid);
    return read.empty() ? std::string() : read[0].name;
  };

  // As long as a STEP text may be: written whole, without a warning.
  const std::string longest(host::occt::kMaxStepText, 'N');
  part.SetName(longest);
  host::occt::ExportScene(document_, path, options);
  EXPECT_TRUE(readName() == longest);
  EXPECT_TRUE(warnings.empty());

  // Longer: cut, with one warning though the name is both the product's and the placement's.
  part.SetName(longest + "NN");
  host::occt::ExportScene(document_, path, options);
  EXPECT_TRUE(readName() == longest);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0], path + ": the name of part \"" + std::string(40, 'N') +
                             "\"... is 4098 bytes long, 4098 as STEP text (at most 4096): the "
                             "STEP file keeps its first 4096 bytes");

  // Counted as written: a euro sign is three bytes of UTF-8 but four hexadecimal digits in a
  // directive of eight (\X2\20AC...\X0\, 40 bytes). 4095 bytes of them are cut to 102
  // directives and one of two euros (4096 bytes written), read back whole; the warning quotes
  // the name as plain text.
  std::string euros;
  for (int i = 0; i < 1365; ++i) euros += "\u20ac";
  part.SetName(euros);
  warnings.clear();
  host::occt::ExportScene(document_, path, options);
  EXPECT_TRUE(readName() == euros.substr(0, 818 * 3));
  std::string start;
  for (int i = 0; i < 13; ++i) start += "\\xe2\\x82\\xac";
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0], path + ": the name of part \"" + start +
                             "\"... is 4095 bytes long, 6828 as STEP text (at most 4096): the "
                             "STEP file keeps its first 2454 bytes");
}

}  // namespace
}  // namespace vormbrace::test
