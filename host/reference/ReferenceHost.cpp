// The service objects of the reference host.
#include "host/reference/ReferenceHost.h"

#include <algorithm>
#include <cmath>

#include "host/ModalForm.h"
#include "host/ModelessForm.h"
#include "host/RuntimeError.h"
#include "host/TextFile.h"
#include "host/reference/Expression.h"
#include "host/reference/Math3.h"
#include "host/reference/SceneDocument.h"

namespace host::ref {
namespace {

constexpr std::int32_t kSizeBox = 1, kPosition = 4;

SceneShape& AsScene(host::Shape& shape) {
  auto* s = dynamic_cast<SceneShape*>(&shape);
  if (s == nullptr) Raise(err::kObjectRequired);
  return *s;
}

host::Component& PositionOf(host::ComponentOwner& owner) {
  auto& list = owner.Components(kPosition);
  return list.Count() > 0 ? list.Item(1) : list.Add();
}

class Placement : public HostPlacement {
 public:
  void SetPosition(double x, double y, double z) override { v_[0] = x, v_[1] = y, v_[2] = z; }
  void SetAxis(double x, double y, double z) override { v_[3] = x, v_[4] = y, v_[5] = z; }
  void SetAngle(double degrees) override { v_[6] = degrees; }
  double PositionX() const override { return v_[0]; }
  double PositionY() const override { return v_[1]; }
  double PositionZ() const override { return v_[2]; }
  double AxisX() const override { return v_[3]; }
  double AxisY() const override { return v_[4]; }
  double AxisZ() const override { return v_[5]; }
  double Angle() const override { return v_[6]; }
  void SetTarget(ComponentOwner& target) override { target_ = &target; }
  void ReadFrom(host::Shape& shape) override {
    host::Component& p = PositionOf(shape);
    for (int i = 0; i < 7; ++i) v_[i] = p.Variable(i + 1).GetValue().AsDouble();
  }
  void Apply() override {
    if (target_ == nullptr) Raise(err::kObjectRequired);
    host::Component& p = PositionOf(*target_);
    for (int i = 0; i < 7; ++i) p.Variable(i + 1).SetValue(Value::Double(v_[i]));
  }

 private:
  double v_[7] = {0, 0, 0, 0, 0, 0, 0};
  ComponentOwner* target_ = nullptr;
};

class Vector : public HostVector {
 public:
  void Set(double x, double y, double z) override { v_ = {x, y, z}; }
  void Normalize() override { v_ = Normalized(v_); }
  double AngleTo(const HostVector& other) const override {
    Vec3 a = Normalized(v_), b = Normalized({other.X(), other.Y(), other.Z()});
    double c = Dot(a, b);
    c = c > 1 ? 1 : c < -1 ? -1 : c;
    return std::acos(c) * 180 / kPi;
  }
  double X() const override { return v_.x; }
  double Y() const override { return v_.y; }
  double Z() const override { return v_.z; }

 private:
  Vec3 v_;
};

class Transform : public HostTransform {
 public:
  Transform() = default;
  explicit Transform(RigidTransform t) : t_(t) {}
  void SetFromFrames(double px, double py, double pz, double ax, double ay, double az, double qx,
                     double qy, double qz, double bx, double by, double bz) override {
    t_.rotation = RotationTaking({ax, ay, az}, {bx, by, bz});
    t_.translation = Vec3{qx, qy, qz} - t_.rotation * Vec3{px, py, pz};
  }
  void SetTranslation(double x, double y, double z) override { t_ = {Mat3{}, {x, y, z}}; }
  void Multiply(const HostTransform& other) override {
    t_ = Then(t_, static_cast<const Transform&>(other).t_);
  }
  void GetTranslation(double& x, double& y, double& z) const override {
    x = t_.translation.x, y = t_.translation.y, z = t_.translation.z;
  }
  void GetRotation(double& ax, double& ay, double& az, double& degrees) const override {
    Vec3 axis;
    ToAxisAngle(t_.rotation, axis, degrees);
    ax = axis.x, ay = axis.y, az = axis.z;
  }
  void MapPoint(double& x, double& y, double& z) const override {
    Vec3 p = Apply(t_, {x, y, z});
    x = p.x, y = p.y, z = p.z;
  }
  // Translations and rotations compose exactly here, so the translation is always usable.
  bool UseMappedPoint() const override { return false; }

