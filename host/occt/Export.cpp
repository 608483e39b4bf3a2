// STEP, STL and glTF export through the XCAF document, and reading STEP products back.
#include "host/occt/Export.h"

#include <APIHeaderSection_MakeHeader.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Builder.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_Static.hxx>
#include <Message_ProgressRange.hxx>
#include <RWGltf_CafWriter.hxx>
#include <RWMesh_CoordinateSystem.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <STEPCAFControl_Writer.hxx>
#include <STEPControl_StepModelType.hxx>
#include <STEPControl_Writer.hxx>
#include <StepData_StepModel.hxx>
#include <StlAPI_Writer.hxx>
#include <TColStd_IndexedDataMapOfStringString.hxx>
#include <TCollection_HAsciiString.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <TopoDS_Compound.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <mutex>

#include "host/SafeFile.h"
#include "host/occt/Kernel.h"

namespace host::occt {
namespace {

// The STEP translator keeps its settings and models in process-wide state: concurrent writers
// crash it. Every STEP read or write, and every XCAF document, goes through this lock.
std::mutex& StepLock() {
  static std::mutex lock;
  return lock;
}

// Mesh fineness for STL and glTF: 0.02 mm from the true surface, 0.25 rad between facets.
constexpr double kLinearDeflection = 0.02;
constexpr double kAngularDeflection = 0.25;

struct PlacedPart {
  std::string name;
  TopoDS_Shape solid;  // in scene coordinates, without a location of its own
};

gp_Trsf ToTrsf(const ref::RigidTransform& t) {
  ref::Vec3 z = t.rotation * ref::Vec3{0, 0, 1}, x = t.rotation * ref::Vec3{1, 0, 0};
  gp_Trsf out;
  out.SetDisplacement(gp_Ax3(), gp_Ax3(gp_Pnt(t.translation.x, t.translation.y, t.translation.z),
                                       gp_Dir(z.x, z.y, z.z), gp_Dir(x.x, x.y, x.z)));
  return out;
}

// The solid with its location and the part's scene frame applied to its geometry: product
// shapes of an XCAF document must carry no location of their own.
TopoDS_Shape Baked(const TopoDS_Shape& solid, const gp_Trsf& frame) {
  gp_Trsf all = frame * solid.Location().Transformation();
  TopoDS_Shape bare = solid.Located(TopLoc_Location());
  if (all.Form() == gp_Identity) return bare;
  return BRepBuilderAPI_Transform(bare, all, Standard_True).Shape();
}

void CollectParts(OcctEvaluator& kernel, ref::SceneShape& shape, const ref::RigidTransform& parent,
                  std::vector<PlacedPart>& out) {
  for (auto& child : shape.Children()) {
    if (child->Type() != kShapePart && child->Type() != kShapeAssembly) continue;
    ref::RigidTransform frame = ref::Then(child->Frame(), parent);
    if (child->Type() == kShapeAssembly) {
      CollectParts(kernel, *child, frame, out);
      continue;
    }
    TopoDS_Shape solid = PartSolid(kernel, *child);
    if (solid.IsNull()) continue;
    out.push_back({child->Name(),
                   Guarded(DescribeShape(*child), [&] { return Baked(solid, ToTrsf(frame)); })});
  }
}

// Writes through `write` into a fresh file beside `path`, then renames it over `path`.
template <typename F>
void WriteReplacing(const std::string& path, F&& write) {
  try {
    host::ReplaceFile(path, write);
  } catch (const host::SafeFileError& e) {
    throw ExportError(e.what());
  }
}

class XcafDocument {
 public:
  XcafDocument() {
    XCAFApp_Application::GetApplication()->NewDocument("MDTV-XCAF", doc_);
    tool_ = XCAFDoc_DocumentTool::ShapeTool(doc_->Main());
  }
  ~XcafDocument() { XCAFApp_Application::GetApplication()->Close(doc_); }
  XcafDocument(const XcafDocument&) = delete;
  XcafDocument& operator=(const XcafDocument&) = delete;

  void Add(const PlacedPart& part) {
    TDF_Label label = tool_->AddShape(part.solid, Standard_False);
    TDataStd_Name::Set(label, TCollection_ExtendedString(part.name.c_str(), Standard_True));
  }
  Handle(TDocStd_Document) Document() const { return doc_; }
  const Handle(XCAFDoc_ShapeTool) & Tool() const { return tool_; }

