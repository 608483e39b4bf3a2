// A form of the add-in that the host shows without waiting (the length popup). The add-in keeps
// the form alive; the host shows its captions and, once TimerInterval() milliseconds have
// passed, calls TimerTick(), on which the form closes itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

class ModelessForm {
 public:
  virtual ~ModelessForm() = default;
  virtual std::string FormName() const = 0;
  // What the form shows, label by label.
  virtual std::vector<std::string> Captions() const = 0;
  virtual std::int32_t TimerInterval() const = 0;
  virtual void TimerTick() = 0;
  virtual bool IsShown() const = 0;
};

}  // namespace host
