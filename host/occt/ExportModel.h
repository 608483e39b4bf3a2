// What an export writes, gathered from a scene: the distinct parts (a solid in its own frame
// with its look, part data and threaded faces) and the tree of placements that uses them.
// Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <gp_Trsf.hxx>
#include <optional>
#include <string>
#include <vector>

#include "host/occt/Export.h"

namespace host::occt {

// A threaded face of a part's solid and how the thread image wraps it: `width` mm around the
// axis, `height` mm along it.
struct ThreadedFace {
  int face = 0;  // index in TopExp::MapShapes(solid, TopAbs_FACE), from 1
  std::string image;
  double width = 0, height = 0;
};

struct DistinctPart {
  std::string name;    // of the first part that uses it
  TopoDS_Shape solid;  // in the part's frame, without a location of its own
  std::optional<Appearance> look;
  std::string partNumber, description;
  std::vector<ThreadedFace> threads;
};

// An assembly (part < 0) or a placement of parts[part], in its parent's frame.
struct ExportNode {
  std::string name;
  gp_Trsf frame;
  int part = -1;
  std::vector<ExportNode> children;
  std::string partNumber, description;  // an assembly's own
};

struct ExportModel {
  std::vector<DistinctPart> parts;
  ExportNode root;  // the scene itself
};

// Gathers the scene's parts with material; with `options.part` set, only the first part of
// that name. Raises host::RuntimeError when a part's features make no solid.
ExportModel GatherModel(OcctEvaluator& kernel, ref::SceneShape& root, const ExportOptions& options);

// The number of placements of parts under `node`.
int CountPlacements(const ExportNode& node);

}  // namespace host::occt