 private:
  Handle(TDocStd_Document) doc_;
  Handle(XCAFDoc_ShapeTool) tool_;
};

void Mesh(const TopoDS_Shape& shape) {
  BRepMesh_IncrementalMesh mesh(shape, kLinearDeflection, Standard_False, kAngularDeflection,
                                Standard_True);
}

bool WriteStep(const std::vector<PlacedPart>& parts, const std::string& file,
               const std::string& target) {
  std::lock_guard<std::mutex> guard(StepLock());
  SilenceTranslators();
  XcafDocument doc;
  for (const PlacedPart& p : parts) doc.Add(p);
  Interface_Static::SetCVal("write.step.schema", "AP214IS");
  Interface_Static::SetCVal("write.step.unit", "MM");
  STEPCAFControl_Writer writer;
  writer.SetNameMode(Standard_True);
  if (!writer.Transfer(doc.Document(), STEPControl_AsIs)) return false;
  // The header names the file it is meant to be, not the temporary one it is written to.
  APIHeaderSection_MakeHeader header(writer.ChangeWriter().Model());
  header.SetName(
      new TCollection_HAsciiString(std::filesystem::path(target).filename().string().c_str()));
  return writer.Write(file.c_str()) == IFSelect_RetDone;
}

bool WriteStl(const std::vector<PlacedPart>& parts, const std::string& file) {
  TopoDS_Compound all;
  BRep_Builder builder;
  builder.MakeCompound(all);
  for (const PlacedPart& p : parts) builder.Add(all, p.solid);
  Mesh(all);
  StlAPI_Writer writer;
  writer.ASCIIMode() = Standard_False;
  return writer.Write(all, file.c_str());
}

bool WriteGlb(const std::vector<PlacedPart>& parts, const std::string& file) {
  SilenceTranslators();
  for (const PlacedPart& p : parts) Mesh(p.solid);
  std::unique_ptr<XcafDocument> doc;
  {
    std::lock_guard<std::mutex> guard(StepLock());
    doc = std::make_unique<XcafDocument>();
    for (const PlacedPart& p : parts) doc->Add(p);
  }
  RWGltf_CafWriter writer(file.c_str(), Standard_True);
  // Scene millimetres, Z up; glTF wants metres, Y up.
  writer.ChangeCoordinateSystemConverter().SetInputLengthUnit(0.001);
  writer.ChangeCoordinateSystemConverter().SetInputCoordinateSystem(RWMesh_CoordinateSystem_Zup);
  TColStd_IndexedDataMapOfStringString info;
  bool ok = writer.Perform(doc->Document(), info, Message_ProgressRange());
  std::lock_guard<std::mutex> guard(StepLock());
  doc.reset();
  return ok;
}

std::string Utf8(const TCollection_ExtendedString& text) {
  std::string out(static_cast<std::size_t>(text.LengthOfCString()) + 1, '\0');
  Standard_PCharacter buffer = out.data();
  text.ToUTF8CString(buffer);
  out.resize(std::char_traits<char>::length(out.c_str()));
  return out;
}

}  // namespace

// Builds with the leak checker: the STEP translator registers its settings, editors and driver
// tables once per process and never frees them. Those one-time allocations are not leaks of
// ours; everything else is still reported. The kernel's libraries keep no frame pointers, so
// only the slow unwinder sees far enough up their allocations to tell them apart. (The
// sanitizers look these hooks up by name; an ASAN_OPTIONS setting still wins.)
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }

extern "C" const char* __lsan_default_suppressions() {
  return "leak:IFSelect_Editor\n"
         "leak:MoniTool_TypedValue::AddEnum\n"
         "leak:GeomToStep_MakeDirection\n"
         "leak:TPrsStd_DriverTable::Get\n";
}

ExportFormat FormatOf(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  if (ext == ".step" || ext == ".stp") return ExportFormat::Step;
  if (ext == ".stl") return ExportFormat::Stl;
  if (ext == ".glb") return ExportFormat::Glb;
  throw ExportError(path + ": unknown export format (use .step, .stp, .stl or .glb)");
}

void ExportScene(ref::SceneDocument& document, const std::string& path) {
  ExportFormat format = FormatOf(path);
  OcctEvaluator* kernel = KernelOf(document);
  if (kernel == nullptr) kernel = &AttachKernel(document);
  std::vector<PlacedPart> parts;
  CollectParts(*kernel, document.Root(), document.Root().Frame(), parts);
  if (parts.empty()) throw ExportError(path + ": the scene has no part with material to export");
  WriteReplacing(path, [&](const std::string& file) {
    return Guarded("export to " + path, [&] {
      switch (format) {
        case ExportFormat::Step:
          return WriteStep(parts, file, path);
        case ExportFormat::Stl:
          return WriteStl(parts, file);
        case ExportFormat::Glb:
          return WriteGlb(parts, file);
      }
      return false;
    });
  });
}

std::vector<StepProduct> ReadStepProducts(const std::string& path) {
  std::lock_guard<std::mutex> guard(StepLock());
  SilenceTranslators();
  XcafDocument doc;
  STEPCAFControl_Reader reader;
  reader.SetNameMode(Standard_True);
  Handle(TDocStd_Document) target = doc.Document();
  if (reader.ReadFile(path.c_str()) != IFSelect_RetDone || !reader.Transfer(target)) {
    throw ExportError(path + ": cannot read the STEP file");
  }
  TDF_LabelSequence labels;
  doc.Tool()->GetFreeShapes(labels);
  std::vector<StepProduct> products;
  for (const TDF_Label& label : labels) {
    StepProduct p;
    Handle(TDataStd_Name) name;
    if (label.FindAttribute(TDataStd_Name::GetID(), name)) p.name = Utf8(name->Get());
    p.figures = MeasureSolid(XCAFDoc_ShapeTool::GetShape(label));
    products.push_back(std::move(p));
  }
  return products;
}

}  // namespace host::occt
