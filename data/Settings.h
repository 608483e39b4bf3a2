// Settings from the host's registry, the language, the derived paths and small helpers: file
// test, thread texture lookup, pseudo-unique identifiers.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace host {
class Page;
}

namespace vormbrace {

inline constexpr const char* kCorvaneKey = "SOFTWARE\\Lindqvar\\Corvane";
inline constexpr const char* kVormbraceKey = "SOFTWARE\\Lindqvar\\Corvane\\Vormbrace";
inline constexpr const char* kThreadTextureName = "3iaoftt.jpg";

// Reads "Language" and sets the language base: "Italian" 1000, else "English" 2000, else
// "German" 3000 (case-sensitive substring tests, in this order); anything else 2000.
std::int16_t LoadLanguage();

// Sets the standards folder and the preferences path for the current family index.
void LoadFamilyPaths();

// LoadFamilyPaths, then the data folder, index file name and tolerance files of kind k.
void LoadKindSettings(std::int16_t kind);

// The caption of standards family i ("" when absent).
std::string ReadFamilyCaption(std::int16_t family);

// The family captions from 0 upward; the first empty caption ends the list.
std::vector<std::string> ReadFamilyCaptions();

bool FileExists(const std::string& path);

// The thread texture: ApplDir + "\Images\" + name, else the host's "ThreadFile" folder (or
// "v:\bin.32") + "\" + name. Leaves `path` unchanged and answers false when neither exists.
bool FindThreadTexture(std::string& path);

// A new component identifier: seconds since midnight × 100 + a random 0-99. Never 0 and never
// one already used by a part or hole of the open scene (the page of the last drop or edit):
// two parts made in the same second must not be linked by accident.
std::int32_t NewUniqueNumber();

// The component identifiers (cell (2, 1) of every data table) used in a page.
std::set<std::int32_t> UsedComponentIds(host::Page& page);

// The first number from `candidate` upward that is neither 0 nor in `used`.
std::int32_t FirstFreeNumber(std::int32_t candidate, const std::set<std::int32_t>& used);

}  // namespace vormbrace
