// The generators of each kind, fed from a component's properties.
#include "app/FastenerPart.h"

#include "geometry/generaDadi.h"
#include "geometry/generaRosette.h"
#include "geometry/generaTeste.h"

namespace vormbrace::app {

void BuildFastenerPart(std::int16_t kind, const host::AutomationObject& object,
                       host::Shape& part) {
  switch (kind) {
    case 0:
      BuildBoltByType(part, ReadHeadedDimensions(object));
      break;
    case 1:
      BuildScrewByType(part, ReadHeadedDimensions(object));
      break;
    case 2:
      BuildScrewNoHeadByType(part, ReadSetScrewDimensions(object));
      break;
    case 3:
      BuildWasherByType(part, ReadWasherDimensions(object));
      break;
    default:
      BuildNutByType(part, ReadNutDimensions(object));
      break;
  }
}

}  // namespace vormbrace::app
