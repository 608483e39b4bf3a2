// Slots cut across the rim of a chamfered, bored cylinder: built directly, the result is the
// one valid solid the boolean cut gives, whichever end the chamfer is at; anything else (a slot
// reaching the chamfer or ending inside the rim, slots running into each other, a cylinder
// without its chamfer, a tool that is no box) is left to the boolean.
#include <gtest/gtest.h>

#include <BRepAlgoAPI_Cut.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepGProp.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <BRep_Builder.hxx>
#include <GProp_GProps.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS_Compound.hxx>
#include <cmath>
#include <vector>

#include "host/occt/RimSlots.h"

namespace vormbrace::test {
namespace {

using host::occt::CutRimSlots;

// A ring about Z, 18 across, bored 10, 4 high, its top rim chamfered from 17 across at 30°
// (or, with `chamfer` false, square).
TopoDS_Shape Ring(bool chamfer = true) {
  double foot = 4 - 0.5 * std::tan(M_PI / 6);
  BRepBuilderAPI_MakePolygon p;
  p.Add(gp_Pnt(5, 0, 0)), p.Add(gp_Pnt(9, 0, 0)), p.Add(gp_Pnt(9, 0, chamfer ? foot : 4));
  if (chamfer) p.Add(gp_Pnt(8.5, 0, 4));
  p.Add(gp_Pnt(5, 0, 4));
  p.Close();
  return BRepPrimAPI_MakeRevol(BRepBuilderAPI_MakeFace(p.Wire()).Face(),
                               gp_Ax1(gp::Origin(), gp::DZ()))
      .Shape();
}

// `count` slots `width` wide from `floor` out to `end`, from z = -0.1 to 4.1, the first along +Y.
TopoDS_Shape Slots(int count, double width = 3, double floor = 7, double end = 9.2) {
  TopoDS_Compound all;
  BRep_Builder builder;
  builder.MakeCompound(all);
  for (int k = 0; k < count; ++k) {
    TopoDS_Shape box =
        BRepPrimAPI_MakeBox(gp_Pnt(-width / 2, floor, -0.1), gp_Pnt(width / 2, end, 4.1)).Shape();
    gp_Trsf turn;
    turn.SetRotation(gp_Ax1(gp::Origin(), gp::DZ()), 2 * M_PI * k / count);
    builder.Add(all, BRepBuilderAPI_Transform(box, turn, Standard_True).Shape());
  }
  return all;
}

double Volume(const TopoDS_Shape& s) {
  GProp_GProps props;
  BRepGProp::VolumeProperties(s, props);
  return props.Mass();
}

int Faces(const TopoDS_Shape& s) {
  int n = 0;
  for (TopExp_Explorer e(s, TopAbs_FACE); e.More(); e.Next()) ++n;
  return n;
}

// The direct cut is one valid solid with the boolean's volume, and its faces when a slot takes
// away the ring's seam (elsewhere the boolean keeps the seam as an edge between two faces).
void ExpectAsBoolean(const TopoDS_Shape& ring, const TopoDS_Shape& slots, bool seamCut = true) {
  TopoDS_Shape direct = CutRimSlots(ring, slots);
  ASSERT_FALSE(direct.IsNull());
  EXPECT_TRUE(BRepCheck_Analyzer(direct).IsValid());
  TopoDS_Shape reference = BRepAlgoAPI_Cut(ring, slots).Shape();
  if (seamCut) {
    EXPECT_EQ(Faces(direct), Faces(reference));
  }
  EXPECT_NEAR(Volume(direct), Volume(reference), 1e-7 * Volume(reference));
}

TEST(RimSlots, CutDirectlyAsTheBooleanCutsThem) {
  ExpectAsBoolean(Ring(), Slots(4));
  for (int count : {1, 6}) ExpectAsBoolean(Ring(), Slots(count), false);
  // Upside down and moved: the chamfer at the bottom, the axis elsewhere.
  gp_Trsf flip;
  flip.SetRotation(gp_Ax1(gp::Origin(), gp::DX()), M_PI);
  gp_Trsf shift;
  shift.SetTranslation(gp_Vec(3, -2, 7));
  gp_Trsf place = shift.Multiplied(flip);
  ExpectAsBoolean(BRepBuilderAPI_Transform(Ring(), place, Standard_True).Shape(),
                  BRepBuilderAPI_Transform(Slots(4), place, Standard_True).Shape());
}

TEST(RimSlots, OtherCutsAreLeftToTheBoolean) {
  EXPECT_TRUE(CutRimSlots(Ring(), Slots(4, 3, 8.45)).IsNull()) << "floor into the chamfer";
  EXPECT_TRUE(CutRimSlots(Ring(), Slots(4, 3, 7, 8.8)).IsNull()) << "slot ending in the rim";
  EXPECT_TRUE(CutRimSlots(Ring(), Slots(16, 3)).IsNull()) << "slots running together";
  EXPECT_TRUE(CutRimSlots(Ring(), Slots(4, 3, 4)).IsNull()) << "slot into the bore";
  EXPECT_TRUE(CutRimSlots(Ring(false), Slots(4)).IsNull()) << "no chamfer";
  TopoDS_Shape peg = BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(0, 8, -1), gp::DZ()), 1, 6).Shape();
  EXPECT_TRUE(CutRimSlots(Ring(), peg).IsNull()) << "round tool";
  TopoDS_Shape shallow = BRepPrimAPI_MakeBox(gp_Pnt(-1.5, 7, 1), gp_Pnt(1.5, 9.2, 4.1)).Shape();
  EXPECT_TRUE(CutRimSlots(Ring(), shallow).IsNull()) << "slot short of the bottom";
}

}  // namespace
}  // namespace vormbrace::test
