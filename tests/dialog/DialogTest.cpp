// The selection dialog driven as a person drives it, on the shipped ISO and DIN standards: the
// hole and washer rule, the typed rod length, the size that follows the hole, the per-kind
// memory, the preferences file, OK and Cancel, assemblies and edits.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "components/Bolt.h"
#include "components/FastenerTable.h"
#include "data/Globals.h"
#include "data/Settings.h"
#include "dialog/Dialog.h"
#include "dialog/Interface.h"
#include "host/DataObject.h"
#include "host/TextFile.h"
#include "host/reference/DropHit.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;
using host::ref::SceneShape;

class DialogTest : public ::testing::Test {
 protected:
  DialogTest()
      : host_(host::ref::SettingsStore::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json")),
        drop_(doc_, host::ref::DropHit{}) {
    // The preferences file goes to this test's folder, not into the shipped standards.
    host::SetFileRedirect(host_.Settings().Registry(kCorvaneKey, "ApplDir"), UserFolder());
    State().page = &doc_;
    State().drop.hook = &drop_;
    State().drop.target = &doc_.RootShape();
  }

  // A new dialog, loaded as the drop shows it.
  std::unique_ptr<Dialog> Open() {
    auto d = std::make_unique<Dialog>();
    d->Form_Load();
    return d;
  }
  std::string UserFolder() const { return (host_.Scratch() / "user").string(); }
  std::filesystem::path PrefsFile() const { return host_.Scratch() / "user" / "Vormbrace.prf"; }
  // The parts and assemblies directly under the scene's root.
  std::int32_t TopCount() { return doc_.RootShape().Shapes(0).Count(); }
  SceneShape& Top(std::int32_t i) {
    return static_cast<SceneShape&>(doc_.RootShape().Shapes(0).Item(i));
  }

  static void Choose(Dialog& d, ListControl& list, const std::string& text) {
    std::int32_t i = list.Find(text);
    ASSERT_GE(i, 0) << text;
    d.ChooseEntry(list, i);
  }

  test::TestHost host_;
  host::ref::SceneDocument doc_;
  host::ref::RecordedDrop drop_;
};

TEST_F(DialogTest, WithoutPreferencesTheFirstBoltStandardSizeAndLengthAreChosen) {
  auto d = Open();
  EXPECT_EQ(d->Caption, "Corvane");
  EXPECT_EQ(d->TabNorme.Captions, (std::vector<std::string>{"ISO", "DIN"}));
  EXPECT_EQ(d->TabType.SelectedItem, 0);
  EXPECT_TRUE(d->OptBoltType[0].Value);
  EXPECT_FALSE(d->OptScrewType[0].Visible);
  EXPECT_EQ(d->Normativa.Text(), "ISO 4014");
  EXPECT_EQ(d->NormaDescr.Caption(), "Hexagon head bolts, partly threaded, grades A and B");
  EXPECT_EQ(d->Misura.Text(), "M1.6");
  EXPECT_EQ(d->Lunghezza.Text(), "12");
  EXPECT_EQ(d->Materiale.Text(), "8.8");
  EXPECT_EQ(d->HoleOption(), 0);
  // No hole under the drop, no fastener hit: no auto size, no assembly.
  EXPECT_FALSE(d->ToggleMisuraAuto.Visible);
  EXPECT_EQ(d->lblInfo.Caption(), "");
  EXPECT_FALSE(d->ToggleCreateAssembly.Visible);
  // The tolerance classes are read once a hole is chosen.
  EXPECT_EQ(d->HToll.ListCount(), 0);
  d->ClickHoleOption(1);
  EXPECT_EQ(d->HToll.Text(), "ISO 273 fine");
}

TEST_F(DialogTest, GermanDialogLoadsWithoutTheMissingNoHoleText) {
  host_.Settings().SetRegistry(kCorvaneKey, "Language", "German");
  auto d = Open();
  EXPECT_EQ(d->OptHole[0].ToolTipText, "");
  EXPECT_EQ(d->CancelButton.Caption, "Abbrechen");
  EXPECT_EQ(d->Normativa.Text(), "ISO 4014");
}

TEST_F(DialogTest, CounterboreGivesWayToASimpleHoleUnderAWasher) {
  auto d = Open();
  d->ClickHoleOption(2);
  EXPECT_EQ(d->HoleOption(), 2);  // no washer: the counterbore stays
  d->ClickCheckBox(d->ToggleRondella);
  EXPECT_EQ(d->HoleOption(), 1);
  d->ClickHoleOption(2);
  EXPECT_EQ(d->HoleOption(), 1);
  d->ClickHoleOption(3);
  EXPECT_EQ(d->HoleOption(), 3);
}

TEST_F(DialogTest, TypedRodLengthMustBePositive) {
  auto d = Open();
  d->ClickFamilyTab(1);
  d->ClickTypeOption(4);  // DIN threaded rods
  EXPECT_TRUE(d->LunghezzaManuale.Visible);
  EXPECT_FALSE(d->Lunghezza.Visible);
  EXPECT_FALSE(d->ToggleRondella.Visible);
  EXPECT_EQ(d->LunghezzaManuale.Text, "100");  // the box was empty
  for (const char* typed : {"0", "-3", "", "abc"}) {
    d->TypeManualLength(typed);
    EXPECT_EQ(d->LunghezzaManuale.Text, "50") << typed;
    EXPECT_EQ(State().values[1], 50) << typed;
  }
  d->TypeManualLength("240");
  EXPECT_EQ(d->LunghezzaManuale.Text, "240");
  EXPECT_EQ(State().values[1], 240);
  d->ClickTypeOption(0);
  d->ClickTypeOption(4);
  EXPECT_EQ(d->LunghezzaManuale.Text, "240");  // a positive length stays
}

// How washers and nuts take their size from a hole is tested on real holes (tests/drop,
// DropOnParts).
TEST_F(DialogTest, SizeFollowsTheHoleBelowUntilTheAutomaticSizeIsOff) {
  State().holeDiameter = 10.5;
  auto d = Open();
  EXPECT_TRUE(d->ToggleMisuraAuto.Visible);
  EXPECT_EQ(d->lblInfo.Caption(), "Diametro:  10.5");
  // ISO 4014 lists M8, M10, M12: the largest not above 10.5, with its own lengths.
  EXPECT_EQ(d->Misura.Text(), "M10");
  EXPECT_FALSE(d->Misura.Enabled);
  EXPECT_EQ(d->Lunghezza.Text(), "45");
  // Unticked, the size is the person's again; ticked, it follows the hole once more.
  d->ClickCheckBox(d->ToggleMisuraAuto);
  EXPECT_TRUE(d->Misura.Enabled);
  d->ChooseEntry(d->Misura, d->Misura.Find("M12"));
  d->ClickCheckBox(d->ToggleMisuraAuto);
  EXPECT_EQ(d->Misura.Text(), "M10");
  EXPECT_FALSE(d->Misura.Enabled);
}

TEST_F(DialogTest, LeavingTheScrewsTabAndComingBackRestoresTheChoice) {
  auto d = Open();
  d->ClickKindTab(1);
  d->ClickTypeOption(3);  // ISO 1207 slotted cheese head
  Choose(*d, d->Misura, "M5");
  Choose(*d, d->Lunghezza, "20");
  d->ChooseEntry(d->Materiale, 1);
  const std::string material = d->Materiale.Text();
  d->ClickKindTab(4);
  EXPECT_EQ(d->Normativa.Text(), "ISO 4032");
  d->ClickKindTab(1);
  EXPECT_TRUE(d->OptScrewType[3].Value);
  EXPECT_EQ(State().typeCode, 4);
  EXPECT_EQ(d->Normativa.Text(), "ISO 1207");
  EXPECT_EQ(d->Misura.Text(), "M5");
  EXPECT_EQ(d->Lunghezza.Text(), "20");
  EXPECT_EQ(d->Materiale.Text(), material);
}

TEST_F(DialogTest, TypeWithoutStandardsLeavesNothingToBuild) {
  auto d = Open();
  d->ClickTypeOption(3);  // ISO has no square head bolts
  EXPECT_EQ(d->Normativa.ListCount(), 0);
  EXPECT_EQ(d->Misura.ListCount(), 0);
  EXPECT_EQ(d->Materiale.ListCount(), 0);
  d->ClickOK();
  EXPECT_TRUE(d->IsOpen());
  ASSERT_EQ(host_.Host().Messages().size(), 1u);
  EXPECT_EQ(host_.Host().Messages()[0].text.rfind("Measurement not valid", 0), 0u);
  EXPECT_EQ(TopCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(PrefsFile()));
}

TEST_F(DialogTest, OkBuildsThePartAndTheNextDialogStartsFromItsChoice) {
  auto d = Open();
  d->ClickKindTab(1);
  Choose(*d, d->Misura, "M6");
  Choose(*d, d->Lunghezza, "20");
  Choose(*d, d->Materiale, "12.9");
  d->ClickHoleOption(1);
  Choose(*d, d->HToll, "ISO 273 medium");
  d->ClickOK();
  ASSERT_FALSE(d->IsOpen());
  EXPECT_EQ(State().holeType, 1);
  EXPECT_EQ(State().toleranceLine, 4);
  ASSERT_EQ(TopCount(), 1);
  EXPECT_EQ(Top(1).Name(), "ISO 4762 M6x20 - 12.9");
  host::DataObject* record = Top(1).DataObject(host::kDescriptionGuid, false);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->Description(), "ISO 4762 M6x20 - 12.9");
  EXPECT_EQ(record->PartNumber(), "ISO4762M620129");
  ASSERT_TRUE(std::filesystem::exists(PrefsFile()));

