// What the five fastener classes share: the texts that name the part's standard, size,
// material and table file, the stored placement, the fastener data table and GetPartData.
#pragma once

#include <string>

#include "host/Automation.h"
#include "host/Component.h"
#include "host/Shape.h"

namespace vormbrace {

class FastenerComponent : public host::AutomationObject {
 public:
  std::string Normativa;     // standard name
  std::string Codice;        // size code
  std::string MaterialCode;  // material code
  std::string FileData;      // standard table file the record came from
  // Placement values: stored only.
  double PosX = 0, PosY = 0, PosZ = 0, RotX = 0, RotY = 0, RotZ = 0, RotAngle = 0;

  // Writes the fastener data table of the part (rewriting an existing one in place), with the
  // length pattern in (2, 2), then binds the part to this class.
  void WriteTable(host::Shape& part, const std::string& lengthPattern) const;

  // Copies the stored choice of a part (family, kind, sub-type, identifier, length, standard,
  // size and material) into the dialog's edit state; a shape without a table changes nothing.
  void GetPartData(host::Shape& shape) const;

 protected:
  // "Bolt", "Screw", "ScrewNoHead", "Washer", "Nut": the kind text of row (1, 2).
  virtual const char* KindName() const = 0;
  // The class's dimension rows, in their order.
  virtual void WriteDimensionRows(host::Component& table) const = 0;
};

}  // namespace vormbrace
