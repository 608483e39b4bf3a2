// What a placed bolt carries.
#include "components/BoltMembers.h"

#include <cmath>

#include "components/FastenerTable.h"
#include "data/Globals.h"
#include "host/Host.h"

namespace vormbrace {
namespace {

constexpr std::int16_t kBolts = 0;
constexpr std::int16_t kScrews = 1;
// A member stands on the bolt's axis within this (mm), and square to it within this cosine.
constexpr double kOnAxis = 1e-6;
constexpr double kSquare = 1e-9;

double Dot(const std::array<double, 3>& a, const std::array<double, 3>& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}


std::optional<PlacedBolt> BoltOrScrew(host::Shape* part) {
  host::Component* table = part == nullptr ? nullptr : FindDataTable(*part);
  if (table == nullptr) return std::nullopt;
  const double kind = NumberAt(*table, 0);
  if (kind != kBolts && kind != kScrews) return std::nullopt;
  host::Shape* owner = host::CurrentHost().ElementHelper().Owner(*part);
  if (owner == nullptr) return std::nullopt;
  return PlacedBolt{part, owner,
                    BoltOnAxis{PlacementOf(*part), NumberAt(*table, 10), NumberAt(*table, 11), part},
                    table->Variable(kNumberColumn, 2).GetValue().AsInt32()};
}

}  // namespace

std::optional<PlacedBolt> HitBoltOrScrew() { return BoltOrScrew(State().drop.holePart); }

std::optional<PlacedBolt> BoltCarryingHit() {
  host::Shape* hit = State().drop.holePart;
  if (std::optional<PlacedBolt> bolt = BoltOrScrew(hit)) return bolt;
  host::Component* table = hit == nullptr ? nullptr : FindDataTable(*hit);
  host::Shape* owner = hit == nullptr ? nullptr : host::CurrentHost().ElementHelper().Owner(*hit);
  if (table == nullptr || owner == nullptr) return std::nullopt;
  const auto kind = static_cast<std::int16_t>(NumberAt(*table, 0));
  host::ShapeCollection& parts = owner->Shapes(host::kShapePart);
  for (std::int32_t i = 1; i <= parts.Count(); ++i) {
    std::optional<PlacedBolt> bolt = BoltOrScrew(&parts.Item(i));
    if (!bolt) continue;
    for (host::Shape* member : MembersOnBolt(*bolt, kind)) {
      if (member == hit) return bolt;
    }
  }
  return std::nullopt;
}

std::vector<host::Shape*> MembersOnBolt(const PlacedBolt& bolt, std::int16_t kind) {
  const Placement& b = bolt.onAxis.placement;
  const std::array<double, 3> z = PlacementZ(b);
  std::vector<host::Shape*> members;
  host::ShapeCollection& parts = bolt.owner->Shapes(host::kShapePart);
  for (std::int32_t i = 1; i <= parts.Count(); ++i) {
    host::Shape& part = parts.Item(i);
    host::Component* table = &part == bolt.part ? nullptr : FindDataTable(part);
    if (table == nullptr || NumberAt(*table, 0) != kind) continue;
    const Placement p = PlacementOf(part);
    const std::array<double, 3> offset = {p[0] - b[0], p[1] - b[1], p[2] - b[2]};
    const double along = Dot(offset, z);
    const double across = std::hypot(offset[0] - along * z[0], offset[1] - along * z[1],
                                     offset[2] - along * z[2]);
    const bool square = std::abs(Dot(PlacementZ(p), z)) > 1 - kSquare;
    if (square && across < kOnAxis && along <= kOnAxis &&
        along >= -bolt.onAxis.length - kOnAxis) {
      members.push_back(&part);
    }
  }
  return members;
}

bool IsBoltAssembly(host::Shape& shape) {
  if (shape.Type() != host::kShapeAssembly) return false;
  if (host::CurrentHost().ElementHelper().Owner(shape) == nullptr) return false;  // the root
  host::ComponentCollection& binding = shape.Components(kBindingCode);
  return binding.Count() > 0 && binding.Item(1).Variable(1).GetValue().AsInt32() == 1;
}

double ClampedDepthInScene(const PlacedBolt& bolt) {
  host::Host& host = host::CurrentHost();
  host::HostElementHelper& elements = host.ElementHelper();
  // The bolt's placement carried out through the assemblies that hold it, up to the root.
  auto box = host.NewSizebox();
  box->SetShape(*bolt.part);
  std::unique_ptr<host::HostTransform> frame = box->SizeboxToParentTransform();
  host::Shape* root = bolt.owner;
  for (host::Shape* up = elements.Owner(*root); up != nullptr; up = elements.Owner(*root)) {
    box->SetShape(*root);
    frame->Multiply(*box->SizeboxToParentTransform());
    root = up;
  }
  BoltOnAxis inScene = bolt.onAxis;
  Placement& p = inScene.placement;
  frame->GetTranslation(p[0], p[1], p[2]);
  frame->GetRotation(p[3], p[4], p[5], p[6]);
  return ClampedDepth(*root, inScene);
}

}  // namespace vormbrace
