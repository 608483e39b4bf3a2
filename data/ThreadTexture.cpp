// Laying the thread texture.
#include "data/ThreadTexture.h"

#include <exception>

#include "data/Settings.h"
#include "host/Component.h"
#include "host/Host.h"
#include "host/SurfaceFinish.h"

namespace vormbrace {
namespace {

constexpr double kPi = 3.14159265358979;  // the add-in's pi
constexpr std::int32_t kSurfaceFinish = 27;
constexpr std::int16_t kInches = 4, kMillimetres = 7;

// One step whose failure is skipped.
template <typename F>
void Quietly(F&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

void ApplyThreadTexture(host::Shape& shape, double x, double y, double z, double diameter,
                        double pitch) {
  std::string texture;
  if (!FindThreadTexture(texture)) return;
  host::ComponentCollection& finishes = shape.Components(kSurfaceFinish);
  host::Component& component = finishes.Count() > 0 ? finishes.Item(1) : finishes.Add();
  double nx = 0, ny = 0, nz = 0;
  shape.GetNormal(nx, ny, nz);
  shape.Update();

  host::SurfaceFinish* finish = nullptr;
  Quietly([&] { finish = &component.SurfaceFinish(x, y, z, 1, 1, 0); });
  if (finish == nullptr) return;
  Quietly([&] { finish->SetTextureFile(texture); });
  Quietly([&] { finish->SetProjectionType(1, 3); });
  Quietly([&] { finish->SetVerticalRatio(1, 1); });
  Quietly([&] { finish->SetHorizontalRatio(1, 1); });
  Quietly([&] { finish->SetProjectionWidth(1, kPi * diameter); });
  Quietly([&] {
    // 6.25 pitches written in inches (25.4 / pitch threads per inch); a pitch of 0 is a
    // division fault, which skips this step as any other failure would.
    if (pitch == 0) return;
    auto converter = host::CurrentHost().NewUnitConverter(shape.Page());
    finish->SetProjectionHeight(1,
                                converter->Convert(6.25 / (25.4 / pitch), kInches, kMillimetres));
  });
  Quietly([&] { finish->SetUpDirection(1, nx, ny, nz); });
  Quietly([&] { finish->SetFlip(1, true); });
}

}  // namespace vormbrace
