// The process's host.
#include "host/Host.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>

namespace host {
namespace {
Host* gHost = nullptr;
}

Host& CurrentHost() {
  if (gHost == nullptr) {
    // A bug, not a run-time condition: every entry point runs inside an installed host.
    std::fputs("vormbrace: no host installed\n", stderr);
    std::abort();
  }
  return *gHost;
}

void SetCurrentHost(Host* host) { gHost = host; }

}  // namespace host
