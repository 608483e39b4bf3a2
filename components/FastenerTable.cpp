// Cells of the fastener data table and the class binding.
#include "components/FastenerTable.h"

#include "host/Host.h"

namespace vormbrace {

host::Component* FindDataTable(host::Shape& shape) {
  auto& tables = shape.Components(kDataTableCode);
  return tables.Count() > 0 ? &tables.Item(1) : nullptr;
}

host::Component& FirstOrAdd(host::ComponentOwner& owner, std::int32_t code) {
  auto& list = owner.Components(code);
  return list.Count() > 0 ? list.Item(1) : list.Add();
}

host::Component& DataTableOf(host::Shape& part) { return FirstOrAdd(part, kDataTableCode); }

void SetNumber(host::Component& table, std::int16_t row, const host::Value& value) {
  table.Variable(kNumberColumn, row).SetValue(value);
}

void SetText(host::Component& table, std::int16_t row, const std::string& text) {
  table.Variable(kTextColumn, row).SetValue(host::Value::Text(text));
}

double NumberAt(host::Component& table, std::int16_t row) {
  return table.Variable(kNumberColumn, row).GetValue().AsDouble();
}

std::string TextAt(host::Component& table, std::int16_t row) {
  return table.Variable(kTextColumn, row).GetValue().AsText();
}

void WriteClassBinding(host::Shape& part, const std::string& progId) {
  host::Component& binding = FirstOrAdd(part, kBindingCode);
  binding.Variable(3).SetValue(host::Value::Int32(5));
  binding.Variable(5).SetValue(host::Value::Int32(5));
  binding.Variable(1).SetValue(host::Value::Int32(1));
  std::string classId = host::CurrentHost().ClassRegistry().ClassIdOf(progId);
  FirstOrAdd(part, kClassIdCode).Variable(1).SetValue(host::Value::Text(classId));
}

}  // namespace vormbrace
