// The scene's parts with material, each with its frame in the scene (its own placement after
// its assemblies'), as export and drawing read them. Kernel types: host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>
#include <gp_Trsf.hxx>
#include <string>
#include <vector>

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneDocument.h"

namespace host::occt {

struct PlacedPart {
  ref::SceneShape* part = nullptr;
  ref::RigidTransform frame;  // the part's frame in the scene
  TopoDS_Shape solid;         // in the part's own frame
};

// In scene order, depth first; parts without material are left out. Raises host::RuntimeError
// when a part's features make no solid.
std::vector<PlacedPart> PlacedParts(OcctEvaluator& kernel, ref::SceneDocument& document);

gp_Trsf ToTrsf(const ref::RigidTransform& t);

}  // namespace host::occt
