// Reading and writing scene files (JSON).
#include "host/reference/SceneFile.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <unordered_set>

#include "host/SafeFile.h"

namespace host::ref {
namespace {

using nlohmann::json;

constexpr const char* kFormat = "vormbrace-scene";
constexpr int kVersion = 1;

json ComponentToJson(SceneComponent& c);

json StoreToJson(ComponentStore& store) {
  json out = json::array();
  for (auto& [code, list] : store.Lists()) {
    if (list.Items().empty()) continue;
    json items = json::array();
    for (auto& item : list.Items()) items.push_back(ComponentToJson(*item));
    out.push_back({{"code", code}, {"items", std::move(items)}});
  }
  return out;
}

json VariableToJson(const SceneVariable& v) {
  json out = {{"value", ValueToJson(v.GetValue())}};
  if (!v.Expression().empty()) out["expression"] = v.Expression();
  return out;
}

json ComponentToJson(SceneComponent& c) {
  json out = json::object();
  json vars = json::array();
  for (auto& [index, v] : c.Variables()) {
    if (v.GetValue().IsEmpty() && v.Expression().empty()) continue;
    json e = VariableToJson(v);
    e["index"] = index;
    vars.push_back(std::move(e));
  }
  if (!vars.empty()) out["variables"] = std::move(vars);
  json cells = json::array();
  for (auto& [key, v] : c.Cells()) {
    if (v.GetValue().IsEmpty() && v.Expression().empty()) continue;
    json e = VariableToJson(v);
    e["row"] = key.first;
    e["column"] = key.second;
    cells.push_back(std::move(e));
  }
  if (!cells.empty()) out["cells"] = std::move(cells);
  if (!c.Loop().empty()) {
    json loop = json::array();
    for (auto& call : c.Loop()) loop.push_back({{"op", call.op}, {"args", call.args}});
    out["loop"] = std::move(loop);
  }
  if (SceneProfile* p = c.ProfileIfAny()) out["profile"] = StoreToJson(p->Store());
  if (!c.Finishes().empty()) {
    json finishes = json::array();
    for (auto& f : c.Finishes()) {
      finishes.push_back({{"point", {f->point.x, f->point.y, f->point.z}},
                          {"textureFile", f->textureFile},
                          {"projectionType", f->projectionType},
                          {"verticalRatio", f->verticalRatio},
                          {"horizontalRatio", f->horizontalRatio},
                          {"projectionWidth", f->projectionWidth},
                          {"projectionHeight", f->projectionHeight},
                          {"upDirection", {f->upDirection.x, f->upDirection.y, f->upDirection.z}},
                          {"flip", f->flip}});
    }
    out["finishes"] = std::move(finishes);
  }
  return out;
}

// A scene holds finite numbers only: a NaN or an infinity would be saved as null, and the file
// could never be read back. Answers whether `j` holds one, and then its JSON path in `where`.
bool FindNonFinite(const json& j, std::string& where) {
  if (j.is_number_float()) return !std::isfinite(j.get<double>());
  std::size_t i = 0;
  for (auto it = j.begin(); j.is_structured() && it != j.end(); ++it, ++i) {
    if (FindNonFinite(it.value(), where)) {
      where = "/" + (j.is_object() ? it.key() : std::to_string(i)) + where;
      return true;
    }
  }
  return false;
}

// Reading: every access names its JSON path, so a damaged file is reported where it is wrong.
class Reader {
 public:
  explicit Reader(std::string source) : source_(std::move(source)) {}

  [[noreturn]] void Fail(const std::string& where, const std::string& what) const {
    throw SceneFileError(source_ + ": at " + (where.empty() ? "/" : where) + ": " + what);
  }
  const json& Field(const json& j, const char* key, const std::string& where) const {
    if (!j.is_object()) Fail(where, "expected an object");
    auto it = j.find(key);
    if (it == j.end()) Fail(where + "/" + key, "missing");
    return *it;
  }
  const json* Optional(const json& j, const char* key) const {
    auto it = j.find(key);
    return it == j.end() ? nullptr : &*it;
  }
  const json& Array(const json& j, const std::string& where) const {
    if (!j.is_array()) Fail(where, "expected an array");
    return j;
  }
  std::int64_t Integer(const json& j, const std::string& where, std::int64_t lo,
                       std::int64_t hi) const {
    if (!j.is_number_integer()) Fail(where, "expected an integer");
    auto v = j.get<std::int64_t>();
    if (v < lo || v > hi) Fail(where, "out of range");
    return v;
  }
  double Number(const json& j, const std::string& where) const {
    if (!j.is_number()) Fail(where, "expected a number");
    double v = j.get<double>();
    if (!std::isfinite(v)) Fail(where, "not a finite number");
    return v;
  }
  std::string Text(const json& j, const std::string& where) const {
    if (!j.is_string()) Fail(where, "expected a text");
    return j.get<std::string>();
  }
  bool Boolean(const json& j, const std::string& where) const {
    if (!j.is_boolean()) Fail(where, "expected true or false");
    return j.get<bool>();
  }
  Vec3 Point(const json& j, const std::string& where) const {
    if (!j.is_array() || j.size() != 3) Fail(where, "expected three numbers");
    return {Number(j[0], where + "/0"), Number(j[1], where + "/1"), Number(j[2], where + "/2")};
  }

