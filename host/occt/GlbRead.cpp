// Reading a glTF file back with the kernel's reader.
#include <Message_ProgressRange.hxx>
#include <RWGltf_CafReader.hxx>
#include <RWMesh_CoordinateSystem.hxx>

#include "host/occt/XcafTree.h"

namespace host::occt {

void ReadGlbInto(const std::string& path, XcafDocument& doc) {
  RWGltf_CafReader reader;
  reader.SetDocument(doc.Document());
  reader.SetSystemLengthUnit(0.001);
  reader.SetSystemCoordinateSystem(RWMesh_CoordinateSystem_Zup);
  reader.SetParallel(Standard_False);
  if (!reader.Perform(path.c_str(), Message_ProgressRange())) {
    throw ExportError(path + ": cannot read the glTF file");
  }
}

}  // namespace host::occt
