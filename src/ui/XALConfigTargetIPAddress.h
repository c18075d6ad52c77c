// The dialog that edits one adapter's IPv4 settings in a set's target, offering the adapters the
// computer has now: picking one copies its configuration into the fields.
#pragma once

#include <string>
#include <vector>

#include "catalogue/XALTargetNetwork.h"
#include "ui/XALDialog.h"
#include "ui/XALDialogContext.h"

namespace xal {

class TfmXALConfigTargetIPAddress : public TXALDialog, private IXALCurrentListener {
 public:
  explicit TfmXALConfigTargetIPAddress(TXALDialogContext& context);

  // The setting being edited; a new one leaves the fields empty.
  void SetSetting(const TXALTargetIPSetting& setting);
  // The six fields as typed, after OK.
  void GetSetting(TXALTargetIPSetting& setting) const;

 protected:
  void OnShow() override;
  void OnSelect(const std::string& name, int index) override;
  bool OnConfirm() override;

 private:
  void OnIPAddressesChanged(const std::vector<std::string>& lines) override;
  // Refuses, with its reason, a value the IP settings helper would refuse the whole hand-off
  // for: better said here than after the user has asked for the change.
  bool HelperCanUse();

  TXALDialogContext& context_;
  TXALCurrentSubscription subscription_;
};

}  // namespace xal
