// The hole a screw makes, the dimension rows it keeps in its data table (a bolt's and the head
// height) and where its thread lies.
#include "components/Screw.h"

#include "components/FastenerHole.h"
#include "components/FastenerTable.h"
#include "data/Globals.h"
#include "geometry/generaHoles.h"
#include "geometry/generaTeste.h"

namespace vormbrace {

bool IsCountersunk(std::int32_t headerType) {
  switch (headerType) {
    case 2:
    case 5:
    case 6:
    case 8:
    case 9:
    case 11:
    case 12:
      return true;
    default:
      return false;
  }
}

void Screw::BuildGeometry(host::Shape& part) const {
  BuildScrewByType(part, ReadHeadedDimensions(*this));
}

// A simple hole (a countersunk head then rests on the surface), a counterbore 1.2 times the
// head wide and as deep as it, or a countersink matching the head's angle.
void Screw::MakeHoleForFastener() {
  // Simple, counterbore and countersink holes; any other choice makes no hole feature, which
  // would leave the hit part without a solid.
  if (State().holeType < 1 || State().holeType > 3) return;
  FastenerHole hole = StartFastenerHole(Diametro, lung);
  if (hole.feature == nullptr) return;
  const double t = hole.allowance;
  double incDiameter = 0;
  switch (State().holeType) {
    case 1:
      MakeHole(*hole.feature, Diametro, t, lung);
      if (IsCountersunk(HeaderType)) MovePlacementIntoHole(-LungTesta);
      break;
    case 2:
      incDiameter = 1.2 * DiamCerchioTesta;
      MakeCounterboreHole(*hole.feature, Diametro, lung, t, incDiameter, LungTesta);
      MovePlacementIntoHole(LungTesta);
      break;
    case 3:
      incDiameter = DiamCerchioTesta;
      MakeCountersinkHole(*hole.feature, Diametro, lung, t, DiamCerchioTesta, Var1);
      break;
  }
  FinishFastenerHole(
      *hole.feature,
      {State().holeType, State().componentId, Diametro, lung, t, incDiameter, LungTesta, Var1},
      ProgID());
}

void Screw::WriteDimensionRows(host::Component& table) const {
  SetNumber(table, 6, host::Value::Int16(1));
  SetNumber(table, 8, host::Value::Double(LungTesta));
  SetNumber(table, 9, host::Value::Double(DistFiletto));
  SetNumber(table, 17, host::Value::Double(DistFiletto));
  SetNumber(table, 10, host::Value::Double(Diametro));
  SetNumber(table, 11, host::Value::Double(lung));
  SetNumber(table, 12, host::Value::Double(Passo));
}

void Screw::ReadDimensionRows(host::Component& table) {
  LungTesta = NumberAt(table, 8);
  DistFiletto = NumberAt(table, 9);
  Diametro = NumberAt(table, 10);
  lung = NumberAt(table, 11);
  Passo = NumberAt(table, 12);
}

// The thread starts below the unthreaded shank, or right under a head sunk below the seating
// plane. HeaderType 2 (a countersunk socket head) keeps the shank rule.
void Screw::ThreadPosition(double& length, double& offset) const {
  switch (HeaderType) {
    case 5:
    case 6:
    case 8:
    case 9:
    case 11:
    case 12:
      offset = LungTesta;
      break;
    default:
      offset = DistFiletto;
      break;
  }
  length = lung - offset;
}

}  // namespace vormbrace
