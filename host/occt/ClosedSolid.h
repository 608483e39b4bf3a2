// A solid from a shell whose faces were assembled to close it, without sewing. Kernel types:
// for use inside host/occt only.
#pragma once

#include <BRep_Builder.hxx>
#include <TopoDS_Shell.hxx>
#include <TopoDS_Solid.hxx>

namespace host::occt {

// The solid bounded by `shell`, marked closed.
inline TopoDS_Solid ClosedSolid(TopoDS_Shell shell) {
  BRep_Builder builder;
  shell.Closed(Standard_True);
  TopoDS_Solid solid;
  builder.MakeSolid(solid);
  builder.Add(solid, shell);
  return solid;
}

}  // namespace host::occt
