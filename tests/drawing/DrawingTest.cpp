// Drawings of a real ISO 4017 M10x50 bolt and an ISO 4032 M10 nut beside it (x = 40), made by
// the program as a user would make them, read back from the SVG: the bolt's cosmetic thread
// where ISO 6410-1 puts it, in the same frame as the kernel's outlines; the nut without one;
// bad requests refused without writing anything.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "host/occt/Drawing.h"
#include "host/reference/DrawingSheet.h"
#include "host/reference/SceneFile.h"
#include "host/reference/ThreadQuestions.h"
#include "support/RunCommand.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;
using host::ref::Point2;

// ISO 4017 M10x50 is threaded to the head: root diameter d - P = 8.5, crest 10, length 50.
constexpr double kRoot = 4.25, kCrest = 5, kLength = 50, kTol = 1e-3;

struct SvgPath {
  std::string cls;
  std::vector<Point2> points;
};

// The paths of one view group, in the view plane's millimetres.
std::vector<SvgPath> ViewPaths(const std::string& svg, const std::string& view) {
  std::size_t begin = svg.find("<g id=\"view-" + view + "\"");
  EXPECT_NE(begin, std::string::npos) << view;
  if (begin == std::string::npos) return {};
  std::string group = svg.substr(begin, svg.find("</g>", begin) - begin);
  std::vector<SvgPath> paths;
  static const std::regex path(R"re(<path class="([^"]*)" d="M([^"]*)")re");
  for (std::sregex_iterator it(group.begin(), group.end(), path), end; it != end; ++it) {
    SvgPath p{(*it)[1], {}};
    std::string d = (*it)[2];
    for (char& c : d) c = c == 'L' ? ' ' : c;
    std::istringstream in(d);
    for (double x, y; in >> x >> y;) p.points.push_back({x, y});
    paths.push_back(std::move(p));
  }
  return paths;
}

std::vector<SvgPath> OfClass(const std::vector<SvgPath>& paths, const std::string& cls) {
  std::vector<SvgPath> out;
  for (const SvgPath& p : paths) {
    if (p.cls == cls) out.push_back(p);
  }
  return out;
}

double MinY(const SvgPath& p) {
  double m = 1e9;
  for (Point2 q : p.points) m = std::min(m, q.y);
  return m;
}
double MaxY(const SvgPath& p) {
  double m = -1e9;
  for (Point2 q : p.points) m = std::max(m, q.y);
  return m;
}

class DrawingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                        ("vormbrace-drawing-" + std::to_string(::getpid())));
    std::filesystem::create_directories(*folder_);
    ASSERT_EQ(Run("drop --standard \"ISO 4017\" --size M10 --length 50 -o scene.json "
                  "--export scene.step")
                  .exitCode,
              0);
    ASSERT_EQ(Run("drop scene.json --kind nut --standard \"ISO 4032\" --size M10 --at 40,0,0 "
                  "-o scene.json")
                  .exitCode,
              0);
  }
  static void TearDownTestSuite() {
    std::filesystem::remove_all(*folder_);
    delete folder_;
  }
  static test::CommandResult Run(const std::string& args) {
    return test::RunVormbrace(args, folder_->string());
  }
  static std::string Path(const std::string& name) { return (*folder_ / name).string(); }

  // Draws the scene with `options` into out.svg and answers the file.
  std::string Draw(const std::string& options) {
    std::filesystem::remove(Path("out.svg"));
    test::CommandResult r = Run("drawing scene.json " + options + " -o out.svg");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return host_.ReadFile(Path("out.svg"));
  }

  static std::filesystem::path* folder_;
  test::TestHost host_;
};

std::filesystem::path* DrawingTest::folder_ = nullptr;

TEST_F(DrawingTest, SideViewShowsRootLinesOverTheThreadAndTheThreadEnd) {
  std::string svg = Draw("--view front");
  auto paths = ViewPaths(svg, "front");
  auto roots = OfClass(paths, "thin thread-root");
  ASSERT_EQ(roots.size(), 2u);  // the nut beside the bolt has none
  std::vector<double> xs;
  for (const SvgPath& r : roots) {
    for (Point2 p : r.points) EXPECT_NEAR(p.x, r.points[0].x, kTol);
    xs.push_back(r.points[0].x);
    // From the thread's start under the head down the whole threaded length.
    EXPECT_NEAR(MaxY(r), 0, kTol);
    EXPECT_NEAR(MinY(r), -kLength, kTol);
  }
  std::sort(xs.begin(), xs.end());
  EXPECT_NEAR(xs[0], -kRoot, kTol);
  EXPECT_NEAR(xs[1], kRoot, kTol);

  auto ends = OfClass(paths, "visible thread-end");
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_NEAR(std::abs(ends[0].points.front().x - ends[0].points.back().x), 2 * kCrest, kTol);
  EXPECT_NEAR(ends[0].points.front().y, 0, kTol);

  // The kernel's outline of the shank runs at the crest in the same frame.
  bool crestOutline = false;
  for (const SvgPath& e : OfClass(paths, "visible edge")) {
    crestOutline = crestOutline ||
                   (e.points.size() == 2 && std::abs(e.points[0].x - kCrest) < kTol &&
                    std::abs(e.points[1].x - kCrest) < kTol && MaxY(e) - MinY(e) > kLength - 2);
  }
  EXPECT_TRUE(crestOutline);
  EXPECT_NE(svg.find(">M10</text>"), std::string::npos);
}

