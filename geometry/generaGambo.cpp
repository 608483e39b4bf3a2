// Shank and thread generators.
#include "geometry/generaGambo.h"

#include <cmath>

#include "data/Resources.h"
#include "data/ThreadTexture.h"
#include "geometry/Utils.h"
#include "host/Profile.h"

namespace vormbrace {
namespace {

// The plain part of a shank is drawn at this fraction of the radius, so that the threaded face
// is a face of its own.
constexpr double kPlainRadius = 0.9995;

// Steps 1-5 of a body: revolved feature, size box (D, D, height), anchor (D/2, D/2, anchorZ),
// position 0, "Body", profile origin (D/2, D/2, 0) so the axis runs through the box's middle.
void PlaceBody(host::Shape& feature, double D, double height, double anchorZ) {
  SetSizeBox(feature, D, D, height);
  SetAnchor(feature, D / 2, D / 2, anchorZ);
  SetPosition(feature, 0, 0, 0);
}

void DrawShank(host::Component& loop, double D, double L, double F, double p) {
  loop.SetStartPoint(0, 0);
  loop.AddLineTo((D - p) / 2, 0);
  loop.AddLineTo(D / 2, p / 2);
  loop.AddLineTo(D / 2, L - F);
  loop.AddLineTo(kPlainRadius * D / 2, L);
  loop.AddLineTo(0, L);
  loop.AddLineTo(0, 0);
}

void DrawThreadedRod(host::Component& loop, double D, double L, double p) {
  loop.SetStartPoint(0, 0);
  loop.AddLineTo((D - p) / 2, 0);
  loop.AddLineTo(D / 2, p / 2);
  loop.AddLineTo(D / 2, L - p / 2);
  loop.AddLineTo((D - p) / 2, L);
  loop.AddLineTo(0, L);
  loop.AddLineTo(0, 0);
}

// The size box flags of a threaded body: variable 6 ← 16-bit 0, variable 14 ← 32-bit 2.
void MarkThreadedBox(host::Shape& feature) {
  host::Component& box = feature.Components(kSizeBoxCode).Item(1);
  box.Variable(6).SetValue(host::Value::Int16(0));
  box.Variable(14).SetValue(host::Value::Int32(2));
}

// The texture on the axis of the size box, at height z of the feature's frame.
void TextureOnBoxAxis(host::Shape& feature, double D, double z, double p) {
  host::Page& page = feature.Page();
  ApplyThreadTexture(feature, ToHostLength(D / 2, page), ToHostLength(D / 2, page),
                     ToHostLength(z, page), D, p);
}

host::Component& NewBodyLoop(host::Shape& feature, double D) {
  host::Profile& profile = ProfileOf(feature);
  SetPosition(profile, D / 2, D / 2, 0);
  return AddLoop(profile);
}

// Rebuild steps 2-3: drop the old loop, then a new one at the profile origin (D/2, D/2, 0).
host::Component& ReplaceBodyLoop(host::Shape& feature, double D) {
  host::Profile& profile = ProfileOf(feature);
  host::ComponentCollection& loops = profile.Components(kLoopsCode);
  if (loops.Count() > 0) loops.Remove(1);
  SetPosition(profile, D / 2, D / 2, 0);
  return loops.Add();
}

}  // namespace

host::Shape& BuildShank(host::Shape& part, double D, double L, double F, double p) {
  host::Shape& feature = AddFeature(part, kRevolved);
  PlaceBody(feature, D, L, L);
  NameFeature(feature, res::kBody);
  DrawShank(NewBodyLoop(feature, D), D, L, F, p);
  CallPartService(part, 0);
  TextureOnBoxAxis(feature, D, (L - F) / 2, p);
  MarkFeature(feature, false);
  MarkThreadedBox(feature);
  Rebuild(feature);
  return feature;
}

host::Shape& BuildThreadedRod(host::Shape& part, double D, double L, double p) {
  host::Shape& feature = AddFeature(part, kRevolved);
  PlaceBody(feature, D, L, L);
  NameFeature(feature, res::kBody);
  DrawThreadedRod(NewBodyLoop(feature, D), D, L, p);
  CallPartService(part, 0);
  TextureOnBoxAxis(feature, D, L / 2, p);
  MarkFeature(feature, false);
  MarkThreadedBox(feature);
  Rebuild(feature);
  return feature;
}

host::Shape& BuildSetScrewBody(host::Shape& part, double D, double alphaS, double di, double alphaI,
                               double L, double p) {
  // Chamfer lengths along the axis: |tan(angle / 2)| × the radial depth, as sin / cos.
  double halfS = Radians(alphaS) / 2, halfI = Radians(alphaI) / 2;
  double as = std::abs(Div(std::sin(halfS) * (p / 2), std::cos(halfS)));
  double ai = std::abs(Div(std::sin(halfI) * ((D - di) / 2), std::cos(halfI)));

  host::Shape& feature = AddFeature(part, kRevolved);
  PlaceBody(feature, D, L, L);
  NameFeature(feature, res::kBody);
  host::Component& loop = NewBodyLoop(feature, D);
  loop.SetStartPoint(0, 0);
  loop.AddLineTo(di / 2, 0);
  loop.AddLineTo(D / 2, ai);
  loop.AddLineTo(D / 2, L - as);
  loop.AddLineTo(kPlainRadius * D / 2, L - as);
  loop.AddLineTo((D - p) / 2, L);
  loop.AddLineTo(0, L);
  loop.AddLineTo(0, 0);
  CallPartService(part, 0);
  host::Page& page = feature.Page();
  ApplyThreadTexture(feature, 0, 0, ToHostLength(L / 2, page), D, p);
  MarkFeature(feature, false);
  Rebuild(feature);
  return feature;
}

host::Shape& BuildStudBody(host::Shape& part, double D, double L, double G, double R, double C,
                           double p) {
  double H = L + R;
  host::Shape& feature = AddFeature(part, kRevolved);
  // Anchor at the profile's y = 0: the stud is drawn downward from the seating plane.
  PlaceBody(feature, D, H, 0);
  NameFeature(feature, res::kBody);
  double r = ArcRatio(C, D / 2);
  host::Component& loop = NewBodyLoop(feature, D);
  loop.SetStartPoint(0, 0);
  loop.AddLineTo((D - p) / 2, 0);
  loop.AddLineTo(D / 2, -p / 2);
  loop.AddLineTo(kPlainRadius * D / 2, -R);
  loop.AddLineTo(kPlainRadius * D / 2, -(L - G + R));
  loop.AddLineTo(D / 2, -(H - C));
  loop.AddArcTo(0, -H, r);
  loop.AddLineTo(0, 0);
  host::Page& page = feature.Page();
  CallPartService(part, 0);
  ApplyThreadTexture(feature, 0, 0, ToHostLength(-R / 2, page), D, p);
  CallPartService(part, 0);
  ApplyThreadTexture(feature, 0, 0, ToHostLength(G / 2 - H, page), D, p);
  MarkFeature(feature, false);
  MarkThreadedBox(feature);
  Rebuild(feature);
  return feature;
}

void RebuildShank(host::Shape& feature, double D, double L, double F, double p) {
  PlaceBody(feature, D, L, L);
  DrawShank(ReplaceBodyLoop(feature, D), D, L, F, p);
  MarkThreadedBox(feature);
  TextureOnBoxAxis(feature, D, (L - F) / 2, p);
  Rebuild(feature);
}

void RebuildThreadedRod(host::Shape& feature, double D, double L, double p) {
  PlaceBody(feature, D, L, L);
  DrawThreadedRod(ReplaceBodyLoop(feature, D), D, L, p);
  MarkThreadedBox(feature);
  TextureOnBoxAxis(feature, D, L / 2, p);
  Rebuild(feature);
}

}  // namespace vormbrace
