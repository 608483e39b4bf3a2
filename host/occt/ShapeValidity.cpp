// The validity check: the kernel's checker for shapes of small faces, a piecewise check when a
// face is large.
#include "host/occt/ShapeValidity.h"

#include <BRep_Builder.hxx>
#include <BVH_BoxSet.hxx>
#include <BVH_Traverse.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepCheck_Edge.hxx>
#include <BRepCheck_Shell.hxx>
#include <BRepCheck_Vertex.hxx>
#include <BRep_Tool.hxx>
#include <BndLib_Add2dCurve.hxx>
#include <Bnd_Box2d.hxx>
#include <Geom2dAPI_InterCurveCurve.hxx>
#include <Geom2d_Line.hxx>
#include <Geom2d_TrimmedCurve.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_DataMapOfShapeInteger.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Vertex.hxx>
#include <algorithm>
#include <vector>

namespace host::occt {
namespace {

// Edges meeting closer than this to the vertex they share (mm, or the vertex's own tolerance
// when larger) meet there.
constexpr double kMeetTolerance = 1e-5;
constexpr double kIntersectTolerance = 1e-7;

bool NoError(const BRepCheck_ListOfStatus& status) {
  return status.IsEmpty() || status.First() == BRepCheck_NoError;
}

int EdgeCount(const TopoDS_Shape& face) {
  TopTools_IndexedMapOfShape edges;
  TopExp::MapShapes(face, TopAbs_EDGE, edges);
  return edges.Extent();
}

// An edge's own curves agree with each other and with its vertices.
bool EdgeValid(const TopoDS_Edge& edge) {
  BRepCheck_Edge check(edge);
  if (!NoError(check.Status())) return false;
  for (TopExp_Explorer v(edge, TopAbs_VERTEX); v.More(); v.Next()) {
    BRepCheck_Vertex vertex(TopoDS::Vertex(v.Current()));
    vertex.InContext(edge);
    if (!NoError(vertex.StatusOnShape(edge))) return false;
  }
  return true;
}

// Every vertex of each wire ends an even number of its edges.
bool WiresClosed(const TopoDS_Face& face) {
  for (TopExp_Explorer w(face, TopAbs_WIRE); w.More(); w.Next()) {
    TopTools_DataMapOfShapeInteger ends;
    for (TopExp_Explorer e(w.Current(), TopAbs_EDGE); e.More(); e.Next()) {
      TopoDS_Vertex first, last;
      TopExp::Vertices(TopoDS::Edge(e.Current()), first, last);
      if (first.IsNull() || last.IsNull()) return false;
      for (const TopoDS_Vertex& v : {first, last}) {
        if (ends.IsBound(v)) {
          ends.ChangeFind(v) += 1;
        } else {
          ends.Bind(v, 1);
        }
      }
    }
    for (TopTools_DataMapOfShapeInteger::Iterator it(ends); it.More(); it.Next()) {
      if (it.Value() % 2 != 0) return false;
    }
  }
  return true;
}

// An edge of a face as its curve on the face.
struct Piece {
  TopoDS_Edge edge;
  Handle(Geom2d_Curve) curve;
  TopoDS_Vertex ends[2];
  gp_Pnt2d points[2];
  bool straight = false;
  double tolerance = 0;
  Bnd_Box2d box;
  double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
};

// Where two edges may meet: at a vertex both end at.
bool MeetAtSharedVertex(const gp_Pnt2d& p, const Piece& a, const Piece& b) {
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 2; ++j) {
      if (!a.ends[i].IsSame(b.ends[j])) continue;
      double reach = std::max({kMeetTolerance, a.tolerance, b.tolerance});
      if (p.Distance(a.points[i]) <= reach && p.Distance(b.points[j]) <= reach) return true;
    }
  }
  return false;
}

double DistanceToSegment(const gp_Pnt2d& p, const gp_Pnt2d& a, const gp_Pnt2d& b) {
  gp_Vec2d ab(a, b), ap(a, p);
  double length2 = ab.SquareMagnitude();
  double t = length2 > 0 ? std::clamp(ap.Dot(ab) / length2, 0.0, 1.0) : 0.0;
  return p.Distance(gp_Pnt2d(a.XY() + t * ab.XY()));
}

