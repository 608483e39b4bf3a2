// The reference host: the service objects behind the host API, the settings store, the class
// registry and the message boxes, for scenes held in SceneDocument.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/reference/ClassRegistry.h"
#include "host/reference/SettingsStore.h"

namespace host::ref {

struct MessageRecord {
  std::string text;
  std::int32_t style = 0;
  std::string title;
};

class ReferenceHost : public host::Host {
 public:
  explicit ReferenceHost(SettingsStore settings);

  std::unique_ptr<HostPlacement> NewPlacement() override;
  std::unique_ptr<HostVector> NewVector() override;
  std::unique_ptr<HostTransform> NewTransform() override;
  std::unique_ptr<HostSizebox> NewSizebox() override;
  std::unique_ptr<HostConfigStore> NewConfigStore() override;
  std::unique_ptr<PartService> NewPartService() override;
  HostElementHelper& ElementHelper() override;
  HostClassRegistry& ClassRegistry() override { return classes_; }
  HostRegistry& Registry() override;
  std::unique_ptr<HostUnitConverter> NewUnitConverter(Page& page) override;
  std::int32_t MsgBox(const std::string& text, std::int32_t style,
                      const std::string& title) override;
  // Hands the form to the presenter; without one the form closes at once, as if cancelled.
  void ShowModal(ModalForm& form) override;

  SettingsStore& Settings() { return settings_; }
  ref::ClassRegistry& Classes() { return classes_; }
  // Every message box shown, in order.
  const std::vector<MessageRecord>& Messages() const { return messages_; }
  void ClearMessages() { messages_.clear(); }
  // The front end's view of message boxes (the command line prints them).
  void SetMessageSink(std::function<void(const MessageRecord&)> sink) { sink_ = std::move(sink); }
  // The front end that drives modal forms (the command line's presenter, a test's script).
  void SetPresenter(std::function<void(ModalForm&)> presenter) { presenter_ = std::move(presenter); }
  // The names of the forms shown so far, in order.
  const std::vector<std::string>& FormsShown() const { return formsShown_; }

 private:
  SettingsStore settings_;
  ref::ClassRegistry classes_;
  std::vector<MessageRecord> messages_;
  std::function<void(const MessageRecord&)> sink_;
  std::function<void(ModalForm&)> presenter_;
  std::vector<std::string> formsShown_;
  std::unique_ptr<HostRegistry> registry_;
  std::unique_ptr<HostElementHelper> elements_;
};

}  // namespace host::ref
