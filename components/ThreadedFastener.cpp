// Reading a threaded part's data table back into its class object.
#include "components/ThreadedFastener.h"

#include "components/FastenerTable.h"

namespace vormbrace {

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

}  // namespace vormbrace
