// vormbrace build --kind nut|washer: the nut and washer generators run from the command line
// as bolts and screws do, and a generator's run-time error is reported, not a crash.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "host/occt/Export.h"
#include "support/RunCommand.h"
#include "support/TestHost.h"

namespace {

using namespace vormbrace;

class NutWasherBuild : public ::testing::Test {
 protected:
  test::CommandResult Run(const std::string& args) {
    return test::RunVormbrace(args, host_.Scratch().string());
  }
  std::string Path(const std::string& name) { return (host_.Scratch() / name).string(); }
  test::TestHost host_;
};

TEST_F(NutWasherBuild, NutAndWasherReadBackFromStep) {
  // DIN 562 M10 square nut: (17² - 25π) × 5.
  auto nut =
      Run("build --kind nut --type 4 --set LatoRet=17 --set DiametroFiletto=10 --set Spessore=5 "
          "--set Passo=1.5 --name \"DIN 562 M10\" nut.step");
  ASSERT_EQ(nut.exitCode, 0) << nut.err;
  auto products = host::occt::ReadStepProducts(Path("nut.step"));
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(products[0].name, "DIN 562 M10");
  EXPECT_TRUE(products[0].figures.valid);
  EXPECT_NEAR(products[0].figures.volume, (289 - 25 * M_PI) * 5, 0.05);

  // DIN 127 B M10 spring washer: one piece.
  auto washer =
      Run("build --kind washer --type 2 --set DiametroEsterno=17.2 --set DiametroInterno=10.2 "
          "--set Spessore=2.2 washer.step");
  ASSERT_EQ(washer.exitCode, 0) << washer.err;
  products = host::occt::ReadStepProducts(Path("washer.step"));
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(products[0].name, "Washer 2");
  EXPECT_EQ(products[0].figures.solids, 1);
  EXPECT_TRUE(products[0].figures.valid);
}

TEST_F(NutWasherBuild, NoSlotsIsReportedAndWritesNothing) {
  // The first slot is cut, then the slot pattern divides 360 by 0.
  for (const char* nut :
       {"--type 2 --set DiametroEsterno=17 --set DiametroFiletto=10 --set InizioCorona=12 "
        "--set Passo=1.5 --set Scanalatura=2.9 --set LargScanalatura=4 --set numCave=0",
        "--type 9 --set DiametroEsterno=18 --set DiametroInterno=17 --set DiametroFiletto=10 "
        "--set Spessore=4 --set Scanalatura=3 --set LargScanalatura=2 --set Passo=0.75 "
        "--set numCave=0"}) {
    auto r = Run(std::string("build --kind nut ") + nut + " --scene s.json out.step");
    EXPECT_EQ(r.exitCode, 1) << nut;
    EXPECT_EQ(r.err, "vormbrace: Division by zero\n") << nut;
    EXPECT_FALSE(std::filesystem::exists(Path("out.step")));
    EXPECT_FALSE(std::filesystem::exists(Path("s.json")));
  }
}

}  // namespace
