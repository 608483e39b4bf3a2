// Set screws: hexagon socket and slotted with flat, dog, cone and cup points, and studs with a
// domed end (ComponentType 1-9).
#pragma once

#include <cstdint>

#include "components/Classes.h"
#include "components/Dispatch.h"
#include "components/ThreadedFastener.h"

namespace vormbrace {

class ScrewNoHead : public Dispatched<ScrewNoHead, ThreadedFastener> {
 public:
  std::int32_t ComponentType = 0;  // sub-type
  double Diametro = 0;             // nominal thread diameter, mm
  double lung = 0;                 // length, mm
  double DiamInf = 0;              // point diameter, mm
  double Passo = 0;                // thread pitch, mm
  double SmussoSuperiore = 0;      // top chamfer angle, degrees
  double SmussoInferiore = 0;      // point chamfer angle, degrees
  double DiamCilindro = 0;         // dog-point diameter, mm
  double AltCilindro = 0;          // dog-point height, mm
  double DiamCoppa = 0;            // cup diameter, mm
  double AltCoppa = 0;             // cup depth, mm
  double LargIntaglio = 0;         // slot or recess width, mm
  double AltIntaglio = 0;          // slot or recess depth, mm
  double LungRadice = 0;           // root thread length of a stud, mm
  double LungGambo = 0;            // far thread length of a stud, mm
  double AltCalotta = 0;           // dome height of a stud, mm

  std::string ProgID() const override { return kScrewNoHeadProgId; }
  static const DispatchTable<ScrewNoHead>& Table();

 protected:
  const char* KindName() const override { return "ScrewNoHead"; }
  void BuildGeometry(host::Shape& part) const override;
  double BomLength() const override { return lung; }
  void WriteDimensionRows(host::Component& table) const override;
  void SetSubType(std::int32_t subType) override { ComponentType = subType; }
  void ReadDimensionRows(host::Component& table) override;
  double ThreadDiameter() const override { return Diametro; }
  double ThreadPitch() const override { return Passo; }
  void ThreadPosition(double& length, double& offset) const override;
};

}  // namespace vormbrace
