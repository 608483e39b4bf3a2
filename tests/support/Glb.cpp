// Reading GLB chunks.
#include "support/Glb.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace vormbrace::test {
namespace {

std::uint32_t Word(const std::string& bytes, std::size_t at) {
  std::uint32_t w = 0;
  std::memcpy(&w, bytes.data() + at, 4);
  return w;
}

}  // namespace

Glb Glb::Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  Glb out;
  if (bytes.size() < 20 || bytes.compare(0, 4, "glTF") != 0 || Word(bytes, 8) != bytes.size()) {
    ADD_FAILURE() << path << " is no GLB file";
    return out;
  }
  std::uint32_t jsonLength = Word(bytes, 12);
  out.json = nlohmann::json::parse(bytes.substr(20, jsonLength));
  std::size_t binAt = 20 + jsonLength;
  if (binAt + 8 <= bytes.size()) out.binary = bytes.substr(binAt + 8, Word(bytes, binAt));
  return out;
}

std::vector<float> Glb::Floats(int index) const {
  const nlohmann::json& accessor = json["accessors"][index];
  const nlohmann::json& view = json["bufferViews"][accessor["bufferView"].get<int>()];
  static const std::map<std::string, int> kWidth = {{"SCALAR", 1}, {"VEC2", 2}, {"VEC3", 3}};
  std::size_t count = accessor["count"].get<std::size_t>() *
                      static_cast<std::size_t>(kWidth.at(accessor["type"].get<std::string>()));
  std::vector<float> out(count);
  std::memcpy(out.data(), binary.data() + view["byteOffset"].get<std::size_t>(),
              count * sizeof(float));
  return out;
}

}  // namespace vormbrace::test
