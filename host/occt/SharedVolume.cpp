// The common material of two placed parts.
#include "host/occt/SharedVolume.h"

#include <BRepAlgoAPI_Common.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>

#include "host/occt/Kernel.h"
#include "host/occt/PlacedParts.h"

namespace host::occt {

double SharedVolume(OcctEvaluator& kernel, ref::SceneDocument& document, ref::SceneShape& a,
                    ref::SceneShape& b) {
  TopoDS_Shape first, second;
  double volume = 0;
  Guarded("shared volume", [&] {
    for (const PlacedPart& placed : PlacedParts(kernel, document)) {
      if (placed.part != &a && placed.part != &b) continue;
      (placed.part == &a ? first : second) =
          BRepBuilderAPI_Transform(placed.solid, ToTrsf(placed.frame), true).Shape();
    }
    if (first.IsNull() || second.IsNull()) return;
    BRepAlgoAPI_Common common(first, second);
    if (!common.IsDone()) return;
    GProp_GProps props;
    BRepGProp::VolumeProperties(common.Shape(), props);
    volume = props.Mass();
  });
  return volume;
}

}  // namespace host::occt
