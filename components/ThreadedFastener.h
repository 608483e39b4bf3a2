// What the three threaded classes (Bolt, Screw, ScrewNoHead) add: the drawing properties and
// reading a part's data table back into the object for the thread answers.
#pragma once

#include <cstdint>
#include <string>

#include "components/FastenerComponent.h"

namespace vormbrace {

class ThreadedFastener : public FastenerComponent {
 public:
  std::string ThreadCallout;                // thread callout for drawings
  std::int32_t TransferToDrawingFlags = 0;  // drawing flags

  // When the shape has a fastener data table: keeps the shape, takes the sub-type from (1, 1)
  // and the class's dimension rows into their properties, sets TransferToDrawingFlags to 1 and
  // answers true. Otherwise sets the flags to 0 and answers false.
  bool LoadFromTable(host::Shape& shape);

  // The shape last loaded by LoadFromTable, nullptr before.
  host::Shape* LoadedShape() const { return loadedShape_; }

 protected:
  virtual void SetSubType(std::int32_t subType) = 0;
  virtual void ReadDimensionRows(host::Component& table) = 0;

 private:
  host::Shape* loadedShape_ = nullptr;
};

}  // namespace vormbrace
