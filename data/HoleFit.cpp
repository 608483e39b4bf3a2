// Reading a hole's diameter as a fastener size.
#include "data/HoleFit.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>
#include <vector>

#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "data/NumberText.h"
#include "host/RuntimeError.h"
#include "host/TextFile.h"

namespace vormbrace {
namespace {

struct Pair {
  std::string key;
  double value = 0;
};

// The "key|number" records of a table (the first record of each key); empty when the file
// cannot be read.
std::vector<Pair> ReadPairs(const std::string& path) {
  std::vector<Pair> pairs;
  try {
    host::TextReader in(path);
    while (!in.Eof()) {
      std::string text = in.ReadLine();
      std::size_t bar = text.find('|');
      if (text.empty() || text[0] == '#' || text[0] == '@' || bar == std::string::npos) continue;
      std::string key = Trim(std::string_view(text).substr(0, bar));
      if (!pairs.empty() && pairs.back().key == key) continue;
      pairs.push_back({key, Val(std::string_view(text).substr(bar + 1))});
    }
  } catch (const host::RuntimeError&) {
    pairs.clear();
  }
  return pairs;
}

// A diameter for the designer: to the micrometre, so a file's float noise does not show.
std::string Diameter(double d) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", d);
  std::string t = text;
  while (t.back() == '0') t.pop_back();
  if (t.back() == '.') t.pop_back();
  return "Ø" + t;
}

// A reading: the nominal diameter it gives the hole and how far the hole is from what that
// reading expects.
struct Reading {
  HoleFit fit = HoleFit::Rule;
  double nominal = 0;
  double deviation = std::numeric_limits<double>::infinity();
  std::string what;
};

// The hole as the fastener's own diameter: the largest size not above it.
Reading ByRule(const std::vector<Pair>& sizes, double hole) {
  Reading r;
  for (const Pair& s : sizes) {
    if (s.value <= hole || SameDiameter(s.value, hole)) {
      if (r.what.empty() || s.value >= r.nominal) r.nominal = s.value;
      r.what = "the largest size not above " + Diameter(hole);
    }
  }
  if (r.what.empty() && !sizes.empty()) {
    r.nominal = sizes.front().value;
    r.what = "the smallest size (all are above " + Diameter(hole) + ")";
  }
  r.deviation = std::fabs(hole - r.nominal);
  return r;
}

// The hole as an ISO 273 clearance hole of the chosen class: the size (smaller than the hole)
// whose clearance hole is nearest to it.
Reading AsClearance(const std::vector<Pair>& sizes, double hole, std::int32_t toleranceLine) {
  Reading r;
  r.fit = HoleFit::Clearance;
  if (toleranceLine == kNoToleranceClass) return r;
  const Paths& paths = State().paths;
  for (const Pair& s : sizes) {
    if (s.value >= hole || SameDiameter(s.value, hole)) continue;
    double allowance = -1;
    GetHoleToll(paths.toleranceIndex, paths.toleranceFolder, toleranceLine, s.value, allowance);
    if (allowance < 0) continue;
    double deviation = std::fabs(hole - (s.value + allowance));
    if (deviation <= r.deviation) {
      r.deviation = deviation;
      r.nominal = s.value;
      r.what = "a clearance hole (" + Diameter(s.value + allowance) + " for " +
               Diameter(s.value) + ")";
    }
  }
  return r;
}

// The hole as a tap-drill hole: the size whose tap drill is nearest to it.
Reading AsTapped(const std::vector<Pair>& sizes, double hole) {
  Reading r;
  r.fit = HoleFit::Tapped;
  const std::vector<Pair> drills = ReadPairs(State().paths.toleranceFolder + kTapDrillTable);
  for (const Pair& s : sizes) {
    for (const Pair& drill : drills) {
      if (!SameDiameter(Val(drill.key), s.value)) continue;
      double deviation = std::fabs(hole - drill.value);
      if (deviation < r.deviation) {
        r.deviation = deviation;
        r.nominal = s.value;
        r.what = "a tap-drill hole (" + Diameter(drill.value) + " for " + Diameter(s.value) + ")";
      }
    }
  }
  return r;
}

}  // namespace

std::optional<HoleFit> ParseHoleFit(const std::string& text) {
  for (HoleFit fit : {HoleFit::Rule, HoleFit::Clearance, HoleFit::Tapped, HoleFit::Auto}) {
    if (text == HoleFitName(fit)) return fit;
  }
  return std::nullopt;
}

const char* HoleFitName(HoleFit fit) {
  switch (fit) {
    case HoleFit::Clearance:
      return "clearance";
    case HoleFit::Tapped:
      return "tapped";
    case HoleFit::Auto:
      return "auto";
    default:
      return "rule";
  }
}

SizeForHole ChooseSizeForHole(const std::string& dataPath, double holeDiameter, HoleFit fit,
                              bool exactFirst, std::int32_t toleranceLine) {
  // The rule's size is the hole's own diameter when the file has it (what washers and nuts
  // need); otherwise the largest size below, and washers and nuts are told so.
  SizeForHole answer;
  const std::vector<Pair> sizes = ReadPairs(dataPath);
  if (sizes.empty()) return answer;
  Reading reading = ByRule(sizes, holeDiameter);
  std::vector<Reading> others;
  if (fit == HoleFit::Clearance || fit == HoleFit::Auto) {
    others.push_back(AsClearance(sizes, holeDiameter, toleranceLine));
  }
  if (fit == HoleFit::Tapped || fit == HoleFit::Auto) others.push_back(AsTapped(sizes, holeDiameter));
  for (const Reading& other : others) {
    // Auto keeps the rule on a tie; a single reading asked for wins whenever it has a size.
    bool better = fit == HoleFit::Auto ? other.deviation < reading.deviation
                                       : !other.what.empty();
    if (better) reading = other;
  }
  std::string why = Diameter(holeDiameter) + " read as " + reading.what;
  if (fit == HoleFit::Auto) why += reading.fit == HoleFit::Rule ? " (fits best of the readings)"
                                                                : " (fits best)";
  if (fit != HoleFit::Rule && fit != HoleFit::Auto && reading.fit == HoleFit::Rule) {
    why += " (no size reads as a " + std::string(HoleFitName(fit)) + " hole)";
  }
  if (reading.fit == HoleFit::Rule && exactFirst && !SameDiameter(reading.nominal, holeDiameter)) {
    why = "no size of exactly " + Diameter(holeDiameter) + ", so " + why;
  }
  for (const Pair& s : sizes) {
    if (SameDiameter(s.value, reading.nominal)) {
      answer.sizeKey = s.key;
      break;
    }
  }
  answer.why = why;
  return answer;
}

}  // namespace vormbrace
