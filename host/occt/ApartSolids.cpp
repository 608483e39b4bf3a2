// Gathering solids whose boxes are apart into one compound.
#include "host/occt/ApartSolids.h"

#include <BRepBndLib.hxx>
#include <BRep_Builder.hxx>
#include <Bnd_Box.hxx>
#include <Precision.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS_Compound.hxx>

namespace host::occt {
namespace {

bool OneSolid(const TopoDS_Shape& shape) {
  int solids = 0;
  for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next()) ++solids;
  return solids == 1;
}

}  // namespace

TopoDS_Shape GatherApart(const std::vector<TopoDS_Shape>& solids) {
  if (solids.size() < 2) return {};
  std::vector<Bnd_Box> boxes;
  for (const TopoDS_Shape& solid : solids) {
    if (solid.IsNull() || !OneSolid(solid)) return {};
    // The box of the edges' and faces' tolerances and curves, never smaller than the solid.
    Bnd_Box box;
    BRepBndLib::Add(solid, box, Standard_False);
    box.Enlarge(Precision::Confusion());
    for (const Bnd_Box& other : boxes) {
      if (!box.IsOut(other)) return {};
    }
    boxes.push_back(box);
  }
  BRep_Builder builder;
  TopoDS_Compound compound;
  builder.MakeCompound(compound);
  for (const TopoDS_Shape& solid : solids) builder.Add(compound, solid);
  return compound;
}

}  // namespace host::occt
