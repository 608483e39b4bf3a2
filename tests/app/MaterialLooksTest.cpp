// The material looks of the bundled standards library, and a damaged table.
#include "app/MaterialLooks.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/TestHost.h"

namespace {

using vormbrace::app::MaterialLooks;

TEST(MaterialLooks, EveryCodeOfTheMaterialsListsFindsItsMetal) {
  MaterialLooks table = MaterialLooks::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/Appearance.tab");
  struct Case {
    const char* code;
    const char* look;
  };
  for (const Case& c : {Case{"8.8", "Steel"}, Case{"4.6", "Steel"}, Case{"45H", "Steel"},
                        Case{"100 HV", "Steel"}, Case{"10.9", "Black-oxide steel"},
                        Case{"A2-70", "Stainless steel"}, Case{"a4-80", "Stainless steel"},
                        Case{"CU2", "Brass"}, Case{"AL4", "Aluminium"},
                        Case{"8.8 zinc plated", "Zinc-plated steel"}}) {
    auto look = table.Find(c.code);
    ASSERT_TRUE(look.has_value()) << c.code;
    EXPECT_EQ(look->name, c.look) << c.code;
  }
  EXPECT_FALSE(table.Find("  ").has_value());
  // A missing table leaves every part uncoloured.
  EXPECT_FALSE(MaterialLooks::Load("/nonexistent/Appearance.tab").Find("8.8").has_value());
}

TEST(MaterialLooks, ADamagedLineIsNamedByFileAndLine) {
  vormbrace::test::TestHost host;
  for (const char* line : {"8.8|Steel|0.4 0.4|1|0.4", "8.8|Steel|0.4 0.4 1.5|1|0.4",
                           "8.8|Steel|0.4 0.4 0.4|x|0.4", "|Steel|0.4 0.4 0.4|1|0.4",
                           "8.8|Steel|0.4 0.4 0.4|1"}) {
    std::string path = host.WriteFile("Appearance.tab", std::string("# looks\n\n") + line + "\n");
    try {
      MaterialLooks::Load(path);
      ADD_FAILURE() << line;
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()).rfind(path + ", line 3: ", 0), 0u) << e.what();
    }
  }
}

}  // namespace