 private:
  RigidTransform t_;
};

class Sizebox : public HostSizebox {
 public:
  void SetShape(host::Shape& part) override { part_ = &AsScene(part); }
  std::unique_ptr<HostTransform> SizeboxToParentTransform() const override {
    if (part_ == nullptr) Raise(err::kObjectRequired);
    return std::make_unique<Transform>(part_->Frame());
  }

 private:
  SceneShape* part_ = nullptr;
};

class ElementHelperImpl : public HostElementHelper {
 public:
  host::Shape& SceneElement(host::Shape& parent) override {
    SceneShape* s = &AsScene(parent);
    while (s->Type() != kShapeAssembly && s->Parent() != nullptr) s = s->Parent();
    return *s;
  }
  host::Shape* Owner(host::Shape& part) override { return AsScene(part).Parent(); }
  std::vector<std::pair<double, double>> MaterialAlong(host::Shape& parent,
                                                       const std::array<double, 3>& origin,
                                                       const std::array<double, 3>& direction,
                                                       const host::Shape* skip) override {
    SceneShape& scene = AsScene(parent);
    FeatureEvaluator* kernel = scene.Document().Evaluator();
    if (kernel == nullptr) return {};
    return kernel->MaterialAlong(scene, {origin[0], origin[1], origin[2]},
                                 {direction[0], direction[1], direction[2]},
                                 dynamic_cast<const SceneShape*>(skip));
  }
  void MoveInto(host::Shape& part, host::Shape& assembly) override {
    AsScene(assembly).Adopt(AsScene(part));
  }
};

class UnitConverter : public HostUnitConverter {
 public:
  double Convert(double value, std::int16_t fromUnit, std::int16_t toUnit) const override {
    return value * MetresPer(fromUnit) / MetresPer(toUnit);
  }

 private:
  static double MetresPer(std::int16_t unit) {
    switch (unit) {
      case 2:
        return 1;
      case 3:
        return 0.01;
      case 4:
        return 0.0254;
      case 5:
        return 0.3048;
      case 7:
        return 0.001;
      default:
        Raise(err::kInvalidProcedureCall);
    }
  }
};

class RegistryImpl : public HostRegistry {
 public:
  explicit RegistryImpl(const SettingsStore& settings) : settings_(settings) {}
  std::string ReadString(std::int32_t, const std::string& key,
                         const std::string& valueName) const override {
    return settings_.Registry(key, valueName);
  }
  bool FileExists(const std::string& path) const override { return PlatformFileExists(path); }

 private:
  const SettingsStore& settings_;
};

class ConfigStore : public HostConfigStore {
 public:
  explicit ConfigStore(const SettingsStore& settings) : settings_(settings) {}
  bool OpenSection(const std::string& section) override {
    section_ = settings_.HasSection(section) ? section : "";
    return !section_.empty();
  }
  bool ReadValue(const std::string& name, std::string& value) override {
    return !section_.empty() && settings_.Config(section_, name, value);
  }
  void Close() override { section_.clear(); }

 private:
  const SettingsStore& settings_;
  std::string section_;
};

// Prepares a part's faces for a surface finish. The reference host keeps every face addressable
// at all times, so it only notes the request in the part's scene.
class PartServiceImpl : public PartService {
 public:
  void SetPart(host::Shape& part) override { part_ = &AsScene(part); }
  void Run() override { Note("PartService.Run"); }
  void Run(std::int32_t option) override { Note("PartService.Run " + std::to_string(option)); }

