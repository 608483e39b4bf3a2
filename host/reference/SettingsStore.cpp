// Loading and querying the reference host's settings file.
#include "host/reference/SettingsStore.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace host::ref {
namespace {

using nlohmann::json;

void ReadSections(const json& j, const char* part, const std::string& path,
                  std::map<std::string, std::map<std::string, std::string>>& out) {
  auto it = j.find(part);
  if (it == j.end()) return;
  if (!it->is_object()) throw SettingsError(path + ": at /" + part + ": expected an object");
  for (const auto& [key, values] : it->items()) {
    std::string where = path + ": at /" + part + "/" + key;
    if (!values.is_object()) throw SettingsError(where + ": expected an object of named values");
    for (const auto& [name, value] : values.items()) {
      if (!value.is_string()) throw SettingsError(where + "/" + name + ": expected a text");
      out[key][name] = value.get<std::string>();
    }
  }
}

}  // namespace

SettingsStore SettingsStore::Load(const std::string& path) {
  SettingsStore store;
  std::ifstream in(path, std::ios::binary);
  if (!in) return store;
  std::stringstream buffer;
  buffer << in.rdbuf();
  json j;
  try {
    j = json::parse(buffer.str());
  } catch (const json::parse_error& e) {
    throw SettingsError(path + ": at byte " + std::to_string(e.byte) + ": not valid JSON");
  }
  if (!j.is_object())
    throw SettingsError(path + ": expected an object with \"registry\" and \"config\"");
  ReadSections(j, "registry", path, store.registry_);
  ReadSections(j, "config", path, store.config_);
  auto folder = std::filesystem::absolute(path).parent_path();
  for (auto& [key, values] : store.registry_) {
    auto appl = values.find("ApplDir");
    if (appl != values.end() && !appl->second.empty() &&
        std::filesystem::path(appl->second).is_relative()) {
      appl->second = (folder / appl->second).lexically_normal().string();
      while (appl->second.size() > 1 && appl->second.back() == '/') appl->second.pop_back();
    }
  }
  return store;
}

std::string SettingsStore::Registry(const std::string& key, const std::string& valueName) const {
  auto k = registry_.find(key);
  if (k == registry_.end()) return "";
  auto v = k->second.find(valueName);
  return v == k->second.end() ? "" : v->second;
}

void SettingsStore::SetRegistry(const std::string& key, const std::string& valueName,
                                const std::string& value) {
  registry_[key][valueName] = value;
}

bool SettingsStore::HasSection(const std::string& section) const {
  return config_.contains(section);
}

bool SettingsStore::Config(const std::string& section, const std::string& name,
                           std::string& value) const {
  auto s = config_.find(section);
  if (s == config_.end()) return false;
  auto v = s->second.find(name);
  if (v == s->second.end()) return false;
  value = v->second;
  return true;
}

void SettingsStore::SetConfig(const std::string& section, const std::string& name,
                              const std::string& value) {
  config_[section][name] = value;
}

}  // namespace host::ref
