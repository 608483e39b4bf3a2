// Test support: a reference host installed for one test, with the add-in's classes registered,
// the run-time state reset, and a scratch folder removed afterwards.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "host/reference/ReferenceHost.h"
#include "host/reference/SceneDocument.h"

namespace vormbrace::test {

class TestHost {
 public:
  explicit TestHost(host::ref::SettingsStore settings = {});
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  host::ref::ReferenceHost& Host() { return *host_; }
  host::ref::SettingsStore& Settings() { return host_->Settings(); }
  // A fresh folder for this test's files.
  const std::filesystem::path& Scratch() const { return scratch_; }
  // Writes a file under the scratch folder and returns its path.
  std::string WriteFile(const std::string& relative, const std::string& content) const;
  std::string ReadFile(const std::string& path) const;

 private:
  std::unique_ptr<host::ref::ReferenceHost> host_;
  std::filesystem::path scratch_;
};

}  // namespace vormbrace::test
