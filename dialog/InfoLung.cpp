// The length popup.
#include "dialog/InfoLung.h"

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
}

void InfoLung::Timer1_Timer() { shown_ = false; }

}  // namespace vormbrace
