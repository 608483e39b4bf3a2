// The reference host's scene document: a page with a root shape and units; assemblies, parts
// and features in creation order; components with numbered variables and (row, column) cells;
// profiles whose loops record every drawing call with its arguments; data objects and surface
// finishes. It keeps records only: solids are the kernel's business.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/DataObject.h"
#include "host/Page.h"
#include "host/Profile.h"
#include "host/Shape.h"
#include "host/SurfaceFinish.h"
#include "host/reference/Math3.h"

namespace host::ref {

class SceneDocument;
class SceneShape;

// A solid read from a file (an imported part's geometry): a feature of the reference host's
// own, kept as the kernel's text form in variable 1 of its component 90. It adds material like
// any feature, so holes can be cut into it.
inline constexpr std::int32_t kShapeImported = 7;
inline constexpr std::int32_t kImportedGeometry = 90;

// The solid kernel behind a document. Update on a feature hands the feature to it, so that a
// feature whose records make no solid fails in the call that built it. Optional: a document
// without one keeps records only.
class FeatureEvaluator {
 public:
  virtual ~FeatureEvaluator() = default;
  // Builds the solid of `feature` from its records; raises host::RuntimeError naming the
  // feature when they make none.
  virtual void UpdateFeature(SceneShape& feature) = 0;
  // The material of the parts under `parent` along a line (HostElementHelper::MaterialAlong).
  virtual std::vector<std::pair<double, double>> MaterialAlong(SceneShape& parent, Vec3 origin,
                                                               Vec3 direction,
                                                               const SceneShape* skip) = 0;
};

// The host's routing of a bound shape's events to a fresh instance of its class (the class
// registry belongs to the host, not to the document). Optional: a document without one raises
// no events.
class ClassEvents {
 public:
  virtual ~ClassEvents() = default;
  // Update on a shape bound to a class calls the class's Update(shape) first, so that the class
  // can redraw the shape's records before the kernel rebuilds it.
  virtual void RaiseUpdate(SceneShape& shape) = 0;
};

class SceneVariable : public host::Variable {
 public:
  Value GetValue() const override { return value_; }
  void SetValue(const Value& value) override { value_ = value; }
  std::string Expression() const override { return expression_; }
  void SetExpression(const std::string& expression) override { expression_ = expression; }

 private:
  Value value_;
  std::string expression_;
};

// One recorded profile call: "SetStartPoint", "AddLineTo", "AddArcTo", "AddEllipse",
// "AddFilletAt" and its arguments in call order.
struct ProfileCall {
  std::string op;
  std::vector<double> args;
  bool operator==(const ProfileCall&) const = default;
};

// The values a surface finish received, and the face point it was asked for.
struct SurfaceFinishRecord : public host::SurfaceFinish {
  Vec3 point;
  std::string textureFile;
  std::int32_t projectionType = 0;
  double verticalRatio = 0, horizontalRatio = 0, projectionWidth = 0, projectionHeight = 0;
  Vec3 upDirection;
  bool flip = false;

  void SetTextureFile(const std::string& path) override { textureFile = path; }
  void SetProjectionType(std::int16_t, std::int32_t type) override { projectionType = type; }
  void SetVerticalRatio(std::int16_t, double ratio) override { verticalRatio = ratio; }
  void SetHorizontalRatio(std::int16_t, double ratio) override { horizontalRatio = ratio; }
  void SetProjectionWidth(std::int16_t, double width) override { projectionWidth = width; }
  void SetProjectionHeight(std::int16_t, double height) override { projectionHeight = height; }
  void SetUpDirection(std::int16_t, double x, double y, double z) override {
    upDirection = {x, y, z};
  }
  void SetFlip(std::int16_t, bool value) override { flip = value; }
};

class SceneProfile;

class SceneComponent : public host::Component {
 public:
  // `shapes` is the shape whose children a body (23) or element (2) component holds.
  SceneComponent(std::int32_t code, SceneShape* shapes);
  ~SceneComponent() override;

  std::int32_t TypeCode() const override { return code_; }
  host::Variable& Variable(std::int32_t index) override { return variables_[index]; }
  host::Variable& Variable(std::int32_t column, std::int16_t row) override {
    return cells_[{row, column}];
  }
  host::Profile& Profile() override;
  ShapeCollection& Shapes(std::int32_t kind) override;
  void SetStartPoint(double x, double y) override { Record("SetStartPoint", {x, y}); }
  void AddLineTo(double x, double y) override { Record("AddLineTo", {x, y}); }
  void AddArcTo(double x, double y, double r) override { Record("AddArcTo", {x, y, r}); }
  void AddEllipse(double x, double y, double r) override { Record("AddEllipse", {x, y, r}); }
  void AddFilletAt(std::int32_t corner, double radius) override {
    Record("AddFilletAt", {static_cast<double>(corner), radius});
  }
  host::SurfaceFinish& SurfaceFinish(double x, double y, double z, std::int16_t a, std::int16_t b,
                                     std::int16_t c) override;

