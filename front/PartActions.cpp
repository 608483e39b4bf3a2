// A designer's actions on a placed part.
#include "front/PartActions.h"

#include <cmath>
#include <sstream>

#include "components/FastenerTable.h"
#include "dialog/DialogPresenter.h"
#include "host/reference/Expression.h"

namespace vormbrace::front {
namespace {

using host::ref::SceneShape;

constexpr std::int32_t kSizeBox = 1;      // the component code of a feature's size box
constexpr std::int32_t kShankLength = 3;  // the size box variable that holds the length
constexpr std::int16_t kBolt = 0, kScrew = 1;

std::string Named(SceneShape& part) { return part.SystemName() + " \"" + part.Name() + "\""; }

SceneShape* BodyOf(SceneShape& part) {
  for (auto& feature : part.Children()) {
    if (feature->Name() == "Body") return feature.get();
  }
  return nullptr;
}

bool IsBoltOrScrew(SceneShape& part) {
  host::Component* table = FindDataTable(part);
  if (table == nullptr) return false;
  const std::int16_t kind = table->Variable(1, 0).GetValue().AsInt16();
  return kind == kBolt || kind == kScrew;
}

}  // namespace

host::Component& FastenerTableOf(SceneShape& part) {
  host::Component* table = FindDataTable(part);
  if (table == nullptr) {
    throw ActionRefused(Named(part) + " has no fastener data table: it is not a catalogue part",
                        false);
  }
  return *table;
}

void DoubleClickPart(host::ref::ReferenceHost& host, SceneShape& part) {
  if (!host.DoubleClick(part)) {
    throw ActionRefused(part.SystemName() + " is bound to no class of the catalogue", false);
  }
}

std::optional<double> ShankLength(SceneShape& part) {
  SceneShape* body = IsBoltOrScrew(part) ? BodyOf(part) : nullptr;
  if (body == nullptr) return std::nullopt;
  return body->Components(kSizeBox).Item(1).Variable(kShankLength).GetValue().AsDouble();
}

std::vector<host::ref::PopupRecord> TypeShankLength(host::ref::ReferenceHost& host,
                                                    SceneShape& part, double length,
                                                    const std::string& formula) {
  // A formula must give a length the part can take, as a typed number must: a shank of no or
  // negative length would be kept in the part's size box.
  const double value = formula.empty() ? length : host::ref::EvaluateExpression(formula);
  if (!(std::isfinite(value) && value > 0 && value <= kLongestShank)) {
    std::ostringstream wrong;
    wrong << "a shank length is above 0 and at most " << kLongestShank << " mm, not " << value;
    throw ValueError(wrong.str());
  }
  FastenerTableOf(part);
  if (!IsBoltOrScrew(part)) {
    throw ActionRefused(Named(part) + " is not a bolt or screw: only their shank length can be typed",
                        false);
  }
  SceneShape* body = BodyOf(part);
  if (body == nullptr) throw ActionRefused(Named(part) + " has no \"Body\" feature", false);

  const std::size_t shown = host.Popups().size();
  DialogPresenter presenter({});
  RunAddIn(host, presenter, false,
           [&] { host.TypeSizeBoxVariable(*body, kShankLength, length, formula); });
  return {host.Popups().begin() + static_cast<std::ptrdiff_t>(shown), host.Popups().end()};
}

}  // namespace vormbrace::front