  State() = RunTimeState{};
  State().drop.hook = &drop_;
  State().drop.target = &doc_.RootShape();
  auto next = Open();
  EXPECT_EQ(next->TabType.SelectedItem, 1);
  EXPECT_TRUE(next->OptScrewType[0].Value);
  EXPECT_EQ(next->Misura.Text(), "M6");
  EXPECT_EQ(next->Lunghezza.Text(), "20");
  EXPECT_EQ(next->Materiale.Text(), "12.9");
  EXPECT_EQ(next->HoleOption(), 1);
}

TEST_F(DialogTest, CancelBuildsAndWritesNothing) {
  auto d = Open();
  d->ClickKindTab(2);
  d->ClickCancel();
  EXPECT_EQ(d->Result(), Dialog::Outcome::Cancelled);
  EXPECT_EQ(TopCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(PrefsFile()));
  EXPECT_THROW(d->ClickOK(), DialogInputError);
}

TEST_F(DialogTest, DamagedPreferencesFallBackToTheFirstTabs) {
  // Family 7 and kind 9 have no tabs; the rest of the file is missing.
  std::filesystem::create_directories(UserFolder());
  std::ofstream(PrefsFile()) << "0\r\n0\r\n0\r\n7\r\n9\r\n3\r\n";
  auto d = Open();
  EXPECT_EQ(d->TabNorme.SelectedItem, 0);
  EXPECT_EQ(d->TabType.SelectedItem, 0);
  EXPECT_TRUE(d->OptBoltType[0].Value);
  EXPECT_EQ(d->Normativa.Text(), "ISO 4014");
}