  Value ReadValue(const json& j, const std::string& where) const {
    if (!j.is_object() || j.size() > 1)
      Fail(where, "expected a value object such as {\"f64\": 1.5}");
    if (j.empty()) return Value();
    // The iterator, not the items() view, keeps key and value alive.
    auto first = j.begin();
    const std::string tag = first.key();
    const json& v = first.value();
    std::string at = where + "/" + tag;
    if (tag == "i16")
      return Value::Int16(static_cast<std::int16_t>(Integer(v, at, INT16_MIN, INT16_MAX)));
    if (tag == "i32")
      return Value::Int32(static_cast<std::int32_t>(Integer(v, at, INT32_MIN, INT32_MAX)));
    if (tag == "f64") return Value::Double(Number(v, at));
    if (tag == "text") return Value::Text(Text(v, at));
    if (tag == "bool") return Value::Boolean(Boolean(v, at));
    Fail(at, "unknown value type");
  }

  void ReadVariable(const json& j, SceneVariable& v, const std::string& where) const {
    v.SetValue(ReadValue(Field(j, "value", where), where + "/value"));
    if (const json* e = Optional(j, "expression")) v.SetExpression(Text(*e, where + "/expression"));
  }

  void ReadComponent(const json& j, SceneComponent& c, const std::string& where) const {
    if (!j.is_object()) Fail(where, "expected an object");
    if (const json* vars = Optional(j, "variables")) {
      std::string at = where + "/variables";
      for (std::size_t i = 0; i < Array(*vars, at).size(); ++i) {
        std::string e = at + "/" + std::to_string(i);
        auto index = static_cast<std::int32_t>(
            Integer(Field((*vars)[i], "index", e), e + "/index", INT32_MIN, INT32_MAX));
        ReadVariable((*vars)[i], c.Variables()[index], e);
      }
    }
    if (const json* cells = Optional(j, "cells")) {
      std::string at = where + "/cells";
      for (std::size_t i = 0; i < Array(*cells, at).size(); ++i) {
        std::string e = at + "/" + std::to_string(i);
        auto row = static_cast<std::int16_t>(
            Integer(Field((*cells)[i], "row", e), e + "/row", INT16_MIN, INT16_MAX));
        auto col = static_cast<std::int32_t>(
            Integer(Field((*cells)[i], "column", e), e + "/column", INT32_MIN, INT32_MAX));
        ReadVariable((*cells)[i], c.Cells()[{row, col}], e);
      }
    }
    if (const json* loop = Optional(j, "loop")) {
      std::string at = where + "/loop";
      for (std::size_t i = 0; i < Array(*loop, at).size(); ++i) {
        std::string e = at + "/" + std::to_string(i);
        ProfileCall call{Text(Field((*loop)[i], "op", e), e + "/op"), {}};
        const json& args = Array(Field((*loop)[i], "args", e), e + "/args");
        for (std::size_t k = 0; k < args.size(); ++k)
          call.args.push_back(Number(args[k], e + "/args/" + std::to_string(k)));
        c.Loop().push_back(std::move(call));
      }
    }
    if (const json* profile = Optional(j, "profile")) {
      if (c.ProfileIfAny() == nullptr) Fail(where + "/profile", "this component holds no profile");
      c.ProfileIfAny()->Store().Lists().clear();
      ReadStore(*profile, c.ProfileIfAny()->Store(), where + "/profile");
    }
    if (const json* finishes = Optional(j, "finishes")) {
      std::string at = where + "/finishes";
      for (std::size_t i = 0; i < Array(*finishes, at).size(); ++i) {
        std::string e = at + "/" + std::to_string(i);
        const json& f = (*finishes)[i];
        auto r = std::make_unique<SurfaceFinishRecord>();
        r->point = Point(Field(f, "point", e), e + "/point");
        r->textureFile = Text(Field(f, "textureFile", e), e + "/textureFile");
        r->projectionType = static_cast<std::int32_t>(
            Integer(Field(f, "projectionType", e), e + "/projectionType", INT32_MIN, INT32_MAX));
        r->verticalRatio = Number(Field(f, "verticalRatio", e), e + "/verticalRatio");
        r->horizontalRatio = Number(Field(f, "horizontalRatio", e), e + "/horizontalRatio");
        r->projectionWidth = Number(Field(f, "projectionWidth", e), e + "/projectionWidth");
        r->projectionHeight = Number(Field(f, "projectionHeight", e), e + "/projectionHeight");
        r->upDirection = Point(Field(f, "upDirection", e), e + "/upDirection");
        r->flip = Boolean(Field(f, "flip", e), e + "/flip");
        c.Finishes().push_back(std::move(r));
      }
    }
  }

