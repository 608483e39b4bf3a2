// Views of the scene's parts: kernel hidden lines, then each thread's cosmetic lines, cut where
// material hides them.
#include "host/occt/Drawing.h"

#include <TopLoc_Location.hxx>
#include <algorithm>
#include <cmath>
#include <optional>

#include "host/SafeFile.h"
#include "host/occt/HiddenLines.h"
#include "host/occt/Kernel.h"
#include "host/occt/Occlusion.h"
#include "host/occt/PlacedParts.h"
#include "host/reference/CosmeticThread.h"
#include "host/reference/DrawingSheet.h"
#include "host/reference/ThreadQuestions.h"

namespace host::occt {
namespace {

struct DrawnPart {
  PlacedPart placed;
  TopoDS_Shape solid;  // placed in the scene
  std::optional<ref::ThreadAnswer> thread;
};

std::vector<DrawnPart> PartsToDraw(ref::SceneDocument& document, const ref::ClassRegistry& classes,
                                   const std::string& partName) {
  OcctEvaluator* kernel = KernelOf(document);
  if (kernel == nullptr) kernel = &AttachKernel(document);
  std::vector<DrawnPart> parts;
  for (PlacedPart& p : PlacedParts(*kernel, document)) {
    if (!partName.empty() && p.part->Name() != partName) continue;
    TopoDS_Shape solid = p.solid.Moved(TopLoc_Location(ToTrsf(p.frame)));
    std::optional<ref::ThreadAnswer> thread = ref::AskThread(classes, *p.part);
    parts.push_back({std::move(p), solid, std::move(thread)});
  }
  if (parts.empty()) {
    throw DrawingError(partName.empty() ? "the scene has no part with material to draw"
                                        : "the scene has no part named \"" + partName + "\"");
  }
  return parts;
}

// Adds a cosmetic curve as runs of visible and hidden points; hidden runs only when asked for.
// A segment with a hidden end counts as hidden. Answers whether any of it is visible.
bool AddCosmeticCurve(const ref::CosmeticCurve& curve, const std::vector<bool>& hidden,
                      const ref::ViewAxes& axes, bool withHidden, ref::DrawnView& view) {
  bool anyVisible = false;
  std::size_t i = 0;
  while (i + 1 < curve.points.size()) {
    const bool runHidden = hidden[i] || hidden[i + 1];
    std::size_t j = i + 1;
    while (j + 1 < curve.points.size() && (hidden[j] || hidden[j + 1]) == runHidden) ++j;
    if (!runHidden || withHidden) {
      ref::DrawnLine line{runHidden ? ref::LineType::Hidden : curve.type, curve.role, {}};
      for (std::size_t k = i; k <= j; ++k) line.points.push_back(axes.Project(curve.points[k]));
      view.lines.push_back(std::move(line));
    }
    anyVisible = anyVisible || !runHidden;
    i = j;
  }
  return anyVisible;
}

// ISO 6410-1 leaves the chamfer circle out of a view along a thread's axis: the model's edges
// that run round the axis between the root and the crest are dropped there.
void DropChamferCircles(std::vector<ref::DrawnLine>& lines, ref::Point2 centre,
                        const ref::ThreadAnswer& thread) {
  const double low = thread.innerDiameter / 2 - 0.02, high = thread.outerDiameter / 2 - 0.02;
  std::erase_if(lines, [&](const ref::DrawnLine& line) {
    return line.role == "edge" &&
           std::all_of(line.points.begin(), line.points.end(), [&](ref::Point2 p) {
             double r = std::hypot(p.x - centre.x, p.y - centre.y);
             return r >= low && r <= high;
           });
  });
}

ref::DrawnView DrawView(const std::vector<DrawnPart>& parts,
                        const std::vector<TopoDS_Shape>& solids, const ref::ViewAxes& axes,
                        bool withHidden) {
  ref::DrawnView view{axes.name, {}, {}};
  ProjectedEdges edges = Guarded("the " + axes.name + " view",
                                 [&] { return ProjectSolids(solids, axes, withHidden); });
  for (auto& line : edges.visible) view.lines.push_back({ref::LineType::Visible, "edge", line});
  for (auto& line : edges.hidden) view.lines.push_back({ref::LineType::Hidden, "edge", line});

  Occlusion occlusion(solids, axes.toEye);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (!parts[i].thread) continue;
    ref::CosmeticThread thread =
        ref::CosmeticThreadIn(*parts[i].thread, parts[i].placed.frame, axes);
    if (thread.alongAxis) {
      DropChamferCircles(view.lines, axes.Project(thread.endCentre), *parts[i].thread);
    }
    bool anyVisible = false;
    for (const ref::CosmeticCurve& curve : thread.curves) {
      std::vector<bool> hidden;
      Guarded("the " + axes.name + " view", [&] {
        for (ref::Vec3 p : curve.points)
          hidden.push_back(occlusion.Hidden(i, thread.Probe(p), thread.ownClearance));
      });
      anyVisible = AddCosmeticCurve(curve, hidden, axes, withHidden, view) || anyVisible;
    }
    if (anyVisible) {
      view.callouts.push_back(
          {axes.Project(thread.calloutAnchor), thread.calloutDirection, thread.callout});
    }
  }
  return view;
}

}  // namespace

std::vector<ref::DrawnView> DrawViews(ref::SceneDocument& document,
                                      const ref::ClassRegistry& classes,
                                      const DrawingRequest& request) {
  std::vector<const ref::ViewAxes*> axes;
  for (const std::string& name : request.views) {
    const ref::ViewAxes* v = ref::FindView(name);
    if (v == nullptr) {
      throw DrawingError("unknown view \"" + name + "\" (views: " + ref::ViewNames() + ")");
    }
    axes.push_back(v);
  }
  std::vector<DrawnPart> parts = PartsToDraw(document, classes, request.partName);
  std::vector<TopoDS_Shape> solids;
  for (const DrawnPart& p : parts) solids.push_back(p.solid);
  std::vector<ref::DrawnView> views;
  for (const ref::ViewAxes* v : axes) views.push_back(DrawView(parts, solids, *v, request.hidden));
  return views;
}

void WriteDrawing(const std::vector<ref::DrawnView>& views, const std::string& title,
                  const std::string& path) {
  try {
    host::ReplaceFileText(path, ref::DrawingSvg(views, title));
  } catch (const host::SafeFileError& e) {
    throw DrawingError(e.what());
  }
}

}  // namespace host::occt
