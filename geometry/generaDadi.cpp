// Nut generators and the dispatch by kind.
#include "geometry/generaDadi.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "data/Resources.h"
#include "data/ThreadTexture.h"
#include "geometry/Utils.h"
#include "host/Host.h"
#include "host/Profile.h"
#include "host/Value.h"

namespace vormbrace {
namespace {

const double kCos30 = std::cos(kRad30);
const double kSin30 = std::sin(kRad30);
const double kTan30 = kSin30 / kCos30;

// The hexagon of width s across flats: flats perpendicular to x, a corner on +y.
void AddHexagon(host::Profile& profile, double s) {
  double e = (s / 2) / kCos30;  // corner radius
  AddPolygon(profile,
             {{s / 2, e / 2}, {0, e}, {-s / 2, e / 2}, {-s / 2, -e / 2}, {0, -e}, {s / 2, -e / 2}});
}

// The cosmetic thread of a nut body: the part service, then the texture at (d/4, d/4, H/2) with
// the body's height H in the texture's diameter argument.
void LayThreadTexture(host::Shape& part, host::Shape& body, double d, double H, double pitch) {
  host::Page& page = body.Page();
  double x = ToHostLength(d / 4, page);
  double y = ToHostLength(d / 4, page);
  double z = ToHostLength(H / 2, page);
  CallPartService(part, 0);
  ApplyThreadTexture(body, x, y, z, H, pitch);
}

// The circular pattern: `copies` times, the current slot is replaced by a copy of itself turned
// one step of 360/n degrees further about the nut axis. The step is worked out first, so n = 0
// fails (division by zero) after the first slot and before any copy.
void CopyRound(host::Shape& first, double n, int copies) {
  double step = Radians(Div(360, n));
  host::Shape* slot = &first;
  for (int i = 1; i <= copies; ++i) {
    slot = &slot->Copy(true);
    slot->Rotate(3, step);
  }
}

// The chamfer cutter: revolved ring from radius r0 whose flank runs at 30° to the face plane
// over k cos 30 and which reaches k/8 beyond that plane. q = -1 mirrors it (bearing face).
void MakeChamferCutter(host::Shape& part, double r0, double k, double h, HostBool mirrored) {
  double q = mirrored != 0 ? -1 : 1;
  host::Shape& feature = AddPartFeature(part, kRevolved, k, k, k, h, res::kHeadReshape);
  double out = r0 + k * kCos30;
  AddPolygon(ProfileAtOrigin(feature), {{r0, 0},
                                        {out, -q * k * kSin30},
                                        {out + k / 4, -q * k * kSin30},
                                        {out + k / 4, q * k / 8},
                                        {r0, q * k / 8}});
  MarkFeature(feature, true);
  Rebuild(feature);
}

}  // namespace

// --- feature steps shared with the washers --------------------------------------------------

host::Shape& AddPartFeature(host::Shape& part, std::int32_t kind, double sx, double sy, double sz,
                            double h, int name) {
  host::Shape& feature = AddFeature(part, kind);
  SetSizeBox(feature, sx, sy, sz);
  // -h, written as 0 - h so that h = 0 gives +0 and not -0.
  SetAnchor(feature, 0, 0, 0 - h);
  SetPosition(feature, 0, 0, 0);
  NameFeature(feature, name);
  return feature;
}

host::Profile& ProfileAtOrigin(host::Shape& feature) {
  host::Profile& profile = ProfileOf(feature);
  SetPosition(profile, 0, 0, 0);
  return profile;
}

host::Component& AddPolygon(host::Profile& profile, std::initializer_list<ProfilePoint> points) {
  host::Component& loop = AddLoop(profile);
  loop.SetStartPoint(points.begin()->first, points.begin()->second);
  for (auto it = points.begin() + 1; it != points.end(); ++it)
    loop.AddLineTo(it->first, it->second);
  loop.AddLineTo(points.begin()->first, points.begin()->second);
  return loop;
}

void AddCircle(host::Profile& profile, double r) {
  host::Component& loop = AddLoop(profile);
  loop.SetStartPoint(0, 0);
  loop.AddEllipse(0, 0, r);
}

void TurnProfile(host::Profile& profile, double ax, double ay, double az, double degrees) {
  auto placement = host::CurrentHost().NewPlacement();
  placement->SetTarget(profile);
  placement->SetPosition(0, 0, 0);
  placement->SetAxis(ax, ay, az);
  placement->SetAngle(degrees);
  placement->Apply();
}

// --- hexagon nuts -------------------------------------------------------------------------

void MakeHexBody(host::Shape& part, double s, double d, double H, double P) {
  host::Shape& feature = AddPartFeature(part, kExtruded, s / 2, s / 2, H, 0, res::kBody);
  host::Profile& profile = ProfileAtOrigin(feature);
  AddHexagon(profile, s);
  AddCircle(profile, d / 2);
  MarkFeature(feature, false);
  LayThreadTexture(part, feature, d, H, P);
  Rebuild(feature);
  MakeHexChamfer(part, s, 0, kHostTrue);
  MakeHexChamfer(part, s, H, kHostFalse);
}

void MakeHexChamfer(host::Shape& part, double s, double h, HostBool mirrored) {
  MakeChamferCutter(part, s / 2, s / 10, h, mirrored);
}

void MakeSquareChamfer(host::Shape& part, double Di, double h, HostBool mirrored) {
  MakeChamferCutter(part, Di / 2, Di / 5, h, mirrored);
}

void MakeCrownSlots(host::Shape& part, double s, double d, double Dc, double h0, double b, double t,
                    double n) {
  if (Dc > 0) {
    MakeCrownRing(part, Dc, d, h0, t);
    h0 = h0 + t;  // the slots are cut from the top of the crown
  }
  host::Shape& slot =
      AddPartFeature(part, kExtruded, b / 2, b / 2, s / 2 + s / 8, h0, res::kRecess);
  host::Profile& profile = ProfileAtOrigin(slot);
  host::Component& loop = AddLoop(profile);
  loop.SetStartPoint(0, b / 2);
  loop.AddLineTo(t - b / 2, b / 2);
  loop.AddArcTo(t - b / 2, -b / 2, 0.5);  // half circle of radius b/2 ending t from the start
  loop.AddLineTo(0, -b / 2);
  loop.AddLineTo(0, b / 2);
  // A quarter turn about Y stands the slot in the plane y = 0: its x runs down the nut axis
  // from h0 and it is swept out along +X, past the flats.
  TurnProfile(profile, 0, 1, 0, 90);
  MarkFeature(slot, true);
  Rebuild(slot);
  // n arrives as a double: n - 1 becomes the pattern's 16-bit count (rounded half to even,
  // error 6 beyond the 16-bit range).
  CopyRound(slot, n, host::Value::Double(n - 1).AsInt16());
}

void MakeCrownRing(host::Shape& part, double Dr, double d, double h, double hr) {
  host::Shape& feature = AddPartFeature(part, kExtruded, Dr / 2, Dr / 2, hr, h, res::kBody);
  host::Profile& profile = ProfileAtOrigin(feature);
  AddCircle(profile, Dr / 2);
  AddCircle(profile, d / 2);  // the thread's bore, as the body's: the bolt must pass
  MarkFeature(feature, false);
  Rebuild(feature);
}

// --- square nuts --------------------------------------------------------------------------

void MakeSquareBody(host::Shape& part, double L, double d, double H, double P) {
  host::Shape& feature = AddPartFeature(part, kExtruded, L / 2, L / 2, H, 0, res::kBody);
  host::Profile& profile = ProfileAtOrigin(feature);
  AddCircle(profile, d / 2);
  AddPolygon(profile, {{-L / 2, L / 2}, {L / 2, L / 2}, {L / 2, -L / 2}, {-L / 2, -L / 2}});
  MarkFeature(feature, false);
  LayThreadTexture(part, feature, d, H, P);
  Rebuild(feature);
}

void MakeCutSquareBody(host::Shape& part, double L, double Di, double d, double H, double P) {
  // Each corner is cut by the 45° line that lies Di/2 from the centre: it meets the sides e from
  // their middle, so the cut touches the circle where the top chamfer starts.
  double e = Di / Sqrt(2) - L / 2;
  host::Shape& feature = AddPartFeature(part, kExtruded, Di / 2, Di / 2, H, 0, res::kHead);
  host::Profile& profile = ProfileAtOrigin(feature);
  AddPolygon(profile, {{-L / 2, e},
                       {-e, L / 2},
                       {e, L / 2},
                       {L / 2, e},
                       {L / 2, -e},
                       {e, -L / 2},
                       {-e, -L / 2},
                       {-L / 2, -e}});
  AddCircle(profile, d / 2);
  MarkFeature(feature, false);
  LayThreadTexture(part, feature, d, H, P);
  Rebuild(feature);
  MakeSquareChamfer(part, Di, H, kHostFalse);
}

// --- cap nuts -----------------------------------------------------------------------------

void MakeCapDome(host::Shape& part, double s, double H, double Dk, double Dki, double Hk,
                 double Hki, double R, double Ri) {
  double w = (Dk - Dki) / 2;  // the dome's wall
  // The dome's foot is rounded inside the hexagon's top face: the wrench flats end at H.
  double foot = (s - Dk) / 2 - 0.1;
  double ring = foot > 0 ? Dk / 2 + foot : Dk / 2;
  host::Shape& feature = AddPartFeature(part, kRevolved, ring, ring, Hk, H, res::kBody);
  host::Component& loop = AddPolygon(ProfileAtOrigin(feature), {{ring, -w},
                                                                {ring, 0},
                                                                {Dk / 2, 0},
                                                                {Dk / 2, Hk},
                                                                {0, Hk},
                                                                {0, Hki},
                                                                {Dki / 2, Hki},
                                                                {Dki / 2, -w}});
  // The foot (point 3) with its own radius, the top edge (point 4, a corner later for each
  // fillet before it) with R, the cavity's top edge (point 7) with Ri.
  int corner = 4;
  if (foot > 0) {
    loop.AddFilletAt(3, foot);
    ++corner;
  }
  loop.AddFilletAt(corner, R);
  loop.AddFilletAt(corner + 4, Ri);
  MarkFeature(feature, false);
  Rebuild(feature);
}

void MakeArchedCap(host::Shape& part, double s, double d, double H, double /*Dk*/, double Hk,
                   double Hki, double R, double Ri) {
  host::Shape& feature = AddPartFeature(part, kRevolved, s / 2, s / 2, Hk, H, res::kBody);
  host::Component& loop = AddLoop(ProfileAtOrigin(feature));
  loop.SetStartPoint(s / 2, 0);
  loop.AddLineTo(s / 2, Hki);
  loop.AddArcTo(0, Hk, -ArcRatio(R, s / 2));  // bulging outwards
  loop.AddLineTo(0, Ri);
  loop.AddLineTo(d / 2 + 0.5, Hki);
  loop.AddLineTo(d / 2 + 0.5, 0);
  loop.AddLineTo(s / 2, 0);
  MarkFeature(feature, false);
  Rebuild(feature);
}

void MakeSolidCap(host::Shape& part, double s, double H, double Dk, double Hk, double Hki,
                  double R) {
  host::Shape& feature = AddPartFeature(part, kRevolved, s / 2, s / 2, Hk, H, res::kBody);
  host::Component& loop = AddLoop(ProfileAtOrigin(feature));
  loop.SetStartPoint(s / 2, 0);
  loop.AddLineTo(s / 2, Hki);
  loop.AddLineTo(Dk / 2, Hki);
  loop.AddArcTo(0, Hk, -ArcRatio(R, Dk / 2));  // bulging outwards
  loop.AddLineTo(0, 0);
  loop.AddLineTo(s / 2, 0);
  MarkFeature(feature, false);
  Rebuild(feature);
}

// --- slotted round nut --------------------------------------------------------------------

void MakeRoundNutBody(host::Shape& part, double D, double Di, double d, double H, double b,
                      double t, double P, std::int16_t n) {
  // The bore is the thread's nominal diameter, as on every other nut: a narrower one would
  // not go onto its shaft.
  host::Shape& feature = AddPartFeature(part, kRevolved, D / 2, D / 2, H, 0, res::kBody);
  AddPolygon(ProfileAtOrigin(feature),
             {{D / 2, 0}, {D / 2, H - ((D - Di) / 2) * kTan30}, {Di / 2, H}, {d / 2, H}, {d / 2, 0}});
  MarkFeature(feature, false);
  LayThreadTexture(part, feature, d, H, 1.75 * P);
  Rebuild(feature);
  MakeRoundNutSlots(part, D, H, b, t, n);
}

void MakeRoundNutSlots(host::Shape& part, double D, double H, double b, double t, std::int16_t n) {
  host::Shape& slot = AddPartFeature(part, kExtruded, b, t, H, 0, res::kRecess);
  // 0.2 past the rim, so that the cut leaves no skin on the outer surface.
  AddPolygon(
      ProfileAtOrigin(slot),
      {{b / 2, D / 2 - t}, {b / 2, D / 2 + 0.2}, {-b / 2, D / 2 + 0.2}, {-b / 2, D / 2 - t}});
  MarkFeature(slot, true);
  Rebuild(slot);
  CopyRound(slot, n, n - 1);
}

// --- dispatch -----------------------------------------------------------------------------

NutDimensions ReadNutDimensions(const host::AutomationObject& o) {
  auto n = [&](const char* name) { return o.GetProperty(name).AsDouble(); };
  NutDimensions d;
  d.ComponentType = o.GetProperty("ComponentType").AsInt32();
  d.DiametroEsterno = n("DiametroEsterno");
  d.DiametroInterno = n("DiametroInterno");
  d.DiametroFiletto = n("DiametroFiletto");
  d.DiametroCorona = n("DiametroCorona");
  d.InizioCorona = n("InizioCorona");
  d.Spessore = n("Spessore");
  d.LatoRet = n("LatoRet");
  d.Scanalatura = n("Scanalatura");
  d.LargScanalatura = n("LargScanalatura");
  d.Passo = n("Passo");
  d.numCave = o.GetProperty("numCave").AsInt16();
  d.DiametroCalotta = n("DiametroCalotta");
  d.DiametroInternoCalotta = n("DiametroInternoCalotta");
  d.AltezzaCalotta = n("AltezzaCalotta");
  d.AltezzaInternoCalotta = n("AltezzaInternoCalotta");
  d.RaggioCalotta = n("RaggioCalotta");
  d.RaggioInternoCalotta = n("RaggioInternoCalotta");
  return d;
}

void BuildNutByType(host::Shape& part, const NutDimensions& n) {
  const double s = n.DiametroEsterno, d = n.DiametroFiletto, H = n.Spessore, P = n.Passo;
  switch (n.ComponentType) {
    case 1:
      MakeHexBody(part, s, d, H, P);
      break;
    case 2:
      MakeHexBody(part, s, d, n.InizioCorona, P);
      MakeCrownSlots(part, s, d, n.DiametroCorona, n.InizioCorona, n.Scanalatura, n.LargScanalatura,
                     n.numCave);
      break;
    case 3:
      MakeHexBody(part, s, d, H, P);
      MakeCrownRing(part, n.DiametroCorona, d, H, n.InizioCorona);
      break;
    case 4:
      MakeSquareBody(part, n.LatoRet, d, H, P);
      break;
    case 5:
      MakeCutSquareBody(part, n.LatoRet, n.DiametroInterno, d, H, P);
      break;
    case 6:
      MakeHexBody(part, s, d, H, P);
      MakeCapDome(part, s, H, n.DiametroCalotta, n.DiametroInternoCalotta, n.AltezzaCalotta,
                  n.AltezzaInternoCalotta, n.RaggioCalotta, n.RaggioInternoCalotta);
      break;
    case 7:
      MakeHexBody(part, s, d, H, P);
      MakeArchedCap(part, s, d, H, n.DiametroCalotta, n.AltezzaCalotta, n.AltezzaInternoCalotta,
                    n.RaggioCalotta, n.RaggioInternoCalotta);
      break;
    case 8:
      MakeHexBody(part, s, d, H, P);
      MakeSolidCap(part, s, H, n.DiametroCalotta, n.AltezzaCalotta, n.AltezzaInternoCalotta,
                   n.RaggioCalotta);
      break;
    case 9:
      MakeRoundNutBody(part, s, n.DiametroInterno, d, H, n.Scanalatura, n.LargScanalatura, P,
                       n.numCave);
      break;
    default:
      break;  // no such kind: no geometry
  }
}

}  // namespace vormbrace
