// The host as the add-in reaches it: service objects created by class, message boxes.
// The host installs itself once per process (SetCurrentHost) before it calls the add-in.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/Services.h"

namespace host {

class ModalForm;
class ModelessForm;
class Page;

// Message box styles (buttons + icon), as the add-in passes them.
inline constexpr std::int32_t kMsgOkOnly = 0;
inline constexpr std::int32_t kMsgCritical = 16;
inline constexpr std::int32_t kMsgExclamation = 48;
inline constexpr std::int32_t kMsgAnswerOk = 1;

class Host {
 public:
  virtual ~Host() = default;
  virtual std::unique_ptr<HostPlacement> NewPlacement() = 0;
  virtual std::unique_ptr<HostVector> NewVector() = 0;
  virtual std::unique_ptr<HostTransform> NewTransform() = 0;
  virtual std::unique_ptr<HostSizebox> NewSizebox() = 0;
  virtual std::unique_ptr<HostConfigStore> NewConfigStore() = 0;
  virtual std::unique_ptr<PartService> NewPartService() = 0;
  virtual HostElementHelper& ElementHelper() = 0;
  virtual HostClassRegistry& ClassRegistry() = 0;
  virtual HostRegistry& Registry() = 0;
  // The converter for lengths of a page.
  virtual std::unique_ptr<HostUnitConverter> NewUnitConverter(Page& page) = 0;
  // Shows a message box; returns the button pressed (kMsgAnswerOk).
  virtual std::int32_t MsgBox(const std::string& text, std::int32_t style,
                              const std::string& title) = 0;
  // Shows a form modally: returns when the form has been closed (OK or Cancel).
  virtual void ShowModal(ModalForm& form) = 0;
  // Shows a form without waiting: returns at once, the form stays up until its timer closes it.
  // The add-in keeps the form alive meanwhile.
  virtual void ShowModeless(ModelessForm& form) = 0;
};

// The host of this process. Fails (assertion) when none was installed.
Host& CurrentHost();
void SetCurrentHost(Host* host);

}  // namespace host
