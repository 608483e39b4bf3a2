// What the three threaded classes (Bolt, Screw, ScrewNoHead) add: the drawing properties,
// reading a part's data table back into the object, and the answers to the host's
// projected-thread questions, taken from the stored parameters (not from the geometry).
#pragma once

#include <cstdint>
#include <string>

#include "components/FastenerComponent.h"
#include "host/ProjectedThreads.h"

namespace vormbrace {

class ThreadedFastener : public FastenerComponent, public host::ProjectedThreads {
 public:
  std::string ThreadCallout;                // thread callout for drawings
  std::int32_t TransferToDrawingFlags = 0;  // drawing flags

  // When the shape has a fastener data table: keeps the shape, takes the sub-type from (1, 1)
  // and the class's dimension rows into their properties, sets TransferToDrawingFlags to 1 and
  // answers true. Otherwise sets the flags to 0 and answers false.
  bool LoadFromTable(host::Shape& shape);

  // The shape last loaded by LoadFromTable, nullptr before.
  host::Shape* LoadedShape() const { return loadedShape_; }

  host::HostInterface* QueryInterface(const std::string& interfaceId) override;

  // The projected-thread answers. Lengths are converted to the host's internal unit with the
  // converter of the drop context's page or, before any drop or edit, of the shape last
  // loaded; with neither, error 424 reaches the host.
  bool Initialize(host::Shape* shape) override;
  bool GetDiameters(double& InnerDiameter, double& OuterDiameter) override;
  bool GetPositionInformation(double& Length, double& OffsetDistance) override;
  bool GetTaperFromMajorDiameter(double& angle) override;
  bool GetTaperProjection(bool& TaperProjection) override;
  bool GetThreadDirection(double& VecX, double& VecY, double& VecZ) override;
  bool GetIsHole(bool& IsHole) override;
  // A fastener's thread is no hole: answers false and writes nothing.
  bool GetHoleInformation(bool bWantAnglesInDegrees, bool& bHoleDepthIsFinite, double& dHoleDepth,
                          double& dCounterboreDepth, double& dCounterboreDiameter,
                          double& dCountersinkDiameter, double& dCountersinkAngle,
                          double& dBottomAngle) override;
  std::int32_t HoleInformationFlags() const override { return 0; }
  std::int32_t ProjectionFlags() const override { return TransferToDrawingFlags & 3; }
  std::string Callout() const override { return ThreadCallout; }
  bool GetProjectedThreadInformation(host::Shape* shape, double& InnerDiameter,
                                     double& OuterDiameter, double& TaperAngle,
                                     double& ThreadLength, double& OffsetDistance, double& VecX,
                                     double& VecY, double& VecZ, bool& IsHole,
                                     bool& TaperProjection) override;

 protected:
  virtual void SetSubType(std::int32_t subType) = 0;
  virtual void ReadDimensionRows(host::Component& table) = 0;
  // Nominal diameter and pitch, mm.
  virtual double ThreadDiameter() const = 0;
  virtual double ThreadPitch() const = 0;
  // Threaded length and its start from the head side, mm, by the class's sub-type.
  virtual void ThreadPosition(double& length, double& offset) const = 0;
  virtual bool ProjectsTaper() const { return false; }

 private:
  // Millimetres to the host's internal unit.
  double ToHostLength(double mm) const;

  host::Shape* loadedShape_ = nullptr;
};

}  // namespace vormbrace
