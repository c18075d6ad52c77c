// The dialog that edits an environment's Wi-Fi network name, offering the networks in reach.
#pragma once

#include <string>
#include <vector>

#include "ui/XALDialog.h"
#include "ui/XALDialogContext.h"

namespace xal {

class TfmXALConfigWiFi : public TXALDialog, private IXALCurrentListener {
 public:
  explicit TfmXALConfigWiFi(TXALDialogContext& context);

  // The set's network name, before the dialog is shown.
  void SetName(const std::string& name) { Mutable("edName").Text = name; }
  // The name as typed; empty removes the condition.
  const std::string& Name() const { return Control("edName").Text; }

 protected:
  void OnShow() override;
  void OnSelect(const std::string& name, int index) override;
  bool OnConfirm() override;

 private:
  void OnWiFiChanged(const std::vector<std::string>& names) override;

  TXALDialogContext& context_;
  TXALCurrentSubscription subscription_;
};

}  // namespace xal
