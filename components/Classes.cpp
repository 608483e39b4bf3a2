// The fastener classes for the host's registry.
#include "components/Classes.h"

#include "components/Bolt.h"
#include "components/Nut.h"
#include "components/Screw.h"
#include "components/ScrewNoHead.h"
#include "components/Washer.h"

namespace vormbrace {

namespace {
template <typename C>
std::unique_ptr<host::AutomationObject> Make() {
  return std::make_unique<C>();
}
}  // namespace

const std::vector<ClassInfo>& FastenerClasses() {
  // Fixed class identifiers of our own; the ProgID texts are what parts are bound with.
  static const std::vector<ClassInfo> classes = {
      {kBoltProgId, "{5B0E7A11-3C42-4D8E-9A61-0F2B6C1D7E01}", Make<Bolt>},
      {kScrewProgId, "{5B0E7A11-3C42-4D8E-9A61-0F2B6C1D7E02}", Make<Screw>},
      {kScrewNoHeadProgId, "{5B0E7A11-3C42-4D8E-9A61-0F2B6C1D7E03}", Make<ScrewNoHead>},
      {kWasherProgId, "{5B0E7A11-3C42-4D8E-9A61-0F2B6C1D7E04}", Make<Washer>},
      {kNutProgId, "{5B0E7A11-3C42-4D8E-9A61-0F2B6C1D7E05}", Make<Nut>},
  };
  return classes;
}

}  // namespace vormbrace
