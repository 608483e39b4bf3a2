// Set screw properties, the rows they keep in the data table and where the thread lies.
#include "components/ScrewNoHead.h"

#include <cmath>

#include "components/CommonSlots.h"
#include "components/FastenerTable.h"
#include "geometry/Utils.h"
#include "geometry/generaTeste.h"

namespace vormbrace {

const DispatchTable<ScrewNoHead>& ScrewNoHead::Table() {
  using C = ScrewNoHead;
  static const DispatchTable<C> table(WithCommonSlots<C>({
      {"ComponentType", &C::ComponentType},
      {"Diametro", &C::Diametro},
      {"lung", &C::lung},
      {"DiamInf", &C::DiamInf},
      {"Passo", &C::Passo},
      {"SmussoSuperiore", &C::SmussoSuperiore},
      {"SmussoInferiore", &C::SmussoInferiore},
      {"DiamCilindro", &C::DiamCilindro},
      {"AltCilindro", &C::AltCilindro},
      {"DiamCoppa", &C::DiamCoppa},
      {"AltCoppa", &C::AltCoppa},
      {"LargIntaglio", &C::LargIntaglio},
      {"AltIntaglio", &C::AltIntaglio},
      {"LungRadice", &C::LungRadice},
      {"LungGambo", &C::LungGambo},
      {"AltCalotta", &C::AltCalotta},
  }));
  return table;
}

void ScrewNoHead::BuildGeometry(host::Shape& part) const {
  BuildScrewNoHeadByType(part, ReadSetScrewDimensions(*this));
}

// Rows 3 and 6 to 12: dome height, root length, point and top chamfer angles, point diameter,
// diameter, length, pitch.
void ScrewNoHead::WriteDimensionRows(host::Component& table) const {
  const std::pair<std::int16_t, double> rows[] = {
      {3, AltCalotta}, {6, LungRadice}, {7, SmussoInferiore}, {8, SmussoSuperiore},
      {9, DiamInf},    {10, Diametro},  {11, lung},           {12, Passo}};
  for (const auto& [row, value] : rows) SetNumber(table, row, host::Value::Double(value));
}

void ScrewNoHead::ReadDimensionRows(host::Component& table) {
  AltCalotta = NumberAt(table, 3);
  LungRadice = NumberAt(table, 6);
  SmussoInferiore = NumberAt(table, 7);
  SmussoSuperiore = NumberAt(table, 8);
  DiamInf = NumberAt(table, 9);
  Diametro = NumberAt(table, 10);
  lung = NumberAt(table, 11);
  Passo = NumberAt(table, 12);
}

namespace {
// The tangent of half an angle given in degrees, as sine over cosine.
double TanOfHalf(double degrees) {
  const double h = degrees * kPi / 180 / 2;
  return std::sin(h) / std::cos(h);
}
}  // namespace

// The thread runs between the top chamfer and the point chamfer, each as long as its half-angle
// makes it over the radial drop it chamfers: the thread depth at the top (half a pitch, the
// root diameter being the nominal less one pitch), down to the point diameter at the point; a
// dog point (types 2 and 6), part of the nominal length, is not threaded. A stud
// (ComponentType 9) is threaded from half a pitch below its top over its root and its length,
// less its dome.
void ScrewNoHead::ThreadPosition(double& length, double& offset) const {
  if (ComponentType == 9) {
    offset = Passo / 2;
    length = LungRadice + lung - AltCalotta - Passo / 2;
    return;
  }
  const double top = std::abs(TanOfHalf(SmussoSuperiore) * Passo / 2);
  const double point = std::abs(TanOfHalf(SmussoInferiore) * (Diametro - DiamInf) / 2);
  const double dog = ComponentType == 2 || ComponentType == 6 ? AltCilindro : 0;
  offset = top;
  length = lung - dog - top - point;
}

}  // namespace vormbrace
