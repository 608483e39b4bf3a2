// Chamfered prisms built face by face: the library's hexagon and square heads and nuts take
// that road and give the solid the booleans give; prisms and cuts that are not exactly a
// chamfered prism keep to the booleans and still build.
#include <gtest/gtest.h>

#include "geometry/generaDadi.h"
#include "geometry/generaTeste.h"
#include "occt/BothWays.h"
#include "support/TestHost.h"

namespace vormbrace::test {
namespace {

class DirectBuild : public ::testing::Test {
 protected:
  TestHost host_;
};

HeadedDimensions HexBolt(std::int32_t type) {
  HeadedDimensions d;
  d.HeaderType = type, d.Diametro = 10, d.lung = 50, d.Passo = 1.5;
  d.DiamCerchioTesta = 16, d.LungTesta = 6.4;
  if (type == 2) d.LungCollarino = 1, d.DistFiletto = 24;
  return d;
}

NutDimensions HexNut(std::int32_t type) {
  NutDimensions n;
  n.ComponentType = type, n.DiametroFiletto = 10, n.Passo = 1.5;
  n.DiametroEsterno = 16, n.Spessore = 8.4;
  return n;
}

TEST_F(DirectBuild, LibraryHeadsAndNuts) {
  ExpectDirectAsBooleans([](host::Shape& p) { BuildHexHead(p, 16, 6.4, 0); }, "hexagon head");
  ExpectDirectAsBooleans([](host::Shape& p) { BuildBoltByType(p, HexBolt(1)); }, "M10 hexagon bolt");
  ExpectDirectAsBooleans([](host::Shape& p) { BuildBoltByType(p, HexBolt(2)); }, "M10 flange bolt");
  ExpectDirectAsBooleans([](host::Shape& p) { BuildSquareHead(p, 22, 7, 17); }, "square head");
  ExpectDirectAsBooleans([](host::Shape& p) { BuildNutByType(p, HexNut(1)); }, "M10 hexagon nut");
  ExpectDirectAsBooleans([](host::Shape& p) { MakeCutSquareBody(p, 17, 21.5, 10, 8, 1.5); },
                         "M10 square nut");
}

}  // namespace
}  // namespace vormbrace::test
