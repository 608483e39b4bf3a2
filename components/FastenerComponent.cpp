// The fastener data table of a part and the stored choice read back from it.
#include "components/FastenerComponent.h"

#include "components/FastenerTable.h"
#include "data/Globals.h"
#include "data/Resources.h"

namespace vormbrace {

void FastenerComponent::WriteTable(host::Shape& part, const std::string& lengthPattern) const {
  const RunTimeState& s = State();
  host::Component& table = DataTableOf(part);
  SetText(table, 0, ResText(res::kTitle));  // the family marker, "Corvane" in every language
  SetText(table, 1, KindName());
  SetText(table, 2, lengthPattern);
  SetNumber(table, 0, host::Value::Int16(s.kind));
  SetNumber(table, 1, host::Value::Int16(s.typeCode));
  SetNumber(table, 2, host::Value::Int32(s.componentId));
  SetNumber(table, 5, host::Value::Int16(s.family));
  WriteDimensionRows(table);
  SetText(table, 13, Normativa);
  SetText(table, 14, Codice);
  SetText(table, 15, FileData);
  SetText(table, 16, MaterialCode);
  WriteClassBinding(part, ProgID());
}

void FastenerComponent::GetPartData(host::Shape& shape) const {
  host::Component* table = FindDataTable(shape);
  if (table == nullptr) return;
  EditState& e = State().edit;
  e.family = table->Variable(kNumberColumn, 5).GetValue().AsInt16();
  e.kind = table->Variable(kNumberColumn, 0).GetValue().AsInt16();
  e.typeCode = table->Variable(kNumberColumn, 1).GetValue().AsInt16();
  e.componentId = table->Variable(kNumberColumn, 2).GetValue().AsInt32();
  e.length = NumberAt(*table, 11);
  e.standard = TextAt(*table, 13);
  e.size = TextAt(*table, 14);
  e.material = TextAt(*table, 16);
}

}  // namespace vormbrace
