// Washer generators and the dispatch by kind.
#include "geometry/generaRosette.h"

#include "data/Resources.h"
#include "geometry/Utils.h"
#include "host/Profile.h"
#include "host/Value.h"

namespace vormbrace {
namespace {

// Attribute 55 of an extruded feature: how far it is swept along its profile's normal.
constexpr std::int32_t kSweepLength = 55;
// The slit of a spring washer, whatever its size.
constexpr double kSplitWidth = 0.1;

// The last steps of a washer body: attributes, the part service, Update and ResetSizeBox.
void FinishBody(host::Shape& part, host::Shape& feature) {
  MarkFeature(feature, false);
  CallPartService(part, 0);
  Rebuild(feature);
}

}  // namespace

void MakePlainWasher(host::Shape& part, double D, double d, double H) {
  host::Shape& feature = AddPartFeature(part, kExtruded, D / 2, D / 2, H, 0, res::kBody);
  host::Profile& profile = ProfileAtOrigin(feature);
  AddCircle(profile, D / 2);
  AddCircle(profile, d / 2);
  FinishBody(part, feature);
}

void MakeSplitWasher(host::Shape& part, double D, double d, double H) {
  MakePlainWasher(part, D, d, H);
  MakeSplitCut(part, D, d, H);
}

void MakeSplitCut(host::Shape& part, double D, double d, double H) {
  double w = (D - d) / 2;  // the ring's width
  host::Shape& feature =
      AddPartFeature(part, host::kShapeSwept, 2.2 * w, 2.2 * w, H, 0, res::kRecess);
  // The cross-section: a slit 0.1 wide on the -X side, its origin d/4 from the axis, reaching
  // out to d/4 + 2.2 w, past the ring. Its inner end lies on the axis rather than at the origin:
  // the slit climbs √3 in y per unit of height, and near the top it crosses the ring where the
  // hole's wall comes nearer the axis than d/4 (DIN 127 B M6: H 1.6, d 6.1); a slit starting at
  // d/4 left a bridge there and the ring closed. It stays on the -X side while √3 H + 0.05 <
  // d/2, as for every spring washer of the tables.
  host::Profile& section = ProfileOf(feature);
  SetPosition(section, -d / 4, 0, 0);
  AddPolygon(section, {{d / 4, 0},
                       {d / 4, kSplitWidth / 2},
                       {-2.2 * w, kSplitWidth / 2},
                       {-2.2 * w, -kSplitWidth / 2},
                       {d / 4, -kSplitWidth / 2}});
  // The path: 2.2 H along its y, turned 30° about X, so it rises through the whole thickness
  // while it runs along the ring.
  host::Profile& path = feature.Components(24).Item(1).Profile();
  SetPosition(path, 0, 0, 0);
  TurnProfile(path, 1, 0, 0, 30);
  host::Component& line = AddLoop(path);
  line.SetStartPoint(0, 0);
  line.AddLineTo(0, 2.2 * H);
  MarkFeature(feature, true);
  Rebuild(feature);
}

void MakeChamferedWasher(host::Shape& part, double D, double d, double H, double c) {
  host::Shape& feature = AddPartFeature(part, kRevolved, D / 2, D / 2, H, 0, res::kBody);
  AddPolygon(ProfileAtOrigin(feature),
             {{d / 2, 0}, {D / 2, 0}, {D / 2, c}, {D / 2 - c, H}, {d / 2, H}});
  FinishBody(part, feature);
}

void MakeDoubleChamferWasher(host::Shape& part, double D, double d, double H, double c, double c1) {
  host::Shape& feature = AddPartFeature(part, kRevolved, D / 2, D / 2, H, 0, res::kBody);
  AddPolygon(
      ProfileAtOrigin(feature),
      {{d / 2, 0}, {D / 2, 0}, {D / 2, H - c1}, {D / 2 - c1, H}, {d / 2 + c, H}, {d / 2, H - c}});
  FinishBody(part, feature);
}

void MakeCircleSquareWasher(host::Shape& part, double Dc, double A, double H) {
  host::Shape& feature = AddPartFeature(part, kExtruded, Dc / 2, Dc / 2, H, 0, res::kBody);
  host::Profile& profile = ProfileAtOrigin(feature);
  AddCircle(profile, Dc / 2);
  AddPolygon(profile, {{-A / 2, A / 2}, {A / 2, A / 2}, {A / 2, -A / 2}, {-A / 2, -A / 2}});
  FinishBody(part, feature);
}

void MakeTaperWasher(host::Shape& part, double A, double B, double H, double H1, double d, double c,
                     double g, HostBool twoGrooves) {
  host::Shape& feature = AddFeature(part, kExtruded);
  SetSizeBox(feature, A, B, H);
  SetAnchor(feature, 0, -B / 2, 0);  // centred on the hole along the length B
  SetPosition(feature, 0, 0, 0);
  NameFeature(feature, res::kBody);
  // Turned upright: the loop is the side view (x across A, y up) and is swept along -Y.
  host::Profile& profile = ProfileAtOrigin(feature);
  TurnProfile(profile, 1, 0, 0, 90);
  // The grooves sit halfway between the edges and the hole's chamfer.
  double m = (A / 2 - (d / 2 + c)) / 2;
  double x1 = -A / 2 + m, x2 = A / 2 - m;
  host::Component& loop = AddLoop(profile);
  loop.SetStartPoint(-A / 2, 0);
  loop.AddLineTo(-A / 2, H);
  loop.AddLineTo(A / 2, H1);
  loop.AddLineTo(A / 2, 0);
  if (twoGrooves != 0) {
    loop.AddLineTo(x2 + g, 0);
    loop.AddLineTo(x2 + g, g);
    loop.AddLineTo(x2, g);
    loop.AddLineTo(x2, 0);
  }
  loop.AddLineTo(x1, 0);
  loop.AddLineTo(x1, g);
  loop.AddLineTo(x1 - g, g);
  loop.AddLineTo(x1 - g, 0);
  loop.AddLineTo(-A / 2, 0);
  loop.AddFilletAt(3, 0.8 * H1);  // the thin end's top edge, (A/2, H1)
  host::Component& attributes = Attributes(feature);
  attributes.Variable(62).SetValue(host::Value::Int32(0));
  attributes.Variable(kSweepLength).SetValue(host::Value::Double(B));
  CallPartService(part, 0);
  Rebuild(feature);
  MakeTaperWasherHole(part, d, c, H);
}

void MakeTaperWasherHole(host::Shape& part, double d, double c, double H) {
  host::Shape& feature = AddPartFeature(part, kRevolved, d / 2 + c, d / 2 + c, H, 0, res::kRecess);
  AddPolygon(ProfileAtOrigin(feature),
             {{-(d / 2 + c), 0}, {-d / 2, c}, {-d / 2, H}, {0, H}, {0, 0}});
  MarkFeature(feature, true);
  Rebuild(feature);
}

WasherDimensions ReadWasherDimensions(const host::AutomationObject& o) {
  auto n = [&](const char* name) { return o.GetProperty(name).AsDouble(); };
  WasherDimensions d;
  d.ComponentType = o.GetProperty("ComponentType").AsInt32();
  d.DiametroEsterno = n("DiametroEsterno");
  d.DiametroInterno = n("DiametroInterno");
  d.Spessore = n("Spessore");
  d.Spessore1 = n("Spessore1");
  d.lato = n("lato");
  d.Lato1 = n("Lato1");
  d.SpessoreSmusso = n("SpessoreSmusso");
  d.SpessoreSmusso1 = n("SpessoreSmusso1");
  d.Scanalatura = n("Scanalatura");
  return d;
}

void BuildWasherByType(host::Shape& part, const WasherDimensions& w) {
  const double D = w.DiametroEsterno, d = w.DiametroInterno, H = w.Spessore;
  switch (w.ComponentType) {
    case 1:
      MakePlainWasher(part, D, d, H);
      break;
    case 2:
      MakeSplitWasher(part, D, d, H);
      break;
    case 3:
      MakeChamferedWasher(part, D, d, H, w.SpessoreSmusso);
      break;
    case 4:
      MakeCircleSquareWasher(part, D, w.lato, H);
      break;
    case 5:
      MakeCircleSquareWasher(part, d, w.lato, H);
      break;
    case 6:
    case 7:
      MakeTaperWasher(part, w.lato, w.Lato1, H, w.Spessore1, d, w.SpessoreSmusso, w.Scanalatura,
                      w.ComponentType == 7 ? kHostTrue : kHostFalse);
      break;
    case 8:
      MakeDoubleChamferWasher(part, D, d, H, w.SpessoreSmusso, w.SpessoreSmusso1);
      break;
    default:
      break;  // no such kind: no geometry
  }
}

}  // namespace vormbrace
