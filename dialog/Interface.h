// The module behind the selection dialog: the run-time state of the choice (kind, family, type,
// the per-kind memory), the filling of the lists through the table queries, the automatic size,
// and the creation on OK. The form's handlers call these in the order the form's events give.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/Prefs.h"
#include "dialog/Dialog.h"

namespace host {
class Shape;
}

namespace vormbrace::Interface {

// Form_Load: family tabs, captions from the language's texts, the preferences file (defaults
// when it is missing or short), the edited part's choice in edit mode, the hole diameter label,
// then the lists of the current kind and the automatic size.
void Initialise(Dialog& d);

// Before leaving kind tab `previousKind`: remembers its type code and list positions (only
// while the kind tabs are shown).
void SaveKindState(Dialog& d, std::int16_t previousKind);

// Shows kind `kind`: its type (remembered, unless in edit mode), its controls, its lists, and
// the remembered list positions where they are within the refilled lists.
void SwitchKind(Dialog& d, std::int16_t kind);

// Shows family `family` for the current kind.
void SwitchFamily(Dialog& d, std::int16_t family);

// Type option `index` of `kind` was chosen: the kind's settings, the length controls, the
// standard list (its first entry chosen) and, when a hole is wanted, the tolerance list.
void SelectType(Dialog& d, std::int16_t kind, std::int16_t index);

// Whether OK would cut a hole: a bolt or screw with a hole option, dropped on a face or an edge
// (not in an edit).
bool HoleWanted(const Dialog& d);

// Fills the tolerance list from the family's tolerance index, unless it holds it already. The
// index is read only when a hole is chosen or wanted or a clearance reading needs a class, so a
// drop that cuts no hole never fails on a damaged tolerance file.
void LoadTolerances(Dialog& d);

// As LoadTolerances for a list shown while no hole needs a class yet (the dialog opened with a
// remembered hole): a damaged index leaves the list empty without a message, and is reported
// when the hole is chosen or cut.
void OfferTolerances(Dialog& d);

// The standard on line `line` of the index file was chosen: sizes, description and materials,
// keeping the size and material texts chosen before where the new lists have them.
void StandardChosen(Dialog& d, std::int32_t line);

// The size was chosen: the lengths (keeping the length text chosen before), then AutoSize.
void SizeChosen(Dialog& d);

// With the auto size box on, a hole under the drop and no edit: the size the hole asks for
// (ChooseSizeForHole: under the rule the largest size not above the hole diameter, which is the
// size of exactly that diameter when there is one; washers and nuts are told when there is
// not), its reason in State().autoSizeReason; the size list then follows the hole and is
// disabled. Without a size the box is switched off until another kind is shown. Whenever the
// size does not follow the hole, the size list is enabled.
void AutoSize(Dialog& d);

// How the hole's diameter is read (remembered with the preferences); runs AutoSize.
void SetHoleFit(Dialog& d, HoleFit fit);

// OK: builds what the dialog describes (see Interface.cpp for the assembly members), writes
// the description record, remembers the kind's choice and writes the preferences file.
// Answers false, with a message and nothing built, when a chosen size has no record.
bool Confirm(Dialog& d);

// Selects the first entry whose text is exactly `text`; when none is (or `text` is empty)
// keeps a valid selection: entry 0 of a list with entries and none selected.
void SelectListEntry(ListControl& list, const std::string& text);

// What each kind tab remembers, one record per tab (process-wide, like the rest of the state).
std::vector<KindMemory>& KindMemories();

// The part an edit rebuilds on OK (set by the edit entry point while the dialog is open).
void SetPartBeingEdited(host::Shape* part);

}  // namespace vormbrace::Interface
