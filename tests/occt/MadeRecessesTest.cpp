// The recess unions noted with their measures are recalled only for the very shape noted: a copy,
// a moved or a turned shape is read back from its corners instead, and the oldest notes give way
// to new ones.
#include <gtest/gtest.h>

#include <BRepBuilderAPI_Copy.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <gp_Trsf.hxx>

#include "host/occt/MadeRecesses.h"

namespace vormbrace::test {
namespace {

using host::occt::MadeRecess;
using host::occt::RecallRecess;
using host::occt::RememberRecess;

MadeRecess Measures(double t) {
  MadeRecess m;
  m.r.top = 6, m.r.t = t, m.r.b = 1.5, m.r.w = 4.5;
  return m;
}

TEST(MadeRecesses, OnlyTheShapeNotedIsRecalled) {
  TopoDS_Shape made = BRepPrimAPI_MakeBox(2, 3, 4).Shape();
  RememberRecess(made, Measures(4));
  std::optional<MadeRecess> recalled = RecallRecess(made);
  ASSERT_TRUE(recalled.has_value());
  EXPECT_EQ(recalled->r.t, 4);
  EXPECT_FALSE(recalled->star.has_value());

  EXPECT_FALSE(RecallRecess(BRepBuilderAPI_Copy(made).Shape())) << "a copy";
  gp_Trsf up;
  up.SetTranslation(gp_Vec(0, 0, 1));
  EXPECT_FALSE(RecallRecess(made.Moved(TopLoc_Location(up)))) << "moved";
  EXPECT_FALSE(RecallRecess(made.Reversed())) << "turned inside out";
  EXPECT_FALSE(RecallRecess(TopoDS_Shape())) << "no shape";
}

TEST(MadeRecesses, TheOldestNotesGiveWay) {
  TopoDS_Shape first = BRepPrimAPI_MakeBox(1, 1, 1).Shape();
  RememberRecess(first, Measures(1));
  for (int i = 0; i < 20; ++i) RememberRecess(BRepPrimAPI_MakeBox(1, 1, 1).Shape(), Measures(2));
  EXPECT_FALSE(RecallRecess(first));
  TopoDS_Shape last = BRepPrimAPI_MakeBox(1, 1, 1).Shape();
  RememberRecess(last, Measures(3));
  ASSERT_TRUE(RecallRecess(last).has_value());
  EXPECT_EQ(RecallRecess(last)->r.t, 3);
}

}  // namespace
}  // namespace vormbrace::test
