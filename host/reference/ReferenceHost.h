// The reference host: the service objects behind the host API, the settings store, the class
// registry and the message boxes, for scenes held in SceneDocument.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/reference/ClassRegistry.h"
#include "host/reference/SceneDocument.h"
#include "host/reference/SettingsStore.h"

namespace host::ref {

struct MessageRecord {
  std::string text;
  std::int32_t style = 0;
  std::string title;
};

// A form shown without waiting, and what it showed.
struct PopupRecord {
  std::string form;
  std::vector<std::string> captions;
};

class ReferenceHost : public host::Host, public ClassEvents {
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
  // Records the form's captions, hands them to the popup sink and starts the form's timer.
  void ShowModeless(ModelessForm& form) override;

  // --- the designer's actions on a scene, raised as the class events of the bound class ---
  // Routes the class events of `document`'s shapes to this host's classes.
  void Attach(SceneDocument& document) { document.SetClassEvents(this); }
  // A double-click on a part: DblClick(part, 0, 0) on a fresh instance of its bound class.
  // Answers false, doing nothing, for a part bound to no registered class.
  bool DoubleClick(SceneShape& part);
  // The designer types into variable `index` of a feature's size box: a value, or a formula
  // (which then drives the variable; an empty formula leaves the typed value). The part's
  // bound class gets PreUpdate(part) before the part is regenerated (every feature updated in
  // order). Raises ExpressionError for a formula that does not parse, changing nothing.
  void TypeSizeBoxVariable(SceneShape& feature, std::int32_t index, double value,
                           const std::string& formula);
  void RaiseUpdate(SceneShape& shape) override;

  // Lets `milliseconds` pass on the host's clock: each open form whose timer interval has
  // elapsed since it was shown gets its timer tick.
  void AdvanceClock(std::int32_t milliseconds);
  // Every form shown without waiting, in order.
  const std::vector<PopupRecord>& Popups() const { return popups_; }
  void SetPopupSink(std::function<void(const PopupRecord&)> sink) { popupSink_ = std::move(sink); }

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
  struct OpenForm {
    ModelessForm* form;
    std::int32_t remaining;  // milliseconds until its timer ticks
  };
  std::vector<OpenForm> openForms_;
  std::vector<PopupRecord> popups_;
  std::function<void(const PopupRecord&)> popupSink_;
  std::unique_ptr<HostRegistry> registry_;
  std::unique_ptr<HostElementHelper> elements_;
};

}  // namespace host::ref
