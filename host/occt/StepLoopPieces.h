// Long edge loops through the STEP translator in pieces. The translator sorts the edges of every
// loop it writes by looking, for each edge, at every edge not yet placed: its cost grows with
// the square of the loop's length (a loop of 100,000 edges took 40 s), and no setting turns the
// sort off. A sorted loop of n pieces costs n times the square of a piece instead: the
// translator is handed faces whose long wires are cut into runs of at most kLoopPiece edges in
// their own order, and the runs it wrote are joined back into one loop in the file, so the file
// holds the same faces, loops and edges as one written whole. Kernel types: for use inside
// host/occt only.
#pragma once

#include <Interface_InterfaceModel.hxx>
#include <TopoDS_Shape.hxx>

namespace host::occt {

inline constexpr int kLoopPiece = 512;

// `shape` with each face that has a wire of more than kLoopPiece edges, each following the
// one before it, replaced by the same face with that wire in runs of kLoopPiece edges; `shape`
// itself when it has no such wire. Faces whose long wires are out of order stay as they are.
TopoDS_Shape LoopsInPieces(const TopoDS_Shape& shape);

// Joins, in each face of the written model, the runs of loops that are open chains and close
// when put together, into the first run's loop; takes the others' bounds and loops out of the
// model.
void JoinLoopPieces(const Handle(Interface_InterfaceModel) & model);

}  // namespace host::occt