// A drop that found a fastener's hole offers the assembly: washer, nut and bolt are built in
// it, the washer on the drop point, the bolt seated on the washer, the nut at the bolt's end.
TEST_F(DialogTest, AssemblyGathersWasherBoltAndNut) {
  State().componentId = 4711;
  State().drop.placement = {10, 20, 30, 0, 0, 0, 0};
  auto d = Open();
  ASSERT_TRUE(d->ToggleCreateAssembly.Visible);
  Choose(*d, d->Normativa, "ISO 4017");
  Choose(*d, d->Misura, "M10");
  Choose(*d, d->Lunghezza, "50");
  d->ClickCheckBox(d->ToggleRondella);
  d->ClickCheckBox(d->ToggleDado);
  d->ClickCheckBox(d->ToggleCreateAssembly);
  d->ClickOK();
  ASSERT_FALSE(d->IsOpen()) << (host_.Host().Messages().empty() ? ""
                                                                : host_.Host().Messages()[0].text);

  ASSERT_EQ(TopCount(), 1);
  SceneShape& assembly = Top(1);
  EXPECT_EQ(assembly.Type(), host::kShapeAssembly);
  EXPECT_EQ(assembly.Name(), "Bolt Assembly");
  EXPECT_EQ(assembly.DataObject(host::kDescriptionGuid, false)->Description(), "Bolt M10x50 8.8");
  EXPECT_EQ(assembly.Frame().translation.z, 30);
  ASSERT_EQ(assembly.Children().size(), 3u);
  SceneShape& washer = *assembly.Children()[0];
  SceneShape& nut = *assembly.Children()[1];
  SceneShape& bolt = *assembly.Children()[2];
  EXPECT_EQ(washer.Name(), "ISO 7089 M10 - 200 HV");
  EXPECT_EQ(nut.Name(), "ISO 4032 M10 - 8");
  EXPECT_EQ(bolt.Name(), "ISO 4017 M10x50 - 8.8");
  // ISO 7089 M10: h = 2; in the assembly's frame.
  EXPECT_EQ(washer.Frame().translation.z, 0);
  EXPECT_EQ(bolt.Frame().translation.z, 2);
  // Nothing is clamped under the head: the nut (ISO 4032 M10: m = 8.4) turned towards the tip
  // with its outer face flush with it.
  EXPECT_NEAR(nut.Frame().translation.z, 2 - 50 + 8.4, 1e-9);
  EXPECT_NEAR((nut.Frame().rotation * host::ref::Vec3{0, 0, 1}).z, -1, 1e-9);
  // Only the bolt stays linked with the hole; each member has an identifier of its own.
  auto id = [](SceneShape& s) { return FindDataTable(s)->Variable(1, 2).GetValue().AsInt32(); };
  EXPECT_EQ(id(bolt), 4711);
  EXPECT_NE(id(washer), 4711);
  EXPECT_NE(id(nut), 4711);
  EXPECT_NE(id(washer), id(nut));
  // The bolt tab came back as it was chosen, and is remembered so.
  EXPECT_EQ(Interface::KindMemories()[0].typeCode, 1);
  EXPECT_EQ(State().kind, 0);
}

