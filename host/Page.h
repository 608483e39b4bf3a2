// The scene page: its root shape, its units and its update.
#pragma once

#include <cstdint>

namespace host {

class Shape;

class Page {
 public:
  virtual ~Page() = default;
  // UnitsEx(2): the length unit, 0 for millimetres (1 centimetres, 2 metres, 3 inches, 4 feet).
  virtual std::int32_t UnitsEx(std::int16_t what) const = 0;
  virtual Shape& RootShape() = 0;
  virtual void Update() = 0;
};

}  // namespace host
