// Washers: plain, spring, chamfered, square-hole, square, taper and double-chamfered
// (ComponentType 1-8).
#pragma once

#include <cstdint>

#include "components/Classes.h"
#include "components/Dispatch.h"
#include "components/FastenerComponent.h"

namespace vormbrace {

class Washer : public Dispatched<Washer, FastenerComponent> {
 public:
  std::int32_t ComponentType = 0;  // sub-type
  double DiametroNominale = 0;     // nominal size, mm
  double DiametroEsterno = 0;      // outer diameter, mm
  double DiametroInterno = 0;      // inner diameter, mm
  double Spessore = 0;             // thickness, mm
  double Spessore1 = 0;            // second thickness (taper washers), mm
  double lato = 0;                 // side of a square or rectangular washer, mm
  double Lato1 = 0;                // second side, mm
  double SpessoreSmusso = 0;       // chamfer thickness, mm
  double SpessoreSmusso1 = 0;      // second chamfer thickness, mm
  double Scanalatura = 0;          // slot, mm

  std::string ProgID() const override { return kWasherProgId; }
  static const DispatchTable<Washer>& Table();

 protected:
  const char* KindName() const override { return "Washer"; }
  void BuildGeometry(host::Shape& part) const override;
  void WriteDimensionRows(host::Component& table) const override;
};

}  // namespace vormbrace
