// The shared construction steps and numeric helpers of the generators.
#include "geometry/Utils.h"

#include <cmath>

#include "data/Resources.h"
#include "host/Host.h"
#include "host/Page.h"
#include "host/Profile.h"
#include "host/RuntimeError.h"

namespace vormbrace {

double Checked(double value) {
  if (!std::isfinite(value)) host::Raise(host::err::kOverflow);
  return value;
}

double Div(double a, double b) {
  if (b == 0) host::Raise(a == 0 ? host::err::kOverflow : host::err::kDivisionByZero);
  return Checked(a / b);
}

double Sqrt(double a) {
  if (a < 0) host::Raise(host::err::kInvalidProcedureCall);
  return Checked(std::sqrt(a));
}

double Radians(double degrees) { return Checked(degrees * kPi / 180); }

void SetSizeBox(host::Shape& feature, double sx, double sy, double sz) {
  host::Component& box = feature.Components(kSizeBoxCode).Item(1);
  box.Variable(1).SetValue(host::Value::Double(sx));
  box.Variable(2).SetValue(host::Value::Double(sy));
  box.Variable(3).SetValue(host::Value::Double(sz));
  box.Variable(4).SetValue(host::Value::Int16(1));
  box.Variable(5).SetValue(host::Value::Int16(1));
  box.Variable(6).SetValue(host::Value::Int16(1));
  box.Variable(14).SetValue(host::Value::Int32(3));
  box.Variable(7).SetValue(host::Value::Int32(0));
}

void SetPosition(host::ComponentOwner& target, double x, double y, double z) {
  host::Component& position = target.Components(kPositionCode).Item(1);
  position.Variable(1).SetValue(host::Value::Double(x));
  position.Variable(2).SetValue(host::Value::Double(y));
  position.Variable(3).SetValue(host::Value::Double(z));
}

void SetAnchor(host::Shape& feature, double x, double y, double z) {
  host::Component& anchor = feature.Components(kAnchorCode).Item(1);
  anchor.Variable(1).SetValue(host::Value::Double(x));
  anchor.Variable(2).SetValue(host::Value::Double(y));
  anchor.Variable(3).SetValue(host::Value::Double(z));
}

double ToHostLength(double length, host::Page& page) {
  return host::CurrentHost().NewUnitConverter(page)->Convert(length, 7, 2);
}

double ArcRatio(double height, double radius) {
  double bigR = Div(std::pow(height, 2) + std::pow(radius, 2), 2 * height);
  double c = Sqrt(std::pow(height, 2) + std::pow(radius, 2));
  return Div(Div(2 * bigR - Sqrt(std::pow(-2 * bigR, 2) - 4 * std::pow(c / 2, 2)), 2), c);
}

void CallPartService(host::Shape& part, std::int32_t code) {
  auto service = host::CurrentHost().NewPartService();
  service->SetPart(part);
  constexpr std::int32_t kOptions[] = {2, 3, 4, 1, 6, 5};
  if (code == 0) {
    service->Run();
  } else if (code >= 1 && code <= 6) {
    service->Run(kOptions[code - 1]);
  }
}

host::Shape& AddFeature(host::Shape& part, std::int32_t kind) {
  host::Component& body = part.Components(kBodyCode).Item(1);
  return body.Shapes(kind).Add();
}

void NameFeature(host::Shape& feature, int offset) { feature.SetName(ResText(offset)); }

host::Profile& ProfileOf(host::Shape& feature) {
  return feature.Components(kProfileCode).Item(1).Profile();
}

host::Component& AddLoop(host::Profile& profile) { return profile.Components(kLoopsCode).Add(); }

host::Component& Attributes(host::Shape& feature) {
  return feature.Components(kAttributesCode).Item(1);
}

void MarkFeature(host::Shape& feature, bool removal) {
  host::Component& attributes = Attributes(feature);
  attributes.Variable(62).SetValue(host::Value::Int32(0));
  if (removal) attributes.Variable(1).SetValue(host::Value::Int32(1));
}

void Rebuild(host::Shape& feature) {
  feature.Update();
  feature.ResetSizeBox();
}

}  // namespace vormbrace