  // Direct access for the scene file, inspection and the kernel.
  std::map<std::int32_t, SceneVariable>& Variables() { return variables_; }
  // Cells keyed (row, column).
  std::map<std::pair<std::int16_t, std::int32_t>, SceneVariable>& Cells() { return cells_; }
  std::vector<ProfileCall>& Loop() { return loop_; }
  SceneProfile* ProfileIfAny() { return profile_.get(); }
  std::vector<std::unique_ptr<SurfaceFinishRecord>>& Finishes() { return finishes_; }
  // Numeric value of a variable, 0 when it was never written.
  double Number(std::int32_t index) const;
  bool Has(std::int32_t index) const;

 private:
  void Record(const char* op, std::vector<double> args);

  std::int32_t code_;
  SceneShape* shapes_;
  std::map<std::int32_t, SceneVariable> variables_;
  std::map<std::pair<std::int16_t, std::int32_t>, SceneVariable> cells_;
  std::vector<ProfileCall> loop_;
  std::unique_ptr<SceneProfile> profile_;
  std::vector<std::unique_ptr<SurfaceFinishRecord>> finishes_;
};

// The components of one type code on one owner.
class ComponentList : public host::ComponentCollection {
 public:
  ComponentList(std::int32_t code, SceneShape* shapes) : code_(code), shapes_(shapes) {}
  std::int32_t Count() const override { return static_cast<std::int32_t>(items_.size()); }
  host::Component& Item(std::int32_t index) override;
  host::Component& Add() override;
  void Remove(std::int32_t index) override;
  std::vector<std::unique_ptr<SceneComponent>>& Items() { return items_; }
  SceneComponent& At(std::int32_t index);

 private:
  std::int32_t code_;
  SceneShape* shapes_;
  std::vector<std::unique_ptr<SceneComponent>> items_;
};

// Components kept per type code.
class ComponentStore {
 public:
  explicit ComponentStore(SceneShape* shapes) : shapes_(shapes) {}
  ComponentList& List(std::int32_t code);
  std::map<std::int32_t, ComponentList>& Lists() { return lists_; }
  // The first component of a code, nullptr when there is none.
  SceneComponent* First(std::int32_t code);

 private:
  SceneShape* shapes_;
  std::map<std::int32_t, ComponentList> lists_;
};

class SceneProfile : public host::Profile {
 public:
  SceneProfile();
  host::ComponentCollection& Components(std::int32_t code) override { return store_.List(code); }
  ComponentStore& Store() { return store_; }

 private:
  ComponentStore store_;
};

class SceneDataObject : public host::DataObject {
 public:
  struct Entry {
    std::string name, value;
  };
  std::int32_t Count() const override { return static_cast<std::int32_t>(entries_.size()); }
  std::string EntryName(std::int32_t index) const override { return At(index).name; }
  std::string EntryValue(std::int32_t index) const override { return At(index).value; }
  void SetEntryValue(std::int32_t index, const std::string& value) override;
  void Add(const std::string& name, const std::string& value) override {
    entries_.push_back({name, value});
  }
  void Remove(std::int32_t index) override;
  std::string Description() const override { return description_; }
  void SetDescription(const std::string& text) override { description_ = text; }
  std::string PartNumber() const override { return partNumber_; }
  void SetPartNumber(const std::string& text) override { partNumber_ = text; }
  std::vector<Entry>& Entries() { return entries_; }

 private:
  const Entry& At(std::int32_t index) const;
  std::vector<Entry> entries_;
  std::string description_, partNumber_;
};

// Children of one shape filtered by kind (0: all).
class ShapeView : public host::ShapeCollection {
 public:
  ShapeView(SceneShape* owner, std::int32_t kind) : owner_(owner), kind_(kind) {}
  std::int32_t Count() const override;
  host::Shape& Item(std::int32_t index) override;
  host::Shape& Add() override;
  void Remove(std::int32_t index) override;

 private:
  SceneShape* owner_;
  std::int32_t kind_;
};

class SceneShape : public host::Shape {
 public:
  SceneShape(SceneDocument* document, SceneShape* parent, std::int32_t kind, std::int32_t id);

