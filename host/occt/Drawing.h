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
};

// Raises DrawingError for an unknown view, a scene without parts with material, or a part
// name no such part has; host::RuntimeError when a part's features make no solid, the kernel
// fails, or a part's class raises an error while answering.
std::vector<ref::DrawnView> DrawViews(ref::SceneDocument& document,
                                      const ref::ClassRegistry& classes,
                                      const DrawingRequest& request);

// The views on a sheet with `title` in its title block, written to `path` through a temporary file,
// so that a failed write leaves the previous file as it was. Raises DrawingError naming the file
// when it cannot be written.
void WriteDrawing(const std::vector<ref::DrawnView>& views, const std::string& title,
                  const std::string& path);

}  // namespace host::occt
