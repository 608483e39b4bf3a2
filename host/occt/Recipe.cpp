// Reading a feature's recipe from its records.
#include "host/occt/Recipe.h"

#include <cmath>
#include <cstdio>

namespace host::occt {
namespace {

constexpr std::int32_t kSizeBox = 1, kLoops = 3, kPosition = 4, kAnchor = 5, kAttributes = 14,
                       kProfileHolder = 15, kPathProfile = 24;
// Attribute variables: 1 removal, 47 draft angle, 55 and 56 the two-sided extrusion extents.
constexpr std::int32_t kRemoval = 1, kDraft = 47, kForward = 55, kBackward = 56;

double Finite(double v, const char* what) {
  if (!std::isfinite(v)) throw InvalidRecords(std::string(what) + " is not a finite number");
  return v;
}

// Position vars 1-3 and the turn from vars 4-7 (axis, degrees) of a position component.
void ReadFrame(ref::SceneComponent* position, ref::Vec3& origin, ref::Mat3& turn,
               const char* what) {
  if (position == nullptr) return;
  double v[7];
  for (int i = 0; i < 7; ++i) v[i] = Finite(position->Number(i + 1), what);
  origin = {v[0], v[1], v[2]};
  turn = ref::RotationAboutAxis({v[3], v[4], v[5]}, v[6]);
}

ProfileRecipe ReadProfile(ref::SceneComponent* holder) {
  ProfileRecipe p;
  if (holder == nullptr || holder->ProfileIfAny() == nullptr) return p;
  ref::ComponentStore& store = holder->ProfileIfAny()->Store();
  ReadFrame(store.First(kPosition), p.origin, p.turn, "the profile's position");
  for (auto& loop : store.List(kLoops).Items()) {
    for (const ref::ProfileCall& call : loop->Loop()) {
      for (double a : call.args) Finite(a, "a profile coordinate");
    }
    p.loops.push_back(loop->Loop());
  }
  return p;
}

void Append(std::string& key, double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%a,", v);
  key += buffer;
}

void Append(std::string& key, const ref::Vec3& v) {
  Append(key, v.x);
  Append(key, v.y);
  Append(key, v.z);
}

void Append(std::string& key, const ref::Mat3& m) {
  for (const auto& row : m.m) {
    for (double v : row) Append(key, v);
  }
}

void AppendLoops(std::string& key, const ProfileRecipe& p) {
  for (const auto& loop : p.loops) {
    key += '[';
    for (const ref::ProfileCall& call : loop) {
      key += call.op;
      key += '(';
      for (double a : call.args) Append(key, a);
      key += ')';
    }
    key += ']';
  }
}

}  // namespace

FeatureRecipe ReadRecipe(ref::SceneShape& feature) {
  FeatureRecipe r;
  ref::ComponentStore& store = feature.Store();
  r.kind = feature.Type();
  r.section = ReadProfile(store.First(kProfileHolder));
  if (r.kind == kShapeSwept) r.path = ReadProfile(store.First(kPathProfile));
  if (r.kind == ref::kShapeImported) {
    ref::SceneComponent* geometry = store.First(ref::kImportedGeometry);
    if (geometry != nullptr) r.imported = geometry->Variable(1).GetValue().AsText();
  }

  ref::SceneComponent* box = store.First(kSizeBox);
  double sx = box ? Finite(box->Number(1), "the size box") : 0;
  double sy = box ? Finite(box->Number(2), "the size box") : 0;
  double sz = box ? Finite(box->Number(3), "the size box") : 0;

  ref::SceneComponent* attributes = store.First(kAttributes);
  if (attributes != nullptr && (attributes->Has(kForward) || attributes->Has(kBackward))) {
    r.start = -Finite(attributes->Number(kBackward), "attribute 56");
    r.end = Finite(attributes->Number(kForward), "attribute 55");
  } else {
    r.start = 0;
    r.end = sz;
  }
  if (attributes != nullptr) {
    r.draft = Finite(attributes->Number(kDraft), "attribute 47");
    r.removal = attributes->Number(kRemoval) == 1;
  }

  ReadFrame(store.First(kPosition), r.position, r.rotation, "the feature's position");
  // A feature that never received an anchor is held at the centre of its size box's base.
  ref::SceneComponent* anchor = store.First(kAnchor);
  if (anchor != nullptr && (anchor->Has(1) || anchor->Has(2) || anchor->Has(3))) {
    r.anchor = {Finite(anchor->Number(1), "the anchor"), Finite(anchor->Number(2), "the anchor"),
                Finite(anchor->Number(3), "the anchor")};
  } else {
    r.anchor = {sx / 2, sy / 2, 0};
  }
  return r;
}

std::string FeatureRecipe::ShapeKey() const {
  std::string key = std::to_string(kind) + ':';
  AppendLoops(key, section);
  key += '|';
  if (kind == kShapeExtruded) {
    Append(key, start);
    Append(key, end);
    Append(key, draft);
  }
  if (kind == ref::kShapeImported) key += imported;
  if (kind == kShapeSwept) {
    // A swept solid is built in the feature frame, so both planes shape it.
    Append(key, section.origin);
    Append(key, section.turn);
    key += '|';
    AppendLoops(key, path);
    Append(key, path.origin);
    Append(key, path.turn);
  }
  return key;
}

std::string FeatureRecipe::PlacementKey() const {
  std::string key;
  Append(key, position);
  Append(key, anchor);
  Append(key, rotation);
  if (kind != kShapeSwept) {
    Append(key, section.origin);
    Append(key, section.turn);
  }
  return key;
}

std::string DescribeShape(ref::SceneShape& shape) {
  return "\"" + shape.Name() + "\" (" + shape.SystemName() + ")";
}

}  // namespace host::occt
