// vormbrace build --kind nut|washer: the nut and washer generators run from the command line as
// bolts and screws do, and a generator's run-time error is reported, not a crash.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/occt/Export.h"
#include "support/CliFixture.h"

namespace {

using namespace vormbrace;

using NutWasherBuild = test::CliFixture;

TEST_F(NutWasherBuild, WasherReadsBackFromStepAndNoSlotsIsReportedWithoutAFile) {
  auto washer =
      Run("build --kind washer --type 2 --set DiametroEsterno=17.2 "
          "--set DiametroInterno=10.2 --set Spessore=2.2 washer.step");
  ASSERT_EQ(washer.exitCode, 0) << washer.err;
  auto products = host::occt::ReadStepProducts(Path("washer.step"));
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(products[0].name, "Washer 2");
  EXPECT_TRUE(products[0].figures.valid);
  EXPECT_EQ(products[0].figures.solids, 1);

  // A slotted round nut with numCave = 0: its first slot is cut, then the pattern divides 360
  // by 0. Neither the scene nor the export is written.
  auto nut =
      Run("build --kind nut --type 9 --set DiametroEsterno=18 --set DiametroInterno=17 "
          "--set DiametroFiletto=10 --set Spessore=4 --set Scanalatura=3 "
          "--set LargScanalatura=2 --set Passo=0.75 --set numCave=0 --scene s.json out.step");
  EXPECT_EQ(nut.exitCode, 1);
  EXPECT_EQ(nut.err, "vormbrace: Division by zero\n");
  EXPECT_FALSE(std::filesystem::exists(Path("out.step")));
  EXPECT_FALSE(std::filesystem::exists(Path("s.json")));
}

}  // namespace
