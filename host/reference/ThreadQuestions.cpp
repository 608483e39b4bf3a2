// Asking the projected-thread interface of a part's class, and the metric thread designation.
#include "host/reference/ThreadQuestions.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "host/Host.h"
#include "host/ProjectedThreads.h"

namespace host::ref {
namespace {

constexpr std::int16_t kUnitInternal = 2;
constexpr std::int16_t kUnitMillimetre = 7;

// ISO 261 coarse pitches by nominal diameter, mm.
constexpr std::pair<double, double> kCoarsePitches[] = {
    {1, 0.25}, {1.2, 0.25}, {1.4, 0.3}, {1.6, 0.35}, {1.8, 0.35}, {2, 0.4},  {2.5, 0.45},
    {3, 0.5},  {3.5, 0.6},  {4, 0.7},   {5, 0.8},    {6, 1},      {7, 1},    {8, 1.25},
    {10, 1.5}, {12, 1.75},  {14, 2},    {16, 2},     {18, 2.5},   {20, 2.5}, {22, 2.5},
    {24, 3},   {27, 3},     {30, 3.5},  {33, 3.5},   {36, 4},     {39, 4},   {42, 4.5},
    {45, 4.5}, {48, 5},     {52, 5},    {56, 5.5},   {60, 5.5},   {64, 6},   {68, 6}};

bool IsCoarse(double diameter, double pitch) {
  for (const auto& [d, p] : kCoarsePitches) {
    if (std::abs(d - diameter) < 1e-6) return std::abs(p - pitch) < 1e-6;
  }
  return false;
}

// A length as a drawing writes it: up to three decimals, no trailing zeros.
std::string Figure(double mm) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", mm);
  std::string s = text;
  s.erase(s.find_last_not_of('0') + 1);
  if (s.back() == '.') s.pop_back();
  return s;
}

}  // namespace

std::string MetricCallout(double diameter, double pitch) {
  std::string text = "M" + Figure(diameter);
  if (!IsCoarse(diameter, pitch)) text += "x" + Figure(pitch);
  return text;
}

std::optional<ThreadAnswer> AskThread(const ClassRegistry& classes, SceneShape& part) {
  std::unique_ptr<AutomationObject> object = classes.CreateBound(part);
  if (object == nullptr) return std::nullopt;
  auto* threads = QueryInterface<ProjectedThreads>(*object);
  if (threads == nullptr) return std::nullopt;
  ThreadAnswer a;
  double taper = 0;
  bool taperProjection = false;
  if (!threads->GetProjectedThreadInformation(&part, a.innerDiameter, a.outerDiameter, taper,
                                              a.length, a.offset, a.direction.x, a.direction.y,
                                              a.direction.z, a.isHole, taperProjection)) {
    return std::nullopt;
  }
  auto converter = CurrentHost().NewUnitConverter(part.Page());
  for (double* length : {&a.innerDiameter, &a.outerDiameter, &a.length, &a.offset}) {
    *length = converter->Convert(*length, kUnitInternal, kUnitMillimetre);
  }
  // Answers that describe no thread (no length, no diameter, a fault in the stored figures)
  // leave the part without one rather than drawing nonsense.
  for (double v : {a.innerDiameter, a.outerDiameter, a.length, a.offset, a.direction.x,
                   a.direction.y, a.direction.z}) {
    if (!std::isfinite(v)) return std::nullopt;
  }
  if (a.length <= 0 || a.innerDiameter <= 0 || a.outerDiameter < a.innerDiameter ||
      Length(a.direction) == 0) {
    return std::nullopt;
  }
  a.direction = Normalized(a.direction);
  a.callout = threads->Callout();
  if (a.callout.empty()) {
    a.callout = MetricCallout(a.outerDiameter, a.outerDiameter - a.innerDiameter);
  }
  return a;
}

}  // namespace host::ref
