// Test support.
#include "support/TestHost.h"

#include <fstream>
#include <random>
#include <sstream>

#include "dialog/AddInClasses.h"
#include "data/Globals.h"
#include "host/TextFile.h"

namespace vormbrace::test {

TestHost::TestHost(host::ref::SettingsStore settings)
    : host_(std::make_unique<host::ref::ReferenceHost>(std::move(settings))) {
  for (const ClassInfo& c : AddInClasses())
    host_->Classes().Register(c.progId, c.classId, c.create);
  host::SetCurrentHost(host_.get());
  host::SetFileRedirect("", "");
  State() = RunTimeState{};
  std::random_device rd;
  scratch_ = std::filesystem::temp_directory_path() / ("vormbrace-test-" + std::to_string(rd()));
  std::filesystem::create_directories(scratch_);
}

TestHost::~TestHost() {
  host::SetCurrentHost(nullptr);
  host::SetFileRedirect("", "");
  std::error_code ec;
  std::filesystem::remove_all(scratch_, ec);
}

std::string TestHost::WriteFile(const std::string& relative, const std::string& content) const {
  std::filesystem::path path = scratch_ / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
  return path.string();
}

std::string TestHost::ReadFile(const std::string& path) const {
  std::ifstream in(host::NativePath(path), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace vormbrace::test
