// The hole a bolt makes, the dimension rows it keeps in its data table and where its thread
// lies.
#include "components/Bolt.h"

#include <cmath>

#include "components/FastenerHole.h"
#include "components/FastenerTable.h"
#include "data/Globals.h"
#include "geometry/Utils.h"
#include "geometry/generaHoles.h"
#include "geometry/generaTeste.h"

namespace vormbrace {

void Bolt::BuildGeometry(host::Shape& part) const {
  BuildBoltByType(part, ReadHeadedDimensions(*this));
}

// A simple hole, or a counterbore as wide as 1.2 times the hexagon's corners and as deep as the
// head, into which the bolt then sinks.
void Bolt::MakeHoleForFastener() {
  // A bolt cuts simple and counterbore holes only: a hole feature without a profile would
  // leave the hit part without a solid.
  if (State().holeType != 1 && State().holeType != 2) return;
  FastenerHole hole = StartFastenerHole(Diametro, lung);
  if (hole.feature == nullptr) return;
  const double t = hole.allowance;
  double incDiameter = 0;
  if (State().holeType == 1) {
    MakeHole(*hole.feature, Diametro, t, lung);
  } else {
    incDiameter = 1.2 * DiamCerchioTesta / std::cos(kRad30);
    MakeCounterboreHole(*hole.feature, Diametro, lung, t, incDiameter, LungTesta);
    MovePlacementIntoHole(LungTesta);
  }
  FinishFastenerHole(
      *hole.feature,
      {State().holeType, State().componentId, Diametro, lung, t, incDiameter, LungTesta, 0},
      ProgID());
}

void Bolt::WriteDimensionRows(host::Component& table) const {
  SetNumber(table, 6, host::Value::Int16(1));
  SetNumber(table, 9, host::Value::Double(DistFiletto));
  SetNumber(table, 17, host::Value::Double(DistFiletto));
  SetNumber(table, 10, host::Value::Double(Diametro));
  SetNumber(table, 11, host::Value::Double(lung));
  SetNumber(table, 12, host::Value::Double(Passo));
}

void Bolt::ReadDimensionRows(host::Component& table) {
  DistFiletto = NumberAt(table, 9);
  Diametro = NumberAt(table, 10);
  lung = NumberAt(table, 11);
  Passo = NumberAt(table, 12);
}

// The thread starts below the unthreaded shank; a threaded rod (HeaderType 5) is threaded
// from half a pitch below its top to its far end.
void Bolt::ThreadPosition(double& length, double& offset) const {
  offset = HeaderType == 5 ? Passo / 2 : DistFiletto;
  length = lung - offset;
}

}  // namespace vormbrace
