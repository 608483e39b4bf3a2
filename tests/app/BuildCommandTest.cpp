// vormbrace build, export and inspect: a fastener made from the command line reads back from
// STEP as one valid solid with its part's name.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "host/occt/Export.h"
#include "support/CliFixture.h"

namespace {

using namespace vormbrace;
using nlohmann::json;

// ISO 4017 M10 x 50.
constexpr const char* kHexBolt =
    "build --kind bolt --type 1 --set Diametro=10 --set lung=50 --set Passo=1.5 "
    "--set DiamCerchioTesta=16 --set LungTesta=6.4 --name \"ISO 4017 M10x50\" ";

using BuildCommand = test::CliFixture;

TEST_F(BuildCommand, HexagonBoltReadsBackFromStepAsOneNamedSolid) {
  auto r = Run(std::string(kHexBolt) + "--scene bolt.json bolt.step");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "wrote bolt.step: \"ISO 4017 M10x50\"\n");
  auto products = host::occt::ReadStepProducts(Path("bolt.step"));
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(products[0].name, "ISO 4017 M10x50");
  EXPECT_TRUE(products[0].figures.valid);
  EXPECT_EQ(products[0].figures.solids, 1);
  EXPECT_NEAR(products[0].figures.volume, 5333.047, 0.05);

  // The saved scene exports again and inspects with its solid's figures.
  ASSERT_EQ(Run("export bolt.json bolt.stl").exitCode, 0);
  EXPECT_TRUE(std::filesystem::file_size(Path("bolt.stl")) > 84);
  auto inspect = Run("inspect bolt.json");
  ASSERT_EQ(inspect.exitCode, 0) << inspect.err;
  json solid = json::parse(inspect.out)["root"]["children"][0]["solid"];
  EXPECT_EQ(solid["valid"], true);
  EXPECT_EQ(solid["solids"], 1);
  EXPECT_NEAR(solid["volume"].get<double>(), 5333.047, 0.05);
  EXPECT_NEAR(solid["box"]["min"][2].get<double>(), -50, 1e-6);
  EXPECT_NEAR(solid["box"]["max"][2].get<double>(), 6.4, 1e-6);
  EXPECT_EQ(solid["faces"], 17);
}

// The warning reaches the error stream as plain text; the cut itself is checked with the kernel.
TEST_F(BuildCommand, ANameTooLongForStepIsCutThereWithAWarning) {
  auto r =
      Run("build --kind bolt --type 1 --set Diametro=10 --set lung=50 --set Passo=1.5 "
          "--set DiamCerchioTesta=16 --set LungTesta=6.4 --name '\x1b[1m" +
          std::string(5000, 'N') + "' bolt.step");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "vormbrace: warning: bolt.step: the name of part \"\\x1b[1m" +
                       std::string(36, 'N') +
                       "\"... is 5004 bytes long, 5008 as STEP text (at most 4096): the STEP "
                       "file keeps its first 4092 bytes\n");
}

TEST_F(BuildCommand, EveryKindBuildsByItsTypeProperty) {
  auto screw =
      Run("build --kind screw --type 1 --set Diametro=10 --set lung=30 --set Passo=1.5 "
          "--set DiamCerchioTesta=16 --set LungTesta=10 --set Var2=8 --set Var3=5.5 s.glb");
  EXPECT_EQ(screw.exitCode, 0) << screw.err;
  auto setScrew =
      Run("build --kind setscrew --type 1 --set Diametro=10 --set lung=20 --set Passo=1.5 "
          "--set SmussoSuperiore=90 --set SmussoInferiore=90 --set DiamInf=7 "
          "--set LargIntaglio=5 --set AltIntaglio=4 s.stp");
  EXPECT_EQ(setScrew.exitCode, 0) << setScrew.err;
  EXPECT_EQ(host::occt::ReadStepProducts(Path("s.stp")).at(0).name, "ScrewNoHead 1");
}

TEST_F(BuildCommand, RefusesWhatItCannotBuildWithoutWritingAFile) {
  struct Case {
    std::string args, message;
  };
  const Case cases[] = {
      {"build --kind bolt --type 11 out.step", "vormbrace: a bolt has types 1 to 10\n"},
      {"build --kind bolt --type 1 --set HeaderType=99 out.step",
       "vormbrace: HeaderType 99: a bolt has types 1 to 10\n"},
      {"build --kind bolt --type 1 --set Diametro out.step",
       "vormbrace: --set takes NAME=VALUE, not \"Diametro\"\n"},
      {"build --kind bolt --type 1 --set Colour=red out.step",
       "vormbrace: --set \"Colour=red\": Bolt.Colour: Object doesn't support this property or "
       "method\n"},
      {"build --kind bolt --type 1 --set Diametro=ten out.step",
       "vormbrace: --set \"Diametro=ten\": Bolt.Diametro: Type mismatch\n"},
      {"build --kind bolt --type 1 --set lung=nan out.step",
       "vormbrace: --set \"lung=nan\": Bolt.lung: Type mismatch\n"},
      {"build --kind bolt --type 1 --set lung=1e400 out.step",
       "vormbrace: --set \"lung=1e400\": Bolt.lung: Overflow\n"},
      {"build --kind bolt --type 3 out.step", "vormbrace: Diametro 0: must be more than 0\n"},
      {"build --kind bolt --type 1 --set Diametro=-10 --set lung=50 out.step",
       "vormbrace: Diametro -10: a dimension cannot be negative\n"},
      {"build --kind bolt --type 1 --set Diametro=10 --set lung=50 --set LatoTesta=8 out.step",
       "vormbrace: Diametro 10: not narrower than the head (LatoTesta 8)\n"},
      {"build --kind washer --type 1 --set DiametroInterno=30 --set DiametroEsterno=20 "
       "--set Spessore=2 out.step",
       "vormbrace: DiametroInterno 30: not narrower than the washer (DiametroEsterno 20)\n"},
      {"build --kind nut --type 1 --set DiametroFiletto=20 --set DiametroEsterno=16 "
       "--set Spessore=8 out.step",
       "vormbrace: DiametroFiletto 20: not narrower than the nut (DiametroEsterno 16)\n"},
      {"build --kind washer --type 1 --set DiametroEsterno=20 --set Spessore=-2 out.step",
       "vormbrace: Spessore -2: a dimension cannot be negative\n"},
      {"build --kind bolt --type 1 out.obj",
       "vormbrace: out.obj: unknown export format (use .step, .stp, .stl or .glb)\n"},
  };
  for (const Case& c : cases) {
    auto r = Run(c.args);
    EXPECT_EQ(r.exitCode, 1) << c.args;
    EXPECT_EQ(r.err, c.message) << c.args;
  }
  // A name that is not UTF-8 would reach the scene and each export in a different form.
  auto name = Run("build --kind bolt --type 1 --set Diametro=10 --set lung=50 "
                  "--name 'M10\xff' out.step");
  EXPECT_NE(name.exitCode, 0);
  EXPECT_EQ(name.err.rfind("--name: must be UTF-8 text\n", 0), 0u) << name.err;
  EXPECT_FALSE(std::filesystem::exists(Path("out.step")));
  EXPECT_FALSE(std::filesystem::exists(Path("out.obj")));
}

}  // namespace
