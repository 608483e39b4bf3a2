// Set screw properties and the rows they keep in the data table.
#include "components/ScrewNoHead.h"

#include "components/CommonSlots.h"
#include "components/FastenerTable.h"
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

}  // namespace vormbrace
