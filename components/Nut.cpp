// Nut properties and the row a nut keeps in its data table.
#include "components/Nut.h"

#include "components/CommonSlots.h"
#include "components/FastenerTable.h"
#include "geometry/generaDadi.h"

namespace vormbrace {

const DispatchTable<Nut>& Nut::Table() {
  using C = Nut;
  static const DispatchTable<C> table(WithCommonSlots<C>({
      {"ComponentType", &C::ComponentType},
      {"DiametroEsterno", &C::DiametroEsterno},
      {"DiametroInterno", &C::DiametroInterno},
      {"DiametroFiletto", &C::DiametroFiletto},
      {"DiametroCorona", &C::DiametroCorona},
      {"InizioCorona", &C::InizioCorona},
      {"Spessore", &C::Spessore},
      {"LatoRet", &C::LatoRet},
      {"AltRet", &C::AltRet},
      {"Scanalatura", &C::Scanalatura},
      {"LargScanalatura", &C::LargScanalatura},
      {"Passo", &C::Passo},
      {"numCave", &C::numCave},
      {"DiametroCalotta", &C::DiametroCalotta},
      {"DiametroInternoCalotta", &C::DiametroInternoCalotta},
      {"AltezzaCalotta", &C::AltezzaCalotta},
      {"AltezzaInternoCalotta", &C::AltezzaInternoCalotta},
      {"RaggioCalotta", &C::RaggioCalotta},
      {"RaggioInternoCalotta", &C::RaggioInternoCalotta},
  }));
  return table;
}

void Nut::BuildGeometry(host::Shape& part) const { BuildNutByType(part, ReadNutDimensions(*this)); }

void Nut::WriteDimensionRows(host::Component& table) const {
  SetNumber(table, 10, host::Value::Double(DiametroFiletto));
}

}  // namespace vormbrace
