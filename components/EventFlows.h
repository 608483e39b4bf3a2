// What the class events run. Editing a part opens the selection dialog and a length change
// shows the length popup: both belong to the dialog layer above this one. That layer installs
// its flows here (dialog/AddInClasses does, as the host registers the classes), so that the
// classes reach them without including it and the libraries still depend one way.
#pragma once

#include <cstdint>

#include "host/Shape.h"

namespace vormbrace {

class EventFlows {
 public:
  virtual ~EventFlows() = default;
  // A double-click on a part of kind `kind` (0 Bolt .. 4 Nut): the edit dialog on it.
  virtual void EditPart(host::Shape& part, std::int16_t kind) = 0;
  // A bolt's or screw's variables changed: its shank follows the standard for the new length.
  virtual void LengthUpdate(host::Shape& part) = 0;
  // A hole made with a fastener is updated: it is redrawn from its hole table.
  virtual void HoleUpdate(host::Shape& hole) = 0;
};

// Installs the flows the events run (the dialog layer's); they must outlive every event.
void InstallEventFlows(EventFlows& flows);

// The installed flows. A class event before any were installed is a fault of the program
// (every host registers the classes through the list that installs them): it stops here.
EventFlows& InstalledEventFlows();

}  // namespace vormbrace
