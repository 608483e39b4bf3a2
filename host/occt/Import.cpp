// Reading STEP parts, and the text form of imported solids.
#include "host/occt/Import.h"

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <STEPControl_Reader.hxx>
#include <Standard_Failure.hxx>
#include <TopExp_Explorer.hxx>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>

#include "host/occt/ExportWriters.h"
#include "host/occt/Kernel.h"
#include "host/occt/Recipe.h"
#include "host/occt/ShapeText.h"
#include "host/occt/StepSession.h"

namespace host::occt {

std::string ShapeToText(const TopoDS_Shape& shape) {
  std::ostringstream out;
  BRepTools::Write(shape, out, Standard_False, Standard_False, TopTools_FormatVersion_CURRENT);
  return out.str();
}

TopoDS_Shape ShapeFromText(const std::string& text) {
  std::istringstream in(text);
  TopoDS_Shape shape;
  BRep_Builder builder;
  BRepTools::Read(shape, in, builder);
  if (shape.IsNull()) throw InvalidRecords("the imported geometry cannot be read");
  return shape;
}

namespace {

// The file's shape; nothing when the file holds a long loop and what its transfer without the
// whole repair made is not kept (see LongLoopRepair).
std::optional<TopoDS_Shape> TryRead(const std::string& path, bool wholeRepair) {
  STEPControl_Reader reader;
  SkipEntityCheck(reader.WS());
  if (reader.ReadFile(path.c_str()) != IFSelect_RetDone) {
    throw ImportError(path + ": not a readable STEP file");
  }
  LongLoopRepair repair(reader.WS(), wholeRepair);
  reader.TransferRoots();
  TopoDS_Shape shape = reader.OneShape();
  if (!repair.Keeps(shape)) return std::nullopt;
  return shape;
}

TopoDS_Shape ReadStep(const std::string& path) {
  std::lock_guard<std::mutex> guard(StepLock());
  SilenceTranslators();
  TopoDS_Shape shape;
  try {
    std::optional<TopoDS_Shape> read = TryRead(path, false);
    shape = read ? *read : *TryRead(path, true);
  } catch (const Standard_Failure& e) {
    throw ImportError(path + ": the STEP reader failed (" + e.DynamicType()->Name() + ")");
  }
  if (shape.IsNull() || !TopExp_Explorer(shape, TopAbs_SOLID).More()) {
    throw ImportError(path + ": the file holds no solid");
  }
  return shape;
}

// The text form of the file's solids, translated once per content: later imports of the same
// bytes, under any name, come from the kernel's solid cache, as the very text the first import
// recorded (so that the imported feature's solid is found there too).
std::string StepText(ref::SceneDocument& document, const std::string& path) {
  OcctEvaluator* kernel = KernelOf(document);
  SolidCache* cache = kernel != nullptr ? kernel->Cache() : nullptr;
  std::ifstream in(path, std::ios::binary);
  if (cache == nullptr || !in) return ShapeToText(ReadStep(path));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::string key = "step\n" + bytes.str();
  if (std::optional<std::string> text = cache->Load(key)) {
    ++kernel->Internals().counts.cacheHits;
    return *text;
  }
  std::string text = ShapeToText(ReadStep(path));
  if (cache->Store(key, text)) ++kernel->Internals().counts.cacheWrites;
  return text;
}

}  // namespace

ref::SceneShape& ImportStepPart(ref::SceneDocument& document, const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw ImportError(path + ": a folder, not a file");
  if (!std::filesystem::exists(path, ec)) throw ImportError(path + ": no such file");
  if (!std::filesystem::is_regular_file(path, ec))
    throw ImportError(path + ": not a regular file");
  std::string text = StepText(document, path);
  auto& part = static_cast<ref::SceneShape&>(document.RootShape().Shapes(kShapePart).Add());
  part.SetName(std::filesystem::path(path).stem().string());
  auto& solid = static_cast<ref::SceneShape&>(part.Shapes(ref::kShapeImported).Add());
  solid.SetName("Imported");
  solid.Components(ref::kImportedGeometry)
      .Item(1)
      .Variable(1)
      .SetValue(Value::Text(std::move(text)));
  solid.Update();
  return part;
}

}  // namespace host::occt
