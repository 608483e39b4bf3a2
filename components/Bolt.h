// Bolts: hexagon, square, cup and countersunk heads, studs and threaded rods (HeaderType 1-10).
#pragma once

#include "components/Classes.h"
#include "components/HeadedFastener.h"

namespace vormbrace {

class Bolt : public HeadedFastener {
 public:
  std::string ProgID() const override { return kBoltProgId; }

 protected:
  const char* KindName() const override { return "Bolt"; }
  void BuildGeometry(host::Shape& part) const override;
  void MakeHoleForFastener() override;
  void WriteDimensionRows(host::Component& table) const override;
  void ReadDimensionRows(host::Component& table) override;
  void ThreadPosition(double& length, double& offset) const override;
  // A bolt's thread is drawn with its taper, except on a threaded rod (HeaderType 5).
  bool ProjectsTaper() const override { return HeaderType != 5; }
};

}  // namespace vormbrace
