// Which fastener size a hole under a drop asks for. The described rule takes the hole's
// diameter as the fastener's (the largest size not above it; washers and nuts the size of
// exactly that diameter, else the same rule). A designer may instead ask for the hole to be read
// as an ISO 273 clearance hole of the chosen tolerance class, as a tap-drill hole, or as
// whichever of the three readings fits the diameter best.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vormbrace {

enum class HoleFit { Rule, Clearance, Tapped, Auto };

// "rule", "clearance", "tapped", "auto"; nothing for any other text.
std::optional<HoleFit> ParseHoleFit(const std::string& text);
const char* HoleFitName(HoleFit fit);

// The tap-drill table beside the tolerance tables: records "d|drill" in mm.
inline constexpr const char* kTapDrillTable = "TapDrills.tab";

// No tolerance class chosen (yet): the clearance reading has nothing to read by.
inline constexpr std::int32_t kNoToleranceClass = -1;

struct SizeForHole {
  std::string sizeKey;  // empty when the size data file names no size
  std::string why;      // for the designer: the diameter read and the reading that chose
};

// The size of the data file at `dataPath` that a hole of `holeDiameter` takes under `fit`.
// `exactFirst` (washers, nuts) prefers the size of exactly the diameter the reading gives.
// `toleranceLine` is the chosen clearance class in the tolerance index (Paths); a table that
// cannot be read leaves that reading out and the rule answers.
SizeForHole ChooseSizeForHole(const std::string& dataPath, double holeDiameter, HoleFit fit,
                              bool exactFirst, std::int32_t toleranceLine);

}  // namespace vormbrace
