// Parts read from STEP files into a scene: the file's shape becomes one part under the scene's
// root, its geometry kept in the scene file so it survives save and reload, and holes can be
// cut into it like into any part. With a solid cache, a file's translation is kept by its
// content, so importing the same file again does not translate it again.
#pragma once

#include <stdexcept>
#include <string>

#include "host/reference/SceneDocument.h"

namespace host::occt {

class ImportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Adds the solids of a STEP file as a new part named after the file. Raises ImportError naming
// the file when it cannot be read or holds no solid.
ref::SceneShape& ImportStepPart(ref::SceneDocument& document, const std::string& path);

}  // namespace host::occt