TEST_F(DialogTest, AssemblyIsOfferedOnlyForBoltsAndScrews) {
  State().componentId = 4711;
  auto d = Open();
  d->ClickKindTab(1);
  EXPECT_TRUE(d->ToggleCreateAssembly.Visible);
  EXPECT_FALSE(d->ToggleDado.Visible);
  d->ClickKindTab(4);
  EXPECT_FALSE(d->ToggleCreateAssembly.Visible);
  EXPECT_FALSE(d->ToggleRondella.Visible);
  EXPECT_THROW(d->ClickCheckBox(d->ToggleRondella), DialogInputError);
}

TEST_F(DialogTest, EditShowsThePartsChoiceAndRebuildsThePartInPlace) {
  auto d = Open();
  Choose(*d, d->Normativa, "ISO 4017");
  Choose(*d, d->Misura, "M10");
  Choose(*d, d->Lunghezza, "50");
  d->ClickOK();
  ASSERT_EQ(TopCount(), 1);
  SceneShape& part = Top(1);

  // A double-click on the part: its stored choice, the dialog in edit mode.
  Bolt().GetPartData(part);
  State().drop.editMode = true;
  Interface::SetPartBeingEdited(&part);
  auto edit = Open();
  EXPECT_FALSE(edit->TabType.Visible);
  EXPECT_EQ(edit->Normativa.Text(), "ISO 4017");
  EXPECT_EQ(edit->Misura.Text(), "M10");
  EXPECT_EQ(edit->Lunghezza.Text(), "50");
  Choose(*edit, edit->Misura, "M12");
  edit->ClickOK();
  Interface::SetPartBeingEdited(nullptr);
  ASSERT_FALSE(edit->IsOpen());
  ASSERT_EQ(TopCount(), 1);
  EXPECT_EQ(Top(1).Name(), "ISO 4017 M12x50 - 8.8");
  EXPECT_EQ(Top(1).Shapes(0).Count(), 3);  // body, head, head reshape: rebuilt, not added to
}

}  // namespace