 private:
  void Note(const std::string& call) {
    if (part_ == nullptr) Raise(err::kObjectRequired);
    part_->Document().Journal(call + " " + part_->SystemName());
  }
  SceneShape* part_ = nullptr;
};

}  // namespace

ReferenceHost::ReferenceHost(SettingsStore settings)
    : settings_(std::move(settings)),
      registry_(std::make_unique<RegistryImpl>(settings_)),
      elements_(std::make_unique<ElementHelperImpl>()) {}

std::unique_ptr<HostPlacement> ReferenceHost::NewPlacement() {
  return std::make_unique<Placement>();
}
std::unique_ptr<HostVector> ReferenceHost::NewVector() { return std::make_unique<Vector>(); }
std::unique_ptr<HostTransform> ReferenceHost::NewTransform() {
  return std::make_unique<Transform>();
}
std::unique_ptr<HostSizebox> ReferenceHost::NewSizebox() { return std::make_unique<Sizebox>(); }
std::unique_ptr<HostConfigStore> ReferenceHost::NewConfigStore() {
  return std::make_unique<ConfigStore>(settings_);
}
std::unique_ptr<PartService> ReferenceHost::NewPartService() {
  return std::make_unique<PartServiceImpl>();
}
HostElementHelper& ReferenceHost::ElementHelper() { return *elements_; }
HostRegistry& ReferenceHost::Registry() { return *registry_; }
std::unique_ptr<HostUnitConverter> ReferenceHost::NewUnitConverter(Page&) {
  return std::make_unique<UnitConverter>();
}

std::int32_t ReferenceHost::MsgBox(const std::string& text, std::int32_t style,
                                   const std::string& title) {
  messages_.push_back({text, style, title});
  if (sink_) sink_(messages_.back());
  return kMsgAnswerOk;
}

void ReferenceHost::ShowModal(ModalForm& form) {
  formsShown_.push_back(form.FormName());
  if (presenter_) presenter_(form);
}

void ReferenceHost::ShowModeless(ModelessForm& form) {
  formsShown_.push_back(form.FormName());
  popups_.push_back({form.FormName(), form.Captions()});
  if (popupSink_) popupSink_(popups_.back());
  std::erase_if(openForms_, [&](const OpenForm& f) { return f.form == &form; });
  openForms_.push_back({&form, form.TimerInterval()});
}

void ReferenceHost::AdvanceClock(std::int32_t milliseconds) {
  std::vector<ModelessForm*> due;
  for (OpenForm& f : openForms_) {
    f.remaining -= milliseconds;
    if (f.remaining <= 0) due.push_back(f.form);
  }
  std::erase_if(openForms_, [](const OpenForm& f) { return f.remaining <= 0; });
  for (ModelessForm* form : due) form->TimerTick();
}

namespace {

std::vector<Argument> ShapeArguments(SceneShape& shape, std::vector<Value> values = {}) {
  std::vector<Argument> args{{&shape, Value()}};
  for (Value& v : values) args.push_back({nullptr, std::move(v)});
  return args;
}

}  // namespace

bool ReferenceHost::DoubleClick(SceneShape& part) {
  std::unique_ptr<AutomationObject> instance = classes_.CreateBound(part);
  if (instance == nullptr) return false;
  auto args = ShapeArguments(part, {Value::Int32(0), Value::Int32(0)});
  instance->Invoke("DblClick", args);
  return true;
}

void ReferenceHost::TypeSizeBoxVariable(SceneShape& feature, std::int32_t index, double value,
                                        const std::string& formula) {
  if (!formula.empty()) value = EvaluateExpression(formula);
  host::Variable& variable = feature.Components(kSizeBox).Item(1).Variable(index);
  variable.SetValue(Value::Double(value));
  variable.SetExpression(formula);
  SceneShape* part = feature.Parent();
  if (part == nullptr || part->Type() != kShapePart) return;
  if (std::unique_ptr<AutomationObject> instance = classes_.CreateBound(*part)) {
    auto args = ShapeArguments(*part);
    instance->Invoke("PreUpdate", args);
  }
  for (auto& child : part->Children()) child->Update();
}

// Only classes that have the event get it (washers, nuts and set screws have none).
void ReferenceHost::RaiseUpdate(SceneShape& shape) {
  std::unique_ptr<AutomationObject> instance = classes_.CreateBound(shape);
  if (instance == nullptr) return;
  const std::vector<std::string> methods = instance->MethodNames();
  if (std::find(methods.begin(), methods.end(), "Update") == methods.end()) return;
  auto args = ShapeArguments(shape);
  instance->Invoke("Update", args);
}

}  // namespace host::ref
