// Heads, necks and recesses of bolts, screws and set screws, and the dispatch that picks them
// by sub-type. Every generator adds its features to the part in the part frame: seating plane
// z = 0, shank below, protruding heads above, countersunk heads between z = -k and 0; recesses
// are cut down from the top of the head (z0). Lengths in millimetres, angles in degrees.
#pragma once

#include <cstdint>

#include "host/Automation.h"
#include "host/Shape.h"
#include "host/Value.h"

namespace vormbrace {

// --- hexagon and square heads -------------------------------------------------------------
// s across flats, k head height, c collar height (none when c <= 0), dc collar diameter: a
// flange wider than the hexagon, else the collar is drawn at s.
void BuildHexHead(host::Shape& part, double s, double k, double c, double dc = 0);
// The "Head Struct" collar: a cylinder of diameter d from z = 0 to z = c.
void BuildHeadCollar(host::Shape& part, double d, double c);
// The 30° chamfer ring over the top edge of a hexagon (flag: mirrored, chamfering upwards).
void ReshapeHexHead(host::Shape& part, double s, double k, double c, bool flag);
// d the circle that trims the corners, k head height, a side of the square.
void BuildSquareHead(host::Shape& part, double d, double k, double a);
// The 30° chamfer ring outside the circle of diameter d at height h.
void ReshapeSquare(host::Shape& part, double d, double h, bool flag);

// --- heads of revolution ------------------------------------------------------------------
void BuildDomedHead(host::Shape& part, double dk, double k);
// alpha: the countersink angle, a variant holding a double.
void BuildCountersunkHead(host::Shape& part, double dk, double k, double D,
                          const host::Value& alpha);
void BuildRaisedCountersunkHead(host::Shape& part, double dk, double k, double D, double alpha,
                                double f);
// Also the dog point of a set screw: z0 is how far below the seating plane the profile
// origin lies.
void BuildCylinderHead(host::Shape& part, double z0, double dk, double k, double r);
void BuildTaperedCylinderHead(host::Shape& part, double dk, double k);
void BuildDomedCylinderHead(host::Shape& part, double D, double dk, double f, double k, double r);
void BuildButtonHead(host::Shape& part, double dk, double D, double k);

// --- fins and square necks under heads ----------------------------------------------------
void BuildFin(host::Shape& part, double t, double h, double D);
void BuildCountersunkFin(host::Shape& part, double a, double w, double alpha, double D, double k);
void BuildSquareNeck(host::Shape& part, double a, double h);

// --- recesses -----------------------------------------------------------------------------
void CutHexSocket(host::Shape& part, double z0, double s, double t);
void CutSlot(host::Shape& part, double z0, double n, double L, double t);
void CutCupPoint(host::Shape& part, double z0, double dc, double hc);
// b the small width, t the depth, m the size across the arms.
void CutCrossBlades(host::Shape& part, double z0, double b, double t, double m);
void CutCrossRecess(host::Shape& part, double z0, double b, double t, double m);
void CutStarCrossRecess(host::Shape& part, double z0, double b, double t, double m);

// --- dispatch by sub-type -----------------------------------------------------------------
// The properties of Bolt and Screw that the generators read.
struct HeadedDimensions {
  std::int32_t HeaderType = 0;
  double Diametro = 0, lung = 0, LungTesta = 0, LungCollarino = 0, DiametroCollarino = 0,
         DistFiletto = 0;
  double DiamCerchioTesta = 0, LatoTesta = 0, Passo = 0;
  double Var1 = 0, Var2 = 0, Var3 = 0, Var4 = 0;
};

// The properties of ScrewNoHead that the generators read.
struct SetScrewDimensions {
  std::int32_t ComponentType = 0;
  double Diametro = 0, lung = 0, DiamInf = 0, Passo = 0, SmussoSuperiore = 0, SmussoInferiore = 0;
  double DiamCilindro = 0, AltCilindro = 0, DiamCoppa = 0, AltCoppa = 0, LargIntaglio = 0,
         AltIntaglio = 0, LungRadice = 0, LungGambo = 0, AltCalotta = 0;
};

// The same properties read from a class object by member name.
HeadedDimensions ReadHeadedDimensions(const host::AutomationObject& object);
SetScrewDimensions ReadSetScrewDimensions(const host::AutomationObject& object);

// Body first, then head, neck and recess, as the sub-type selects; a sub-type outside the
// class's range builds nothing. Bolt: HeaderType 1-10, Screw: 1-12, ScrewNoHead: 1-9.
void BuildBoltByType(host::Shape& part, const HeadedDimensions& d);
void BuildScrewByType(host::Shape& part, const HeadedDimensions& d);
void BuildScrewNoHeadByType(host::Shape& part, const SetScrewDimensions& d);

}  // namespace vormbrace
