// A form of the add-in that the host shows modally (the selection dialog). The host hands it to
// its presenter, which drives the form's controls as a person would and returns when the form
// has been closed.
#pragma once

#include <string>

namespace host {

class ModalForm {
 public:
  virtual ~ModalForm() = default;
  virtual std::string FormName() const = 0;
};

}  // namespace host
