// vormbrace build --kind nut|washer: the nut and washer generators run from the command line as
// bolts and screws do, and a generator's run-time error is reported, not a crash.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/occt/Export.h"
#include "support/RunCommand.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;

TEST(NutWasherBuild, WasherReadsBackFromStepAndNoSlotsIsReportedWithoutAFile) {
  test::TestHost host;
  auto run = [&](const std::string& args) {
    return test::RunVormbrace(args, host.Scratch().string());
  };
  auto washer =
      run("build --kind washer --type 2 --set DiametroEsterno=17.2 "
          "--set DiametroInterno=10.2 --set Spessore=2.2 washer.step");
  ASSERT_EQ(washer.exitCode, 0) << washer.err;
  auto products = host::occt::ReadStepProducts((host.Scratch() / "washer.step").string());
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(products[0].name, "Washer 2");
  EXPECT_TRUE(products[0].figures.valid);
  EXPECT_EQ(products[0].figures.solids, 1);

  // A slotted round nut with numCave = 0: its first slot is cut, then the pattern divides 360
  // by 0. Neither the scene nor the export is written.
  auto nut =
      run("build --kind nut --type 9 --set DiametroEsterno=18 --set DiametroInterno=17 "
          "--set DiametroFiletto=10 --set Spessore=4 --set Scanalatura=3 "
          "--set LargScanalatura=2 --set Passo=0.75 --set numCave=0 --scene s.json out.step");
  EXPECT_EQ(nut.exitCode, 1);
  EXPECT_EQ(nut.err, "vormbrace: Division by zero\n");
  EXPECT_FALSE(std::filesystem::exists(host.Scratch() / "out.step"));
  EXPECT_FALSE(std::filesystem::exists(host.Scratch() / "s.json"));
}

}  // namespace
