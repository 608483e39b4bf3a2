// Records of the reference scene document.
#include "host/reference/SceneDocument.h"

#include <algorithm>

#include "host/RuntimeError.h"
#include "host/reference/SceneFile.h"

namespace host::ref {
namespace {

// Component codes every new shape carries, by shape kind.
constexpr std::int32_t kSizeBox = 1, kElement = 2, kLoops = 3, kPosition = 4, kAnchor = 5,
                       kAttributes = 14, kProfileHolder = 15, kBody = 23, kPathProfile = 24;

bool IsFeature(std::int32_t kind) {
  return kind == kShapeSwept || kind == kShapeExtruded || kind == kShapeRevolved ||
         kind == kShapeImported;
}

void CheckIndex(std::int32_t index, std::size_t count) {
  if (index < 1 || static_cast<std::size_t>(index) > count) Raise(err::kSubscriptOutOfRange);
}

}  // namespace

// --- components ---------------------------------------------------------------------------

SceneComponent::SceneComponent(std::int32_t code, SceneShape* shapes)
    : code_(code), shapes_(shapes) {
  if (code == kProfileHolder || code == kPathProfile) profile_ = std::make_unique<SceneProfile>();
}

SceneComponent::~SceneComponent() = default;

host::Profile& SceneComponent::Profile() {
  if (!profile_) Raise(err::kMethodNotSupported);
  return *profile_;
}

ShapeCollection& SceneComponent::Shapes(std::int32_t kind) {
  if ((code_ != kBody && code_ != kElement) || shapes_ == nullptr) Raise(err::kMethodNotSupported);
  return shapes_->Shapes(kind);
}

host::SurfaceFinish& SceneComponent::SurfaceFinish(double x, double y, double z, std::int16_t,
                                                   std::int16_t, std::int16_t) {
  if (code_ != 27) Raise(err::kMethodNotSupported);
  finishes_.push_back(std::make_unique<SurfaceFinishRecord>());
  finishes_.back()->point = {x, y, z};
  return *finishes_.back();
}

double SceneComponent::Number(std::int32_t index) const {
  auto it = variables_.find(index);
  return it == variables_.end() ? 0 : it->second.GetValue().AsDouble();
}

bool SceneComponent::Has(std::int32_t index) const {
  auto it = variables_.find(index);
  return it != variables_.end() && !it->second.GetValue().IsEmpty();
}

void SceneComponent::Record(const char* op, std::vector<double> args) {
  if (code_ != kLoops) Raise(err::kMethodNotSupported);
  loop_.push_back({op, std::move(args)});
}

host::Component& ComponentList::Item(std::int32_t index) { return At(index); }

SceneComponent& ComponentList::At(std::int32_t index) {
  CheckIndex(index, items_.size());
  return *items_[index - 1];
}

host::Component& ComponentList::Add() {
  items_.push_back(std::make_unique<SceneComponent>(code_, shapes_));
  return *items_.back();
}

void ComponentList::Remove(std::int32_t index) {
  CheckIndex(index, items_.size());
  items_.erase(items_.begin() + (index - 1));
}

ComponentList& ComponentStore::List(std::int32_t code) {
  return lists_.try_emplace(code, code, shapes_).first->second;
}

SceneComponent* ComponentStore::First(std::int32_t code) {
  auto it = lists_.find(code);
  if (it == lists_.end() || it->second.Items().empty()) return nullptr;
  return it->second.Items().front().get();
}

SceneProfile::SceneProfile() : store_(nullptr) { store_.List(kPosition).Add(); }

void SceneDataObject::SetEntryValue(std::int32_t index, const std::string& value) {
  CheckIndex(index, entries_.size());
  entries_[index - 1].value = value;
}

void SceneDataObject::Remove(std::int32_t index) {
  CheckIndex(index, entries_.size());
  entries_.erase(entries_.begin() + (index - 1));
}

const SceneDataObject::Entry& SceneDataObject::At(std::int32_t index) const {
  CheckIndex(index, entries_.size());
  return entries_[index - 1];
}

// --- shapes -------------------------------------------------------------------------------

std::int32_t ShapeView::Count() const {
  std::int32_t n = 0;
  for (auto& child : owner_->Children()) n += (kind_ == 0 || child->Type() == kind_);
  return n;
}

host::Shape& ShapeView::Item(std::int32_t index) {
  std::int32_t n = 0;
  for (auto& child : owner_->Children()) {
    if ((kind_ == 0 || child->Type() == kind_) && ++n == index) return *child;
  }
  Raise(err::kSubscriptOutOfRange);
}

host::Shape& ShapeView::Add() {
  if (kind_ == 0) Raise(err::kInvalidProcedureCall);
  return owner_->AddChild(kind_);
}

void ShapeView::Remove(std::int32_t index) {
  owner_->RemoveChild(static_cast<SceneShape&>(Item(index)));
}

SceneShape::SceneShape(SceneDocument* document, SceneShape* parent, std::int32_t kind,
                       std::int32_t id)
    : document_(document), parent_(parent), kind_(kind), id_(id), store_(this) {}

ShapeCollection& SceneShape::Shapes(std::int32_t kind) {
  auto& view = views_[kind];
  if (!view) view = std::make_unique<ShapeView>(this, kind);
  return *view;
}

host::Page& SceneShape::Page() { return *document_; }

std::string SceneShape::SystemName() const {
  const char* prefix = kind_ == kShapeAssembly ? "Assembly"
                       : kind_ == kShapePart   ? "Part"
                                               : "Feature";
  return prefix + std::to_string(id_);
}

void SceneShape::Update() {
  document_->Journal("Update " + SystemName());
  if (document_->Events() != nullptr) document_->Events()->RaiseUpdate(*this);
  if (IsFeature(kind_) && document_->Evaluator() != nullptr)
    document_->Evaluator()->UpdateFeature(*this);
}

void SceneShape::ResetSizeBox() { document_->Journal("ResetSizeBox " + SystemName()); }

bool SceneShape::AcceptsChild(std::int32_t kind) const {
  if (kind_ == kShapeAssembly) return kind == kShapeAssembly || kind == kShapePart;
  if (kind_ == kShapePart) return IsFeature(kind);
  return false;
}

SceneShape& SceneShape::AddChild(std::int32_t kind) {
  if (!AcceptsChild(kind)) Raise(err::kInvalidProcedureCall);
  auto child = std::make_unique<SceneShape>(document_, this, kind, document_->NewId());
  ComponentStore& c = child->store_;
  c.List(kPosition).Add();
  if (kind == kShapeAssembly) c.List(kElement).Add();
  if (kind == kShapePart) c.List(kBody).Add();
  if (kind == kShapeImported) {
    c.List(kAttributes).Add();
    c.List(kImportedGeometry).Add();
  } else if (IsFeature(kind)) {
    for (std::int32_t code : {kSizeBox, kAnchor, kAttributes, kProfileHolder}) c.List(code).Add();
    if (kind == kShapeSwept) c.List(kPathProfile).Add();
  }
  child->name_ = child->SystemName();
  children_.push_back(std::move(child));
  return *children_.back();
}

void SceneShape::RemoveChild(SceneShape& child) {
  std::erase_if(children_, [&](const auto& c) { return c.get() == &child; });
}

void SceneShape::Adopt(SceneShape& shape) {
  bool inside = false;
  for (SceneShape* s = this; s != nullptr; s = s->parent_) inside = inside || s == &shape;
  if (kind_ != kShapeAssembly || inside || shape.parent_ == nullptr) {
    Raise(err::kInvalidProcedureCall);
  }
  const RigidTransform frame = Then(shape.SceneFrame(), Inverse(SceneFrame()));
  auto& siblings = shape.parent_->children_;
  auto it = std::find_if(siblings.begin(), siblings.end(),
                         [&](const auto& c) { return c.get() == &shape; });
  children_.push_back(std::move(*it));
  siblings.erase(it);
  shape.parent_ = this;
  shape.SetFrame(frame);
}

RigidTransform SceneShape::SceneFrame() {
  RigidTransform frame = Frame();
  for (SceneShape* p = parent_; p != nullptr; p = p->parent_) frame = Then(frame, p->Frame());
  return frame;
}

RigidTransform SceneShape::Frame() {
  SceneComponent* p = store_.First(kPosition);
  if (p == nullptr) return {};
  RigidTransform t;
  t.translation = {p->Number(1), p->Number(2), p->Number(3)};
  t.rotation = RotationAboutAxis({p->Number(4), p->Number(5), p->Number(6)}, p->Number(7));
  return t;
}

void SceneShape::SetFrame(const RigidTransform& frame) {
  auto& p = static_cast<SceneComponent&>(store_.First(kPosition) ? *store_.First(kPosition)
                                                                 : store_.List(kPosition).Add());
  Vec3 axis;
  double degrees = 0;
  ToAxisAngle(frame.rotation, axis, degrees);
  const double values[] = {frame.translation.x,
                           frame.translation.y,
                           frame.translation.z,
                           axis.x,
                           axis.y,
                           axis.z,
                           degrees};
  for (int i = 0; i < 7; ++i) p.Variable(i + 1).SetValue(Value::Double(values[i]));
}

void SceneShape::Rotate(std::int32_t axisCode, double angle) {
  if (axisCode < 1 || axisCode > 3) Raise(err::kInvalidProcedureCall);
  Vec3 axis{axisCode == 1 ? 1.0 : 0.0, axisCode == 2 ? 1.0 : 0.0, axisCode == 3 ? 1.0 : 0.0};
  RigidTransform frame = Frame();
  frame.rotation = frame.rotation * RotationAboutAxis(axis, angle * 180 / kPi);
  SetFrame(frame);
}

host::Shape& SceneShape::Copy(bool) {
  if (!(IsFeature(kind_) || kind_ == kShapePart) || parent_ == nullptr)
    Raise(err::kInvalidProcedureCall);
  auto copy = CloneShape(*this, *parent_);
  copy->name_ = name_;
  parent_->children_.push_back(std::move(copy));
  return *parent_->children_.back();
}

void SceneShape::Shift(double dx, double dy, double dz, bool relative) {
  // The host's internal unit is the metre (as its unit converter says); frames are millimetres.
  constexpr double kMillimetresPerMetre = 1000;
  RigidTransform frame = Frame();
  Vec3 d{dx * kMillimetresPerMetre, dy * kMillimetresPerMetre, dz * kMillimetresPerMetre};
  frame.translation = relative ? frame.translation + d : d;
  SetFrame(frame);
}

void SceneShape::GetNormal(double& nx, double& ny, double& nz) {
  Vec3 n = Frame().rotation * Vec3{0, 0, 1};
  nx = n.x;
  ny = n.y;
  nz = n.z;
}

host::DataObject* SceneShape::DataObject(const std::string& guid, bool create) {
  auto it = dataObjects_.find(guid);
  if (it != dataObjects_.end()) return it->second.get();
  return create ? &AttachDataObject(guid) : nullptr;
}

host::DataObject& SceneShape::AttachDataObject(const std::string& guid) {
  auto& slot = dataObjects_[guid];
  slot = std::make_unique<SceneDataObject>();
  return *slot;
}

// --- document -----------------------------------------------------------------------------

SceneDocument::SceneDocument()
    : root_(std::make_unique<SceneShape>(this, nullptr, kShapeAssembly, 0)) {
  root_->store_.List(kPosition).Add();
  root_->store_.List(kElement).Add();
  root_->name_ = "Scene";
}

std::int32_t SceneDocument::UnitsEx(std::int16_t what) const {
  if (what != 2) Raise(err::kInvalidProcedureCall);
  return units_;
}

SceneShape* SceneDocument::Find(std::int32_t id) {
  std::vector<SceneShape*> stack{root_.get()};
  while (!stack.empty()) {
    SceneShape* s = stack.back();
    stack.pop_back();
    if (s->SystemID() == id) return s;
    for (auto& c : s->Children()) stack.push_back(c.get());
  }
  return nullptr;
}

void SceneDocument::ReserveId(std::int32_t id) {
  if (id >= nextId_) nextId_ = id + 1;
}

}  // namespace host::ref