  void ReadStore(const json& j, ComponentStore& store, const std::string& where) const {
    for (std::size_t i = 0; i < Array(j, where).size(); ++i) {
      std::string e = where + "/" + std::to_string(i);
      auto code = static_cast<std::int32_t>(
          Integer(Field(j[i], "code", e), e + "/code", INT32_MIN, INT32_MAX));
      ComponentList& list = store.List(code);
      const json& items = Array(Field(j[i], "items", e), e + "/items");
      for (std::size_t k = 0; k < items.size(); ++k) {
        ReadComponent(items[k], static_cast<SceneComponent&>(list.Add()),
                      e + "/items/" + std::to_string(k));
      }
    }
  }

  // Reads a shape's own records (not its id) into `shape`, and its children under it.
  // `renumber` gives every child a fresh id (a copy); otherwise ids come from the file.
  void ReadShape(const json& j, SceneShape& shape, const std::string& where, bool renumber,
                 int depth = 0) {
    if (depth > kMaxNesting)
      Fail(where, "assemblies nest deeper than " + std::to_string(kMaxNesting) + " levels");
    shape.SetName(Text(Field(j, "name", where), where + "/name"));
    shape.SetSuppressed(Boolean(Field(j, "suppressed", where), where + "/suppressed"));
    shape.Store().Lists().clear();
    ReadStore(Field(j, "components", where), shape.Store(), where + "/components");
    shape.DataObjects().clear();
    const json& objects = Field(j, "dataObjects", where);
    if (!objects.is_object()) Fail(where + "/dataObjects", "expected an object");
    for (const auto& [guid, o] : objects.items()) {
      std::string e = where + "/dataObjects/" + guid;
      auto& d = static_cast<SceneDataObject&>(shape.AttachDataObject(guid));
      d.SetDescription(Text(Field(o, "description", e), e + "/description"));
      d.SetPartNumber(Text(Field(o, "partNumber", e), e + "/partNumber"));
      const json& entries = Array(Field(o, "entries", e), e + "/entries");
      for (std::size_t k = 0; k < entries.size(); ++k) {
        std::string at = e + "/entries/" + std::to_string(k);
        d.Add(Text(Field(entries[k], "name", at), at + "/name"),
              Text(Field(entries[k], "value", at), at + "/value"));
      }
    }
    const json& children = Array(Field(j, "children", where), where + "/children");
    for (std::size_t i = 0; i < children.size(); ++i) {
      std::string e = where + "/children/" + std::to_string(i);
      const json& c = children[i];
      auto kind = static_cast<std::int32_t>(Integer(Field(c, "kind", e), e + "/kind", 0, 99));
      if (!shape.AcceptsChild(kind))
        Fail(e + "/kind", "a shape of kind " + std::to_string(kind) + " cannot stand here");
      std::int32_t id = shape.Document().NewId();
      if (!renumber) {
        id = static_cast<std::int32_t>(Integer(Field(c, "id", e), e + "/id", 1, INT32_MAX));
        if (!ids_.insert(id).second)
          Fail(e + "/id", "id " + std::to_string(id) + " is used twice");
        shape.Document().ReserveId(id);
      }
      auto child = std::make_unique<SceneShape>(&shape.Document(), &shape, kind, id);
      SceneShape& added = *child;
      shape.Children().push_back(std::move(child));
      ReadShape(c, added, e, renumber, depth + 1);
    }
  }

