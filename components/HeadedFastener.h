// The property set of Bolt and Screw: a thread with a head.
#pragma once

#include <cstdint>

#include "components/Dispatch.h"
#include "components/ThreadedFastener.h"

namespace vormbrace {

class HeadedFastener : public Dispatched<HeadedFastener, ThreadedFastener> {
 public:
  std::int32_t HeaderType = 0;                    // head sub-type, selects the generators
  double Diametro = 0;                            // nominal thread diameter, mm
  double lung = 0;                                // nominal length, mm
  double LungTesta = 0;                           // head height, mm
  double DiametroCollarino = 0;                   // collar diameter, mm
  double LungCollarino = 0;                       // collar height, mm
  double DistFiletto = 0;                         // unthreaded shank length below the head, mm
  double DiamCerchioTesta = 0;                    // head circle diameter, mm
  double LatoTesta = 0;                           // head side (across flats or square side), mm
  double Passo = 0;                               // thread pitch, mm
  double Var1 = 0, Var2 = 0, Var3 = 0, Var4 = 0;  // sub-type specific head and recess sizes

  // The properties in slot order.
  static const DispatchTable<HeadedFastener>& Table();

  // LengthUpdate for a shape with a fastener data table.
  void PreUpdate(host::Shape& shape) override;
  // HoleUpdate for a shape whose data table is a hole table ((1, 2) = "FastHole").
  void Update(host::Shape& shape) override;

 protected:
  bool HasUpdateEvent() const override { return true; }
  void SetSubType(std::int32_t subType) override { HeaderType = subType; }
  double BomLength() const override { return lung; }
  double ThreadDiameter() const override { return Diametro; }
  double ThreadPitch() const override { return Passo; }
};

}  // namespace vormbrace
