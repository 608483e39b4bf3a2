// The drop hook class: the dialog opens modally on a scene in millimetres only, and a dialog
// closed without OK builds and writes nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "dialog/DropHook.h"
#include "data/Globals.h"
#include "data/Settings.h"
#include "dialog/Dialog.h"
#include "host/TextFile.h"
#include "host/reference/DropHit.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;

class DropHookTest : public ::testing::Test {
 protected:
  DropHookTest()
      : host_(host::ref::SettingsStore::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json")) {
    host::SetFileRedirect(host_.Settings().Registry(kCorvaneKey, "ApplDir"), User());
  }
  std::string User() const { return (host_.Scratch() / "user").string(); }

  test::TestHost host_;
  host::ref::SceneDocument doc_;
};

TEST_F(DropHookTest, OpensTheDialogOnlyOnAMillimetreScene) {
  host::ref::DropHit free;
  free.dropPoint = {1, 2, 3};
  host::ref::RecordedDrop drop(doc_, free);
  doc_.SetUnits(1);  // inches
  DropHook().OnDragDrop(drop);
  EXPECT_TRUE(host_.Host().FormsShown().empty());  // the units message: DropAnalysisTest
  EXPECT_EQ(host_.Host().Messages().size(), 1u);

  doc_.SetUnits(0);
  std::string sizeShown;
  host_.Host().SetPresenter(
      [&](host::ModalForm& form) { sizeShown = dynamic_cast<Dialog&>(form).Misura.Text(); });
  DropHook().OnDragDrop(drop);
  EXPECT_EQ(host_.Host().FormsShown(), (std::vector<std::string>{"Dialog"}));
  EXPECT_EQ(sizeShown, "M1.6");  // the form was loaded before it was shown
  // Closed without OK: nothing built, no preferences written.
  EXPECT_EQ(doc_.RootShape().Shapes(0).Count(), 0);
  EXPECT_FALSE(std::filesystem::exists(User() + "/Vormbrace.prf"));
}

TEST_F(DropHookTest, OkBuildsAtTheDropPoint) {
  host::ref::DropHit free;
  free.dropPoint = {1, 2, 3};
  host::ref::RecordedDrop drop(doc_, free);
  host_.Host().SetPresenter([](host::ModalForm& form) { dynamic_cast<Dialog&>(form).ClickOK(); });
  DropHook().OnDragDrop(drop);
  ASSERT_EQ(doc_.RootShape().Shapes(0).Count(), 1);
  auto& part = static_cast<host::ref::SceneShape&>(doc_.RootShape().Shapes(0).Item(1));
  EXPECT_EQ(part.Name(), "ISO 4014 M1.6x12 - 8.8");
  EXPECT_EQ(part.Frame().translation.x, 1);
  EXPECT_EQ(part.Frame().translation.z, 3);
  EXPECT_TRUE(std::filesystem::exists(User() + "/Vormbrace.prf"));
}

}  // namespace
