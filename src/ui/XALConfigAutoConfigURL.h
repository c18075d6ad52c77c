// The dialog that sets a target's automatic configuration script: leave it alone, switch it
// off, or use a URL.
#pragma once

#include <string>

#include "ui/XALDialog.h"
#include "ui/XALDialogContext.h"

namespace xal {

class TfmXALConfigAutoConfigURL : public TXALDialog {
 public:
  explicit TfmXALConfigAutoConfigURL(TXALDialogContext& context);

  // Empty selects "no setting", "off" in any letter case "switched off", anything else the URL.
  void SetAutoConfigURL(const std::string& url);
  // Empty, "off", or the URL as typed (empty too, which leaves the setting alone), after OK.
  std::string AutoConfigURL() const;

 protected:
  void OnShow() override;
  void OnClick(const std::string& name) override;
  bool OnConfirm() override;

 private:
  void ApplyEnabling();

  TXALDialogContext& context_;
};

}  // namespace xal
