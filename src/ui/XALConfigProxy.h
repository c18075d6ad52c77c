// The dialog that sets a target's proxy: leave it alone, switch it off, or use a server given
// as address and port.
#pragma once

#include <string>

#include "ui/XALDialog.h"
#include "ui/XALDialogContext.h"

namespace xal {

// The port a server given without one gets.
extern const char* const kDefaultProxyPort;

class TfmXALConfigProxy : public TXALDialog {
 public:
  explicit TfmXALConfigProxy(TXALDialogContext& context);

  // Empty selects "no setting", "off" in any letter case "switched off", anything else the
  // server, split at its last ":" into address and port.
  void SetProxy(const std::string& proxy);
  // Empty, "off", or address ":" port, after OK.
  std::string Proxy() const;

 protected:
  void OnShow() override;
  void OnClick(const std::string& name) override;
  bool OnConfirm() override;

 private:
  // The address and port take input only while a server is to be used.
  void ApplyEnabling();

  TXALDialogContext& context_;
};

}  // namespace xal
