// The hole tolerance files are read only when a hole needs them: a damaged tolerance index
// fails a drop that cuts a hole, naming the file, and no other.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/reference/SceneFile.h"
#include "support/Plate.h"
#include "support/CliFixture.h"

namespace {

using namespace vormbrace;
namespace fs = std::filesystem;

class ToleranceRead : public test::CliFixture {
 protected:
  ToleranceRead() {
    fs::copy(VORMBRACE_STANDARDS_SOURCE_DIR, Path("standards"), fs::copy_options::recursive);
    host::ref::SceneDocument plate;
    test::AddPlate(plate);
    host::ref::SaveScene(plate, Path("plate.json"));
  }
  test::CommandResult Drop(const std::string& args) {
    return Run("--config standards/settings.json --no-cache drop " + args);
  }
  // Features of the plate's body (2 before a hole is cut) and parts in a scene.
  std::pair<int, int> FeaturesAndParts(const std::string& scene) const {
    auto document = host::ref::LoadScene(Path(scene));
    auto& parts = document->RootShape().Shapes(host::kShapePart);
    return {parts.Item(1).Components(23).Item(1).Shapes(0).Count(), parts.Count()};
  }
  void DamageToleranceIndex() {
    std::ofstream(Path("standards/ISO/Tolerances.ini"), std::ios::binary) << "\x01\x02\"garbage";
  }
};

const std::string kOnPlate = "plate.json --at 12,12,5 --dir 0,0,-1 --kind bolt --standard "
                             "\"ISO 4017\" --size M6 --length 20 ";

// The first drop cuts a hole and remembers it; with the index damaged afterwards, only drops
// that still cut a hole fail, whether the hole is asked for or remembered.
TEST_F(ToleranceRead, ADamagedToleranceIndexFailsOnlyDropsThatCutAHole) {
  auto intact = Drop(kOnPlate + "--hole simple --tolerance \"ISO 273 coarse\" -o intact.json");
  ASSERT_EQ(intact.exitCode, 0) << intact.err;
  EXPECT_EQ(FeaturesAndParts("intact.json"), std::make_pair(3, 2));

  DamageToleranceIndex();
  auto washer = Drop("--kind washer --standard \"ISO 7089\" --size M10 -o washer.json");
  EXPECT_EQ(washer.exitCode, 0) << washer.err;
  EXPECT_EQ(FeaturesAndParts("washer.json").second, 1);

  auto cutsAHole = [&](const std::string& hole) {
    auto cut = Drop(kOnPlate + hole + "-o hole.json");
    EXPECT_NE(cut.exitCode, 0) << hole;
    EXPECT_NE(cut.err.find("QNormaHole"), std::string::npos) << cut.err;
    EXPECT_FALSE(fs::exists(Path("hole.json")));
  };
  cutsAHole("");  // the remembered simple hole

  auto noHole = Drop(kOnPlate + "--hole none -o none.json");
  EXPECT_EQ(noHole.exitCode, 0) << noHole.err;
  EXPECT_EQ(FeaturesAndParts("none.json"), std::make_pair(2, 2));

  cutsAHole("--hole simple ");
}

}  // namespace
