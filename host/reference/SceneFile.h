// Scene files: a scene document saved as JSON, every value with its type tag, and read back
// losslessly. A save replaces the file safely (host/SafeFile.h) and refuses a number that is
// not finite; a load that meets a damaged or foreign file, a number that is not finite,
// assemblies nested deeper than kMaxNesting or more than kMaxSceneBytes fails naming the file
// and the position, changing nothing.
#pragma once

#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <stdexcept>
#include <string>

#include "host/reference/SceneDocument.h"

namespace host::ref {

class SceneFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Assemblies may nest this many levels below the scene's root.
inline constexpr int kMaxNesting = 100;
// The largest scene file read.
inline constexpr std::size_t kMaxSceneBytes = std::size_t{64} << 20;

void SaveScene(SceneDocument& document, const std::string& path);
std::unique_ptr<SceneDocument> LoadScene(const std::string& path);
// The scene in `text` as LoadScene reads it; messages name `source`.
std::unique_ptr<SceneDocument> ParseScene(const std::string& text, const std::string& source);

nlohmann::json SceneToJson(SceneDocument& document);
// Raises SceneFileError naming `source` and the JSON path at fault.
std::unique_ptr<SceneDocument> SceneFromJson(const nlohmann::json& json, const std::string& source);

nlohmann::json ValueToJson(const Value& value);
nlohmann::json ShapeToJson(SceneShape& shape);
// A deep copy of a shape under `parent`, with fresh ids throughout.
std::unique_ptr<SceneShape> CloneShape(SceneShape& shape, SceneShape& parent);

}  // namespace host::ref
