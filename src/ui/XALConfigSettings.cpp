#include "ui/XALConfigSettings.h"

#include <exception>

#include "ui/XALConfigList.h"

namespace xal {

TfmXALConfigSettings::TfmXALConfigSettings(TXALDialogContext& context)
    : TXALDialog("fmXALConfigSettings", 266, 162), context_(context), working_(&owner_) {
  Add(TXALControlKind::Button, "btEditWhiteList", {8, 8, 250, 23});
  Add(TXALControlKind::Button, "btEditBlackList", {8, 37, 250, 23});
  Add(TXALControlKind::CheckBox, "cbManageInvisibleWindows", {8, 68, 250, 17});
  Add(TXALControlKind::Button, "btRegToStartup", {8, 93, 250, 23});
  TXALControl& ok = Add(TXALControlKind::Button, "btOK", {102, 131, 75, 23});
  ok.Default = true;
  ok.Closes = TXALModalResult::OK;
  TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {183, 131, 75, 23});
  cancel.Cancel = true;
  cancel.Closes = TXALModalResult::Cancel;
}

void TfmXALConfigSettings::SetSetting(const TXALSetting& setting) {
  working_.Assign(setting);
  Mutable("cbManageInvisibleWindows").Checked = working_.ManageInvisibleWindows;
}

void TfmXALConfigSettings::OnShow() {
  LoadCaptions(context_.Language, {"btEditWhiteList", "btEditBlackList", "cbManageInvisibleWindows",
                                   "btOK", "btCancel"});
  ShowRegistration();
}

void TfmXALConfigSettings::OnClick(const std::string& name) {
  if (name == "cbManageInvisibleWindows") {
    working_.ManageInvisibleWindows = Control(name).Checked;
  } else if (name == "btEditWhiteList") {
    EditList(working_.WhiteList, name);
  } else if (name == "btEditBlackList") {
    EditList(working_.BlackList, name);
  } else if (name == "btRegToStartup") {
    ToggleLogOnShortcut();
  }
}

void TfmXALConfigSettings::EditList(TXALStringList& list, std::string_view button) {
  TfmXALConfigList editor(context_);
  editor.SetCaption(Control(button).Text);
  editor.SetList(list);
  if (context_.Host.ShowModal(editor) == TXALModalResult::OK) {
    list = editor.List();
  }
}

void TfmXALConfigSettings::ToggleLogOnShortcut() {
  const bool registered = context_.LogOnShortcut.IsRegistered();
  try {
    if (registered) {
      context_.LogOnShortcut.Unregister();
    } else {
      context_.LogOnShortcut.Register();
    }
  } catch (const std::exception& error) {
    const char* key = registered ? "fmXALConfigSettings_UnregFromStartupFailedMsg"
                                 : "fmXALConfigSettings_RegToStartupFailedMsg";
    Refuse(context_.Language.Text(key) + error.what());
  }
  // A failed step may have left a shortcut or not; the button tells which.
  ShowRegistration();
}

void TfmXALConfigSettings::ShowRegistration() {
  const char* key = context_.LogOnShortcut.IsRegistered()
                        ? "fmXALConfigSettings_btUnregFromStartupCaption"
                        : "fmXALConfigSettings_btRegToStartupCaption";
  Mutable("btRegToStartup").Text = context_.Language.Text(key);
}

}  // namespace xal
