// Washer properties and the row a washer keeps in its data table.
#include "components/Washer.h"

#include "components/CommonSlots.h"
#include "components/FastenerTable.h"
#include "geometry/generaRosette.h"

namespace vormbrace {

const DispatchTable<Washer>& Washer::Table() {
  using C = Washer;
  static const DispatchTable<C> table(WithCommonSlots<C>({
      {"ComponentType", &C::ComponentType},
      {"DiametroNominale", &C::DiametroNominale},
      {"DiametroEsterno", &C::DiametroEsterno},
      {"DiametroInterno", &C::DiametroInterno},
      {"Spessore", &C::Spessore},
      {"Spessore1", &C::Spessore1},
      {"lato", &C::lato},
      {"Lato1", &C::Lato1},
      {"SpessoreSmusso", &C::SpessoreSmusso},
      {"SpessoreSmusso1", &C::SpessoreSmusso1},
      {"Scanalatura", &C::Scanalatura},
  }));
  return table;
}

void Washer::BuildGeometry(host::Shape& part) const {
  BuildWasherByType(part, ReadWasherDimensions(*this));
}

void Washer::WriteDimensionRows(host::Component& table) const {
  SetNumber(table, 10, host::Value::Double(DiametroNominale));
}

}  // namespace vormbrace
