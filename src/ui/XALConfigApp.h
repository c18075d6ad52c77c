// The dialog that edits one window placement rule: which windows (class, title), where they go
// (display, position, size, state) and the default printer while one is active. A running
// window can be picked to fill the rule, and the rule tried on the windows seen so far.
#pragma once

#include <string>
#include <vector>

#include "catalogue/XALApps.h"
#include "placement/XALPlacement.h"
#include "ui/XALDialog.h"
#include "ui/XALDialogContext.h"

namespace xal {

class TfmXALConfigApp : public TXALDialog, private IXALCurrentListener {
 public:
  explicit TfmXALConfigApp(TXALDialogContext& context);

  // The rule being edited, copied into the working rule; a new rule keeps the defaults.
  void SetRule(const TXALApp& rule);
  // The working rule; after OK it holds the fields.
  const TXALApp& Rule() const { return working_; }
  // The installed printers as the program keeps them for its life. Without them the dialog
  // reads the system's list when it is shown.
  void SetInstalledPrinters(std::vector<std::string> printers);

 protected:
  void OnShow() override;
  void OnClick(const std::string& name) override;
  void OnSelect(const std::string& name, int index) override;
  void OnDoubleClick(const std::string& name, int index) override;
  bool OnConfirm() override;

 private:
  void OnAppsChanged(const std::vector<TXALAppLine>& lines) override;
  void ShowApps(const std::vector<TXALAppLine>& lines);
  // Spin edits and state from the rule.
  void FillPlacement(const TXALApp& rule);
  // Refuses a spin edit that holds no whole number; true when all do.
  bool NumbersValid();
  // The fields into the working rule, texts as typed; false, refused, when a number isn't one.
  bool WriteFields();

  TXALDialogContext& context_;
  TXALPlacer placer_;
  TXALApp working_{nullptr};
  bool printersGiven_ = false;
  std::vector<std::string> printers_;
  TXALCurrentSubscription subscription_;
};

}  // namespace xal
