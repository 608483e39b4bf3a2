// Orthographic views through HLRBRep_Algo, edges turned into polylines.
#include "host/occt/HiddenLines.h"

#include <BRepAdaptor_Curve.hxx>
#include <GCPnts_TangentialDeflection.hxx>
#include <HLRAlgo_Projector.hxx>
#include <HLRBRep_Algo.hxx>
#include <HLRBRep_HLRToShape.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <gp_Ax2.hxx>

namespace host::occt {
namespace {

// Polylines follow curves to within 0.01 mm and 0.1 rad: finer than a pen at any scale the
// sheet picks for fasteners.
constexpr double kChord = 0.01, kAngle = 0.1;

void AddEdges(const TopoDS_Shape& compound, std::vector<std::vector<ref::Point2>>& out) {
  if (compound.IsNull()) return;
  for (TopExp_Explorer e(compound, TopAbs_EDGE); e.More(); e.Next()) {
    BRepAdaptor_Curve curve(TopoDS::Edge(e.Current()));
    std::vector<ref::Point2> line;
    if (curve.GetType() == GeomAbs_Line) {
      for (double u : {curve.FirstParameter(), curve.LastParameter()}) {
        gp_Pnt p = curve.Value(u);
        line.push_back({p.X(), p.Y()});
      }
    } else {
      GCPnts_TangentialDeflection points(curve, kAngle, kChord);
      for (int i = 1; i <= points.NbPoints(); ++i) {
        gp_Pnt p = points.Value(i);
        line.push_back({p.X(), p.Y()});
      }
    }
    if (line.size() >= 2) out.push_back(std::move(line));
  }
}

}  // namespace

ProjectedEdges ProjectSolids(const std::vector<TopoDS_Shape>& solids, const ref::ViewAxes& view,
                             bool withHidden) {
  Handle(HLRBRep_Algo) algo = new HLRBRep_Algo();
  for (const TopoDS_Shape& s : solids) algo->Add(s);
  const ref::Vec3 z = view.toEye, x = view.xAxis;
  algo->Projector(
      HLRAlgo_Projector(gp_Ax2(gp_Pnt(0, 0, 0), gp_Dir(z.x, z.y, z.z), gp_Dir(x.x, x.y, x.z))));
  algo->Update();
  algo->Hide();
  HLRBRep_HLRToShape result(algo);
  ProjectedEdges edges;
  AddEdges(result.VCompound(), edges.visible);
  AddEdges(result.OutLineVCompound(), edges.visible);
  if (withHidden) {
    AddEdges(result.HCompound(), edges.hidden);
    AddEdges(result.OutLineHCompound(), edges.hidden);
  }
  return edges;
}

}  // namespace host::occt
