// Refusing parts whose solid is not valid.
#include "app/SolidCheck.h"

#include <cstdio>

#include "app/CliInput.h"

namespace vormbrace::app {

std::string InvalidSolid(host::occt::OcctEvaluator& kernel, host::ref::SceneShape& part) {
  std::string why;
  try {
    host::occt::SolidFigures f = kernel.Figures(part);
    char volume[32];
    std::snprintf(volume, sizeof volume, "%g", f.volume);
    if (!f.valid) {
      why = "its solid is not valid";
    } else if (f.solids == 0 || !(f.volume > 0)) {
      why = std::string("it has no material (") + std::to_string(f.solids) + " solids, volume " +
            volume + " mm3)";
    }
  } catch (const std::exception& e) {
    why = std::string("its solid cannot be built: ") + e.what();
  }
  if (why.empty()) return "";
  return Quoted(part.Name()) + ": " + why + "; nothing was written (--keep-invalid writes it)";
}

}  // namespace vormbrace::app