// Two straight edges cross or touch: nearer than `reach` anywhere, or, when they share a
// vertex, along each other beyond it.
bool SegmentsMeet(const Piece& a, const Piece& b, double reach) {
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 2; ++j) {
      if (!a.ends[i].IsSame(b.ends[j])) continue;
      return DistanceToSegment(a.points[1 - i], b.points[0], b.points[1]) <= reach ||
             DistanceToSegment(b.points[1 - j], a.points[0], a.points[1]) <= reach;
    }
  }
  const gp_Pnt2d &a0 = a.points[0], &a1 = a.points[1], &b0 = b.points[0], &b1 = b.points[1];
  auto side = [](const gp_Pnt2d& p, const gp_Pnt2d& q, const gp_Pnt2d& r) {
    return gp_Vec2d(p, q).Crossed(gp_Vec2d(p, r));
  };
  double s1 = side(a0, a1, b0), s2 = side(a0, a1, b1), s3 = side(b0, b1, a0),
         s4 = side(b0, b1, a1);
  if (((s1 > 0 && s2 < 0) || (s1 < 0 && s2 > 0)) && ((s3 > 0 && s4 < 0) || (s3 < 0 && s4 > 0)))
    return true;
  return std::min({DistanceToSegment(a0, b0, b1), DistanceToSegment(a1, b0, b1),
                   DistanceToSegment(b0, a0, a1), DistanceToSegment(b1, a0, a1)}) <= reach;
}

bool Cross(const Piece& a, const Piece& b) {
  if (a.edge.IsSame(b.edge)) return false;
  if (a.straight && b.straight)
    return SegmentsMeet(a, b, std::max({kMeetTolerance, a.tolerance, b.tolerance}));
  Geom2dAPI_InterCurveCurve meet(a.curve, b.curve, kIntersectTolerance);
  if (meet.NbSegments() > 0) return true;
  for (int i = 1; i <= meet.NbPoints(); ++i) {
    if (!MeetAtSharedVertex(meet.Point(i), a, b)) return true;
  }
  return false;
}

// The face's pieces by their boxes in a tree, asked piece by piece for the later pieces whose
// boxes overlap its own: each pair of overlapping boxes is met once, in time growing with
// n log n plus the overlaps. (A sweep along X over a list of open boxes grew with the square
// of the edge count where many edges span the same X, as the teeth of a dense zigzag do.)
struct NoMetric {};  // the tree is walked in its own order

class CrossingSearch : public BVH_Traverse<double, 2, BVH_BoxSet<double, 2, int>, NoMetric> {
 public:
  explicit CrossingSearch(const std::vector<Piece>& pieces) : pieces_(pieces) {
    for (int i = 0; i < static_cast<int>(pieces.size()); ++i) {
      const Piece& p = pieces[static_cast<std::size_t>(i)];
      boxes_.Add(i, BVH_Box<double, 2>(BVH_Vec2d(p.xmin, p.ymin), BVH_Vec2d(p.xmax, p.ymax)));
    }
    boxes_.Build();
    SetBVHSet(&boxes_);
  }

  // Whether piece `i` crosses or touches a later one.
  bool Crosses(int i) {
    current_ = i;
    Select();
    return crossed_;
  }

  Standard_Boolean RejectNode(const BVH_Vec2d& min, const BVH_Vec2d& max,
                              NoMetric&) const override {
    const Piece& p = Current();
    return max.x() < p.xmin || min.x() > p.xmax || max.y() < p.ymin || min.y() > p.ymax;
  }

  Standard_Boolean Accept(const Standard_Integer index, const NoMetric&) override {
    int other = boxes_.Element(index);
    if (other <= current_) return Standard_False;
    const Piece& q = pieces_[static_cast<std::size_t>(other)];
    crossed_ = !Current().box.IsOut(q.box) && Cross(Current(), q);
    return crossed_;
  }

  Standard_Boolean Stop() const override { return crossed_; }

 private:
  const Piece& Current() const { return pieces_[static_cast<std::size_t>(current_)]; }

  const std::vector<Piece>& pieces_;
  BVH_BoxSet<double, 2, int> boxes_;
  int current_ = 0;
  bool crossed_ = false;
};