TEST_F(DrawingTest, EndViewShowsAThreeQuarterRootCircleInsteadOfTheChamferCircle) {
  auto paths = ViewPaths(Draw("--view bottom"), "bottom");
  auto roots = OfClass(paths, "thin thread-root");
  ASSERT_EQ(roots.size(), 1u);
  double sweep = 0;
  Point2 last = roots[0].points.front();
  for (Point2 p : roots[0].points) {
    EXPECT_NEAR(std::hypot(p.x, p.y), kRoot, kTol);
    EXPECT_FALSE(p.x > kTol && p.y > kTol) << "the gap is the upper right quadrant";
    sweep += std::abs(std::atan2(last.x * p.y - last.y * p.x, last.x * p.x + last.y * p.y));
    last = p;
  }
  EXPECT_NEAR(sweep * 180 / 3.14159265358979, 270, 0.01);
  // The point's chamfer circle (at the root) is left out; the crest circle stays.
  bool crest = false;
  for (const SvgPath& e : OfClass(paths, "visible edge")) {
    for (Point2 p : e.points) EXPECT_GT(std::abs(std::hypot(p.x, p.y) - kRoot), 0.01);
    crest = crest || std::abs(std::hypot(e.points[0].x, e.points[0].y) - kCrest) < kTol;
  }
  EXPECT_TRUE(crest);
}

TEST_F(DrawingTest, HeadHidesTheThreadFromAboveUnlessHiddenLinesAreAsked) {
  EXPECT_TRUE(OfClass(ViewPaths(Draw("--view top"), "top"), "thin thread-root").empty());
  std::string svg = Draw("--view top --hidden");
  auto hidden = OfClass(ViewPaths(svg, "top"), "hidden thread-root");
  ASSERT_FALSE(hidden.empty());
  for (Point2 p : hidden[0].points) EXPECT_NEAR(std::hypot(p.x, p.y), kRoot, kTol);
  EXPECT_EQ(svg.find(">M10</text>"), std::string::npos);
}

TEST_F(DrawingTest, ViewsSitSideBySideAtOneStandardScale) {
  std::string svg = Draw("--view front --view right bottom");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(svg, m, std::regex(R"re(data-scale="([0-9.]+)")re")));
  const std::string scale = m[1];
  double lastX = -1;
  for (const char* view : {"front", "right", "bottom"}) {
    std::smatch g;
    std::regex group(
        std::string("id=\"view-") + view +
        R"re(" class="view" transform="translate\(([0-9.]+) [0-9.]+\) scale\(([0-9.]+) -)re");
    ASSERT_TRUE(std::regex_search(svg, g, group)) << view;
    EXPECT_EQ(g[2], scale) << view;
    EXPECT_GT(std::stod(g[1]), lastX) << view;
    lastX = std::stod(g[1]);
  }
  // The title block states it.
  EXPECT_NE(svg.find(">" + host::ref::ScaleText(std::stod(scale)) + "</text>"), std::string::npos);
}

TEST_F(DrawingTest, NutAloneHasNoCosmeticThread) {
  std::string svg = Draw("--part \"ISO 4032 M10 - 8\" --view front bottom");
  for (const char* view : {"front", "bottom"}) {
    auto paths = ViewPaths(svg, view);
    EXPECT_FALSE(OfClass(paths, "visible edge").empty()) << view;
    for (const SvgPath& p : paths) EXPECT_EQ(p.cls.find("thread"), std::string::npos) << view;
  }
  EXPECT_EQ(svg.find("callout"), std::string::npos);
}

