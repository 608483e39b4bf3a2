// Set screws with a dog point are named, listed and built by their nominal length, dog
// included: the name, the bill of materials and the solid agree, and a copy rebuilt by an edit
// finds its record by that length.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/CliFixture.h"

namespace {

using namespace vormbrace;

class DogPointLength : public test::CliFixture {
 protected:
  test::CommandResult Run(const std::string& args) const {
    return CliFixture::Run("--no-cache " + args);
  }
};

TEST_F(DogPointLength, NameListAndSolidAgreeOnTheNominalLength) {
  struct Case {
    const char* type;
    const char* standard;
  };
  for (const Case& c : {Case{"2", "ISO 4028"}, Case{"6", "ISO 7435"}}) {
    const std::string standard = c.standard;
    auto drop = Run("drop --kind setscrew --type " + std::string(c.type) + " --standard \"" +
                    standard + "\" --size M10 --length 20 -o dog.json");
    ASSERT_EQ(drop.exitCode, 0) << drop.err;
    EXPECT_NE(drop.out.find("\n" + standard + " M10x20 - "), std::string::npos) << drop.out;
    EXPECT_NE(drop.out.find("  Length: 20\n"), std::string::npos) << drop.out;

    // A copy, then an edit to M12: both rebuilt from the M12x20 record.
    ASSERT_EQ(Run("copy dog.json --part Part1 --at 30,0,0").exitCode, 0);
    auto edit = Run("edit dog.json --part Part1 --size M12");
    ASSERT_EQ(edit.exitCode, 0) << edit.err;
    auto inspect = Run("inspect dog.json");
    ASSERT_EQ(inspect.exitCode, 0) << inspect.err;
    auto parts = nlohmann::json::parse(inspect.out)["root"]["children"];
    ASSERT_EQ(parts.size(), 2u);
    for (const auto& part : parts) {
      EXPECT_EQ(part["name"].get<std::string>().rfind(standard + " M12x20 - ", 0), 0u)
          << part["name"];
      const auto& box = part["solid"]["box"];
      EXPECT_TRUE(part["solid"]["valid"].get<bool>());
      EXPECT_NEAR(box["max"][2].get<double>() - box["min"][2].get<double>(), 20, 1e-6) << standard;
      EXPECT_NEAR(box["max"][0].get<double>() - box["min"][0].get<double>(), 12, 1e-6) << standard;
    }
    std::filesystem::remove(host_.Scratch() / "dog.json");
  }
}

}  // namespace
