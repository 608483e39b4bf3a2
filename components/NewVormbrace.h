// A new fastener component from the chosen table record: each class's property mapping from the
// value array, and the component the dialog's choices describe.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "components/Bolt.h"
#include "components/Nut.h"
#include "components/Screw.h"
#include "components/ScrewNoHead.h"
#include "components/Washer.h"
#include "data/FileReadTAB.h"
#include "data/Globals.h"

namespace vormbrace {

// Each creates an object of its class, sets the sub-type and then the properties that the
// type's row of the mapping takes from `v` (by default the run-time value array). A type
// outside the class's range gives an object with only its defaults (not even the sub-type).
std::unique_ptr<Bolt> MakeBolt(std::int16_t type, const ValueArray& v = State().values);
std::unique_ptr<Screw> MakeScrew(std::int16_t type, const ValueArray& v = State().values);
std::unique_ptr<ScrewNoHead> MakeScrewNoHead(std::int16_t type,
                                             const ValueArray& v = State().values);
std::unique_ptr<Washer> MakeWasher(std::int16_t type, const ValueArray& v = State().values);
std::unique_ptr<Nut> MakeNut(std::int16_t type, const ValueArray& v = State().values);

// The dialog's choices the new component takes its texts from.
class DialogChoices {
 public:
  virtual ~DialogChoices() = default;
  virtual std::string SizeFileName() const = 0;      // the size list's Tag
  virtual std::string SelectedSize() const = 0;      // size list text
  virtual std::string SelectedStandard() const = 0;  // standard list text
  virtual std::string SelectedMaterial() const = 0;  // material list text
  virtual std::string ManualLength() const = 0;      // LunghezzaManuale
};

// The component of kind `kind` (0 bolts .. 4 nuts; nullptr for any other) and the current type
// code, from the run-time value array and the dialog's texts. Bolts, screws and set screws give
// the run-time component identifier a new number when it is still 0; bolt type 5 takes its
// length from the manual length box.
std::unique_ptr<FastenerComponent> NewComponentFromDialog(std::int16_t kind,
                                                          const DialogChoices& choices);

}  // namespace vormbrace
