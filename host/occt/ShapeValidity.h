// Whether a shape is valid, in time close to linear in its size. The kernel's checker looks
// every vertex and edge of a face up among all of the face's others, so its cost grows with the
// square of a face's edge count: a profile of 10,000 segments takes most of a minute. Shapes
// whose faces are all small go to the checker whole, as before; a shape with a face of more
// than kLargeFaceEdges edges is checked piece by piece instead: small faces by the checker on
// their own, each edge of a large face on its own (its curves agree with each other and with
// its vertices), each wire of a large face closed, no two edges of a large face crossing or
// touching except at the vertex they share (a tree of their bounding boxes), and each shell
// closed and consistently oriented. Kernel types: for use inside host/occt only.
#pragma once

#include <TopoDS_Shape.hxx>

namespace host::occt {

inline constexpr int kLargeFaceEdges = 256;

bool IsValidShape(const TopoDS_Shape& shape);

}  // namespace host::occt
