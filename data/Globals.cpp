// The process-wide run-time state.
#include "data/Globals.h"

namespace vormbrace {

RunTimeState& State() {
  static RunTimeState state;
  return state;
}

}  // namespace vormbrace
