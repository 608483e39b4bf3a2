// The STEP translator's work session, set up so that files whose faces have long edge loops are
// written and read in time close to linear in their size. Kernel types: for use inside host/occt
// only, under StepLock().
#pragma once

#include <TopoDS_Shape.hxx>
#include <XSControl_WorkSession.hxx>
#include <string>

namespace host::occt {

// The session checks every entity of a new model once, the first time it builds the model's
// graph (reading a file, or transferring a solid to write); the check of an edge copies the list
// of every loop it is in, so a face of N edges costs N squared: a profile of 10,000 segments spent
// most of a minute there. The check only reports, it changes nothing written or read; building
// the graph once over a placeholder entity marks it done. Call before the file is read, or before
// the transfer to write.
void SkipEntityCheck(const Handle(XSControl_WorkSession) & session);

// The reader's repair of what it reads searches each loop for crossings between edges that do not
// follow each other, every pair by position in a list, in time growing with the square of the
// loop's length or worse (a loop of 3,000 edges: 40 s). While this lives, a file that holds a
// loop of more than kLargeFaceEdges edges is transferred with the kernel's default repair less
// that search; other files keep the repair they get today. What such a transfer makes is kept
// only when valid (the validity check finds crossings in linear time): otherwise it is read again
// with the whole repair, which heals what it can as before.
class LongLoopRepair {
 public:
  // After the file is read into `session`; `whole` asks for the whole repair in any case.
  LongLoopRepair(const Handle(XSControl_WorkSession) & session, bool whole);
  ~LongLoopRepair();
  LongLoopRepair(const LongLoopRepair&) = delete;
  LongLoopRepair& operator=(const LongLoopRepair&) = delete;

  // Whether `shape`, transferred while this lives, is kept rather than read again whole.
  bool Keeps(const TopoDS_Shape& shape) const;

 private:
  bool searchLeftOut_ = false;
  std::string sequence_;  // the repair sequence in use before
};

}  // namespace host::occt
