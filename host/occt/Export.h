// Export of a scene's parts, each placed by its own frame and its assemblies' frames: STEP
// AP214 with one named product per part, binary STL, and binary glTF (.glb) with part names.
// Parts without material are left out. Files are written beside the target and renamed over
// it, so a failed export leaves the previous file as it was.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneDocument.h"

namespace host::occt {

class ExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class ExportFormat { Step, Stl, Glb };

// By the file name's extension, case-insensitive: .step or .stp, .stl, .glb. Raises
// ExportError naming the file for any other.
ExportFormat FormatOf(const std::string& path);

// Writes the scene's parts (the document's kernel evaluates them; a document without one gets
// one). Raises ExportError when there is nothing to write or the file cannot be written, and
// host::RuntimeError when a part's features make no solid.
void ExportScene(ref::SceneDocument& document, const std::string& path);

// A product of a STEP file as the kernel reads it back.
struct StepProduct {
  std::string name;
  SolidFigures figures;
};

// The top-level products of a STEP file, in order. Raises ExportError when it cannot be read.
std::vector<StepProduct> ReadStepProducts(const std::string& path);

}  // namespace host::occt
