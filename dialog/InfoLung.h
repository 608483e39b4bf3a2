// The length popup: after the shank length of a placed part was changed, it shows the new
// length without waiting, and closes itself at the first tick of its timer, 1500 ms after it
// opened. The front end shows it while IsShown() and ticks the timer when the interval ends.
#pragma once

#include <cstdint>
#include <string>

#include "dialog/ListControl.h"

namespace vormbrace {

class InfoLung {
 public:
  static constexpr std::int32_t kTimerInterval = 1500;  // Timer1, milliseconds

  std::string FormName() const { return "InfoLung"; }

  LabelControl lblLung;  // what changed: resource text 13 ("Length")
  LabelControl lblVal;   // the new value
  LabelControl Label1;   // the unit

  InfoLung();

  // Sets the captions and shows the popup; its timer starts.
  void Show(const std::string& caption, const std::string& value);
  // The timer's tick: the popup unloads itself (the timer stops with it).
  void Timer1_Timer();

  bool IsShown() const { return shown_; }

 private:
  bool shown_ = false;
};

}  // namespace vormbrace
