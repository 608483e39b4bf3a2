// Test support for the nut and washer generators: the generator fixture with the shipped
// settings (so the thread texture is found), records of the shipped tables, one-line summaries
// of features, expected loops, and probes of a part's solid.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "data/Settings.h"
#include "geometry/GeometryFixture.h"
#include "host/reference/Math3.h"
#include "occt/SolidChecks.h"

namespace vormbrace::test {

inline constexpr double kMathPi = 3.14159265358979323846;
inline constexpr std::int16_t kIso = 0, kDin = 1;
inline constexpr std::int16_t kWasherKind = 3, kNutKind = 4;
// Material found by a probe is a difference of two part volumes (good to about 1e-4 mm³).
inline constexpr double kProbe = 1e-3;

// The loop that is the circle of radius r, and the closed loop of lines through the points.
inline std::vector<host::ref::ProfileCall> Circle(double r) {
  return {{"SetStartPoint", {0, 0}}, {"AddEllipse", {0, 0, r}}};
}
inline std::vector<host::ref::ProfileCall> Lines(const std::vector<std::vector<double>>& points) {
  std::vector<host::ref::ProfileCall> calls{{"SetStartPoint", points.front()}};
  for (std::size_t i = 1; i < points.size(); ++i) calls.push_back({"AddLineTo", points[i]});
  calls.push_back({"AddLineTo", points.front()});
  return calls;
}

class NutWasherTest : public GeometryTest {
 protected:
  NutWasherTest() {
    host_.Settings() =
        host::ref::SettingsStore::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json");
  }

  // The record of `size` in a shipped size data file, read the way the dialog reads it.
  static ValueArray Record(std::int16_t family, std::int16_t kind, const std::string& file,
                           const std::string& size) {
    State().family = family;
    LoadKindSettings(kind);
    ValueArray v{};
    std::string partNumber;
    EXPECT_TRUE(QMisuraVariabili(State().paths.dataFolder + file, size, "", v, partNumber))
        << file << " " << size;
    return v;
  }

  host::ref::SceneShape& NewPart(const std::string& name) {
    auto& part =
        static_cast<host::ref::SceneShape&>(document_.RootShape().Shapes(host::kShapePart).Add());
    part.SetName(name);
    return part;
  }

  static bool IsRemoval(host::ref::SceneShape& feature) {
    return Var(feature, 14, 1) == host::Value::Int32(1);
  }
  // "kind name [cut] box sx sy sz anchor ax ay az", position and profile origin being 0.
  static std::string Summary(host::ref::SceneShape& f) {
    std::vector<double> b = Triple(f, 1), a = Triple(f, 5), p = Triple(f, 4);
    std::vector<double> o = ProfileOrigin(f);
    char text[160];
    std::snprintf(text, sizeof text, "%d %s%s box %g %g %g anchor %g %g %g", f.Type(),
                  f.Name().c_str(), IsRemoval(f) ? " cut" : "", b[0], b[1], b[2], a[0], a[1], a[2]);
    std::string s = text;
    if (p != std::vector<double>{0, 0, 0}) s += " position not 0";
    if (o != std::vector<double>{0, 0, 0} && f.Type() != host::kShapeSwept) s += " origin not 0";
    return s;
  }
  // The summaries of the part's features from `first` on.
  static std::vector<std::string> Summaries(host::ref::SceneShape& part, std::size_t first = 0) {
    std::vector<std::string> out;
    for (std::size_t i = first; i < part.Children().size(); ++i) {
      out.push_back(Summary(*part.Children()[i]));
    }
    return out;
  }
  // Where a feature's turn (its position variables 4-7) takes (1, 0, 0).
  static std::vector<double> TurnedX(host::ref::SceneShape& feature) {
    host::ref::SceneComponent& p = Component(feature, 4);
    host::ref::Vec3 x =
        host::ref::RotationAboutAxis({p.Number(4), p.Number(5), p.Number(6)}, p.Number(7)) *
        host::ref::Vec3{1, 0, 0};
    return {x.x, x.y, x.z};
  }
  // A profile's turn: axis and angle (its position variables 4-7).
  static std::vector<double> ProfileTurn(host::ref::SceneComponent& holder) {
    host::ref::SceneComponent& p = *holder.ProfileIfAny()->Store().First(4);
    return {p.Number(4), p.Number(5), p.Number(6), p.Number(7)};
  }

  double Volume(host::ref::SceneShape& part) { return kernel_.Figures(part).volume; }

  // A removal box from `lo` to `hi`, added last to the part (take it out with RemoveChild).
  static host::ref::SceneShape& AddProbe(host::ref::SceneShape& part, host::ref::Vec3 lo,
                                         host::ref::Vec3 hi) {
    auto& probe = static_cast<host::ref::SceneShape&>(
        part.Components(23).Item(1).Shapes(host::kShapeExtruded).Add());
    probe.Components(1).Item(1).Variable(3).SetValue(host::Value::Double(hi.z - lo.z));
    host::Component& anchor = probe.Components(5).Item(1);
    for (int i = 1; i <= 3; ++i) anchor.Variable(i).SetValue(host::Value::Double(0));
    probe.Components(4).Item(1).Variable(3).SetValue(host::Value::Double(lo.z));
    host::Component& loop = probe.Components(15).Item(1).Profile().Components(3).Add();
    loop.SetStartPoint(lo.x, lo.y);
    loop.AddLineTo(hi.x, lo.y);
    loop.AddLineTo(hi.x, hi.y);
    loop.AddLineTo(lo.x, hi.y);
    loop.AddLineTo(lo.x, lo.y);
    probe.Components(14).Item(1).Variable(1).SetValue(host::Value::Int32(1));
    return probe;
  }
  // The volume of the part's material inside the box from `lo` to `hi`.
  double MaterialIn(host::ref::SceneShape& part, host::ref::Vec3 lo, host::ref::Vec3 hi) {
    double before = Volume(part);
    host::ref::SceneShape& probe = AddProbe(part, lo, hi);
    double after = Volume(part);
    part.RemoveChild(probe);
    return before - after;
  }
  // Material on the axis: inside a thin square rod along Z through the whole part.
  double MaterialOnAxis(host::ref::SceneShape& part) {
    host::occt::SolidFigures f = kernel_.Figures(part);
    return MaterialIn(part, {-0.25, -0.25, f.boxMin.z - 1}, {0.25, 0.25, f.boxMax.z + 1});
  }
};

}  // namespace vormbrace::test
