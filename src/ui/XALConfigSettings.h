// The program settings: the window classes the placement always takes or always leaves,
// whether it considers invisible windows, and the shortcut that starts the program at log-on.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/XALComponent.h"
#include "catalogue/XALSetting.h"
#include "ui/XALDialog.h"
#include "ui/XALDialogContext.h"

namespace xal {

class TfmXALConfigSettings : public TXALDialog {
 public:
  explicit TfmXALConfigSettings(TXALDialogContext& context);

  // The settings in force become the working copy, and the check box follows them.
  void SetSetting(const TXALSetting& setting);
  // The working copy, which every edit changed; the main window takes it over after OK.
  const TXALSetting& Setting() const { return working_; }

 protected:
  void OnShow() override;
  void OnClick(const std::string& name) override;

 private:
  // Replaces the list with the list editor's lines when the editor is confirmed.
  void EditList(TXALStringList& list, std::string_view button);
  // Registers the program or removes the registration, whichever the button offers.
  void ToggleLogOnShortcut();
  // The button offers what isn't so: to register, or to remove the registration.
  void ShowRegistration();

  TXALDialogContext& context_;
  // The working copy's owner; it lives exactly as long as the dialog.
  TXALComponent owner_;
  TXALSetting working_;
};

}  // namespace xal
