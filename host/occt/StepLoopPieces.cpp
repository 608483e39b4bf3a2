#include "host/occt/StepLoopPieces.h"

#include <BRepTools_ReShape.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <StepShape_EdgeLoop.hxx>
#include <StepShape_Face.hxx>
#include <StepShape_FaceBound.hxx>
#include <StepShape_HArray1OfFaceBound.hxx>
#include <StepShape_HArray1OfOrientedEdge.hxx>
#include <StepShape_OrientedEdge.hxx>
#include <StepShape_Vertex.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Iterator.hxx>
#include <TopoDS_Vertex.hxx>
#include <TopoDS_Wire.hxx>
#include <algorithm>
#include <unordered_set>
#include <vector>

namespace host::occt {
namespace {

// The wire's edges in the order the translator takes them: the wire's own, as in the wire
// turned forward.
std::vector<TopoDS_Edge> EdgesOf(const TopoDS_Shape& wire) {
  std::vector<TopoDS_Edge> edges;
  for (TopoDS_Iterator e(wire.Oriented(TopAbs_FORWARD)); e.More(); e.Next()) {
    edges.push_back(TopoDS::Edge(e.Value()));
  }
  return edges;
}

// Each edge starts at the vertex the one before it ends at, and the first where the last ends;
// none is degenerate (the translator leaves those out) or lies inside the face.
bool InOrder(const std::vector<TopoDS_Edge>& edges) {
  for (std::size_t i = 0; i < edges.size(); ++i) {
    const TopoDS_Edge& edge = edges[i];
    if (BRep_Tool::Degenerated(edge)) return false;
    if (edge.Orientation() != TopAbs_FORWARD && edge.Orientation() != TopAbs_REVERSED) {
      return false;
    }
    TopoDS_Vertex end = TopExp::LastVertex(edge, Standard_True);
    TopoDS_Vertex next = TopExp::FirstVertex(edges[(i + 1) % edges.size()], Standard_True);
    if (end.IsNull() || !end.IsSame(next)) return false;
  }
  return true;
}

// The face with each long wire in order replaced by its runs, each turned as the wire was; a
// null face when it has no such wire.
TopoDS_Face InPieces(const TopoDS_Face& face) {
  const TopoDS_Shape forward = face.Oriented(TopAbs_FORWARD);
  BRep_Builder builder;
  TopoDS_Shape out = forward.EmptyCopied();
  bool cut = false;
  for (TopoDS_Iterator w(forward); w.More(); w.Next()) {
    const TopoDS_Shape& wire = w.Value();
    std::vector<TopoDS_Edge> edges;
    if (wire.ShapeType() == TopAbs_WIRE) edges = EdgesOf(wire);
    if (edges.size() <= static_cast<std::size_t>(kLoopPiece) || !InOrder(edges)) {
      builder.Add(out, wire);
      continue;
    }
    cut = true;
    for (std::size_t start = 0; start < edges.size(); start += kLoopPiece) {
      TopoDS_Wire piece;
      builder.MakeWire(piece);
      const std::size_t end = std::min(edges.size(), start + kLoopPiece);
      for (std::size_t i = start; i < end; ++i) builder.Add(piece, edges[i]);
      piece.Orientation(wire.Orientation());
      builder.Add(out, piece);
    }
  }
  if (!cut) return {};
  out.Orientation(face.Orientation());
  return TopoDS::Face(out);
}

using Loop = Handle(StepShape_EdgeLoop);

Loop EdgeLoopOf(const Handle(StepShape_FaceBound) & bound) {
  return bound.IsNull() ? Loop() : Handle(StepShape_EdgeLoop)::DownCast(bound->Bound());
}

Handle(StepShape_Vertex) Start(const Loop& loop) {
  return loop->EdgeListValue(1)->EdgeStart();
}

Handle(StepShape_Vertex) End(const Loop& loop) {
  return loop->EdgeListValue(loop->NbEdgeList())->EdgeEnd();
}

// A loop of edges that does not end where it starts: a run of a longer one.
bool IsRun(const Loop& loop) {
  return !loop.IsNull() && !loop->EdgeList().IsNull() && loop->NbEdgeList() > 0 &&
         Start(loop) != End(loop);
}

// How many bounds from `first` on are runs of one loop, each turned alike and starting where
// the one before ends, the last ending where the first starts; 0 when they are not.
int RunLength(const StepShape_HArray1OfFaceBound& bounds, int first) {
  Loop head = EdgeLoopOf(bounds.Value(first));
  if (!IsRun(head)) return 0;
  Handle(StepShape_Vertex) end = End(head);
  for (int i = first + 1; i <= bounds.Upper(); ++i) {
    Loop next = EdgeLoopOf(bounds.Value(i));
    if (!IsRun(next) || Start(next) != end ||
        bounds.Value(i)->Orientation() != bounds.Value(first)->Orientation()) {
      return 0;
    }
    end = End(next);
    if (end == Start(head)) return i - first + 1;
  }
  return 0;
}

// Puts the edges of bounds first .. first + count - 1 into the first's loop; records the
// others' bounds and loops as `dropped`.
void Join(const StepShape_HArray1OfFaceBound& bounds, int first, int count,
          std::unordered_set<const Standard_Transient*>& dropped) {
  int edges = 0;
  for (int i = first; i < first + count; ++i) edges += EdgeLoopOf(bounds.Value(i))->NbEdgeList();
  Handle(StepShape_HArray1OfOrientedEdge) all = new StepShape_HArray1OfOrientedEdge(1, edges);
  int n = 0;
  for (int i = first; i < first + count; ++i) {
    Loop loop = EdgeLoopOf(bounds.Value(i));
    for (int e = 1; e <= loop->NbEdgeList(); ++e) all->SetValue(++n, loop->EdgeListValue(e));
    if (i > first) {
      dropped.insert(bounds.Value(i).get());
      dropped.insert(loop.get());
    }
  }
  EdgeLoopOf(bounds.Value(first))->SetEdgeList(all);
}

// Joins the runs among the face's bounds; answers whether it joined any.
bool JoinFace(StepShape_Face& face, std::unordered_set<const Standard_Transient*>& dropped) {
  Handle(StepShape_HArray1OfFaceBound) bounds = face.Bounds();
  if (bounds.IsNull() || bounds->Length() < 2) return false;
  std::vector<Handle(StepShape_FaceBound)> kept;
  for (int i = bounds->Lower(); i <= bounds->Upper();) {
    kept.push_back(bounds->Value(i));
    const int run = RunLength(*bounds, i);
    if (run > 1) Join(*bounds, i, run, dropped);
    i += std::max(run, 1);
  }
  if (static_cast<int>(kept.size()) == bounds->Length()) return false;
  Handle(StepShape_HArray1OfFaceBound) joined =
      new StepShape_HArray1OfFaceBound(1, static_cast<int>(kept.size()));
  for (std::size_t i = 0; i < kept.size(); ++i) joined->SetValue(static_cast<int>(i) + 1, kept[i]);
  face.SetBounds(joined);
  return true;
}

}  // namespace

TopoDS_Shape LoopsInPieces(const TopoDS_Shape& shape) {
  TopTools_IndexedMapOfShape faces;
  TopExp::MapShapes(shape, TopAbs_FACE, faces);
  BRepTools_ReShape reshape;
  bool any = false;
  for (int i = 1; i <= faces.Extent(); ++i) {
    TopoDS_Face pieces = InPieces(TopoDS::Face(faces(i)));
    if (pieces.IsNull()) continue;
    reshape.Replace(faces(i), pieces);
    any = true;
  }
  return any ? reshape.Apply(shape) : shape;
}

void JoinLoopPieces(const Handle(Interface_InterfaceModel) & model) {
  std::unordered_set<const Standard_Transient*> dropped;
  for (int i = 1; i <= model->NbEntities(); ++i) {
    Handle(StepShape_Face) face = Handle(StepShape_Face)::DownCast(model->Value(i));
    if (!face.IsNull()) JoinFace(*face, dropped);
  }
  if (dropped.empty()) return;
  // The model has no way to take one entity out: it is filled again without them, in order.
  std::vector<Handle(Standard_Transient)> kept;
  kept.reserve(static_cast<std::size_t>(model->NbEntities()));
  for (int i = 1; i <= model->NbEntities(); ++i) {
    if (dropped.count(model->Value(i).get()) == 0) kept.push_back(model->Value(i));
  }
  model->ClearEntities();
  model->Reservate(static_cast<int>(kept.size()));
  for (const Handle(Standard_Transient)& entity : kept) model->AddEntity(entity);
}

}  // namespace host::occt
