// The last cross recess unions built, kept with their measures.
#include "host/occt/MadeRecesses.h"

#include <deque>
#include <mutex>
#include <utility>

namespace host::occt {
namespace {

// A part holds one recess; a scene's parts are built one after another. The unions are held
// alive while noted, so a few are kept.
constexpr std::size_t kKept = 8;

struct Noted {
  TopoDS_Shape shape;
  MadeRecess recess;
};

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

std::deque<Noted>& Kept() {
  static std::deque<Noted> kept;
  return kept;
}

}  // namespace

void RememberRecess(const TopoDS_Shape& made, const MadeRecess& recess) {
  if (made.IsNull()) return;
  std::lock_guard<std::mutex> guard(Lock());
  Kept().push_front({made, recess});
  if (Kept().size() > kKept) Kept().pop_back();
}

std::optional<MadeRecess> RecallRecess(const TopoDS_Shape& tool) {
  std::lock_guard<std::mutex> guard(Lock());
  for (const Noted& n : Kept()) {
    // IsEqual: the same shape, with the same location and orientation.
    if (n.shape.IsEqual(tool)) return n.recess;
  }
  return std::nullopt;
}

}  // namespace host::occt
