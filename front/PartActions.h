// A designer's actions on a placed part, as the host raises them on the part's class: the
// double-click that opens the selection dialog on the part (edit), and a shank length typed
// into a bolt's or screw's "Body" size box. The command line and the web page both act here.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "front/AddInRun.h"
#include "host/Component.h"
#include "host/reference/SceneDocument.h"

namespace vormbrace::front {

// A value the designer typed that the action cannot take (a length out of range).
class ValueError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr double kLongestShank = 10000;  // mm: no catalogue part is longer than ten metres

// The part's fastener data table; ActionRefused when it has none (not a catalogue part).
host::Component& FastenerTableOf(host::ref::SceneShape& part);

// A double-click on `part`: ActionRefused when it is bound to no class of the catalogue.
void DoubleClickPart(host::ref::ReferenceHost& host, host::ref::SceneShape& part);

// Edits `part`: the selection dialog opens on its stored choice and `presenter` works it; on
// OK the part, its copies and the hole made for it are rebuilt, each in its place. Raises as
// RunAddIn does (the part must have a fastener data table); a presenter that only looks and
// cancels passes `needsConfirm` false. Answers whether the remembered choices were saved.
template <typename Presenter>
bool EditPlacedPart(host::ref::ReferenceHost& host, host::ref::SceneShape& part,
                    Presenter& presenter, bool needsConfirm) {
  FastenerTableOf(part);
  return RunAddIn(host, presenter, needsConfirm, [&] { DoubleClickPart(host, part); });
}

// The shank length a bolt or screw shows in its "Body" size box (mm); nothing for other parts.
std::optional<double> ShankLength(host::ref::SceneShape& part);

// Types a shank length into bolt or screw `part`: `length` in mm, or `formula` when not empty,
// which then drives the length (host::ref::ExpressionError when it does not parse). Either must
// give a length above 0 and at most kLongestShank; ValueError otherwise. The part follows the standard
// for the length (its nearest record), or keeps its record under a formula. ActionRefused for
// a part that is no bolt or screw, or when the add-in shows a message (no record for the size).
// Answers the popups the add-in showed (the new length).
std::vector<host::ref::PopupRecord> TypeShankLength(host::ref::ReferenceHost& host,
                                                    host::ref::SceneShape& part, double length,
                                                    const std::string& formula);

}  // namespace vormbrace::front
