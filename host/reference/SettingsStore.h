// The settings store of the reference host: a JSON file standing in for the registry (keys with
// named string values) and for the host's configuration store (sections with values).
//
//   { "registry": { "SOFTWARE\\Lindqvar\\Corvane": { "Language": "English", "ApplDir": "." } },
//     "config":   { "Directories": { "ThreadFile": "/opt/host/bin" } } }
//
// A relative "ApplDir" is taken from the folder of the settings file, so a settings file that
// lies in the application folder finds it wherever the folder is installed.
#pragma once

#include <map>
#include <stdexcept>
#include <string>

namespace host::ref {

class SettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SettingsStore {
 public:
  SettingsStore() = default;
  // Reads a settings file. A missing file gives an empty store (every value reads as "");
  // a damaged one raises SettingsError naming the file and the position.
  static SettingsStore Load(const std::string& path);

  // "" when the key or the value is missing.
  std::string Registry(const std::string& key, const std::string& valueName) const;
  void SetRegistry(const std::string& key, const std::string& valueName, const std::string& value);
  bool HasSection(const std::string& section) const;
  // false when the section or the value is missing.
  bool Config(const std::string& section, const std::string& name, std::string& value) const;
  void SetConfig(const std::string& section, const std::string& name, const std::string& value);

  const std::map<std::string, std::map<std::string, std::string>>& RegistryKeys() const {
    return registry_;
  }

 private:
  using Sections = std::map<std::string, std::map<std::string, std::string>>;
  Sections registry_;
  Sections config_;
};

}  // namespace host::ref
