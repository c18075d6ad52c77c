// The dialog that edits one address pattern of an environment ("192.168.1.*"), offering the
// computer's current addresses.
#pragma once

#include <string>
#include <vector>

#include "ui/XALDialog.h"
#include "ui/XALDialogContext.h"

namespace xal {

class TfmXALConfigEnvIPAddress : public TXALDialog, private IXALCurrentListener {
 public:
  explicit TfmXALConfigEnvIPAddress(TXALDialogContext& context);

  // The pattern being edited; a new one starts empty.
  void SetAddress(const std::string& pattern) { Mutable("edAddress").Text = pattern; }
  // The pattern as typed, which OK has found valid; the caller trims it.
  const std::string& Address() const { return Control("edAddress").Text; }

 protected:
  void OnShow() override;
  void OnSelect(const std::string& name, int index) override;
  bool OnConfirm() override;

 private:
  void OnIPAddressesChanged(const std::vector<std::string>& lines) override;

  TXALDialogContext& context_;
  TXALCurrentSubscription subscription_;
};

// The pattern a picked address line gives: its address, or with the wildcard everything after
// the address's last "." replaced by "*" (10.0.0.5 gives 10.0.0.*).
std::string PatternOfAddressLine(const std::string& line, bool withWildcard);

}  // namespace xal
