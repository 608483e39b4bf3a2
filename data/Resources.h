// The resource string table in Italian (1000+), English (2000+) and German (3000+). Every text
// the add-in shows or writes is read as language base + offset; texts keep their blanks.
#pragma once

#include <optional>
#include <string>

namespace vormbrace {

inline constexpr int kItalian = 1000;
inline constexpr int kEnglish = 2000;
inline constexpr int kGerman = 3000;

// Offsets used by the add-in.
namespace res {
inline constexpr int kBody = 0;
inline constexpr int kHead = 1;
inline constexpr int kHeadReshape = 2;
inline constexpr int kHeadStruct = 3;
inline constexpr int kFin = 4;
inline constexpr int kSquare = 5;
inline constexpr int kRecess = 6;
inline constexpr int kBoltAssembly = 7;
inline constexpr int kBoltWord = 8;
inline constexpr int kTitle = 10;
inline constexpr int kStandardLabel = 11;
inline constexpr int kSizeLabel = 12;
inline constexpr int kLengthLabel = 13;
inline constexpr int kMaterialLabel = 14;
inline constexpr int kOk = 15;
inline constexpr int kCancel = 16;
inline constexpr int kAutoOn = 17;
inline constexpr int kAutoOff = 18;
inline constexpr int kKindTab0 = 20;  // 20 to 24, one per kind tab
inline constexpr int kInvalidSize = 25;
inline constexpr int kUnitsWarning = 26;
inline constexpr int kNoHole = 100;
inline constexpr int kSimpleHole = 110;
inline constexpr int kCounterboreHole = 120;
inline constexpr int kCountersinkHole = 130;
inline constexpr int kHoleTolerance = 140;
}  // namespace res

// The text with this identifier, or nothing when the table has none (German 100).
std::optional<std::string> FindResString(int id);

// The text with this identifier; raises error 326 (resource not found) when there is none.
std::string LoadResString(int id);

// The text at the current language base + offset.
std::string ResText(int offset);

}  // namespace vormbrace
