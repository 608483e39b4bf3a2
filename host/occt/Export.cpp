// The export entry point: gathering the scene, checking the options, meshing, writing through a
// temporary file; and the binary STL writer.
#include "host/occt/Export.h"

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Builder.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <StlAPI_Writer.hxx>
#include <TopoDS_Compound.hxx>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>

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

void MeshModel(const ExportModel& model, const ExportOptions& options) {
  for (const DistinctPart& part : model.parts) {
    BRepMesh_IncrementalMesh mesh(part.solid, options.deflection, Standard_False, options.angle,
                                  Standard_True);
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
}

}  // namespace host::occt
