// The event flows the dialog layer installed.
#include "components/EventFlows.h"

#include <cstdio>
#include <cstdlib>

namespace vormbrace {
namespace {
EventFlows* gFlows = nullptr;
}

void InstallEventFlows(EventFlows& flows) { gFlows = &flows; }

EventFlows& InstalledEventFlows() {
  if (gFlows == nullptr) {
    std::fputs("vormbrace: a class event came before the event flows were installed\n", stderr);
    std::abort();
  }
  return *gFlows;
}

}  // namespace vormbrace