 private:
  std::string source_;
  std::unordered_set<std::int32_t> ids_;  // ids read so far: each may stand once
};

}  // namespace

json ValueToJson(const Value& value) {
  switch (value.Type()) {
    case ValueType::Empty:
      return json::object();
    case ValueType::Int16:
      return {{"i16", value.AsInt16()}};
    case ValueType::Int32:
      return {{"i32", value.AsInt32()}};
    case ValueType::Double:
      return {{"f64", value.AsDouble()}};
    case ValueType::Text:
      return {{"text", value.AsText()}};
    case ValueType::Boolean:
      return {{"bool", value.AsBool()}};
  }
  return json::object();
}

json ShapeToJson(SceneShape& shape) {
  json objects = json::object();
  for (auto& [guid, d] : shape.DataObjects()) {
    json entries = json::array();
    for (auto& e : d->Entries()) entries.push_back({{"name", e.name}, {"value", e.value}});
    objects[guid] = {
        {"description", d->Description()}, {"partNumber", d->PartNumber()}, {"entries", entries}};
  }
  json children = json::array();
  for (auto& c : shape.Children()) children.push_back(ShapeToJson(*c));
  return {{"id", shape.SystemID()},           {"kind", shape.Type()},
          {"systemName", shape.SystemName()}, {"name", shape.Name()},
          {"suppressed", shape.Suppressed()}, {"components", StoreToJson(shape.Store())},
          {"dataObjects", objects},           {"children", children}};
}

json SceneToJson(SceneDocument& document) {
  return {{"format", kFormat},
          {"version", kVersion},
          {"units", document.Units()},
          {"root", ShapeToJson(document.Root())}};
}

std::unique_ptr<SceneDocument> SceneFromJson(const json& j, const std::string& source) {
  Reader r(source);
  if (!j.is_object() || !j.contains("format") || j["format"] != kFormat) {
    r.Fail("/format", "not a Vormbrace scene file");
  }
  if (r.Integer(r.Field(j, "version", ""), "/version", 1, 1000) != kVersion)
    r.Fail("/version", "unsupported version");
  auto doc = std::make_unique<SceneDocument>();
  doc->SetUnits(static_cast<std::int32_t>(r.Integer(r.Field(j, "units", ""), "/units", 0, 4)));
  r.ReadShape(r.Field(j, "root", ""), doc->Root(), "/root", false);
  return doc;
}

std::unique_ptr<SceneShape> CloneShape(SceneShape& shape, SceneShape& parent) {
  SceneDocument& doc = parent.Document();
  auto copy = std::make_unique<SceneShape>(&doc, &parent, shape.Type(), doc.NewId());
  Reader("copy of " + shape.SystemName()).ReadShape(ShapeToJson(shape), *copy, "", true);
  return copy;
}

void SaveScene(SceneDocument& document, const std::string& path) {
  json scene = SceneToJson(document);
  if (std::string where; FindNonFinite(scene, where))
    throw SceneFileError(path + ": at " + where + ": a number that is not finite; not saved");
  try {
    host::ReplaceFileText(path, scene.dump(1, ' ', false, json::error_handler_t::replace) + "\n");
  } catch (const host::SafeFileError& e) {
    throw SceneFileError(e.what());
  }
}

std::unique_ptr<SceneDocument> LoadScene(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw SceneFileError(path + ": cannot open the scene file");
  // Read in pieces up to the limit, so an endless or huge input stops early.
  std::string text;
  char piece[1 << 16];
  while (in.read(piece, sizeof piece) || in.gcount() > 0) {
    text.append(piece, static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxSceneBytes) {
      throw SceneFileError(path + ": larger than " + std::to_string(kMaxSceneBytes >> 20) +
                           " MB; not a scene file");
    }
  }
  return ParseScene(text, path);
}

std::unique_ptr<SceneDocument> ParseScene(const std::string& text, const std::string& path) {
  // Nested arrays and objects are counted as they are read, before any of them is built.
  constexpr int kMaxDepth = 2 * kMaxNesting + 32;
  auto depthLimit = [&path](int depth, json::parse_event_t, json&) {
    if (depth > kMaxDepth) {
      throw SceneFileError(path + ": nested deeper than " + std::to_string(kMaxDepth) +
                           " levels; assemblies nest at most " + std::to_string(kMaxNesting) +
                           " levels");
    }
    return true;
  };
  json j;
  try {
    j = json::parse(text, depthLimit);
  } catch (const json::parse_error& e) {
    throw SceneFileError(path + ": at byte " + std::to_string(e.byte) + ": not valid JSON");
  } catch (const json::out_of_range&) {
    throw SceneFileError(path + ": a number beyond the range of a double; not a scene file");
  }
  return SceneFromJson(j, path);
}

}  // namespace host::ref
