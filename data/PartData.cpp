// Hole tables, part names and bill-of-materials data of fastener parts.
#include "data/PartData.h"

#include "data/Globals.h"
#include "data/NumberText.h"
#include "data/Resources.h"
#include "host/DataObject.h"
#include "host/Page.h"
#include "host/RuntimeError.h"

namespace vormbrace {
namespace {

constexpr std::int32_t kDataTableCode = 34;
constexpr std::int32_t kNumberColumn = 1;
constexpr std::int32_t kTextColumn = 2;

// The bill-of-materials writers go on past a failing host call.
template <typename Step>
void PassOver(Step&& step) {
  try {
    step();
  } catch (const host::RuntimeError&) {
  }
}

// The data object under `guid`, attached anew when the part has none; nullptr when both fail.
host::DataObject* DataObjectOf(host::Shape& part, const char* guid) {
  host::DataObject* object = nullptr;
  PassOver([&] { object = part.DataObject(guid, true); });
  if (object == nullptr) PassOver([&] { object = &part.AttachDataObject(guid); });
  return object;
}

std::string LengthText(double length) { return Trim(Str(length)); }

void WriteDescription(host::Shape& part, const std::string& name) {
  host::DataObject* description = DataObjectOf(part, host::kDescriptionGuid);
  if (description == nullptr) return;
  PassOver([&] { description->SetDescription(name); });
  PassOver([&] { description->SetPartNumber(PartNumberFor(name, State().partNumberText)); });
}

}  // namespace

void WriteHoleTable(host::Shape& holePart, const HoleTable& t) {
  auto& tables = holePart.Components(kDataTableCode);
  host::Component& table = tables.Count() > 0 ? tables.Item(1) : tables.Add();
  const std::pair<const char*, host::Value> rows[] = {
      {"Corvane", host::Value()},
      {"FastHole", host::Value::Int16(t.holeKind)},
      {"Comp. ID", host::Value::Int32(t.componentId)},
      {"Diam.", host::Value::Double(t.diameter)},
      {"Len.", host::Value::Double(t.depth)},
      {"Toll.", host::Value::Double(t.tolerance)},
      {"Diam. Inc.", host::Value::Double(t.incDiameter)},
      {"Len. Inc.", host::Value::Double(t.incDepth)},
      {"Ang. Inc.", host::Value::Double(t.incAngle)},
  };
  for (std::int16_t row = 0; row < 9; ++row) {
    table.Variable(kTextColumn, row).SetValue(host::Value::Text(rows[row].first));
    if (row > 0) table.Variable(kNumberColumn, row).SetValue(rows[row].second);
  }
}

void ReadHoleTable(host::Shape& holePart, HoleTable& t) {
  auto& tables = holePart.Components(kDataTableCode);
  if (tables.Count() == 0) return;
  host::Component& table = tables.Item(1);
  auto cell = [&](std::int16_t row) { return table.Variable(kNumberColumn, row).GetValue(); };
  t.holeKind = cell(1).AsInt16();
  t.componentId = cell(2).AsInt32();
  t.diameter = cell(3).AsDouble();
  t.depth = cell(4).AsDouble();
  t.tolerance = cell(5).AsDouble();
  t.incDiameter = cell(6).AsDouble();
  t.incDepth = cell(7).AsDouble();
  t.incAngle = cell(8).AsDouble();
}

void ComposeName(const host::AutomationObject& component, const std::string& nameTemplate,
                 const std::string& designation, std::string& name, std::string& lengthPattern) {
  for (char c : nameTemplate) {
    switch (c) {
      case 'D':
        name += designation;
        lengthPattern += designation;
        break;
      case 'C':
      case 'N':
      case 'M': {
        const char* member = c == 'C' ? "Codice" : c == 'N' ? "Normativa" : "MaterialCode";
        std::string text = component.GetProperty(member).AsText();
        name += text;
        lengthPattern += text;
        break;
      }
      case 'L':
        name += CStr(component.GetProperty("lung").AsDouble());
        lengthPattern += '@';
        break;
      default:
        name += c;
        lengthPattern += c;
    }
  }
}

host::Shape* FindPartOfInstance(host::ShapeCollection& collection, host::Shape& instance) {
  for (std::int32_t i = 1; i <= collection.Count(); ++i) {
    host::Shape& item = collection.Item(i);
    if (&item.InstanceShape() == &instance) return &item;
    if (host::Shape* hit = FindPartOfInstance(item.ChildShapes(), instance)) return hit;
  }
  return nullptr;
}

std::string PartNumberFor(const std::string& name, const std::string& partNumberText) {
  std::string marker = Trim(partNumberText);
  if (marker != "1" && marker != "1.0") return partNumberText;
  std::string derived;
  for (char c : name) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) derived += c;
  }
  return derived;
}

void WriteBomData(host::Shape& instance, const std::string& standard, const std::string& size,
                  double length, const std::string& material, const std::string& name) {
  host::Shape* part = FindPartOfInstance(instance.Page().RootShape().ChildShapes(), instance);
  if (part == nullptr) return;
  if (host::DataObject* list = DataObjectOf(*part, host::kAttributeListGuid)) {
    std::int32_t count = 0;
    PassOver([&] { count = list->Count(); });
    // Emptied first, so a second save replaces the entries instead of adding to them.
    for (std::int32_t i = count; i >= 1; --i) PassOver([&] { list->Remove(i); });
    PassOver([&] { list->Add(ResText(res::kStandardLabel), standard); });
    PassOver([&] { list->Add(ResText(res::kSizeLabel), size); });
    if (length > 0) PassOver([&] { list->Add(ResText(res::kLengthLabel), LengthText(length)); });
    PassOver([&] { list->Add(ResText(res::kMaterialLabel), material); });
  }
  WriteDescription(*part, name);
}

void UpdateBomLength(host::Shape& instance, double length, const std::string& name) {
  host::Shape* part = FindPartOfInstance(instance.Page().RootShape().ChildShapes(), instance);
  if (part == nullptr) return;
  host::DataObject* list = nullptr;
  PassOver([&] { list = part->DataObject(host::kAttributeListGuid, false); });
  if (list != nullptr) {
    PassOver([&] {
      const std::string label = ResText(res::kLengthLabel);
      for (std::int32_t i = 1; i <= list->Count(); ++i) {
        if (list->EntryName(i) == label) {
          list->SetEntryValue(i, LengthText(length));
          break;
        }
      }
    });
  }
  WriteDescription(*part, name);
}

void ClearPartShapes(host::Shape& part) {
  host::ShapeCollection& shapes = part.Shapes(0);
  const std::int32_t n = shapes.Count();
  for (std::int32_t i = 1; i <= n; ++i) shapes.Remove(n - i + 1);
}

}  // namespace vormbrace
