// The fastener data table of a part and the stored choice read back from it.
#include "components/FastenerComponent.h"

#include "components/FastenerTable.h"
#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "data/PartData.h"
#include "data/Resources.h"
#include "data/Settings.h"
#include "host/Host.h"
#include "host/Page.h"

namespace vormbrace {

host::Shape& FastenerComponent::Create(host::Shape& parent) {
  LoadLanguage();
  host::Shape& element = host::CurrentHost().ElementHelper().SceneElement(parent);
  m_objAssembly = &element.Shapes(host::kShapePart).Add();
  if (State().holeType != 0) MakeHoleForFastener();
  return CreateInPart(*m_objAssembly);
}

host::Shape& FastenerComponent::CreateInPart(host::Shape& part) {
  const auto& v = State().drop.placement;
  auto placement = host::CurrentHost().NewPlacement();
  placement->SetTarget(part);
  placement->SetPosition(v[0], v[1], v[2]);
  placement->SetAxis(v[3], v[4], v[5]);
  placement->SetAngle(v[6]);
  placement->Apply();

  std::string nameTemplate, designation;
  const Paths& paths = State().paths;
  QDesignazione(paths.standardsFolder + paths.indexFile, FileData, Normativa, nameTemplate,
                designation);
  BuildGeometry(part);
  std::string name, lengthPattern;
  ComposeName(*this, nameTemplate, designation, name, lengthPattern);
  part.SetName(name);
  WriteBomData(part, Normativa, Codice, BomLength(), MaterialCode, name);
  WriteTable(part, lengthPattern);
  part.Page().Update();
  return part;
}

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
