// The run-time error number a call raises, 0 when it raises none.
#pragma once

#include <functional>

#include "host/RuntimeError.h"

namespace vormbrace::test {

inline int ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const host::RuntimeError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace vormbrace::test
