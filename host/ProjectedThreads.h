// The projected-thread interface: what the host's drawing module asks a threaded part's class
// object about its thread, to draw it as a drawing office expects (root lines, thread end,
// callout) rather than as modelled. A host finds it by its identifier (QueryInterface).
#pragma once

#include <cstdint>
#include <string>

#include "host/Automation.h"

namespace host {

class Shape;

inline constexpr const char* kProjectedThreadsId = "{FC213957-4068-11D3-80CC-00C04F6BFADF}";

// Lengths and diameters are answered in the host's internal unit (HostUnitConverter code 2),
// angles in degrees, the direction in the part's frame. Each method answers whether it
// succeeded; the host calls Initialize (directly or through GetProjectedThreadInformation)
// before the other getters.
class ProjectedThreads : public HostInterface {
 public:
  static constexpr const char* kInterfaceId = kProjectedThreadsId;

  // Loads the thread of `shape` (nullptr: absent) from its stored parameters.
  virtual bool Initialize(Shape* shape) = 0;
  // Root (inner) and nominal (outer) diameter.
  virtual bool GetDiameters(double& InnerDiameter, double& OuterDiameter) = 0;
  // Threaded length, and where it starts, measured along the thread direction from the part's
  // origin.
  virtual bool GetPositionInformation(double& Length, double& OffsetDistance) = 0;
  virtual bool GetTaperFromMajorDiameter(double& angle) = 0;
  virtual bool GetTaperProjection(bool& TaperProjection) = 0;
  virtual bool GetThreadDirection(double& VecX, double& VecY, double& VecZ) = 0;
  virtual bool GetIsHole(bool& IsHole) = 0;
  // Hole depth, counterbore and countersink of a threaded hole.
  virtual bool GetHoleInformation(bool bWantAnglesInDegrees, bool& bHoleDepthIsFinite,
                                  double& dHoleDepth, double& dCounterboreDepth,
                                  double& dCounterboreDiameter, double& dCountersinkDiameter,
                                  double& dCountersinkAngle, double& dBottomAngle) = 0;
  virtual std::int32_t HoleInformationFlags() const = 0;
  // Two bits of drawing flags (0 to 3).
  virtual std::int32_t ProjectionFlags() const = 0;
  // The thread callout text; empty when the part has none of its own.
  virtual std::string Callout() const = 0;
  // Initialize, GetDiameters, GetTaperFromMajorDiameter, GetPositionInformation,
  // GetThreadDirection, GetIsHole and GetTaperProjection in this order, stopping at the first
  // that fails; outputs of the calls not made are left as they were.
  virtual bool GetProjectedThreadInformation(Shape* shape, double& InnerDiameter,
                                             double& OuterDiameter, double& TaperAngle,
                                             double& ThreadLength, double& OffsetDistance,
                                             double& VecX, double& VecY, double& VecZ, bool& IsHole,
                                             bool& TaperProjection) = 0;
};

}  // namespace host
