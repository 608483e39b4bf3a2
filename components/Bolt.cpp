// The dimension rows a bolt keeps in its data table.
#include "components/Bolt.h"

#include "components/FastenerTable.h"

namespace vormbrace {

void Bolt::WriteDimensionRows(host::Component& table) const {
  SetNumber(table, 6, host::Value::Int16(1));
  SetNumber(table, 9, host::Value::Double(DistFiletto));
  SetNumber(table, 17, host::Value::Double(DistFiletto));
  SetNumber(table, 10, host::Value::Double(Diametro));
  SetNumber(table, 11, host::Value::Double(lung));
  SetNumber(table, 12, host::Value::Double(Passo));
}

void Bolt::ReadDimensionRows(host::Component& table) {
  DistFiletto = NumberAt(table, 9);
  Diametro = NumberAt(table, 10);
  lung = NumberAt(table, 11);
  Passo = NumberAt(table, 12);
}

}  // namespace vormbrace
