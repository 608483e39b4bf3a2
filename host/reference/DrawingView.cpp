// The orthographic views a drawing can show.
#include "host/reference/DrawingView.h"

#include <cmath>

namespace host::ref {
namespace {

const std::vector<ViewAxes>& Views() {
  const double r2 = std::sqrt(2.0), r3 = std::sqrt(3.0), r6 = std::sqrt(6.0);
  static const std::vector<ViewAxes> views = {
      {"front", {0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
      {"top", {0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
      {"right", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
      {"left", {-1, 0, 0}, {0, -1, 0}, {0, 0, 1}},
      {"bottom", {0, 0, -1}, {1, 0, 0}, {0, -1, 0}},
      {"back", {0, 1, 0}, {-1, 0, 0}, {0, 0, 1}},
      {"iso", {1 / r3, -1 / r3, 1 / r3}, {1 / r2, 1 / r2, 0}, {-1 / r6, 1 / r6, 2 / r6}},
  };
  return views;
}

}  // namespace

const ViewAxes* FindView(const std::string& name) {
  for (const ViewAxes& v : Views()) {
    if (v.name == name) return &v;
  }
  return nullptr;
}

std::string ViewNames() {
  std::string names;
  for (const ViewAxes& v : Views()) names += (names.empty() ? "" : ", ") + v.name;
  return names;
}

}  // namespace host::ref
