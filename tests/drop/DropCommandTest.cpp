// vormbrace drop: the dialog driven from the command line (else from the remembered choices),
// the part built and reported, the files written; a wrong choice writes nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/occt/Export.h"
#include "host/reference/SceneFile.h"
#include "support/CliFixture.h"

namespace {

using namespace vormbrace;

using DropCommand = test::CliFixture;

TEST_F(DropCommand, WithoutArgumentsBuildsTheDefaultPartAndWritesItsFiles) {
  auto r = Run("drop");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err.find("Corvane: "), std::string::npos) << r.err;  // no message box
  EXPECT_NE(r.out.find("ISO 4014 M1.6x12 - 8.8\n"
                       "  part number: ISO4014M161288\n"
                       "  Standard Name: ISO 4014\n"
                       "  Type: M1.6\n"
                       "  Length: 12\n"
                       "  Material: 8.8\n"
                       "  solid: valid, 1 solid, volume "),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("wrote drop.json\nwrote drop.step\n"), std::string::npos);
  auto products = host::occt::ReadStepProducts(Path("drop.step"));
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(products[0].name, "ISO 4014 M1.6x12 - 8.8");
  EXPECT_TRUE(products[0].figures.valid);
  EXPECT_EQ(host::ref::LoadScene(Path("drop.json"))->RootShape().Shapes(0).Count(), 1);
}

TEST_F(DropCommand, RememberedChoicesDriveTheNextDrop) {
  auto first = Run("drop --kind screw --size M6 --length 20 --material 12.9 --hole simple");
  ASSERT_EQ(first.exitCode, 0) << first.err;
  auto second = Run("drop --at 5,0,0 -o second.json --export second.stl");
  ASSERT_EQ(second.exitCode, 0) << second.err;
  EXPECT_NE(second.out.find("\nISO 4762 M6x20 - 12.9\n"), std::string::npos) << second.out;
  EXPECT_TRUE(std::filesystem::exists(Path("second.stl")));
}

TEST_F(DropCommand, UnknownChoiceListsTheOffersAndLeavesTheSceneUntouched) {
  ASSERT_EQ(Run("drop -o scene.json --export first.step").exitCode, 0);
  const std::string scene = Read("scene.json");
  const std::pair<const char*, const char*> cases[] = {
      {"--size M7", "no size \"M7\" in ISO 4014; the sizes are: M1.6, M2, M2.5, M3, "},
      {"--length 13", "no length \"13\" in ISO 4014 M1.6; the lengths are: 12, 16"},
      {"--material 14.9", "no material \"14.9\" in ISO 4014; the materials are: 8.8, 10.9"},
      {"--standard \"ISO 9999\"",
       "no standard \"ISO 9999\" in ISO bolt type 1; the standards are: ISO 4014, ISO 4017\n"},
      {"--family JIS", "no family \"JIS\"; the families are: ISO, DIN\n"},
      {"--kind nut --length 8", "--length: this kind has no length to choose\n"},
  };
  for (auto [args, message] : cases) {
    auto r = Run(std::string("drop scene.json --export out.step ") + args);
    EXPECT_EQ(r.exitCode, 1) << args;
    EXPECT_NE(r.err.find(message), std::string::npos) << args << "\n" << r.err;
    EXPECT_EQ(r.out, "") << args;
    EXPECT_EQ(Read("scene.json"), scene) << args;
    EXPECT_FALSE(std::filesystem::exists(Path("out.step"))) << args;
  }
}

}  // namespace
