// vormbrace record: the size data record a choice of kind, type, standard, size and length finds,
// and the component made from it, as JSON: what OK in the selection dialog would build.
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "app/CatalogWalk.h"
#include "app/Commands.h"
#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "components/NewVormbrace.h"
#include "data/PartData.h"
#include "data/Settings.h"
#include "host/RuntimeError.h"

namespace vormbrace::app {
namespace {

struct RecordOptions {
  std::string family = "0", kind, standard, size, length, material;
  int type = 0;
};

int Refuse(const std::string& why) {
  std::cerr << "vormbrace record: " << why << "\n";
  return 1;
}

std::string Choices(const DialogList& list) {
  std::string text;
  for (std::int32_t i = 0; i < list.ListCount(); ++i) text += (i > 0 ? ", " : "") + list.List(i);
  return text;
}

nlohmann::ordered_json ToJson(const host::Value& v) {
  switch (v.Type()) {
    case host::ValueType::Int16:
    case host::ValueType::Int32:
      return v.AsInt32();
    case host::ValueType::Double:
      return v.AsDouble();
    case host::ValueType::Boolean:
      return v.AsBool();
    case host::ValueType::Text:
      return v.AsText();
    case host::ValueType::Empty:
      break;
  }
  return nullptr;
}

int PrintRecord(AppHost& app, const RecordOptions& o) {
  LoadLanguage();
  std::optional<std::int16_t> family = FindFamily(o.family);
  if (!family) return Refuse("no standards family \"" + o.family + "\"");
  std::optional<std::int16_t> kind = FindKind(o.kind);
  if (!kind)
    return Refuse("no kind \"" + o.kind + "\" (bolts, screws, set-screws, washers, nuts or 0-4)");
  const KindInfo& info = Kinds()[*kind];
  if (o.type < 1 || o.type > info.typeCount) {
    return Refuse("kind " + std::string(info.name) + " has types 1 to " +
                  std::to_string(info.typeCount));
  }

  CatalogWalk walk(*app.host);
  walk.SelectKind(*family, *kind);
  if (!walk.SelectType(static_cast<std::int16_t>(o.type))) return 1;
  std::optional<std::int32_t> standard = FindEntry(walk.normativa, o.standard);
  if (!standard) {
    return Refuse("type " + std::to_string(o.type) + " of " + info.name + " has no standard \"" +
                  o.standard + "\" (standards: " + Choices(walk.normativa) + ")");
  }
  walk.SelectStandard(*standard);
  if (walk.Failed()) return 1;
  std::optional<std::int32_t> size = FindEntry(walk.misura, o.size);
  if (!size) {
    return Refuse(o.standard + " has no size \"" + o.size + "\" (sizes: " + Choices(walk.misura) +
                  ")");
  }
  walk.SelectSize(*size);
  if (walk.Failed()) return 1;
  // Without a choice the dialog keeps the first entry of the length and material lists, and a
  // threaded rod's empty manual length box reads "100".
  std::string length = !o.length.empty() ? o.length : walk.lunghezza.List(0);
  std::string material = o.material.empty() ? walk.materiale.List(0) : o.material;
  if (!o.material.empty() && !FindEntry(walk.materiale, o.material)) {
    return Refuse(o.standard + " has no material \"" + o.material +
                  "\" (materials: " + Choices(walk.materiale) + ")");
  }

  RunTimeState& s = State();
  if (!QMisuraVariabili(s.paths.dataFolder + walk.misura.Tag(), o.size, length, s.values,
                        s.partNumberText)) {
    return walk.Failed() ? 1 : Refuse("no record of size \"" + o.size + "\"");
  }
  std::unique_ptr<FastenerComponent> component =
      NewComponentFromDialog(*kind, WalkChoices(walk, material, o.length.empty() ? "100" : length));

  std::string nameTemplate, designation, name, lengthPattern;
  QDesignazione(walk.IndexPath(), component->FileData, component->Normativa, nameTemplate,
                designation);
  if (walk.Failed()) return 1;
  try {
    ComposeName(*component, nameTemplate, designation, name, lengthPattern);
  } catch (const host::RuntimeError& e) {
    return Refuse("name template \"" + nameTemplate + "\": Error " + std::to_string(e.Number()) +
                  " " + e.Description());
  }

  nlohmann::ordered_json out;
  out["family"] = ReadFamilyCaption(*family);
  out["kind"] = info.name;
  out["type"] = o.type;
  out["standard"] = o.standard;
  out["description"] = walk.normaDescr.Caption();
  out["sizeDataFile"] = walk.misura.Tag();
  out["size"] = o.size;
  out["length"] = length;
  out["material"] = material;
  out["values"] = s.values;
  out["partNumberText"] = s.partNumberText;
  out["name"] = name;
  out["lengthPattern"] = lengthPattern;
  out["partNumber"] = PartNumberFor(name, s.partNumberText);
  out["class"] = component->ProgID();
  nlohmann::ordered_json properties = nlohmann::ordered_json::object();
  for (const std::string& property : component->PropertyNames()) {
    properties[property] = ToJson(component->GetProperty(property));
  }
  out["properties"] = properties;
  std::cout << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
  return 0;
}

}  // namespace

void AddRecordCommand(CLI::App& cli, CommandTable& commands) {
  auto o = std::make_shared<RecordOptions>();
  CLI::App* record = cli.add_subcommand(
      "record",
      "Find the size data record of a choice, as OK in the selection dialog does, and print as "
      "JSON its value array, its part-number text, the part name and number, and the "
      "properties of the component made from it. Messages about broken table files go to "
      "standard error and make the exit status 1.");
  record->add_option("--family", o->family, "Standards family: index or caption (default 0)");
  record
      ->add_option("--kind", o->kind,
                   "Fastener kind: bolts, screws, set-screws, washers, nuts, or 0-4")
      ->required();
  record
      ->add_option("--type", o->type,
                   "Type code within the kind (bolts 1-10, screws 1-12, set screws 1-9, washers "
                   "1-8, nuts 1-9)")
      ->required();
  record->add_option("--standard", o->standard, "Standard name as listed (\"ISO 4017\")")
      ->required();
  record->add_option("--size", o->size, "Size code as listed (M10)")->required();
  record->add_option("--length", o->length,
                     "Length (thickness for washers and nuts); the record with the nearest one "
                     "is taken. Default: the size's first. For threaded rods (bolts type 5) "
                     "also the rod's length (default 100)");
  record->add_option("--material", o->material,
                     "Material as listed for the standard. Default: the first");
  commands.emplace_back(record, [o](AppHost& app) { return PrintRecord(app, *o); });
}

}  // namespace vormbrace::app
