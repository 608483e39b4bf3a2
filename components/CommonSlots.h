// The slots every class ends with: the texts, the drawing properties of the threaded classes,
// and the stored placement.
#pragma once

#include <type_traits>
#include <vector>

#include "components/Dispatch.h"
#include "components/ThreadedFastener.h"

namespace vormbrace {

template <typename C>
std::vector<typename DispatchTable<C>::Slot> WithCommonSlots(
    std::vector<typename DispatchTable<C>::Slot> slots) {
  slots.insert(slots.end(), {{"Normativa", &C::Normativa},
                             {"Codice", &C::Codice},
                             {"MaterialCode", &C::MaterialCode},
                             {"FileData", &C::FileData}});
  if constexpr (std::is_base_of_v<ThreadedFastener, C>) {
    slots.insert(slots.end(), {{"ThreadCallout", &C::ThreadCallout},
                               {"TransferToDrawingFlags", &C::TransferToDrawingFlags}});
  }
  slots.insert(slots.end(), {{"PosX", &C::PosX},
                             {"PosY", &C::PosY},
                             {"PosZ", &C::PosZ},
                             {"RotX", &C::RotX},
                             {"RotY", &C::RotY},
                             {"RotZ", &C::RotZ},
                             {"RotAngle", &C::RotAngle}});
  return slots;
}

}  // namespace vormbrace
