// The reference host's drawing module: orthographic views of a scene's parts with hidden-line
// removal on their solids, and, for every part whose class answers the projected-thread
// questions, its thread drawn as ISO 6410-1 draws threads, with its callout; written as an SVG
// sheet (see DrawingSheet.h).
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "host/reference/ClassRegistry.h"
#include "host/reference/DrawingView.h"
#include "host/reference/SceneDocument.h"

namespace host::occt {

class DrawingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct DrawingRequest {
  std::vector<std::string> views;  // view names (ref::FindView), drawn side by side in order
  std::string partName;            // only the parts of this name; empty: every part
  bool hidden = false;             // also hidden lines, dashed
  std::string title;               // for the title block
};

// Raises DrawingError for an unknown view, a scene without parts with material, or a part
// name no such part has; host::RuntimeError when a part's features make no solid, the kernel
// fails, or a part's class raises an error while answering.
std::vector<ref::DrawnView> DrawViews(ref::SceneDocument& document,
                                      const ref::ClassRegistry& classes,
                                      const DrawingRequest& request);

// DrawViews on a sheet, written to `path` through a temporary file, so that on any error the
// previous file stays as it was. Raises as DrawViews, and DrawingError when the file cannot be
// written.
void WriteDrawing(ref::SceneDocument& document, const ref::ClassRegistry& classes,
                  const DrawingRequest& request, const std::string& path);

}  // namespace host::occt
