// Reading the tree of an XCAF document: names, shared products, colours, textured faces.
#include "host/occt/XcafTree.h"

#include <BRep_Tool.hxx>
#include <Poly_Triangulation.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDF_Tool.hxx>
#include <TDataStd_Name.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_VisMaterial.hxx>
#include <algorithm>
#include <limits>
#include <map>

namespace host::occt {
namespace {

std::string Utf8(const TCollection_ExtendedString& text) {
  std::string out(static_cast<std::size_t>(text.LengthOfCString()) + 1, '\0');
  Standard_PCharacter buffer = out.data();
  text.ToUTF8CString(buffer);
  out.resize(std::char_traits<char>::length(out.c_str()));
  return out;
}

std::array<double, 3> Rgb(const Quantity_Color& c) { return {c.Red(), c.Green(), c.Blue()}; }

class TreeReader {
 public:
  explicit TreeReader(const XcafDocument& doc) : doc_(doc) {}

  ReadNode Node(const TDF_Label& instance, const TDF_Label& referred) {
    ReadNode node;
    node.name = NameOf(instance);
    TCollection_AsciiString entry;
    TDF_Tool::Entry(referred, entry);
    node.product = products_.emplace(entry.ToCString(), static_cast<int>(products_.size()))
                       .first->second;
    Quantity_Color colour;
    if (doc_.Colours()->GetColor(referred, XCAFDoc_ColorSurf, colour) ||
        doc_.Colours()->GetColor(referred, XCAFDoc_ColorGen, colour)) {
      node.colour = Rgb(colour);
    }
    if (XCAFDoc_ShapeTool::IsAssembly(referred)) {
      TDF_LabelSequence components;
      XCAFDoc_ShapeTool::GetComponents(referred, components);
      for (const TDF_Label& component : components) {
        TDF_Label child;
        XCAFDoc_ShapeTool::GetReferredShape(component, child);
        node.children.push_back(Node(component, child));
      }
      return node;
    }
    ReadFaces(XCAFDoc_ShapeTool::GetShape(referred), node);
    return node;
  }

 private:
  // The looks of a part's faces (a glTF mesh's primitives), and the texture coordinate bounds
  // of the textured ones.
  void ReadFaces(const TopoDS_Shape& shape, ReadNode& node) {
    for (TopExp_Explorer it(shape, TopAbs_FACE); it.More(); it.Next()) {
      const TopoDS_Face& face = TopoDS::Face(it.Current());
      Handle(XCAFDoc_VisMaterial) material = doc_.Materials()->GetShapeMaterial(face);
      Quantity_Color colour;
      if (!node.colour && doc_.Colours()->GetColor(face, XCAFDoc_ColorSurf, colour)) {
        node.colour = Rgb(colour);
      }
      if (!material.IsNull() && !node.colour) node.colour = Rgb(material->BaseColor().GetRGB());
      TopLoc_Location location;
      const Handle(Poly_Triangulation)& mesh = BRep_Tool::Triangulation(face, location);
      if (mesh.IsNull() || !mesh->HasUVNodes()) continue;
      std::array<double, 4> bounds{std::numeric_limits<double>::infinity(),
                                   -std::numeric_limits<double>::infinity(),
                                   std::numeric_limits<double>::infinity(),
                                   -std::numeric_limits<double>::infinity()};
      for (int i = 1; i <= mesh->NbNodes(); ++i) {
        gp_Pnt2d uv = mesh->UVNode(i);
        bounds = {std::min(bounds[0], uv.X()), std::max(bounds[1], uv.X()),
                  std::min(bounds[2], uv.Y()), std::max(bounds[3], uv.Y())};
      }
      node.textured.push_back(bounds);
    }
  }

  const XcafDocument& doc_;
  std::map<std::string, int> products_;
};

}  // namespace

XcafDocument::XcafDocument() {
  XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", doc_);
  shapes_ = XCAFDoc_DocumentTool::ShapeTool(doc_->Main());
  colours_ = XCAFDoc_DocumentTool::ColorTool(doc_->Main());
  materials_ = XCAFDoc_DocumentTool::VisMaterialTool(doc_->Main());
}

XcafDocument::~XcafDocument() { XCAFApp_Application::GetApplication()->Close(doc_); }

void SetName(const TDF_Label& label, const std::string& name) {
  TDataStd_Name::Set(label, TCollection_ExtendedString(name.c_str(), Standard_True));
}

std::string NameOf(const TDF_Label& label) {
  Handle(TDataStd_Name) name;
  return label.FindAttribute(TDataStd_Name::GetID(), name) ? Utf8(name->Get()) : std::string();
}

std::vector<ReadNode> ReadNodes(const XcafDocument& doc) {
  TDF_LabelSequence roots;
  doc.Shapes()->GetFreeShapes(roots);
  TreeReader reader(doc);
  std::vector<ReadNode> out;
  for (const TDF_Label& root : roots) out.push_back(reader.Node(root, root));
  return out;
}

}  // namespace host::occt
