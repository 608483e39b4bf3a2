// Hole profiles: y runs from the entry face into the part, x from the hole axis.
#include "geometry/generaHoles.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

#include "data/NumberText.h"
#include "geometry/Utils.h"
#include "host/Profile.h"

namespace vormbrace {
namespace {

using Point = std::pair<double, double>;

// The steps every hole shares, around its loop: size box, emptied profile, profile origin on
// the axis, the loop, removal attributes (variable 62 is 1 on holes), name, refitted box.
void DrawHole(host::Shape& hole, double D, double t, const char* prefix,
              std::initializer_list<Point> loop) {
  double r = (D + t) / 2;
  SetSizeBox(hole, 2 * r, 2 * r, 0);
  host::Profile& profile = ProfileOf(hole);
  auto& loops = profile.Components(kLoopsCode);
  if (loops.Count() > 0) {
    std::int32_t n = loops.Count();
    for (std::int32_t i = 0; i < n; ++i) loops.Remove(1);
  }
  SetPosition(profile, r, r, 0);
  host::Component& l = AddLoop(profile);
  auto p = loop.begin();
  l.SetStartPoint(p->first, p->second);
  for (++p; p != loop.end(); ++p) l.AddLineTo(p->first, p->second);
  host::Component& attributes = Attributes(hole);
  attributes.Variable(1).SetValue(host::Value::Int32(1));
  attributes.Variable(62).SetValue(host::Value::Int32(1));
  hole.SetName(prefix + Str(D));
  hole.ResetSizeBox();
}

}  // namespace

void MakeHole(host::Shape& hole, double D, double t, double L) {
  double r = (D + t) / 2;
  DrawHole(hole, D, t, "Hole ", {{0, 0}, {r, 0}, {r, L}, {0, L}, {0, 0}});
}

void MakeCounterboreHole(host::Shape& hole, double D, double L, double t, double Dcb, double Lcb) {
  double r = (D + t) / 2;
  double rb = (t + Dcb) / 2;
  DrawHole(hole, D, t, "CBHole ",
           {{0, 0}, {rb, 0}, {rb, Lcb}, {r, Lcb}, {r, Lcb + L}, {0, Lcb + L}, {0, 0}});
}

void MakeCountersinkHole(host::Shape& hole, double D, double L, double t, double Dcs, double a) {
  double r = (D + t) / 2;
  double h = a > 0 ? Div(Dcs / 2 - r, std::tan(Radians(a / 2))) : 0;
  DrawHole(hole, D, t, "CSHole ", {{0, 0}, {Dcs / 2, 0}, {r, h}, {r, h + L}, {0, h + L}, {0, 0}});
}

}  // namespace vormbrace
