// What the five fastener classes share: the texts that name the part's standard, size,
// material and table file, the stored placement, the fastener data table and GetPartData.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

  // Adds a new part under the scene element of `parent` (the drop target), builds the fastener
  // in it and returns it; bolts and screws first cut their hole into the part that was hit.
  host::Shape& Create(host::Shape& parent);

  // Turns an empty (or emptied) part into the finished fastener: placement from the drop
  // context, geometry by sub-type, name, bill-of-materials data, data table and binding. The
  // page is updated last. Failures of the geometry travel to the caller; features already
  // added stay.
  host::Shape& CreateInPart(host::Shape& part);

  // Washers and nuts implement no further interface; the threaded classes override this.
  host::HostInterface* QueryInterface(const std::string&) override { return nullptr; }

  // The part made by Create, nullptr before.
  host::Shape* Assembly() const { return m_objAssembly; }

  // Writes the fastener data table of the part (rewriting an existing one in place), with the
  // length pattern in (2, 2), then binds the part to this class.
  void WriteTable(host::Shape& part, const std::string& lengthPattern) const;

  // Copies the stored choice of a part (family, kind, sub-type, identifier, length, standard,
  // size and material) into the dialog's edit state; a shape without a table changes nothing.
  void GetPartData(host::Shape& shape) const;

  // Class events, called by the host on a fresh instance of the part's bound class.
  // DblClick: the edit dialog on the part (x and y are ignored).
  void DblClick(host::Shape& objPart, std::int32_t x, std::int32_t y);
  // Before the host regenerates a part whose variables changed: bolts and screws with a data
  // table make the shank follow the standard for the new length; the others do nothing.
  virtual void PreUpdate(host::Shape&) {}

  // The kind index of the class: 0 Bolt, 1 Screw, 2 ScrewNoHead, 3 Washer, 4 Nut.
  std::int16_t KindIndex() const;

  // The methods after the properties, in slot order: Create, CreateInPart, GetPartData,
  // DblClick, PreUpdate, then Update on bolts and screws. (The thread answers of the threaded
  // classes come between PreUpdate and Update.)
  std::vector<std::string> MethodNames() const override;
  host::Argument Invoke(const std::string& name, std::vector<host::Argument>& args) override;

 protected:
  // Bolts and screws also answer Update (their holes follow them).
  virtual bool HasUpdateEvent() const { return false; }
  virtual void Update(host::Shape&) {}

  // The generators of the class's sub-type; a sub-type outside the class's range builds nothing.
  virtual void BuildGeometry(host::Shape& part) const = 0;
  // The length written to the bill of materials: the nominal length, 0 for washers and nuts.
  virtual double BomLength() const { return 0; }
  // Bolts and screws cut their hole before the part is built.
  virtual void MakeHoleForFastener() {}

  // "Bolt", "Screw", "ScrewNoHead", "Washer", "Nut": the kind text of row (1, 2).
  virtual const char* KindName() const = 0;
  // The class's dimension rows, in their order.
  virtual void WriteDimensionRows(host::Component& table) const = 0;

 private:
  host::Shape* m_objAssembly = nullptr;
};

}  // namespace vormbrace
