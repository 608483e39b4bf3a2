// The surface finish of one face: a texture image and how it is projected. Indices are the
// finish layer (the add-in uses layer 1).
#pragma once

#include <cstdint>
#include <string>

namespace host {

class SurfaceFinish {
 public:
  virtual ~SurfaceFinish() = default;
  virtual void SetTextureFile(const std::string& path) = 0;
  virtual void SetProjectionType(std::int16_t layer, std::int32_t type) = 0;
  virtual void SetVerticalRatio(std::int16_t layer, double ratio) = 0;
  virtual void SetHorizontalRatio(std::int16_t layer, double ratio) = 0;
  virtual void SetProjectionWidth(std::int16_t layer, double width) = 0;
  virtual void SetProjectionHeight(std::int16_t layer, double height) = 0;
  virtual void SetUpDirection(std::int16_t layer, double x, double y, double z) = 0;
  virtual void SetFlip(std::int16_t layer, bool flip) = 0;
};

}  // namespace host
