// STEP AP214 through the XCAF document: writing an export model as assemblies of shared
// products, and reading a file's tree and products back.
#include <APIHeaderSection_MakeHeader.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_Static.hxx>
#include <Quantity_Color.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <STEPCAFControl_Writer.hxx>
#include <STEPControl_StepModelType.hxx>
#include <StepBasic_Product.hxx>
#include <StepData_StepModel.hxx>
#include <TCollection_HAsciiString.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDF_Tool.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_ColorTool.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <XSControl_WorkSession.hxx>
#include <filesystem>
#include <map>

#include "host/occt/ExportWriters.h"
#include "host/occt/Kernel.h"

namespace host::occt {
namespace {

class XcafDocument {
 public:
  XcafDocument() {
    XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", doc_);
    shapes_ = XCAFDoc_DocumentTool::ShapeTool(doc_->Main());
    colours_ = XCAFDoc_DocumentTool::ColorTool(doc_->Main());
  }
  ~XcafDocument() { XCAFApp_Application::GetApplication()->Close(doc_); }
  XcafDocument(const XcafDocument&) = delete;
  XcafDocument& operator=(const XcafDocument&) = delete;

  Handle(TDocStd_Document) Document() const { return doc_; }
  const Handle(XCAFDoc_ShapeTool) & Shapes() const { return shapes_; }
  const Handle(XCAFDoc_ColorTool) & Colours() const { return colours_; }

 private:
  Handle(TDocStd_Document) doc_;
  Handle(XCAFDoc_ShapeTool) shapes_;
  Handle(XCAFDoc_ColorTool) colours_;
};

void SetName(const TDF_Label& label, const std::string& name) {
  TDataStd_Name::Set(label, TCollection_ExtendedString(name.c_str(), Standard_True));
}

std::string Utf8(const TCollection_ExtendedString& text) {
  std::string out(static_cast<std::size_t>(text.LengthOfCString()) + 1, '\0');
  Standard_PCharacter buffer = out.data();
  text.ToUTF8CString(buffer);
  out.resize(std::char_traits<char>::length(out.c_str()));
  return out;
}

std::string NameOf(const TDF_Label& label) {
  Handle(TDataStd_Name) name;
  return label.FindAttribute(TDataStd_Name::GetID(), name) ? Utf8(name->Get()) : std::string();
}

std::string Text(const Handle(TCollection_HAsciiString) & text) {
  return text.IsNull() ? std::string() : std::string(text->ToCString());
}

// The model as XCAF labels: one product label per distinct part (named, coloured), one
// assembly label per assembly, one component label per placement (named as in the scene).
class StepBuilder {
 public:
  StepBuilder(const ExportModel& model, XcafDocument& doc) : doc_(doc) {
    for (const DistinctPart& part : model.parts) {
      TDF_Label label = doc.Shapes()->AddShape(part.solid, Standard_False);
      SetName(label, part.name);
      if (part.look) {
        const auto& c = part.look->colour;
        doc.Colours()->SetColor(label, Quantity_Color(c[0], c[1], c[2], Quantity_TOC_RGB),
                                XCAFDoc_ColorSurf);
      }
      products_.push_back(label);
    }
    Assembly(model.root);
    doc.Shapes()->UpdateAssemblies();
  }

 private:
  TDF_Label Assembly(const ExportNode& node) {
    TDF_Label label = doc_.Shapes()->NewShape();
    SetName(label, node.name);
    for (const ExportNode& child : node.children) {
      TDF_Label referred = child.part >= 0 ? products_[child.part] : Assembly(child);
      TDF_Label component =
          doc_.Shapes()->AddComponent(label, referred, TopLoc_Location(child.frame));
      SetName(component, child.name);
    }
    return label;
  }

  XcafDocument& doc_;
  std::vector<TDF_Label> products_;
};

// The translator writes a product's name as its identifier too, and no description: the
// part number and the description of the part it was made from go there instead.
void WriteProductData(const ExportModel& model, const Handle(Interface_InterfaceModel) & file) {
  std::map<std::string, const DistinctPart*> byName;
  for (const DistinctPart& part : model.parts) byName.emplace(part.name, &part);
  for (Standard_Integer i = 1; i <= file->NbEntities(); ++i) {
    Handle(StepBasic_Product) product = Handle(StepBasic_Product)::DownCast(file->Value(i));
    if (product.IsNull()) continue;
    auto it = byName.find(Text(product->Name()));
    if (it == byName.end()) continue;
    if (!it->second->partNumber.empty()) {
      product->SetId(new TCollection_HAsciiString(it->second->partNumber.c_str()));
    }
    if (!it->second->description.empty()) {
      product->SetDescription(new TCollection_HAsciiString(it->second->description.c_str()));
    }
  }
}

// Reads a STEP file into `doc`; raises ExportError naming the file when it cannot.
Handle(Interface_InterfaceModel) ReadInto(const std::string& path, XcafDocument& doc) {
  STEPCAFControl_Reader reader;
  reader.SetNameMode(Standard_True);
  reader.SetColorMode(Standard_True);
  Handle(TDocStd_Document) target = doc.Document();
  if (reader.ReadFile(path.c_str()) != IFSelect_RetDone || !reader.Transfer(target)) {
    throw ExportError(path + ": cannot read the STEP file");
  }
  return reader.ChangeReader().WS()->Model();
}

class TreeReader {
 public:
  explicit TreeReader(XcafDocument& doc) : doc_(doc) {}

