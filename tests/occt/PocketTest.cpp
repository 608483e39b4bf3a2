// Sockets and recesses sunk into a flat face, cut by building the pocket's faces directly: the
// shipped screws and set screws whose socket or recess opens in a flat top take that road and
// give the solid the booleans give; tools that break through a side, or open on a dome, keep
// to the booleans and still build.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "components/NewVormbrace.h"
#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "data/Settings.h"
#include "geometry/generaTeste.h"
#include "host/TextFile.h"
#include "occt/BothWays.h"
#include "support/TestHost.h"

namespace vormbrace::test {
namespace {

constexpr std::int16_t kIso = 0, kDin = 1;
constexpr std::int16_t kScrewKind = 1, kSetScrewKind = 2;

class Pocket : public ::testing::Test {
 protected:
  Pocket()
      : host_(host::ref::SettingsStore::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json")) {}

  // The first, middle and last size of a shipped size data file, each with the length of its
  // middle record.
  static std::vector<std::pair<std::string, std::string>> Sizes(const std::string& path) {
    std::vector<std::pair<std::string, std::vector<std::string>>> sizes;
    std::ifstream in(host::NativePath(path));
    EXPECT_TRUE(in) << path;
    for (std::string line; std::getline(in, line);) {
      if (line.empty() || line[0] == '#') continue;
      std::size_t a = line.find('|'), b = line.find('|', a + 1), c = line.find('|', b + 1);
      std::string size = line.substr(0, a), length = line.substr(b + 1, c - b - 1);
      if (sizes.empty() || sizes.back().first != size) sizes.push_back({size, {}});
      sizes.back().second.push_back(length);
    }
    std::vector<std::pair<std::string, std::string>> picked;
    if (sizes.empty()) return picked;
    for (std::size_t i : {std::size_t{0}, sizes.size() / 2, sizes.size() - 1}) {
      const auto& [size, lengths] = sizes[i];
      picked.push_back({size, lengths[lengths.size() / 2]});
    }
    return picked;
  }

  // Every picked size of the standard, built directly and by booleans.
  void ExpectStandardDirect(std::int16_t family, std::int16_t kind, std::int16_t type,
                            const std::string& file) {
    State().family = family;
    LoadKindSettings(kind);
    const std::string path = State().paths.dataFolder + file;
    for (const auto& [size, length] : Sizes(path)) {
      ValueArray v{};
      std::string partNumber;
      ASSERT_TRUE(QMisuraVariabili(path, size, length, v, partNumber)) << file << " " << size;
      auto make = [&](host::Shape& part) {
        if (kind == kScrewKind) {
          BuildScrewByType(part, ReadHeadedDimensions(*MakeScrew(type, v)));
        } else {
          BuildScrewNoHeadByType(part, ReadSetScrewDimensions(*MakeScrewNoHead(type, v)));
        }
      };
      ExpectDirectAsBooleans(make, file + " " + size + "x" + length);
    }
  }

  TestHost host_;
};

TEST_F(Pocket, ShippedSocketAndFlatTopRecessScrewsAreCutDirectly) {
  struct Standard {
    std::int16_t family, kind, type;
    const char* file;
  };
  const Standard standards[] = {
      {kIso, kScrewKind, 1, "ISO4762.tab"},    {kIso, kScrewKind, 2, "ISO10642.tab"},
      {kIso, kScrewKind, 3, "ISO7380.tab"},    {kIso, kScrewKind, 8, "ISO7046Z.tab"},
      {kIso, kScrewKind, 11, "ISO7046H.tab"},  {kDin, kScrewKind, 1, "DIN912.tab"},
      {kDin, kScrewKind, 2, "DIN7991.tab"},    {kIso, kSetScrewKind, 1, "ISO4026.tab"},
      {kIso, kSetScrewKind, 2, "ISO4028.tab"}, {kIso, kSetScrewKind, 3, "ISO4027.tab"},
      {kDin, kSetScrewKind, 1, "DIN913.tab"},  {kDin, kSetScrewKind, 2, "DIN915.tab"},
      {kDin, kSetScrewKind, 3, "DIN914.tab"},
  };
  for (const Standard& s : standards) ExpectStandardDirect(s.family, s.kind, s.type, s.file);
}

// A cylinder head 16 across and 10 high on the Z axis, its top face on z = 10.
void CylinderHead(host::Shape& part) { BuildCylinderHead(part, 0, 16, 10, 0); }

TEST_F(Pocket, ToolsThatAreNotPocketsKeepToTheBooleans) {
  struct Case {
    const char* what;
    void (*make)(host::Shape&);
  };
  const Case cases[] = {
      // A slot across the whole head opens on its side too.
      {"slot", [](host::Shape& p) { CylinderHead(p), CutSlot(p, 10, 2, 16, 3); }},
      // A socket whose corners (radius 8.08) reach past the head's side.
      {"wide socket", [](host::Shape& p) { CylinderHead(p), CutHexSocket(p, 10, 14, 3); }},
      // A socket as deep as the head: its floor lies on the head's underside.
      {"through socket", [](host::Shape& p) { CylinderHead(p), CutHexSocket(p, 10, 6, 10); }},
      // A socket sunk below the top face, opening nowhere.
      {"buried", [](host::Shape& p) { CylinderHead(p), CutHexSocket(p, 8, 6, 3); }},
      // A cup as wide as the flat end it is sunk into (as the shipped cup points are), with a
      // socket at the other end: both keep to the booleans.
      {"cup point",
       [](host::Shape& p) {
         SetScrewDimensions d;
         d.ComponentType = 4, d.Diametro = 6, d.lung = 16, d.Passo = 1, d.SmussoSuperiore = 90;
         d.SmussoInferiore = 90, d.DiamInf = 3, d.LargIntaglio = 3, d.AltIntaglio = 3.5;
         d.DiamCoppa = 3, d.AltCoppa = 1.5;
         BuildScrewNoHeadByType(p, d);
       }},
      // A cross recess opening on a domed head.
      {"dome",
       [](host::Shape& p) {
         BuildDomedCylinderHead(p, 10, 20, 1.5, 6, 0.4);
         CutCrossRecess(p, 7.5, 1.5, 4, 9);
       }},
  };
  for (const Case& c : cases) {
    Built direct = BuildPart(true, c.make);
    Built reference = BuildPart(false, c.make);
    EXPECT_EQ(direct.counts.directBuilds, 0) << c.what;
    ExpectSameSolid(direct, reference, c.what);
  }
}

TEST_F(Pocket, SocketInAHeadAloneLeavesTheVolumeOfHeadLessSocket) {
  // A hexagon socket 6 across flats (corner radius 6/√3, area 3√3/2 R²), 4 deep, in the
  // cylinder head of radius 8 and height 10.
  Built built = BuildPart(true, [](host::Shape& p) { CylinderHead(p), CutHexSocket(p, 10, 6, 4); });
  double R = 6 / std::sqrt(3.0);
  double socket = 1.5 * std::sqrt(3.0) * R * R * 4;
  EXPECT_EQ(built.counts.directBuilds, 1);
  EXPECT_TRUE(built.figures.valid);
  EXPECT_NEAR(built.figures.volume, M_PI * 64 * 10 - socket, 1e-6 * M_PI * 640);
  EXPECT_NEAR(built.figures.boxMax.z, 10, 1e-6);
}

}  // namespace
}  // namespace vormbrace::test
