// Slots running out from the axis of a bored part, made one tool of solids apart: the tool cuts
// the same solid as the boolean union of the slots, its solids keep apart, and anything whose
// shortening could change the result (no bore, too narrow a bore, slots off the axis or along
// one line, a tool that is no prism, a single slot) is left to the boolean.
#include <gtest/gtest.h>

#include <BRepAlgoAPI_Cut.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <BRepGProp.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <GProp_GProps.hxx>
#include <TopExp_Explorer.hxx>
#include <Bnd_Box.hxx>
#include <TopTools_ListOfShape.hxx>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "host/occt/RadialPrisms.h"

namespace vormbrace::test {
namespace {

using host::occt::RadialPrismsApart;

// A ring about Z, 17 across, 12 high, bored to `bore` (none at 0).
TopoDS_Shape Body(double bore = 5) {
  BRepBuilderAPI_MakePolygon p;
  p.Add(gp_Pnt(bore, 0, 0)), p.Add(gp_Pnt(8.5, 0, 0)), p.Add(gp_Pnt(8.5, 0, 12));
  p.Add(gp_Pnt(bore, 0, 12));
  p.Close();
  return BRepPrimAPI_MakeRevol(BRepBuilderAPI_MakeFace(p.Wire()).Face(),
                               gp_Ax1(gp::Origin(), gp::DZ()))
      .Shape();
}

// A slot `width` wide down from `top` with a round floor reaching z = 8, swept along +X from
// x = 0 to 10.6 (from the axis past the ring), shifted `aside` along Y, turned `degrees` about Z.
TopoDS_Shape Slot(double degrees, double width = 2.925, double aside = 0, double top = 12.5) {
  double r = width / 2, y0 = aside - r, y1 = aside + r, centre = 8 + r;
  gp_Pnt a(0, y1, top), b(0, y1, centre), c(0, y0, centre), d(0, y0, top);
  BRepBuilderAPI_MakeWire wire;
  wire.Add(BRepBuilderAPI_MakeEdge(a, b).Edge());
  wire.Add(BRepBuilderAPI_MakeEdge(GC_MakeArcOfCircle(b, gp_Pnt(0, aside, 8), c).Value()).Edge());
  wire.Add(BRepBuilderAPI_MakeEdge(c, d).Edge());
  wire.Add(BRepBuilderAPI_MakeEdge(d, a).Edge());
  TopoDS_Shape slot =
      BRepPrimAPI_MakePrism(BRepBuilderAPI_MakeFace(wire.Wire()).Face(), gp_Vec(10.6, 0, 0))
          .Shape();
  gp_Trsf turn;
  turn.SetRotation(gp::OZ(), degrees * M_PI / 180);
  return BRepBuilderAPI_Transform(slot, turn, Standard_True).Shape();
}

std::vector<TopoDS_Shape> Slots(int count, double width = 2.925, double aside = 0,
                                double top = 12.5) {
  std::vector<TopoDS_Shape> slots;
  for (int k = 0; k < count; ++k) slots.push_back(Slot(360.0 * k / count, width, aside, top));
  return slots;
}

double Volume(const TopoDS_Shape& s) {
  GProp_GProps props;
  BRepGProp::VolumeProperties(s, props);
  return props.Mass();
}

int Count(const TopoDS_Shape& s, TopAbs_ShapeEnum type) {
  int n = 0;
  for (TopExp_Explorer e(s, type); e.More(); e.Next()) ++n;
  return n;
}

TopoDS_Shape CutByUnion(const TopoDS_Shape& body, const std::vector<TopoDS_Shape>& slots) {
  TopTools_ListOfShape arguments, tools;
  arguments.Append(slots.front());
  for (std::size_t i = 1; i < slots.size(); ++i) tools.Append(slots[i]);
  BRepAlgoAPI_Fuse fuse;
  fuse.SetArguments(arguments);
  fuse.SetTools(tools);
  fuse.Build();
  return BRepAlgoAPI_Cut(body, fuse.Shape()).Shape();
}

// Slots rising past the ring's top, or ending on its top face (there the tool rises past it).
TEST(RadialPrisms, SlotsCrowdingInsideTheBoreCutAsTheirUnionCuts) {
  for (auto [count, top] : {std::pair{2, 12.5}, {4, 12.5}, {6, 12.5}, {3, 12.0}, {6, 12.0}}) {
    SCOPED_TRACE(std::to_string(count) + " slots up to " + std::to_string(top));
    TopoDS_Shape body = Body();
    std::vector<TopoDS_Shape> slots = Slots(count, 2.925, 0, top);
    TopoDS_Shape tool = RadialPrismsApart({body}, slots);
    ASSERT_FALSE(tool.IsNull());
    ASSERT_EQ(Count(tool, TopAbs_SOLID), count);
    Bnd_Box reach;
    BRepBndLib::AddOptimal(tool, reach, Standard_False, Standard_False);
    EXPECT_GT(reach.CornerMax().Z(), 12.4);
    for (TopExp_Explorer a(tool, TopAbs_SOLID); a.More(); a.Next()) {
      EXPECT_TRUE(BRepCheck_Analyzer(a.Current()).IsValid());
      EXPECT_GT(Volume(a.Current()), 0);
      for (TopExp_Explorer b(tool, TopAbs_SOLID); b.More(); b.Next()) {
        if (a.Current().IsSame(b.Current())) continue;
        BRepExtrema_DistShapeShape apart(a.Current(), b.Current());
        EXPECT_GT(apart.Value(), 1e-3);
      }
    }
    TopoDS_Shape direct = BRepAlgoAPI_Cut(body, tool).Shape();
    TopoDS_Shape reference = CutByUnion(body, slots);
    EXPECT_TRUE(BRepCheck_Analyzer(direct).IsValid());
    EXPECT_EQ(Count(direct, TopAbs_SOLID), 1);
    EXPECT_NEAR(Volume(direct), Volume(reference), 1e-9 * Volume(reference));
    EXPECT_EQ(Count(direct, TopAbs_FACE), Count(reference, TopAbs_FACE));
  }
}

TEST(RadialPrisms, SlotsAlreadyApartAreKeptWhole) {
  // Boxes from 6 out to 9.2, across the rim of a ring with no bore: nothing needs shortening.
  std::vector<TopoDS_Shape> boxes;
  for (int k = 0; k < 4; ++k) {
    gp_Trsf turn;
    turn.SetRotation(gp::OZ(), k * M_PI / 2);
    boxes.push_back(BRepBuilderAPI_Transform(
                        BRepPrimAPI_MakeBox(gp_Pnt(6, -1, 10), gp_Pnt(9.2, 1, 12.5)).Shape(), turn,
                        Standard_True)
                        .Shape());
  }
  TopoDS_Shape tool = RadialPrismsApart({Body(0)}, boxes);
  ASSERT_FALSE(tool.IsNull());
  std::vector<TopoDS_Shape> kept;
  for (TopExp_Explorer e(tool, TopAbs_SOLID); e.More(); e.Next()) kept.push_back(e.Current());
  ASSERT_EQ(kept.size(), boxes.size());
  for (std::size_t i = 0; i < kept.size(); ++i) EXPECT_TRUE(kept[i].IsSame(boxes[i]));
}

TEST(RadialPrisms, OtherRemovalsAreLeftToTheBoolean) {
  // Material where the shortened slots leave out: no bore, or one too narrow.
  EXPECT_TRUE(RadialPrismsApart({Body(0)}, Slots(6)).IsNull());
  EXPECT_TRUE(RadialPrismsApart({Body(2.5)}, Slots(6)).IsNull());
  // A single slot, and slots along one line.
  EXPECT_TRUE(RadialPrismsApart({Body()}, Slots(1)).IsNull());
  EXPECT_TRUE(RadialPrismsApart({Body()}, {Slot(0), Slot(0, 2)}).IsNull());
  // Slots beside the lines out from the axis.
  EXPECT_TRUE(RadialPrismsApart({Body()}, Slots(6, 2.925, 0.5)).IsNull());
  // A removal that is no prism square to the axis: a pin along it.
  std::vector<TopoDS_Shape> withPin = Slots(3);
  withPin.push_back(
      BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(7, 0, 0), gp::DZ()), 0.5, 12).Shape());
  EXPECT_TRUE(RadialPrismsApart({Body()}, withPin).IsNull());
}

}  // namespace
}  // namespace vormbrace::test
