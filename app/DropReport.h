// What a drop did, for the designer and for scripts: what the ray hit (face, hole wall, shaft or
// circular edge, which part, the diameter read), the size chosen and why, every hole cut and
// into which part, the new parts with their figures and the parts placed before that it gathered
// into a new assembly. Printed as text or as one JSON object.
#pragma once

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "host/occt/OcctEvaluator.h"
#include "host/reference/DropHit.h"
#include "host/reference/SceneDocument.h"

namespace vormbrace::app {

// The scene's parts before the drop: their identifiers and feature counts.
struct SceneBefore {
  std::set<std::int32_t> shapes;
  std::map<std::int32_t, std::int32_t> features;
};
SceneBefore RecordScene(host::ref::SceneShape& root);

class DropReport {
 public:
  // After the dialog's OK: reads the hit, the automatic size's reason and the scene's changes.
  DropReport(host::ref::SceneDocument& document, const host::ref::DropHit& hit,
             const SceneBefore& before, host::occt::OcctEvaluator& kernel);

  void AddLine(const std::string& line) { lines_.push_back(line); }
  void AddWritten(const std::string& path) { written_.push_back(path); }
  // Text: the hit, the size, the holes, the new parts, the lines added, the files written.
  void PrintText(std::ostream& out) const;
  void PrintJson(std::ostream& out) const;

 private:
  struct Hole {
    std::string name, part;
  };
  struct NewShape {
    host::ref::SceneShape* shape;
    int depth;
  };
  // A part placed before the drop that it gathered into a new assembly.
  struct Gathered {
    std::string name, into;
  };
  host::occt::OcctEvaluator& kernel_;
  std::string element_;  // "nothing", "face", "hole wall", "shaft", "circular edge"
  std::string surface_;  // "plane", "cylinder", "cone", "circle", ...
  std::string part_;
  host::ref::Vec3 point_;
  double diameter_ = 0;
  std::string size_, why_;
  std::vector<Hole> holes_;
  std::vector<NewShape> shapes_;
  std::vector<Gathered> gathered_;
  std::vector<std::string> lines_, written_;
};

}  // namespace vormbrace::app
