// Nuts: hexagon, castle and slotted, collar, square, cap and slotted round nuts
// (ComponentType 1-9).
#pragma once

#include <cstdint>

#include "components/Classes.h"
#include "components/Dispatch.h"
#include "components/FastenerComponent.h"

namespace vormbrace {

class Nut : public Dispatched<Nut, FastenerComponent> {
 public:
  std::int32_t ComponentType = 0;     // sub-type
  double DiametroEsterno = 0;         // outer diameter (across flats), mm
  double DiametroInterno = 0;         // inner diameter, mm
  double DiametroFiletto = 0;         // thread diameter, mm
  double DiametroCorona = 0;          // crown diameter, mm
  double InizioCorona = 0;            // height at which the crown starts, mm
  double Spessore = 0;                // height, mm
  double LatoRet = 0;                 // side of the square nut, mm
  double AltRet = 0;                  // carried and stored, not drawn
  double Scanalatura = 0;             // slot width, mm
  double LargScanalatura = 0;         // slot depth, mm
  double Passo = 0;                   // thread pitch, mm
  std::int16_t numCave = 0;           // number of slots
  double DiametroCalotta = 0;         // cap outer diameter, mm
  double DiametroInternoCalotta = 0;  // cap inner diameter, mm
  double AltezzaCalotta = 0;          // cap height, mm
  double AltezzaInternoCalotta = 0;   // cap inner height, mm
  double RaggioCalotta = 0;           // cap radius, mm
  double RaggioInternoCalotta = 0;    // cap inner radius, mm

  std::string ProgID() const override { return kNutProgId; }
  static const DispatchTable<Nut>& Table();

 protected:
  const char* KindName() const override { return "Nut"; }
  void BuildGeometry(host::Shape& part) const override;
  void WriteDimensionRows(host::Component& table) const override;
};

}  // namespace vormbrace
