// Export of a scene: STEP AP214 keeping the scene's tree (assemblies with their members, one
// product per distinct part, one instance per placement, names, colours, part numbers and
// descriptions), binary STL (one mesh of the parts), and binary glTF (.glb) with one mesh per
// distinct part, one node per placement, a PBR material per fastener material and the thread
// texture embedded and wrapped round the threaded faces. Parts without material are left
// out. STEP strings hold only ASCII (other characters as ISO 10303-21 directives); a text is cut
// where it passes kMaxStepText bytes as written, with a warning. Files are written beside the
// target and renamed over it, so a failed export leaves the previous file as it was.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneDocument.h"

namespace host::occt {

// Names, part numbers and descriptions longer than this as written in a STEP file (with their
// directives) are cut there, at a character's start.
inline constexpr std::size_t kMaxStepText = 4096;

class ExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class ExportFormat { Step, Stl, Glb };

// By the file name's extension, case-insensitive: .step or .stp, .stl, .glb. Raises
// ExportError naming the file for any other.
ExportFormat FormatOf(const std::string& path);

// How a fastener material looks: a name, a linear RGB colour (0 to 1) and the PBR metallic and
// roughness factors (0 to 1).
struct Appearance {
  std::string name;
  std::array<double, 3> colour{0.6, 0.6, 0.6};
  double metallic = 1, roughness = 0.5;
  bool operator==(const Appearance&) const = default;
};

struct ExportOptions {
  // Tessellation of STL and glTF: the largest distance of a facet from the true surface (mm)
  // and the largest angle between neighbouring facets (radians). Both must be > 0.
  double deflection = 0.02;
  double angle = 0.25;
  // When not empty, only the first part of this name is written (placed as in the scene).
  std::string part;
  // The look of a part (its fastener material); parts it answers nothing for stay uncoloured.
  using AppearanceLookup = std::function<std::optional<Appearance>(ref::SceneShape& part)>;
  AppearanceLookup appearanceOf;
  // Told, once the file is written, of each name, part number or description that the STEP
  // file cuts to kMaxStepText bytes as written (a message naming the file and the part).
  std::function<void(const std::string& message)> warn;
};

// Writes the scene (the document's kernel evaluates it; a document without one gets one).
// Raises ExportError when there is nothing to write, a named part is missing, an option is out
// of range or the file cannot be written, and host::RuntimeError when a part's features make
// no solid.
void ExportScene(ref::SceneDocument& document, const std::string& path,
                 const ExportOptions& options = {});

// A part of a STEP file as the kernel reads it back: its instance name and its solid's
// figures where the file places it.
struct StepProduct {
  std::string name;
  SolidFigures figures;
};

// The parts of a STEP file, depth first in the file's tree. Raises ExportError when it cannot
// be read.
std::vector<StepProduct> ReadStepProducts(const std::string& path);

// A node of an exported file's tree as the kernel reads it back: an instance of an assembly
// or a part. `product` numbers the distinct products (equal numbers: the same product, or the
// same mesh).
struct ReadNode {
  std::string name;
  int product = 0;
  std::optional<std::array<double, 3>> colour;  // linear RGB of the product or its faces
  // The texture coordinate bounds (u min, u max, v min, v max) of each face that has texture
  // coordinates (glTF).
  std::vector<std::array<double, 4>> textured;
  std::vector<ReadNode> children;  // empty for a part
};

// A product record of a STEP file: its identifier (part number), name and description.
struct StepProductRecord {
  std::string id, name, description;
};

struct ReadTree {
  std::vector<ReadNode> roots;
  std::vector<StepProductRecord> products;  // STEP only
};

// The whole tree of a STEP or glTF (.glb) file, by its extension. Raises ExportError when it
// cannot be read. The kernel's glTF reader keeps neither the nodes' names nor the tree: a glTF
// file reads as one node of all its faces.
ReadTree ReadExportedTree(const std::string& path);

}  // namespace host::occt
