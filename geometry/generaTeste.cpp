// Head, neck and recess generators and the dispatch by sub-type.
#include "geometry/generaTeste.h"

#include <algorithm>
#include <cmath>

#include "data/Resources.h"
#include "geometry/Utils.h"
#include "geometry/generaGambo.h"
#include "host/Host.h"
#include "host/Profile.h"

namespace vormbrace {
namespace {

const double kCos30 = std::cos(kRad30);
const double kSin30 = std::sin(kRad30);

// Profile origin at (x, y, z) and a new loop on it.
host::Component& LoopAt(host::Shape& feature, double x, double y, double z) {
  host::Profile& profile = ProfileOf(feature);
  SetPosition(profile, x, y, z);
  return AddLoop(profile);
}

// A feature of revolution of the heads: size box (dk, sy, sz), anchor (dk/2, dk/2, a), position
// 0, "Head".
host::Shape& NewHead(host::Shape& part, double dk, double sy, double sz, double a) {
  host::Shape& feature = AddFeature(part, kRevolved);
  SetSizeBox(feature, dk, sy, sz);
  SetAnchor(feature, dk / 2, dk / 2, a);
  SetPosition(feature, 0, 0, 0);
  NameFeature(feature, res::kHead);
  return feature;
}

// The head's loop, at the profile origin (dk/2, dk/2, 0) so that the axis runs through the
// size box's middle.
host::Component& HeadLoop(host::Shape& feature, double dk) {
  return LoopAt(feature, dk / 2, dk / 2, 0);
}

void FinishHead(host::Shape& feature) {
  MarkFeature(feature, false);
  Rebuild(feature);
}

// A placement applied to a feature: position, rotation axis and angle in degrees.
void Place(host::Shape& feature, double x, double y, double z, double ax, double ay, double az,
           double degrees) {
  auto placement = host::CurrentHost().NewPlacement();
  placement->SetTarget(feature);
  placement->SetPosition(x, y, z);
  placement->SetAxis(ax, ay, az);
  placement->SetAngle(degrees);
  placement->Apply();
}

host::Component& FirstOrAdd(host::Shape& feature, std::int32_t code) {
  host::ComponentCollection& list = feature.Components(code);
  return list.Count() > 0 ? list.Item(1) : list.Add();
}

void SetDouble(host::Component& component, std::int32_t index, double value) {
  component.Variable(index).SetValue(host::Value::Double(value));
}

// An extruded recess whose profile lies on the plane z = z0, cut downward by t.
host::Shape& NewRecess(host::Shape& part, double sx, double sy, double t, double z0) {
  host::Shape& feature = AddFeature(part, kExtruded);
  SetSizeBox(feature, sx, sy, -t);
  SetPosition(feature, 0, 0, z0);
  SetAnchor(feature, 0, 0, 0);
  NameFeature(feature, res::kRecess);
  return feature;
}

// The ring turned to chamfer at 30° outside the circle of radius `radius`, with its flat side
// on the profile's y = 0 (sigma -1 mirrors it).
void DrawChamferRing(host::Component& loop, double radius, double q, bool flag) {
  double sigma = flag ? -1 : 1;
  double out = radius + q * kCos30;
  loop.SetStartPoint(radius, 0);
  loop.AddLineTo(out, -sigma * q * kSin30);
  loop.AddLineTo(out + q / 4, -sigma * q * kSin30);
  loop.AddLineTo(out + q / 4, sigma * q / 8);
  loop.AddLineTo(radius, sigma * q / 8);
  loop.AddLineTo(radius, 0);
}

// The revolved removal that carries a chamfer ring, its profile's y = 0 at z = top.
void CutChamferRing(host::Shape& part, double radius, double q, double top, bool flag) {
  host::Shape& feature = AddFeature(part, kRevolved);
  SetSizeBox(feature, q, q, q);
  SetAnchor(feature, 0, 0, -top);
  SetPosition(feature, 0, 0, 0);
  MarkFeature(feature, true);
  NameFeature(feature, res::kHeadReshape);
  DrawChamferRing(LoopAt(feature, 0, 0, 0), radius, q, flag);
  Rebuild(feature);
}

}  // namespace

// --- hexagon and square heads -------------------------------------------------------------

void BuildHexHead(host::Shape& part, double s, double k, double c, double dc) {
  // A flange bolt's collar is its flange, wider than the hexagon's corners.
  if (c > 0) BuildHeadCollar(part, std::max(s, dc), c);
  double R = (s / 2) / kCos30;  // corner radius
  host::Shape& feature = AddFeature(part, kExtruded);
  SetSizeBox(feature, s / 2, s / 2, k);
  SetPosition(feature, 0, 0, c);
  SetAnchor(feature, 0, 0, 0);
  NameFeature(feature, res::kHead);
  // Flats at x = ±s/2, two corners on the y axis.
  host::Component& loop = LoopAt(feature, 0, 0, 0);
  loop.SetStartPoint(s / 2, R / 2);
  loop.AddLineTo(0, R);
  loop.AddLineTo(-s / 2, R / 2);
  loop.AddLineTo(-s / 2, -R / 2);
  loop.AddLineTo(0, -R);
  loop.AddLineTo(s / 2, -R / 2);
  loop.AddLineTo(s / 2, R / 2);
  MarkFeature(feature, false);
  Rebuild(feature);
  ReshapeHexHead(part, s, k, c, false);
}

void BuildHeadCollar(host::Shape& part, double d, double c) {
  host::Shape& feature = AddFeature(part, kExtruded);
  SetSizeBox(feature, d / 2, d / 2, c);
  SetPosition(feature, 0, 0, 0);
  SetAnchor(feature, 0, 0, 0);
  NameFeature(feature, res::kHeadStruct);
  host::Component& loop = LoopAt(feature, 0, 0, 0);
  loop.SetStartPoint(0, 0);
  loop.AddEllipse(0, 0, d / 2);
  MarkFeature(feature, false);
  Rebuild(feature);
}

void ReshapeHexHead(host::Shape& part, double s, double k, double c, bool flag) {
  CutChamferRing(part, s / 2, s / 10, k + c, flag);
}

void BuildSquareHead(host::Shape& part, double d, double k, double a) {
  // The corners are cut where the line tangent to the circle of diameter d at 45° crosses the
  // sides, u from the axis; all four corners alike.
  double u = d / std::sqrt(2.0) - a / 2;
  host::Shape& feature = AddFeature(part, kExtruded);
  SetSizeBox(feature, d / 2, d / 2, k);
  SetPosition(feature, 0, 0, 0);
  SetAnchor(feature, 0, 0, 0);
  NameFeature(feature, res::kHead);
  host::Component& loop = LoopAt(feature, 0, 0, 0);
  loop.SetStartPoint(-a / 2, u);
  loop.AddLineTo(-u, a / 2);
  loop.AddLineTo(u, a / 2);
  loop.AddLineTo(a / 2, u);
  loop.AddLineTo(a / 2, -u);
  loop.AddLineTo(u, -a / 2);
  loop.AddLineTo(-u, -a / 2);
  loop.AddLineTo(-a / 2, -u);
  loop.AddLineTo(-a / 2, u);
  MarkFeature(feature, false);
  Rebuild(feature);
  ReshapeSquare(part, d, k, false);
}

void ReshapeSquare(host::Shape& part, double d, double h, bool flag) {
  CutChamferRing(part, d / 2, d / 5, h, flag);
}

// --- heads of revolution ------------------------------------------------------------------

void BuildDomedHead(host::Shape& part, double dk, double k) {
  host::Shape& feature = NewHead(part, dk, dk, k, 0);
  host::Component& loop = HeadLoop(feature, dk);
  loop.SetStartPoint(0, 0);
  loop.AddLineTo(0, k);
  loop.AddArcTo(dk / 2, 0, ArcRatio(k, dk / 2));
  loop.AddLineTo(0, 0);
  FinishHead(feature);
}

void BuildCountersunkHead(host::Shape& part, double dk, double k, double D,
                          const host::Value& alpha) {
  // The half angle through the variant: alpha × (pi / 180), then halved.
  double beta = host::Value::Double(alpha.AsDouble() * (kPi / 180)).AsDouble() / 2;
  double h = Div(std::cos(beta) * (dk / 2 - D / 2), std::sin(beta));
  host::Shape& feature = NewHead(part, dk, D, k, k);
  host::Component& loop = HeadLoop(feature, dk);
  loop.SetStartPoint(0, 0);
  loop.AddLineTo(D / 2, 0);
  loop.AddLineTo(dk / 2, h);
  loop.AddLineTo(dk / 2, k);
  loop.AddLineTo(0, k);
  loop.AddLineTo(0, 0);
  FinishHead(feature);
}

void BuildRaisedCountersunkHead(host::Shape& part, double dk, double k, double D, double alpha,
                                double f) {
  double beta = alpha * (kPi / 180) / 2;
  double h = Div(std::cos(beta) * (dk / 2 - D / 2), std::sin(beta));
  double r = ArcRatio(f, dk / 2);
  host::Shape& feature = NewHead(part, dk, D, k, k);
  host::Component& loop = HeadLoop(feature, dk);
  loop.SetStartPoint(0, 0);
  loop.AddLineTo(D / 2, 0);
  loop.AddLineTo(dk / 2, h);
  loop.AddLineTo(dk / 2, k);
  loop.AddArcTo(0, k + f, -r);
  loop.AddLineTo(0, 0);
  FinishHead(feature);
}

void BuildCylinderHead(host::Shape& part, double z0, double dk, double k, double r) {
  host::Shape& feature = NewHead(part, dk, dk, k, z0);
  host::Component& loop = HeadLoop(feature, dk);
  loop.SetStartPoint(0, 0);
  loop.AddLineTo(0, k);
  loop.AddLineTo(dk / 2, k);
  loop.AddLineTo(dk / 2, 0);
  loop.AddLineTo(0, 0);
  if (r > 0) loop.AddFilletAt(3, r);  // the outer top edge
  FinishHead(feature);
}

void BuildTaperedCylinderHead(host::Shape& part, double dk, double k) {
  host::Shape& feature = NewHead(part, dk, dk, k, 0);
  host::Component& loop = HeadLoop(feature, dk);
  loop.SetStartPoint(0, 0);
  loop.AddLineTo(dk / 2, 0);
  loop.AddLineTo(dk / 2 - (dk / 2) * std::sin(Radians(5)), k);
  loop.AddLineTo(0, k);
  loop.AddLineTo(0, 0);
  FinishHead(feature);
}

void BuildDomedCylinderHead(host::Shape& part, double D, double dk, double f, double k, double r) {
  double n = r + 0.09;  // the neck under the head that carries the under-head fillet
  double ratio = ArcRatio(f, dk / 2);
  host::Shape& feature = NewHead(part, dk, dk, f + k, n);
  host::Component& loop = HeadLoop(feature, dk);
  loop.SetStartPoint(0, 0);
  loop.AddLineTo(D / 2, 0);
  loop.AddLineTo(D / 2, n);
  loop.AddLineTo(dk / 2, n);
  loop.AddLineTo(dk / 2, n + k);
  loop.AddArcTo(0, n + k + f, -ratio);
  loop.AddLineTo(0, 0);
  if (r > 0) loop.AddFilletAt(3, r);  // the inner corner between neck and head
  FinishHead(feature);
}

void BuildButtonHead(host::Shape& part, double dk, double D, double k) {
  host::Shape& feature = NewHead(part, dk, dk, k, 0);
  host::Component& loop = HeadLoop(feature, dk);
  loop.SetStartPoint(0, 0);
  loop.AddLineTo(0, k);
  loop.AddLineTo(D / 2, k);
  // The parameter of a cap of height k over dk/2, although the arc starts at D/2.
  loop.AddArcTo(dk / 2, 0, ArcRatio(k, dk / 2));
  loop.AddLineTo(0, 0);
  FinishHead(feature);
}

// --- fins and square necks under heads ----------------------------------------------------

void BuildFin(host::Shape& part, double t, double h, double D) {
  double w = Div(kCos30 * h, kSin30);  // the length at which a 30° slope drops by h
  host::Shape& feature = AddFeature(part, kExtruded);
  SetSizeBox(feature, h, w, t);
  SetAnchor(feature, 0, 0, t / 2);
  SetPosition(feature, 0, 0, 0);
  // A quarter turn about Y stands the triangle in the plane X = 0, its right angle 0.5 inside
  // the shank's surface.
  Place(feature, 0, D / 2 - 0.5, 0, 0, 1, 0, 90);
  NameFeature(feature, res::kFin);
  host::Component& loop = LoopAt(feature, 0, 0, t / 2);
  host::Component& attributes = Attributes(feature);
  attributes.Variable(62).SetValue(host::Value::Int32(0));
  SetDouble(attributes, 55, t / 2);
  SetDouble(attributes, 56, t / 2);
  loop.SetStartPoint(0, 0);
  loop.AddLineTo(0, h + 0.5);
  loop.AddLineTo(w, 0);
  loop.AddLineTo(0, 0);
  Rebuild(feature);
}

void BuildCountersunkFin(host::Shape& part, double a, double w, double alpha, double D, double k) {
  double beta1 = (90 - alpha / 2) - 15;
  double beta2 = alpha / 2 - 5;
  double beta3 = 180 - beta1 - beta2;
  double e = Div(a, std::sin(Radians(alpha / 2)));
  double g = Div(std::sin(Radians(beta1)) * e, std::sin(Radians(beta3)));

  host::Shape& feature = AddFeature(part, kExtruded);
  SetSizeBox(feature, w, w, a);
  SetAnchor(feature, 0, 0, a / 2);
  SetPosition(feature, 0, 0, 0);
  Place(feature, 0, D / 2 - 0.1, -k, 0, 1, 0, 90);
  NameFeature(feature, res::kFin);
  host::Component& loop = LoopAt(feature, 0, 0, a / 2);
  host::Component& attributes = Attributes(feature);
  attributes.Variable(62).SetValue(host::Value::Int32(0));
  SetDouble(attributes, 55, a / 2);
  SetDouble(attributes, 56, a / 2);
  double along = e * std::cos(Radians(alpha / 2));  // the first side follows the head's cone
  loop.SetStartPoint(0, 0);
  loop.AddLineTo(-along - 0.1, a + 0.1);
  loop.AddLineTo(-along + std::cos(Radians(5)) * g, a - std::sin(Radians(5)) * g);
  loop.AddLineTo(0, 0);
  Rebuild(feature);
}

void BuildSquareNeck(host::Shape& part, double a, double h) {
  host::Shape& feature = AddFeature(part, kExtruded);
  SetSizeBox(feature, a / 2, a / 2, h);
  SetPosition(feature, 0, 0, 0);
  SetAnchor(feature, 0, 0, h);  // the profile plane at z = -h, swept up to the seating plane
  NameFeature(feature, res::kSquare);
  host::Component& loop = LoopAt(feature, 0, 0, 0);
  loop.SetStartPoint(-a / 2, -a / 2);
  loop.AddLineTo(-a / 2, a / 2);
  loop.AddLineTo(a / 2, a / 2);
  loop.AddLineTo(a / 2, -a / 2);
  loop.AddLineTo(-a / 2, -a / 2);
  // Each fillet counts as one more corner: the four corners are 1, 3, 5 and 7.
  for (std::int32_t corner : {1, 3, 5, 7}) loop.AddFilletAt(corner, a / 8);
  MarkFeature(feature, false);
  Rebuild(feature);
  ReshapeSquare(part, a, -h, true);
}

// --- recesses -----------------------------------------------------------------------------

void CutHexSocket(host::Shape& part, double z0, double s, double t) {
  double R = (s / 2) / kCos30;
  host::Shape& feature = NewRecess(part, s / 2, s / 2, t, z0);
  // Flats at y = ±s/2, corners on the x axis.
  host::Component& loop = LoopAt(feature, 0, 0, 0);
  loop.SetStartPoint(R, 0);
  loop.AddLineTo(R / 2, s / 2);
  loop.AddLineTo(-R / 2, s / 2);
  loop.AddLineTo(-R, 0);
  loop.AddLineTo(-R / 2, -s / 2);
  loop.AddLineTo(R / 2, -s / 2);
  loop.AddLineTo(R, 0);
  MarkFeature(feature, true);
  Rebuild(feature);
}

void CutSlot(host::Shape& part, double z0, double n, double L, double t) {
  host::Shape& feature = NewRecess(part, n, L, t, z0);
  host::Component& loop = LoopAt(feature, 0, 0, 0);
  loop.SetStartPoint(-L / 2, n / 2);
  loop.AddLineTo(L / 2, n / 2);
  loop.AddLineTo(L / 2, -n / 2);
  loop.AddLineTo(-L / 2, -n / 2);
  loop.AddLineTo(-L / 2, n / 2);
  MarkFeature(feature, true);
  Rebuild(feature);
}

void CutCupPoint(host::Shape& part, double z0, double dc, double hc) {
  host::Shape& feature = AddFeature(part, kRevolved);
  SetSizeBox(feature, dc, dc, hc);
  SetPosition(feature, 0, 0, 0);
  SetAnchor(feature, 0, 0, z0);
  NameFeature(feature, res::kRecess);
  host::Component& loop = LoopAt(feature, 0, 0, 0);
  loop.SetStartPoint(0, 0);
  loop.AddLineTo(dc / 2, 0);
  loop.AddLineTo(0, hc);
  loop.AddLineTo(0, 0);
  MarkFeature(feature, true);
  Rebuild(feature);
}

void CutCrossBlades(host::Shape& part, double z0, double b, double t, double m) {
  host::Shape& feature = AddFeature(part, kExtruded);
  SetSizeBox(feature, b, b, -t);
  SetAnchor(feature, 0, 0, b / 2);
  SetPosition(feature, 0, 0, 0);
  // Turned upright about X: the profile's y runs down the fastener axis from z0.
  Place(feature, 0, 0, z0, 1, 0, 0, -90);
  NameFeature(feature, res::kRecess);
  host::Component& attributes = FirstOrAdd(feature, kAttributesCode);
  SetDouble(attributes, 55, b / 2);  // the blade is b thick
  SetDouble(attributes, 56, b / 2);
  host::Component& loop = LoopAt(feature, 0, 0, b / 2);
  loop.SetStartPoint(-m / 2, 0);
  loop.AddLineTo(m / 2, 0);
  loop.AddLineTo(m / 2, t / 3);
  loop.AddLineTo(b / 2, t);
  loop.AddLineTo(-b / 2, t);
  loop.AddLineTo(-m / 2, t / 3);
  loop.AddLineTo(-m / 2, 0);
  MarkFeature(feature, true);
  Rebuild(feature);
  // The second blade: a copy a quarter turn about the fastener axis.
  feature.Copy(true).Rotate(2, kPi / 2);
}

void CutCrossRecess(host::Shape& part, double z0, double b, double t, double m) {
  CutCrossBlades(part, z0, b, t, m);
  host::Shape& feature = AddFeature(part, kExtruded);
  SetSizeBox(feature, b, b, -t);
  host::Component& anchor = FirstOrAdd(feature, kAnchorCode);
  SetDouble(anchor, 1, 0);
  SetDouble(anchor, 2, 0);
  SetDouble(anchor, 3, -z0);
  SetPosition(feature, 0, 0, 0);
  NameFeature(feature, res::kRecess);
  host::Component& loop = LoopAt(feature, 0, 0, 0);
  // The arcs' parameter, (1 - 1/√2)/√2 for every b.
  double q = Div(b - std::pow(std::pow(b / 2, 2) + std::pow(b / 2, 2), 0.5),
                 std::pow(std::pow(b, 2) + std::pow(b, 2), 0.5));
  // Four notches b wide and b/2 deep on the axes, joined by arcs bowing towards the centre.
  loop.SetStartPoint(-b / 2, 3 * b / 2);
  loop.AddLineTo(-b / 2, b);
  loop.AddLineTo(b / 2, b);
  loop.AddLineTo(b / 2, 3 * b / 2);
  loop.AddArcTo(3 * b / 2, b / 2, -q);
  loop.AddLineTo(b, b / 2);
  loop.AddLineTo(b, -b / 2);
  loop.AddLineTo(3 * b / 2, -b / 2);
  loop.AddArcTo(b / 2, -3 * b / 2, -q);
  loop.AddLineTo(b / 2, -b);
  loop.AddLineTo(-b / 2, -b);
  loop.AddLineTo(-b / 2, -3 * b / 2);
  loop.AddArcTo(-3 * b / 2, -b / 2, -q);
  loop.AddLineTo(-b, -b / 2);
  loop.AddLineTo(-b, b / 2);
  loop.AddLineTo(-3 * b / 2, b / 2);
  loop.AddArcTo(-b / 2, 3 * b / 2, -q);
  MarkFeature(feature, true);
  Rebuild(feature);
}

void CutStarCrossRecess(host::Shape& part, double z0, double b, double t, double m) {
  CutCrossRecess(part, z0, b, t, m);
  host::Shape& feature = AddFeature(part, kExtruded);
  SetSizeBox(feature, b, b, -t);
  SetAnchor(feature, 0, 0, -z0);
  SetPosition(feature, 0, 0, 0);
  NameFeature(feature, res::kRecess);
  host::Component& loop = LoopAt(feature, 0, 0, 0);
  // Turned 45° so that the star's tips lie between the blades.
  Place(feature, 0, 0, 0, 0, 0, 1, 45);
  host::Component& attributes = Attributes(feature);
  attributes.Variable(1).SetValue(host::Value::Int32(1));
  attributes.Variable(62).SetValue(host::Value::Int32(0));
  SetDouble(attributes, 47, std::atan(Div(t, b / 2)) - kPi / 2);  // the walls' taper
  loop.SetStartPoint(-m / 2, 0);
  loop.AddLineTo(-b / 2, b / 2);
  loop.AddLineTo(0, m / 2);
  loop.AddLineTo(b / 2, b / 2);
  loop.AddLineTo(m / 2, 0);
  loop.AddLineTo(b / 2, -b / 2);
  loop.AddLineTo(0, -m / 2);
  loop.AddLineTo(-b / 2, -b / 2);
  loop.AddLineTo(-m / 2, 0);
  Rebuild(feature);
}

// --- dispatch -----------------------------------------------------------------------------

HeadedDimensions ReadHeadedDimensions(const host::AutomationObject& o) {
  auto n = [&](const char* name) { return o.GetProperty(name).AsDouble(); };
  HeadedDimensions d;
  d.HeaderType = o.GetProperty("HeaderType").AsInt32();
  d.Diametro = n("Diametro");
  d.lung = n("lung");
  d.LungTesta = n("LungTesta");
  d.LungCollarino = n("LungCollarino");
  d.DiametroCollarino = n("DiametroCollarino");
  d.DistFiletto = n("DistFiletto");
  d.DiamCerchioTesta = n("DiamCerchioTesta");
  d.LatoTesta = n("LatoTesta");
  d.Passo = n("Passo");
  d.Var1 = n("Var1");
  d.Var2 = n("Var2");
  d.Var3 = n("Var3");
  d.Var4 = n("Var4");
  return d;
}

SetScrewDimensions ReadSetScrewDimensions(const host::AutomationObject& o) {
  auto n = [&](const char* name) { return o.GetProperty(name).AsDouble(); };
  SetScrewDimensions d;
  d.ComponentType = o.GetProperty("ComponentType").AsInt32();
  d.Diametro = n("Diametro");
  d.lung = n("lung");
  d.DiamInf = n("DiamInf");
  d.Passo = n("Passo");
  d.SmussoSuperiore = n("SmussoSuperiore");
  d.SmussoInferiore = n("SmussoInferiore");
  d.DiamCilindro = n("DiamCilindro");
  d.AltCilindro = n("AltCilindro");
  d.DiamCoppa = n("DiamCoppa");
  d.AltCoppa = n("AltCoppa");
  d.LargIntaglio = n("LargIntaglio");
  d.AltIntaglio = n("AltIntaglio");
  d.LungRadice = n("LungRadice");
  d.LungGambo = n("LungGambo");
  d.AltCalotta = n("AltCalotta");
  return d;
}

void BuildBoltByType(host::Shape& part, const HeadedDimensions& d) {
  std::int32_t type = d.HeaderType;
  if (type < 1 || type > 10) return;
  if (type == 5) {
    BuildThreadedRod(part, d.Diametro, d.lung, d.Passo);
    return;
  }
  BuildShank(part, d.Diametro, d.lung, d.DistFiletto, d.Passo);
  const double dk = d.DiamCerchioTesta, k = d.LungTesta, D = d.Diametro;
  switch (type) {
    case 1:
    case 2:
      BuildHexHead(part, dk, k, d.LungCollarino, d.DiametroCollarino);
      break;
    case 4:
      BuildSquareHead(part, dk, k, d.LatoTesta);
      break;
    case 6:
      BuildDomedHead(part, dk, k);
      BuildFin(part, d.Var1, d.Var2, D);
      break;
    case 7:
      BuildDomedHead(part, dk, k);
      BuildSquareNeck(part, d.Var1, d.Var2);
      break;
    case 8:
      BuildCountersunkHead(part, dk, k, D, host::Value::Double(d.Var3));
      BuildCountersunkFin(part, d.Var1, d.Var2, d.Var3, D, k);
      break;
    case 9:
      BuildRaisedCountersunkHead(part, dk, k, D, d.Var3, d.Var4);
      BuildCountersunkFin(part, d.Var1, d.Var2, d.Var3, D, k);
      break;
    case 10:
      BuildCountersunkHead(part, dk, k, D, host::Value::Double(d.Var3));
      BuildSquareNeck(part, d.Var1, d.Var2);
      break;
    default:
      break;  // 3: the plain shank
  }
}

void BuildScrewByType(host::Shape& part, const HeadedDimensions& d) {
  std::int32_t type = d.HeaderType;
  if (type < 1 || type > 12) return;
  BuildShank(part, d.Diametro, d.lung, d.DistFiletto, d.Passo);
  const double dk = d.DiamCerchioTesta, k = d.LungTesta, D = d.Diametro;
  const host::Value angle = host::Value::Double(d.Var1);
  const double b = d.Var2 / 6;  // the cross recess's small width
  switch (type) {
    case 1:
      BuildCylinderHead(part, 0, dk, k, d.Var1);
      CutHexSocket(part, k, d.Var2, d.Var3);
      break;
    case 2:
      BuildCountersunkHead(part, dk, k, D, angle);
      CutHexSocket(part, 0, d.Var2, d.Var3);
      break;
    case 3:
      BuildButtonHead(part, dk, D, k);
      CutHexSocket(part, k, d.Var2, d.Var3);
      break;
    case 4:
      BuildTaperedCylinderHead(part, dk, k);
      CutSlot(part, k, d.Var1, dk, d.Var2);
      break;
    case 5:
      BuildCountersunkHead(part, dk, k, D, angle);
      CutSlot(part, 0, d.Var2, dk, d.Var3);
      break;
    case 6:
      BuildRaisedCountersunkHead(part, dk, k, D, d.Var1, d.Var4);
      CutSlot(part, d.Var4, d.Var2, dk, d.Var3);
      break;
    case 7:
      BuildDomedCylinderHead(part, D, dk, d.Var4, k, d.Var1);
      CutStarCrossRecess(part, d.Var4 + k, b, d.Var3, d.Var2);
      break;
    case 8:
      BuildCountersunkHead(part, dk, k, D, angle);
      CutStarCrossRecess(part, 0, b, d.Var3, d.Var2);
      break;
    case 9:
      BuildRaisedCountersunkHead(part, dk, k, D, d.Var1, d.Var4);
      CutStarCrossRecess(part, d.Var4, b, d.Var3, d.Var2);
      break;
    case 10:
      BuildDomedCylinderHead(part, D, dk, d.Var4, k, d.Var1);
      CutCrossRecess(part, d.Var4 + k, b, d.Var3, d.Var2);
      break;
    case 11:
      BuildCountersunkHead(part, dk, k, D, angle);
      CutCrossRecess(part, 0, b, d.Var3, d.Var2);
      break;
    case 12:
      BuildRaisedCountersunkHead(part, dk, k, D, d.Var1, d.Var4);
      CutCrossRecess(part, d.Var4, b, d.Var3, d.Var2);
      break;
    default:
      break;
  }
}

void BuildScrewNoHeadByType(host::Shape& part, const SetScrewDimensions& d) {
  std::int32_t type = d.ComponentType;
  if (type < 1 || type > 9) return;
  if (type == 9) {
    BuildStudBody(part, d.Diametro, d.lung, d.LungGambo, d.LungRadice, d.AltCalotta, d.Passo);
    return;
  }
  // The nominal length takes in the dog point: the threaded body is the rest.
  const bool dog = type == 2 || type == 6;
  const double body = dog ? d.lung - d.AltCilindro : d.lung;
  BuildSetScrewBody(part, d.Diametro, d.SmussoSuperiore, d.DiamInf, d.SmussoInferiore, body,
                    d.Passo);
  bool socket = type <= 4;
  if (socket) {
    CutHexSocket(part, 0, d.LargIntaglio, d.AltIntaglio);
  } else {
    CutSlot(part, 0, d.LargIntaglio, d.Diametro, d.AltIntaglio);
  }
  if (dog) {
    // The dog point: a cylinder continuing the set screw below its point end.
    BuildCylinderHead(part, d.lung, d.DiamCilindro, d.AltCilindro, 0);
  }
  if (type == 4 || type == 8) CutCupPoint(part, d.lung, d.DiamCoppa, d.AltCoppa);
}

}  // namespace vormbrace
