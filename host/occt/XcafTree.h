// The kernel's document of assemblies, products, names and looks (XCAF), shared by the STEP
// writer and the readers that check exported files. Kernel types: for use inside host/occt only.
#pragma once

#include <TDF_Label.hxx>
#include <TDocStd_Document.hxx>
#include <XCAFDoc_ColorTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <XCAFDoc_VisMaterialTool.hxx>
#include <string>

#include "host/occt/Export.h"

namespace host::occt {

// A new document, closed when this goes. Create and use it under StepLock().
class XcafDocument {
 public:
  XcafDocument();
  ~XcafDocument();
  XcafDocument(const XcafDocument&) = delete;
  XcafDocument& operator=(const XcafDocument&) = delete;

  Handle(TDocStd_Document) Document() const { return doc_; }
  const Handle(XCAFDoc_ShapeTool) & Shapes() const { return shapes_; }
  const Handle(XCAFDoc_ColorTool) & Colours() const { return colours_; }
  const Handle(XCAFDoc_VisMaterialTool) & Materials() const { return materials_; }

 private:
  Handle(TDocStd_Document) doc_;
  Handle(XCAFDoc_ShapeTool) shapes_;
  Handle(XCAFDoc_ColorTool) colours_;
  Handle(XCAFDoc_VisMaterialTool) materials_;
};

void SetName(const TDF_Label& label, const std::string& name);
std::string NameOf(const TDF_Label& label);

// Reads a glTF file into `doc` with the kernel's reader, in millimetres and Z up as the scene.
// Raises ExportError naming the file when it cannot.
void ReadGlbInto(const std::string& path, XcafDocument& doc);

// The document's tree from its free shapes down.
std::vector<ReadNode> ReadNodes(const XcafDocument& doc);

}  // namespace host::occt
