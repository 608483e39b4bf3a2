// The STEP work session's entity check skipped, and the repair of files with long loops.
#include "host/occt/StepSession.h"

#include <Interface_InterfaceModel.hxx>
#include <Interface_Static.hxx>
#include <Resource_Manager.hxx>
#include <ShapeProcess_Context.hxx>
#include <StepGeom_CartesianPoint.hxx>
#include <StepShape_EdgeLoop.hxx>
#include <TCollection_HAsciiString.hxx>

#include "host/occt/ShapeValidity.h"

namespace host::occt {
namespace {

// The repair sequence read files go through, as the reader names it.
constexpr const char* kSequenceParameter = "read.step.sequence";
// Ours: the kernel's default repair of a read shape (what it does when no resource file defines
// the sequence named), less the search for crossings between edges apart in a loop.
constexpr const char* kLongLoopSequence = "FromSTEPLongLoops";

bool HoldsLongLoop(const Handle(Interface_InterfaceModel) & model) {
  if (model.IsNull()) return false;
  for (Standard_Integer i = 1; i <= model->NbEntities(); ++i) {
    Handle(StepShape_EdgeLoop) loop = Handle(StepShape_EdgeLoop)::DownCast(model->Value(i));
    if (!loop.IsNull() && loop->NbEdgeList() > kLargeFaceEdges) return true;
  }
  return false;
}

// Defines the sequence in the kernel's resources for reading STEP files (one set shared by every
// reader, reloaded only when its file changes: defined again before each use).
void DefineLongLoopSequence() {
  Handle(ShapeProcess_Context) context =
      new ShapeProcess_Context(Interface_Static::CVal("read.step.resource.name"));
  const Handle(Resource_Manager)& resources = context->ResourceManager();
  if (resources.IsNull()) return;
  const std::string scope = std::string(kLongLoopSequence) + ".FixShape.";
  auto set = [&](const char* name, auto value) {
    resources->SetResource((scope + name).c_str(), value);
  };
  resources->SetResource((std::string(kLongLoopSequence) + ".exec.op").c_str(), "FixShape");
  // As the default repair: the reader's own tolerances, no same-parameter fix of single edges,
  // no open solids.
  set("Tolerance3d", "&Runtime.Tolerance");
  set("MaxTolerance3d", "&Runtime.MaxTolerance");
  set("FixEdgeSameParameterMode", 0);
  set("CreateOpenSolidMode", 0);
  set("FixNonAdjacentIntersectingEdgesMode", 0);
}

}  // namespace

void SkipEntityCheck(const Handle(XSControl_WorkSession) & session) {
  Handle(Interface_InterfaceModel) model = session->Model();
  if (model.IsNull()) model = session->NewModel();
  Handle(StepGeom_CartesianPoint) placeholder = new StepGeom_CartesianPoint;
  placeholder->Init3D(new TCollection_HAsciiString(""), 0, 0, 0);
  model->AddEntity(placeholder);
  session->ComputeGraph(Standard_True);
  model->ClearEntities();
}

LongLoopRepair::LongLoopRepair(const Handle(XSControl_WorkSession) & session, bool whole) {
  if (whole || !HoldsLongLoop(session->Model())) return;
  const char* current = Interface_Static::CVal(kSequenceParameter);
  if (current == nullptr) return;
  DefineLongLoopSequence();
  sequence_ = current;
  searchLeftOut_ = Interface_Static::SetCVal(kSequenceParameter, kLongLoopSequence);
}

LongLoopRepair::~LongLoopRepair() {
  if (searchLeftOut_) Interface_Static::SetCVal(kSequenceParameter, sequence_.c_str());
}

bool LongLoopRepair::Keeps(const TopoDS_Shape& shape) const {
  return !searchLeftOut_ || IsValidShape(shape);
}

}  // namespace host::occt
