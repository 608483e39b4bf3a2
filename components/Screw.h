// Screws: socket, slotted and cross-recessed heads (HeaderType 1-12).
#pragma once

#include "components/Classes.h"
#include "components/HeadedFastener.h"

namespace vormbrace {

// Screw head types whose head is countersunk below the seating plane: 2, 5, 6, 8, 9, 11, 12.
bool IsCountersunk(std::int32_t headerType);

class Screw : public HeadedFastener {
 public:
  std::string ProgID() const override { return kScrewProgId; }

 protected:
  const char* KindName() const override { return "Screw"; }
  void BuildGeometry(host::Shape& part) const override;
  void MakeHoleForFastener() override;
  void WriteDimensionRows(host::Component& table) const override;
  void ReadDimensionRows(host::Component& table) override;
  void ThreadPosition(double& length, double& offset) const override;
};

}  // namespace vormbrace