  host::ComponentCollection& Components(std::int32_t code) override { return store_.List(code); }
  ShapeCollection& Shapes(std::int32_t kind) override;
  ShapeCollection& ChildShapes() override { return Shapes(0); }
  host::Shape& InstanceShape() override { return *this; }
  host::Page& Page() override;
  std::string Name() const override { return name_; }
  void SetName(const std::string& name) override { name_ = name; }
  std::int32_t Type() const override { return kind_; }
  bool Suppressed() const override { return suppressed_; }
  void SetSuppressed(bool suppressed) override { suppressed_ = suppressed; }
  std::int32_t SystemID() const override { return id_; }
  std::string SystemName() const override;
  void Update() override;
  void ResetSizeBox() override;
  void Rotate(std::int32_t axisCode, double angle) override;
  host::Shape& Copy(bool sameOwner) override;
  void Shift(double dx, double dy, double dz, bool relative) override;
  void GetNormal(double& nx, double& ny, double& nz) override;
  host::DataObject* DataObject(const std::string& guid, bool create) override;
  host::DataObject& AttachDataObject(const std::string& guid) override;

  SceneDocument& Document() { return *document_; }
  SceneShape* Parent() { return parent_; }
  std::vector<std::unique_ptr<SceneShape>>& Children() { return children_; }
  ComponentStore& Store() { return store_; }
  std::map<std::string, std::unique_ptr<SceneDataObject>>& DataObjects() { return dataObjects_; }
  // Whether this shape may hold children of `kind`: assemblies hold parts and assemblies,
  // parts hold features.
  bool AcceptsChild(std::int32_t kind) const;
  // Adds a new child of `kind` with its standard components; error 5 when not accepted.
  SceneShape& AddChild(std::int32_t kind);
  void RemoveChild(SceneShape& child);
  // Moves `shape` from its parent under this assembly, keeping where it stands in the scene;
  // error 5 when this is no assembly or lies inside `shape`.
  void Adopt(SceneShape& shape);
  // This shape's frame in the scene: its own frame followed by those of its parents.
  RigidTransform SceneFrame();
  // The frame of this shape in its parent, from its position component (variables 1-3 the
  // position, 4-7 the rotation axis and angle in degrees).
  RigidTransform Frame();
  void SetFrame(const RigidTransform& frame);

 private:
  friend class SceneDocument;
  SceneDocument* document_;
  SceneShape* parent_;
  std::int32_t kind_;
  std::int32_t id_;
  std::string name_;
  bool suppressed_ = false;
  ComponentStore store_;
  std::vector<std::unique_ptr<SceneShape>> children_;
  std::map<std::string, std::unique_ptr<SceneDataObject>> dataObjects_;
  std::map<std::int32_t, std::unique_ptr<ShapeView>> views_;
};

class SceneDocument : public host::Page {
 public:
  // A new scene in millimetres with an empty root assembly.
  SceneDocument();

  std::int32_t UnitsEx(std::int16_t what) const override;
  host::Shape& RootShape() override { return *root_; }
  void Update() override { Journal("Page.Update"); }

  SceneShape& Root() { return *root_; }
  std::int32_t Units() const { return units_; }
  void SetUnits(std::int32_t units) { units_ = units; }
  // The shape with this SystemID, nullptr when there is none.
  SceneShape* Find(std::int32_t id);
  // Calls made on the document that leave no record of their own (updates, part service
  // runs), in order: what the add-in asked of the host.
  const std::vector<std::string>& Calls() const { return calls_; }
  void Journal(std::string call) { calls_.push_back(std::move(call)); }

  // For the scene file: a fresh id, and the ids of loaded shapes.
  std::int32_t NewId() { return nextId_++; }
  void ReserveId(std::int32_t id);
  void ReplaceRoot(std::unique_ptr<SceneShape> root) { root_ = std::move(root); }

  // The kernel this document owns; nullptr when it keeps records only.
  void SetEvaluator(std::unique_ptr<FeatureEvaluator> evaluator) {
    evaluator_ = std::move(evaluator);
  }
  FeatureEvaluator* Evaluator() { return evaluator_.get(); }

  // The host that routes the class events of this document's shapes; nullptr for none.
  void SetClassEvents(ClassEvents* events) { events_ = events; }
  ClassEvents* Events() { return events_; }

 private:
  std::int32_t units_ = 0;
  std::int32_t nextId_ = 1;
  std::unique_ptr<SceneShape> root_;
  std::vector<std::string> calls_;
  std::unique_ptr<FeatureEvaluator> evaluator_;
  ClassEvents* events_ = nullptr;
};

}  // namespace host::ref
