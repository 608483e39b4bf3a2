// Every standard of the shipped library builds into one valid solid: one size (the middle one)
// at its first length, through the same creation path a drop takes.
#include <gtest/gtest.h>

#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "components/NewVormbrace.h"
#include "data/Settings.h"
#include "dialog/ListControl.h"
#include "host/occt/OcctEvaluator.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;

constexpr int kTypeCount[kKindCount] = {10, 12, 9, 8, 9};

std::unique_ptr<FastenerComponent> Make(std::int16_t kind, std::int16_t type, const ValueArray& v) {
  switch (kind) {
    case 0:
      return MakeBolt(type, v);
    case 1:
      return MakeScrew(type, v);
    case 2:
      return MakeScrewNoHead(type, v);
    case 3:
      return MakeWasher(type, v);
    default:
      return MakeNut(type, v);
  }
}

TEST(StandardsBuild, EveryStandardBuildsIntoOneValidSolid) {
  test::TestHost host(
      host::ref::SettingsStore::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json"));
  host::ref::SceneDocument doc;
  host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(doc);
  State().page = &doc;
  int built = 0;
  for (std::int16_t family = 0; family < 2; ++family) {
    State().family = family;
    for (std::int16_t kind = 0; kind < kKindCount; ++kind) {
      LoadKindSettings(kind);
      const Paths& p = State().paths;
      for (std::int16_t type = 1; type <= kTypeCount[kind]; ++type) {
        ListControl standards;
        QNorma(p.standardsFolder + p.indexFile, type, standards);
        for (std::int32_t s = 0; s < standards.ListCount(); ++s) {
          ListControl sizes, materials, lengths;
          LabelControl description;
          QData(p.standardsFolder + p.indexFile, p.dataFolder, standards.ItemData(s), sizes,
                description, materials);
          sizes.SetListIndex(sizes.ListCount() / 2);
          QLunghezze(p.dataFolder, sizes, lengths);
          std::string what = standards.List(s) + " " + sizes.Text() + "x" + lengths.List(0);
          State().kind = kind;
          State().typeCode = type;
          ASSERT_TRUE(QMisuraVariabili(p.dataFolder + sizes.Tag(), sizes.Text(), lengths.List(0),
                                       State().values, State().partNumberText))
              << what;
          auto component = Make(kind, type, State().values);
          component->FileData = sizes.Tag();
          component->Normativa = standards.List(s);
          component->Codice = sizes.Text();
          auto& part = doc.RootShape().Shapes(host::kShapePart).Add();
          try {
            component->CreateInPart(part);
            host::occt::SolidFigures f = kernel.Figures(static_cast<host::ref::SceneShape&>(part));
            EXPECT_TRUE(f.valid) << what;
            EXPECT_EQ(f.solids, 1) << what;
            EXPECT_GT(f.volume, 0) << what;
          } catch (const host::RuntimeError& e) {
            ADD_FAILURE() << what << ": " << e.what();
          }
          ++built;
        }
      }
    }
  }
  EXPECT_GT(built, 70);
  for (const auto& m : host.Host().Messages()) ADD_FAILURE() << m.title << ": " << m.text;
}

}  // namespace