  StepNode Node(const TDF_Label& instance, const TDF_Label& referred) {
    StepNode node;
    node.name = NameOf(instance);
    TCollection_AsciiString entry;
    TDF_Tool::Entry(referred, entry);
    node.product = products_.emplace(entry.ToCString(), static_cast<int>(products_.size()))
                       .first->second;
    Quantity_Color colour;
    if (doc_.Colours()->GetColor(referred, XCAFDoc_ColorSurf, colour) ||
        doc_.Colours()->GetColor(referred, XCAFDoc_ColorGen, colour) ||
        doc_.Colours()->GetColor(XCAFDoc_ShapeTool::GetShape(referred), XCAFDoc_ColorSurf,
                                 colour)) {
      node.colour = std::array<double, 3>{colour.Red(), colour.Green(), colour.Blue()};
    }
    if (XCAFDoc_ShapeTool::IsAssembly(referred)) {
      TDF_LabelSequence components;
      XCAFDoc_ShapeTool::GetComponents(referred, components);
      for (const TDF_Label& component : components) {
        TDF_Label child;
        XCAFDoc_ShapeTool::GetReferredShape(component, child);
        node.children.push_back(Node(component, child));
      }
    }
    return node;
  }

 private:
  XcafDocument& doc_;
  std::map<std::string, int> products_;
};

// The parts under `label` (placed by `location`), depth first.
void CollectParts(const TDF_Label& instance, const TDF_Label& referred,
                  const TopLoc_Location& location, std::vector<StepProduct>& out) {
  if (!XCAFDoc_ShapeTool::IsAssembly(referred)) {
    TopoDS_Shape shape = XCAFDoc_ShapeTool::GetShape(referred);
    out.push_back({NameOf(instance), MeasureSolid(shape.Moved(location))});
    return;
  }
  TDF_LabelSequence components;
  XCAFDoc_ShapeTool::GetComponents(referred, components);
  for (const TDF_Label& component : components) {
    TDF_Label child;
    XCAFDoc_ShapeTool::GetReferredShape(component, child);
    CollectParts(component, child, location * XCAFDoc_ShapeTool::GetLocation(component), out);
  }
}

}  // namespace

bool WriteStep(const ExportModel& model, const std::string& file, const std::string& target) {
  std::lock_guard<std::mutex> guard(StepLock());
  SilenceTranslators();
  XcafDocument doc;
  StepBuilder build(model, doc);
  Interface_Static::SetCVal("write.step.schema", "AP214IS");
  Interface_Static::SetCVal("write.step.unit", "MM");
  STEPCAFControl_Writer writer;
  writer.SetNameMode(Standard_True);
  writer.SetColorMode(Standard_True);
  if (!writer.Transfer(doc.Document(), STEPControl_AsIs)) return false;
  WriteProductData(model, writer.ChangeWriter().Model());
  // The header names the file it is meant to be, not the temporary one it is written to.
  APIHeaderSection_MakeHeader header(writer.ChangeWriter().Model());
  header.SetName(
      new TCollection_HAsciiString(std::filesystem::path(target).filename().string().c_str()));
  return writer.Write(file.c_str()) == IFSelect_RetDone;
}

std::vector<StepProduct> ReadStepProducts(const std::string& path) {
  std::lock_guard<std::mutex> guard(StepLock());
  SilenceTranslators();
  XcafDocument doc;
  ReadInto(path, doc);
  TDF_LabelSequence roots;
  doc.Shapes()->GetFreeShapes(roots);
  std::vector<StepProduct> parts;
  for (const TDF_Label& root : roots) CollectParts(root, root, TopLoc_Location(), parts);
  return parts;
}

StepTree ReadStepTree(const std::string& path) {
  std::lock_guard<std::mutex> guard(StepLock());
  SilenceTranslators();
  XcafDocument doc;
  Handle(Interface_InterfaceModel) file = ReadInto(path, doc);
  StepTree tree;
  TDF_LabelSequence roots;
  doc.Shapes()->GetFreeShapes(roots);
  TreeReader reader(doc);
  for (const TDF_Label& root : roots) tree.roots.push_back(reader.Node(root, root));
  for (Standard_Integer i = 1; i <= file->NbEntities(); ++i) {
    Handle(StepBasic_Product) product = Handle(StepBasic_Product)::DownCast(file->Value(i));
    if (product.IsNull()) continue;
    tree.products.push_back(
        {Text(product->Id()), Text(product->Name()), Text(product->Description())});
  }
  return tree;
}

}  // namespace host::occt