TEST_F(DrawingTest, BoltWithoutAUsableDataTableIsDrawnWithoutThread) {
  auto document = host::ref::LoadScene(Path("scene.json"));
  host::ref::SceneShape& bolt = *document->Root().Children()[0];
  ASSERT_EQ(bolt.Name(), "ISO 4017 M10x50 - 8.8");
  EXPECT_TRUE(host::ref::AskThread(host_.Host().Classes(), bolt).has_value());
  // A table whose figures describe no thread: a pitch as large as the diameter, a NaN length.
  host::Component& table = bolt.Components(34).Item(1);
  table.Variable(1, 12).SetValue(host::Value::Double(10));
  EXPECT_FALSE(host::ref::AskThread(host_.Host().Classes(), bolt).has_value());
  table.Variable(1, 12).SetValue(host::Value::Double(1.5));
  table.Variable(1, 11).SetValue(host::Value::Double(std::nan("")));
  EXPECT_FALSE(host::ref::AskThread(host_.Host().Classes(), bolt).has_value());
  bolt.Components(34).Remove(1);  // still bound to its class
  EXPECT_FALSE(host::ref::AskThread(host_.Host().Classes(), bolt).has_value());
  auto views = host::occt::DrawViews(*document, host_.Host().Classes(), {{"front"}, "", false});
  ASSERT_EQ(views.size(), 1u);
  EXPECT_FALSE(views[0].lines.empty());
  for (const auto& line : views[0].lines) EXPECT_EQ(line.role, "edge");
  EXPECT_TRUE(views[0].callouts.empty());
}

TEST_F(DrawingTest, ThreadFollowsThePartTurnedInTheScene) {
  auto document = host::ref::LoadScene(Path("scene.json"));
  host::ref::SceneShape& bolt = *document->Root().Children()[0];
  // A quarter turn about X: the head faces -Y (the front view's eye), the thread runs along +Y.
  bolt.SetFrame({host::ref::RotationAboutAxis({1, 0, 0}, 90), {0, 0, 0}});
  auto views =
      host::occt::DrawViews(*document, host_.Host().Classes(), {{"top", "front"}, "", false});
  ASSERT_EQ(views.size(), 2u);
  std::vector<double> xs;
  for (const auto& line : views[0].lines) {
    if (line.role != "thread-root") continue;
    for (Point2 p : line.points) EXPECT_NEAR(p.x, line.points[0].x, kTol);
    EXPECT_NEAR(std::min(line.points.front().y, line.points.back().y), 0, kTol);
    EXPECT_NEAR(std::max(line.points.front().y, line.points.back().y), kLength, kTol);
    xs.push_back(std::abs(line.points[0].x));
  }
  ASSERT_EQ(xs.size(), 2u);
  EXPECT_NEAR(xs[0], kRoot, kTol);
  EXPECT_NEAR(xs[1], kRoot, kTol);
  for (const auto& line : views[1].lines) EXPECT_EQ(line.role, "edge");  // behind the head
}

TEST_F(DrawingTest, BadRequestsFailByNameAndWriteNothing) {
  host::ref::SceneDocument empty;
  host::ref::SaveScene(empty, Path("empty.json"));
  const std::pair<std::string, std::string> cases[] = {
      {"drawing empty.json -o bad.svg", "empty.json: the scene has no part with material to draw"},
      {"drawing scene.json --part Nobody -o bad.svg",
       "scene.json: the scene has no part named \"Nobody\""},
      {"drawing scene.json --view side -o bad.svg", "unknown view \"side\""},
      {"drawing scene.json -o bad.png", "bad.png: a drawing is written as .svg"},
      {"drawing missing.json -o bad.svg", "missing.json"},
  };
  for (const auto& [args, message] : cases) {
    test::CommandResult r = Run(args);
    EXPECT_NE(r.exitCode, 0) << args;
    EXPECT_NE(r.err.find(message), std::string::npos) << args << ": " << r.err;
    EXPECT_FALSE(std::filesystem::exists(Path("bad.svg"))) << args;
    EXPECT_FALSE(std::filesystem::exists(Path("bad.png"))) << args;
  }
}

TEST(MetricCallout, CoarsePitchIsImpliedFinePitchIsWritten) {
  EXPECT_EQ(host::ref::MetricCallout(10, 1.5), "M10");
  EXPECT_EQ(host::ref::MetricCallout(10, 1.25), "M10x1.25");
  EXPECT_EQ(host::ref::MetricCallout(2.5, 0.45), "M2.5");
  EXPECT_EQ(host::ref::MetricCallout(72, 6), "M72x6");  // ISO 261 has no coarse pitch there
  EXPECT_EQ(host::ref::MetricCallout(10, 10.0 - 8.5), "M10");
}

}  // namespace
