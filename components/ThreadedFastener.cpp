// Reading a threaded part's data table back into its class object, and the projected-thread
// answers built on it.
#include "components/ThreadedFastener.h"

#include "components/FastenerTable.h"
#include "data/Globals.h"
#include "host/Host.h"
#include "host/Page.h"
#include "host/RuntimeError.h"

namespace vormbrace {
namespace {
constexpr std::int16_t kUnitInternal = 2;
constexpr std::int16_t kUnitMillimetre = 7;
}  // namespace

bool ThreadedFastener::LoadFromTable(host::Shape& shape) {
  host::Component* table = FindDataTable(shape);
  if (table == nullptr) {
    TransferToDrawingFlags = 0;
    return false;
  }
  loadedShape_ = &shape;
  SetSubType(table->Variable(kNumberColumn, 1).GetValue().AsInt32());
  ReadDimensionRows(*table);
  TransferToDrawingFlags = 1;
  return true;
}

host::HostInterface* ThreadedFastener::QueryInterface(const std::string& interfaceId) {
  if (host::SameInterfaceId(interfaceId, host::kProjectedThreadsId)) {
    return static_cast<host::ProjectedThreads*>(this);
  }
  return nullptr;
}

double ThreadedFastener::ToHostLength(double mm) const {
  host::Page* page = State().page;
  if (page == nullptr && loadedShape_ != nullptr) page = &loadedShape_->Page();
  if (page == nullptr) host::Raise(host::err::kObjectRequired);
  return host::CurrentHost().NewUnitConverter(*page)->Convert(mm, kUnitMillimetre, kUnitInternal);
}

// An assembly (type 1) carries no fastener data: it is refused before anything changes.
bool ThreadedFastener::Initialize(host::Shape* shape) {
  if (shape == nullptr || shape->Type() == host::kShapeAssembly) return false;
  return LoadFromTable(*shape);
}

bool ThreadedFastener::GetDiameters(double& InnerDiameter, double& OuterDiameter) {
  InnerDiameter = ToHostLength(ThreadDiameter() - ThreadPitch());
  OuterDiameter = ToHostLength(ThreadDiameter());
  return true;
}

bool ThreadedFastener::GetPositionInformation(double& Length, double& OffsetDistance) {
  double length = 0, offset = 0;
  ThreadPosition(length, offset);
  Length = ToHostLength(length);
  OffsetDistance = ToHostLength(offset);
  return true;
}

bool ThreadedFastener::GetTaperFromMajorDiameter(double& angle) {
  angle = 0;
  return true;
}

bool ThreadedFastener::GetTaperProjection(bool& TaperProjection) {
  TaperProjection = ProjectsTaper();
  return true;
}

// The thread runs from the head along the part's negative Z axis.
bool ThreadedFastener::GetThreadDirection(double& VecX, double& VecY, double& VecZ) {
  VecX = 0;
  VecY = 0;
  VecZ = -1;
  return true;
}

bool ThreadedFastener::GetIsHole(bool& IsHole) {
  IsHole = false;
  return true;
}

bool ThreadedFastener::GetHoleInformation(bool, bool&, double&, double&, double&, double&, double&,
                                          double&) {
  return false;
}

bool ThreadedFastener::GetProjectedThreadInformation(host::Shape* shape, double& InnerDiameter,
                                                     double& OuterDiameter, double& TaperAngle,
                                                     double& ThreadLength, double& OffsetDistance,
                                                     double& VecX, double& VecY, double& VecZ,
                                                     bool& IsHole, bool& TaperProjection) {
  return Initialize(shape) && GetDiameters(InnerDiameter, OuterDiameter) &&
         GetTaperFromMajorDiameter(TaperAngle) &&
         GetPositionInformation(ThreadLength, OffsetDistance) &&
         GetThreadDirection(VecX, VecY, VecZ) && GetIsHole(IsHole) &&
         GetTaperProjection(TaperProjection);
}

}  // namespace vormbrace