// No two edges of the face cross or touch away from their shared vertices.
bool EdgesApart(const TopoDS_Face& face) {
  std::vector<Piece> pieces;
  for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) {
    Piece p;
    p.edge = TopoDS::Edge(e.Current());
    if (BRep_Tool::Degenerated(p.edge)) continue;
    double first = 0, last = 0;
    Handle(Geom2d_Curve) curve = BRep_Tool::CurveOnSurface(p.edge, face, first, last);
    if (curve.IsNull()) return false;
    p.curve = new Geom2d_TrimmedCurve(curve, first, last);
    p.straight = curve->DynamicType() == STANDARD_TYPE(Geom2d_Line);
    TopExp::Vertices(p.edge, p.ends[0], p.ends[1]);
    p.points[0] = curve->Value(first);
    p.points[1] = curve->Value(last);
    p.tolerance = BRep_Tool::Tolerance(p.edge);
    for (const TopoDS_Vertex& v : p.ends) {
      if (!v.IsNull()) p.tolerance = std::max(p.tolerance, BRep_Tool::Tolerance(v));
    }
    BndLib_Add2dCurve::Add(curve, first, last, p.tolerance, p.box);
    p.box.Get(p.xmin, p.ymin, p.xmax, p.ymax);
    pieces.push_back(std::move(p));
  }
  CrossingSearch search(pieces);
  for (int i = 0; i < static_cast<int>(pieces.size()); ++i) {
    if (search.Crosses(i)) return false;
  }
  return true;
}

bool LargeFaceValid(const TopoDS_Face& face) {
  TopTools_IndexedMapOfShape edges;
  TopExp::MapShapes(face, TopAbs_EDGE, edges);
  for (int i = 1; i <= edges.Extent(); ++i) {
    if (!EdgeValid(TopoDS::Edge(edges(i)))) return false;
  }
  return WiresClosed(face) && EdgesApart(face);
}

// Each shell is whole and consistently oriented: every edge bounds exactly two of its faces,
// once in each direction (a seam twice in one face, likewise). One pass over the edges; the
// kernel's own orientation check compares faces pairwise.
bool ShellsValid(const TopoDS_Shape& shape) {
  for (TopExp_Explorer s(shape, TopAbs_SHELL); s.More(); s.Next()) {
    if (!NoError(BRepCheck_Shell(TopoDS::Shell(s.Current())).Status())) return false;
    TopTools_DataMapOfShapeInteger balance, uses;
    for (TopExp_Explorer e(s.Current(), TopAbs_EDGE); e.More(); e.Next()) {
      const TopoDS_Edge& edge = TopoDS::Edge(e.Current());
      if (BRep_Tool::Degenerated(edge)) continue;
      int step = 0;
      if (edge.Orientation() == TopAbs_FORWARD) step = 1;
      if (edge.Orientation() == TopAbs_REVERSED) step = -1;
      if (step == 0) return false;
      if (!balance.IsBound(edge)) {
        balance.Bind(edge, 0);
        uses.Bind(edge, 0);
      }
      balance.ChangeFind(edge) += step;
      uses.ChangeFind(edge) += 1;
    }
    for (TopTools_DataMapOfShapeInteger::Iterator it(balance); it.More(); it.Next()) {
      if (it.Value() != 0 || uses.Find(it.Key()) != 2) return false;
    }
  }
  return true;
}

bool PiecewiseValid(const TopoDS_Shape& shape) {
  TopTools_IndexedMapOfShape faces;
  TopExp::MapShapes(shape, TopAbs_FACE, faces);
  // The small faces go to the checker together: one run, each face its own context.
  BRep_Builder builder;
  TopoDS_Compound small;
  builder.MakeCompound(small);
  for (int i = 1; i <= faces.Extent(); ++i) {
    const TopoDS_Face& face = TopoDS::Face(faces(i));
    if (EdgeCount(face) <= kLargeFaceEdges) {
      builder.Add(small, face);
    } else if (!LargeFaceValid(face)) {
      return false;
    }
  }
  return BRepCheck_Analyzer(small, Standard_True, Standard_True).IsValid() && ShellsValid(shape);
}

}  // namespace

bool IsValidShape(const TopoDS_Shape& shape) {
  if (shape.IsNull()) return false;
  try {
    for (TopExp_Explorer f(shape, TopAbs_FACE); f.More(); f.Next()) {
      if (EdgeCount(f.Current()) > kLargeFaceEdges) return PiecewiseValid(shape);
    }
    return BRepCheck_Analyzer(shape, Standard_True, Standard_True).IsValid();
  } catch (const Standard_Failure&) {
    return false;
  }
}

}  // namespace host::occt
