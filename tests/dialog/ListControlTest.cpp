// The headless drop-down list: what the queries and the dialog rely on after a refill.
#include <gtest/gtest.h>

#include "dialog/ListControl.h"
#include "host/RuntimeError.h"
#include "support/ErrorOf.h"

namespace {

using vormbrace::ListControl;

using vormbrace::test::ErrorOf;

TEST(ListControl, ClearForgetsSelectionAndLastAddedEntry) {
  ListControl list;
  list.AddItem("M8");
  list.AddItem("M10");
  EXPECT_EQ(list.NewIndex(), 1);
  list.SetListIndex(1);
  EXPECT_EQ(list.Text(), "M10");
  list.SetTag("ISO4017.tab");
  list.Clear();
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.NewIndex(), -1);
  EXPECT_EQ(list.Text(), "");
  EXPECT_EQ(list.Tag(), "ISO4017.tab");  // the tag belongs to the control, not its entries
}

TEST(ListControl, BadIndicesRaiseTheControlErrors) {
  ListControl list;
  list.AddItem("M8");
  EXPECT_EQ(ErrorOf([&] { list.ItemData(1); }), 381);
  EXPECT_EQ(ErrorOf([&] { list.ItemData(-1); }), 381);
  EXPECT_EQ(ErrorOf([&] { list.SetListIndex(1); }), 380);
  EXPECT_EQ(ErrorOf([&] { list.SetListIndex(-1); }), 0);
  EXPECT_EQ(list.List(5), "");
}

}  // namespace
