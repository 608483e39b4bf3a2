// STEP AP214 through the XCAF document: writing an export model as assemblies of shared
// products, and reading a file's tree and products back.
#include <APIHeaderSection_MakeHeader.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_Static.hxx>
#include <Quantity_Color.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <STEPCAFControl_Writer.hxx>
#include <STEPConstruct_Tool.hxx>
#include <STEPControl_StepModelType.hxx>
#include <STEPControl_Writer.hxx>
#include <StepBasic_Product.hxx>
#include <StepData_StepModel.hxx>
#include <StepRepr_NextAssemblyUsageOccurrence.hxx>
#include <TCollection_HAsciiString.hxx>
#include <TDF_LabelSequence.hxx>
#include <XSControl_WorkSession.hxx>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <unordered_set>

#include "host/QuotedText.h"
#include "host/occt/ExportWriters.h"
#include "host/occt/Kernel.h"
#include "host/occt/StepLoopPieces.h"
#include "host/occt/StepSession.h"
#include "host/occt/StepStrings.h"
#include "host/occt/XcafTree.h"

namespace host::occt {
namespace {

std::string Text(const Handle(TCollection_HAsciiString) & text) {
  return text.IsNull() ? std::string() : std::string(text->ToCString());
}

// A name, part number or description as given to the translator: it splits a long text into
// its lines at a cost growing with the square of its length (a name of 5 MB took minutes), so a
// text is cut, at a character's start, where its STEP string would pass kMaxStepText bytes.
std::string StepText(const std::string& text) { return CutStepText(text, kMaxStepText); }

// The messages of CutStepTexts, each once, in the order met.
struct CutTexts {
  void Check(const char* what, const std::string& text, const char* kind,
             const std::string& owner) {
    const std::size_t written = StepString(text).size();
    if (written <= kMaxStepText) return;
    std::string message = std::string("the ") + what + " of " + kind + " " + QuotedStart(owner) +
                          " is " + std::to_string(text.size()) + " bytes long, " +
                          std::to_string(written) + " as STEP text (at most " +
                          std::to_string(kMaxStepText) + "): the STEP file keeps its first " +
                          std::to_string(StepText(text).size()) + " bytes";
    if (seen.insert(message).second) messages.push_back(std::move(message));
  }
  void Product(const char* kind, const std::string& name, const std::string& number,
               const std::string& description) {
    Check("name", name, kind, name);
    Check("part number", number, kind, name);
    Check("description", description, kind, name);
  }
  void Node(const ExportNode& node) {
    if (node.part >= 0) {
      Check("name", node.name, "part", node.name);
      return;
    }
    Product("assembly", node.name, node.partNumber, node.description);
    for (const ExportNode& child : node.children) Node(child);
  }
  std::vector<std::string> messages;
  std::unordered_set<std::string> seen;
};

// The model as XCAF labels: one product label per distinct part (named, coloured), one
// assembly label per assembly, one component label per placement (named as in the scene).
class StepBuilder {
 public:
  StepBuilder(const ExportModel& model, XcafDocument& doc) : doc_(doc) {
    for (const DistinctPart& part : model.parts) {
      const TopoDS_Shape written = LoopsInPieces(part.solid);
      inPieces_ = inPieces_ || !written.IsSame(part.solid);
      TDF_Label label = doc.Shapes()->AddShape(written, Standard_False);
      SetName(label, StepText(part.name));
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

  // Whether a part went to the translator with its long loops in pieces (see LoopsInPieces).
  bool InPieces() const { return inPieces_; }

 private:
  TDF_Label Assembly(const ExportNode& node) {
    TDF_Label label = doc_.Shapes()->NewShape();
    SetName(label, StepText(node.name));
    for (const ExportNode& child : node.children) {
      TDF_Label referred = child.part >= 0 ? products_[child.part] : Assembly(child);
      TDF_Label component =
          doc_.Shapes()->AddComponent(label, referred, TopLoc_Location(child.frame));
      SetName(component, StepText(child.name));
    }
    return label;
  }

  XcafDocument& doc_;
  std::vector<TDF_Label> products_;
  bool inPieces_ = false;
};

// The translator writes a product's name as its identifier too, and no description: the
// part number and the description of the part it was made from go there instead.
struct ProductData {
  std::string number, description;
};

void AssemblyData(const ExportNode& node, std::map<std::string, ProductData>& out) {
  if (node.part >= 0) return;
  out.emplace(StepText(node.name),
              ProductData{StepText(node.partNumber), StepText(node.description)});
  for (const ExportNode& child : node.children) AssemblyData(child, out);
}

void WriteProductData(const ExportModel& model, const Handle(Interface_InterfaceModel) & file) {
  std::map<std::string, ProductData> byName;
  for (const DistinctPart& part : model.parts) {
    byName.emplace(StepText(part.name),
                   ProductData{StepText(part.partNumber), StepText(part.description)});
  }
  AssemblyData(model.root, byName);
  for (Standard_Integer i = 1; i <= file->NbEntities(); ++i) {
    Handle(StepBasic_Product) product = Handle(StepBasic_Product)::DownCast(file->Value(i));
    if (product.IsNull()) continue;
    auto it = byName.find(Text(product->Name()));
    if (it == byName.end()) continue;
    if (!it->second.number.empty()) {
      product->SetId(new TCollection_HAsciiString(it->second.number.c_str()));
    }
    if (!it->second.description.empty()) {
      product->SetDescription(new TCollection_HAsciiString(it->second.description.c_str()));
    }
  }
}

// The kernel's reader names a placement after its occurrence's identifier (a number) when the
// name holds no ASCII letter, digit or sign (a name of Chinese characters, or of euro signs, came
// back as "3"): those are named again from the file.
void NameTextPlacements(STEPCAFControl_Reader& reader, XcafDocument& doc) {
  Handle(XSControl_WorkSession) session = reader.ChangeReader().WS();
  const STEPConstruct_Tool tool(session);
  Handle(Interface_InterfaceModel) file = session->Model();
  for (Standard_Integer i = 1; i <= file->NbEntities(); ++i) {
    Handle(StepRepr_NextAssemblyUsageOccurrence) occurrence =
        Handle(StepRepr_NextAssemblyUsageOccurrence)::DownCast(file->Value(i));
    if (occurrence.IsNull() || occurrence->Name().IsNull() || occurrence->Name()->IsEmpty() ||
        occurrence->Name()->UsefullLength() > 0) {
      continue;
    }
    TDF_Label placement = STEPCAFControl_Reader::FindInstance(occurrence, doc.Shapes(), tool,
                                                              reader.GetShapeLabelMap());
    if (!placement.IsNull()) SetName(placement, Text(occurrence->Name()));
  }
}

// A STEP file read: its document and its product records.
struct StepRead {
  std::unique_ptr<XcafDocument> doc = std::make_unique<XcafDocument>();
  std::vector<StepProductRecord> products;
};

// Reads a STEP file; nothing when the file holds a long loop and what its transfer without the
// whole repair made is not kept (see LongLoopRepair). Raises ExportError naming the file when it
// cannot be read.
std::optional<StepRead> TryRead(const std::string& path, bool wholeRepair) {
  STEPCAFControl_Reader reader;
  reader.SetNameMode(Standard_True);
  reader.SetColorMode(Standard_True);
  SkipEntityCheck(reader.ChangeReader().WS());
  if (reader.ReadFile(path.c_str()) != IFSelect_RetDone) {
    throw ExportError(path + ": cannot read the STEP file");
  }
  StepRead read;
  Handle(Interface_InterfaceModel) file = reader.ChangeReader().WS()->Model();
  for (Standard_Integer i = 1; i <= file->NbEntities(); ++i) {
    Handle(StepBasic_Product) product = Handle(StepBasic_Product)::DownCast(file->Value(i));
    if (product.IsNull()) continue;
    read.products.push_back(
        {Text(product->Id()), Text(product->Name()), Text(product->Description())});
  }
  {
    LongLoopRepair repair(reader.ChangeReader().WS(), wholeRepair);
    Handle(TDocStd_Document) target = read.doc->Document();
    if (!reader.Transfer(target)) {
      throw ExportError(path + ": cannot read the STEP file");
    }
    if (!repair.Keeps(reader.ChangeReader().OneShape())) return std::nullopt;
  }
  NameTextPlacements(reader, *read.doc);
  return read;
}

StepRead ReadStepFile(const std::string& path) {
  if (std::optional<StepRead> read = TryRead(path, false)) return std::move(*read);
  return std::move(*TryRead(path, true));
}

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

// Rewrites the file the translator wrote with only ASCII in its strings (see
// WriteAsciiStepFile). The translator held the whole text in memory to write it; holding it once
// more here, after it let go, needs no more than that.
bool MakeAscii(const std::string& file) {
  std::string written;
  {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    written.resize(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)));
    in.seekg(0).read(written.data(), static_cast<std::streamsize>(written.size()));
    if (!in) return false;
  }
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  WriteAsciiStepFile(written, out);
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

std::vector<std::string> CutStepTexts(const ExportModel& model) {
  CutTexts cuts;
  for (const DistinctPart& part : model.parts) {
    cuts.Product("part", part.name, part.partNumber, part.description);
  }
  cuts.Node(model.root);
  return cuts.messages;
}

bool WriteStep(const ExportModel& model, const std::string& file, const std::string& target) {
  std::lock_guard<std::mutex> guard(StepLock());
  SilenceTranslators();
  XcafDocument doc;
  StepBuilder build(model, doc);
  Interface_Static::SetCVal("write.step.schema", "AP214IS");
  Interface_Static::SetCVal("write.step.unit", "MM");
  STEPCAFControl_Writer writer;
  SkipEntityCheck(writer.ChangeWriter().WS());
  writer.SetNameMode(Standard_True);
  writer.SetColorMode(Standard_True);
  if (!writer.Transfer(doc.Document(), STEPControl_AsIs)) return false;
  if (build.InPieces()) JoinLoopPieces(writer.ChangeWriter().Model());
  WriteProductData(model, writer.ChangeWriter().Model());
  // The header names the file it is meant to be, not the temporary one it is written to.
  APIHeaderSection_MakeHeader header(writer.ChangeWriter().Model());
  header.SetName(
      new TCollection_HAsciiString(std::filesystem::path(target).filename().string().c_str()));
  return writer.Write(file.c_str()) == IFSelect_RetDone && MakeAscii(file);
}

std::vector<StepProduct> ReadStepProducts(const std::string& path) {
  std::lock_guard<std::mutex> guard(StepLock());
  SilenceTranslators();
  StepRead read = ReadStepFile(path);
  TDF_LabelSequence roots;
  read.doc->Shapes()->GetFreeShapes(roots);
  std::vector<StepProduct> parts;
  for (const TDF_Label& root : roots) CollectParts(root, root, TopLoc_Location(), parts);
  return parts;
}

ReadTree ReadExportedTree(const std::string& path) {
  std::lock_guard<std::mutex> guard(StepLock());
  SilenceTranslators();
  ReadTree tree;
  if (FormatOf(path) == ExportFormat::Glb) {
    XcafDocument doc;
    ReadGlbInto(path, doc);
    tree.roots = ReadNodes(doc);
    return tree;
  }
  StepRead read = ReadStepFile(path);
  tree.products = std::move(read.products);
  tree.roots = ReadNodes(*read.doc);
  return tree;
}

}  // namespace host::occt
