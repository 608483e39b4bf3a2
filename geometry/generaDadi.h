// Nuts: the nine kinds of the Nut component (hexagon, castle and slotted, collar, square, cut
// square, three cap nuts, slotted round nut) and the routines that build them. Every feature
// lies in the part frame: nut axis Z, bearing face on z = 0, the nut rising towards +Z. The bore
// is a plain cylinder at the thread diameter; the thread is only the cosmetic texture on the
// body. Lengths in millimetres.
//
// The routines validate nothing: a failing host call or a floating-point fault (numCave = 0
// makes the slot pattern divide by zero) raises host::RuntimeError out of the routine, and the
// features built so far stay in the part.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "host/Automation.h"
#include "host/Profile.h"
#include "host/Shape.h"

namespace vormbrace {

// The host's 16-bit Boolean: True is -1, False 0.
using HostBool = std::int16_t;
inline constexpr HostBool kHostTrue = -1;
inline constexpr HostBool kHostFalse = 0;

// --- feature steps shared with the washers --------------------------------------------------
// Construction steps 1-4 of a nut or washer feature: a feature of `kind` in the part's body with
// the size box (sx, sy, sz), anchor (0, 0, -h) (the placement rule lifts its origin to height
// h), position (0, 0, 0) and the resource text `name`.
host::Shape& AddPartFeature(host::Shape& part, std::int32_t kind, double sx, double sy, double sz,
                            double h, int name);
// The feature's profile with its origin at the feature's origin.
host::Profile& ProfileAtOrigin(host::Shape& feature);
// A new closed loop through the points (x, y), ending on the first.
using ProfilePoint = std::pair<double, double>;  // (x, y), mm
host::Component& AddPolygon(host::Profile& profile, std::initializer_list<ProfilePoint> points);
// A new loop that is the full circle of radius r about the profile's origin.
void AddCircle(host::Profile& profile, double r);
// Turns a profile (and with it the direction it is swept in) about an axis through its origin,
// with a placement bound to it; degrees.
void TurnProfile(host::Profile& profile, double ax, double ay, double az, double degrees);

// --- hexagon nuts (kinds 1, 2, 3 and the base of 6, 7, 8) ---------------------------------
// Hexagonal "Body" of width s across flats (flats perpendicular to x) and height H with the
// bore d and the thread texture (pitch P), then the 30° chamfer of both faces.
void MakeHexBody(host::Shape& part, double s, double d, double H, double P);
// The revolved 30° chamfer cutter of a hexagon face at height h, starting at radius s/2; the
// mirrored one (bearing face) rises into the nut, the plain one (top face) descends into it.
void MakeHexChamfer(host::Shape& part, double s, double h, HostBool mirrored);
// The same cutter starting at radius Di/2, sized Di/5 (the square nut of kind 5).
void MakeSquareChamfer(host::Shape& part, double Di, double h, HostBool mirrored);
// Kind 2: a crown ring of diameter Dc (none when Dc <= 0) from h0 up by t, then n slots b wide
// cut t deep down from the top (h0, or h0 + t with a ring), round end at the bottom.
void MakeCrownSlots(host::Shape& part, double s, double d, double Dc, double h0, double b, double t,
                    double n);
// A ring of outer diameter Dr standing from height h up by hr; its bore is the thread's d.
void MakeCrownRing(host::Shape& part, double Dr, double d, double h, double hr);

// --- square nuts (kinds 4, 5) ---------------------------------------------------------------
// A square of side L and height H with the bore d and the thread texture; no chamfer.
void MakeSquareBody(host::Shape& part, double L, double d, double H, double P);
// The square with its corners cut at 45° tangent to the circle Di, then the top chamfer from
// that circle.
void MakeCutSquareBody(host::Shape& part, double L, double Di, double d, double H, double P);

// --- cap nuts (kinds 6, 7, 8; each stands on a MakeHexBody of width s and height H) ---------
// Hollow dome of diameter Dk and height Hk over a cavity Dki wide and Hki high, rounded with R
// outside and Ri inside; its foot is rounded within the hexagon's top face (radius
// (s - Dk)/2 - 0.1), on a base ring that reaches (Dk - Dki)/2 into the hexagon.
void MakeCapDome(host::Shape& part, double s, double H, double Dk, double Dki, double Hk,
                 double Hki, double R, double Ri);
// Arched cap: straight to Hki at s/2, then an arch (curvature from R) to the axis at Hk; the
// cavity is a cylinder of radius d/2 + 0.5 up to Hki closed by a cone whose tip is at Ri on the
// axis. Dk is accepted and not used.
void MakeArchedCap(host::Shape& part, double s, double d, double H, double Dk, double Hk,
                   double Hki, double R, double Ri);
// Solid cap: straight to Hki at s/2, a step in to Dk/2, then an arch to the axis at Hk.
void MakeSolidCap(host::Shape& part, double s, double H, double Dk, double Hk, double Hki,
                  double R);

// --- slotted round nut (kind 9) -------------------------------------------------------------
// Revolved body of diameter D and height H, top outer chamfer from Di, bore d, the texture with
// pitch 1.75 P, then n rim slots.
void MakeRoundNutBody(host::Shape& part, double D, double Di, double d, double H, double b,
                      double t, double P, std::int16_t n);
// n slots b wide and t deep in the rim of diameter D, 0.2 past it, through the height H.
void MakeRoundNutSlots(host::Shape& part, double D, double H, double b, double t, std::int16_t n);

// --- dispatch by ComponentType ------------------------------------------------------------
// The properties of Nut that the generators read (AltRet is carried, never drawn).
struct NutDimensions {
  std::int32_t ComponentType = 0;
  double DiametroEsterno = 0, DiametroInterno = 0, DiametroFiletto = 0, DiametroCorona = 0;
  double InizioCorona = 0, Spessore = 0, LatoRet = 0, Scanalatura = 0, LargScanalatura = 0;
  double Passo = 0;
  std::int16_t numCave = 0;
  double DiametroCalotta = 0, DiametroInternoCalotta = 0, AltezzaCalotta = 0;
  double AltezzaInternoCalotta = 0, RaggioCalotta = 0, RaggioInternoCalotta = 0;
};

// The same properties read from a Nut object by member name.
NutDimensions ReadNutDimensions(const host::AutomationObject& nut);

// The routines of the nut's kind (ComponentType 1-9); any other kind builds nothing.
void BuildNutByType(host::Shape& part, const NutDimensions& d);

}  // namespace vormbrace
