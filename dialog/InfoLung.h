// The length popup: after the shank length of a placed part was changed, it shows the new
// length without waiting, and closes itself at the first tick of its timer, 1500 ms after it
// opened. The host shows it (ShowModeless) and ticks the timer when the interval ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dialog/ListControl.h"
#include "host/ModelessForm.h"

namespace vormbrace {

class InfoLung final : public host::ModelessForm {
 public:
  static constexpr std::int32_t kTimerInterval = 1500;  // Timer1, milliseconds

  std::string FormName() const override { return "InfoLung"; }

  LabelControl lblLung;  // what changed: resource text 13 ("Length")
  LabelControl lblVal;   // the new value
  LabelControl Label1;   // the unit

  InfoLung();

  // Sets the captions and shows the popup through the host without waiting; its timer starts.
  void Show(const std::string& caption, const std::string& value);
  // The timer's tick: the popup unloads itself (the timer stops with it).
  void Timer1_Timer();

  std::vector<std::string> Captions() const override;
  std::int32_t TimerInterval() const override { return kTimerInterval; }
  void TimerTick() override { Timer1_Timer(); }
  bool IsShown() const override { return shown_; }

 private:
  bool shown_ = false;
};

// The process's popup (a form instance the host may keep showing after the caller returns).
InfoLung& TheInfoLung();

}  // namespace vormbrace
