// The export entry point: gathering the scene, checking the options, meshing, writing through a
// temporary file; and the binary STL writer.
#include "host/occt/Export.h"

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <Poly_PolygonOnTriangulation.hxx>
#include <Poly_Triangulation.hxx>
#include <StlAPI_Writer.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <utility>

#include "host/SafeFile.h"
#include "host/occt/ExportWriters.h"
#include "host/occt/Kernel.h"

namespace host::occt {
namespace {

// Writes through `write` into a fresh file beside `path`, then renames it over `path`.
template <typename F>
void WriteReplacing(const std::string& path, F&& write) {
  try {
    host::ReplaceFile(path, write);
  } catch (const host::SafeFileError& e) {
    throw ExportError(e.what());
  }
}

// How many times a mesh that left a face open is made again, each time four times finer.
constexpr int kFinerMeshes = 2;

// Whether the faces' triangles close up: every face is meshed, and the border of its triangles
// is the polygons its edges carry (where the mesher could not fill a face, it leaves it bare or
// gives it a border of its own).
bool MeshIsClosed(const TopoDS_Shape& shape) {
  for (TopExp_Explorer f(shape, TopAbs_FACE); f.More(); f.Next()) {
    const TopoDS_Face& face = TopoDS::Face(f.Current());
    TopLoc_Location location;
    Handle(Poly_Triangulation) mesh = BRep_Tool::Triangulation(face, location);
    if (mesh.IsNull()) return false;
    std::map<std::pair<int, int>, int> links;
    for (int t = 1; t <= mesh->NbTriangles(); ++t) {
      int n[3];
      mesh->Triangle(t).Get(n[0], n[1], n[2]);
      for (int i = 0; i < 3; ++i) ++links[std::minmax(n[i], n[(i + 1) % 3])];
    }
    int border = 0;
    for (const auto& [link, uses] : links) border += uses == 1;
    int carried = 0;  // a seam is met twice, once per side
    for (TopExp_Explorer e(face, TopAbs_EDGE); e.More(); e.Next()) {
      Handle(Poly_PolygonOnTriangulation) polygon =
          BRep_Tool::PolygonOnTriangulation(TopoDS::Edge(e.Current()), mesh, location);
      if (polygon.IsNull()) return false;
      carried += polygon->NbNodes() - 1;
    }
    if (border != carried) return false;
  }
  return true;
}

void CheckOptions(const ExportOptions& options) {
  if (!(options.deflection > 0) || !std::isfinite(options.deflection)) {
    throw ExportError("deflection " + std::to_string(options.deflection) +
                      ": must be a length greater than 0 mm");
  }
  if (!(options.angle > 0) || !(options.angle <= 3.14159265358979)) {
    throw ExportError("angle " + std::to_string(options.angle) +
                      ": must be greater than 0 and at most pi radians");
  }
}

}  // namespace

std::mutex& StepLock() {
  static std::mutex lock;
  return lock;
}

void SilenceTranslators() {
  static std::once_flag once;
  std::call_once(once, [] {
    Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
  });
}

// Triangles for every part, closed up. A face much narrower than the deflection (the ring
// between a square neck and the plain shank just inside it is 0.002 mm wide) is not filled: the
// polygons of its two borders cross. Such a part is meshed again, finer.
void MeshModel(const ExportModel& model, const ExportOptions& options) {
  for (const DistinctPart& part : model.parts) {
    double deflection = options.deflection;
    for (int finer = 0;; ++finer) {
      BRepMesh_IncrementalMesh mesh(part.solid, deflection, Standard_False, options.angle,
                                    Standard_True);
      if (finer == kFinerMeshes || MeshIsClosed(part.solid)) break;
      BRepTools::Clean(part.solid);
      deflection /= 4;
    }
  }
}

// One mesh of every placement: each part's triangles carried to where the scene puts it.
bool WriteStl(const ExportModel& model, const std::string& file) {
  TopoDS_Compound all;
  BRep_Builder builder;
  builder.MakeCompound(all);
  auto add = [&](auto&& self, const ExportNode& node, const gp_Trsf& above) -> void {
    gp_Trsf frame = above * node.frame;
    if (node.part >= 0) {
      builder.Add(all, model.parts[static_cast<std::size_t>(node.part)].solid.Moved(frame));
    }
    for (const ExportNode& child : node.children) self(self, child, frame);
  };
  add(add, model.root, gp_Trsf());
  StlAPI_Writer writer;
  writer.ASCIIMode() = Standard_False;
  return writer.Write(all, file.c_str());
}

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

void ExportScene(ref::SceneDocument& document, const std::string& path,
                 const ExportOptions& options) {
  ExportFormat format = FormatOf(path);
  CheckOptions(options);
  OcctEvaluator* kernel = KernelOf(document);
  if (kernel == nullptr) kernel = &AttachKernel(document);
  ExportModel model = GatherModel(*kernel, document.Root(), options);
  if (!options.part.empty() && model.parts.empty()) {
    throw ExportError(path + ": the scene has no part named \"" + options.part +
                      "\" with material to export");
  }
  if (model.parts.empty()) {
    throw ExportError(path + ": the scene has no part with material to export");
  }
  WriteReplacing(path, [&](const std::string& file) {
    return Guarded("export to " + path, [&] {
      if (format != ExportFormat::Step) MeshModel(model, options);
      switch (format) {
        case ExportFormat::Step:
          return WriteStep(model, file, path);
        case ExportFormat::Stl:
          return WriteStl(model, file);
        case ExportFormat::Glb:
          return WriteGlb(model, file);
      }
      return false;
    });
  });
  if (format == ExportFormat::Step && options.warn) {
    for (const std::string& cut : CutStepTexts(model)) options.warn(path + ": " + cut);
  }
}

}  // namespace host::occt
