// Reading a binary glTF file in the tests, independently of the writer: its JSON and the
// numbers of an accessor.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace vormbrace::test {

struct Glb {
  nlohmann::json json;
  std::string binary;

  // Reads the file; a file that is no GLB fails the calling test and reads empty.
  static Glb Read(const std::string& path);
  // The float components of accessor `index`, in order.
  std::vector<float> Floats(int index) const;
};

}  // namespace vormbrace::test
