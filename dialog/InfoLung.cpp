// The length popup.
#include "dialog/InfoLung.h"

#include "host/Host.h"

namespace vormbrace {

InfoLung::InfoLung() {
  // What the labels hold until Show sets them.
  lblLung.SetCaption("Length");
  lblVal.SetCaption("0");
  Label1.SetCaption("mm");
}

void InfoLung::Show(const std::string& caption, const std::string& value) {
  lblLung.SetCaption(caption);
  lblVal.SetCaption(value);
  shown_ = true;
  host::CurrentHost().ShowModeless(*this);
}

void InfoLung::Timer1_Timer() { shown_ = false; }

std::vector<std::string> InfoLung::Captions() const {
  return {lblLung.Caption(), lblVal.Caption(), Label1.Caption()};
}

InfoLung& TheInfoLung() {
  static InfoLung form;
  return form;
}

}  // namespace vormbrace
