#include "ui/XALConfigAutoConfigURL.h"

#include "catalogue/SameText.h"

namespace xal {
namespace {

constexpr char kOff[] = "off";

}  // namespace

TfmXALConfigAutoConfigURL::TfmXALConfigAutoConfigURL(TXALDialogContext& context)
    : TXALDialog("fmXALConfigAutoConfigURL", 257, 136), context_(context) {
  Add(TXALControlKind::RadioButton, "rbNoSetting", {8, 6, 241, 18}).Checked = true;
  Add(TXALControlKind::RadioButton, "rbDisableAutoConfigURL", {8, 24, 241, 18});
  Add(TXALControlKind::RadioButton, "rbEnableAutoConfigURL", {8, 42, 241, 18});
  Add(TXALControlKind::Label, "lbURL", {24, 63, 225, 15});
  Add(TXALControlKind::Edit, "edURL", {24, 79, 225, 21});
  TXALControl& ok = Add(TXALControlKind::Button, "btOK", {93, 107, 75, 23});
  ok.Default = true;
  ok.Closes = TXALModalResult::OK;
  TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {174, 107, 75, 23});
  cancel.Cancel = true;
  cancel.Closes = TXALModalResult::Cancel;
  ApplyEnabling();
}

void TfmXALConfigAutoConfigURL::SetAutoConfigURL(const std::string& url) {
  const char* selected = "rbEnableAutoConfigURL";
  if (url.empty()) {
    selected = "rbNoSetting";
  } else if (SameText(url, kOff)) {
    selected = "rbDisableAutoConfigURL";
  } else {
    Mutable("edURL").Text = url;
  }
  for (const char* name : {"rbNoSetting", "rbDisableAutoConfigURL", "rbEnableAutoConfigURL"}) {
    Mutable(name).Checked = std::string_view(name) == selected;
  }
  ApplyEnabling();
}

std::string TfmXALConfigAutoConfigURL::AutoConfigURL() const {
  if (Control("rbNoSetting").Checked) {
    return {};
  }
  if (Control("rbDisableAutoConfigURL").Checked) {
    return kOff;
  }
  return Control("edURL").Text;
}

void TfmXALConfigAutoConfigURL::OnShow() {
  LoadCaptions(context_.Language, {"rbNoSetting", "rbDisableAutoConfigURL", "rbEnableAutoConfigURL",
                                   "lbURL", "btOK", "btCancel"});
}

void TfmXALConfigAutoConfigURL::OnClick(const std::string& /*name*/) {
  ApplyEnabling();
}

void TfmXALConfigAutoConfigURL::ApplyEnabling() {
  const bool on = Control("rbEnableAutoConfigURL").Checked;
  Mutable("lbURL").Enabled = on;
  Mutable("edURL").Enabled = on;
}

bool TfmXALConfigAutoConfigURL::OnConfirm() {
  return !Control("rbEnableAutoConfigURL").Checked || AllStorable(context_.Language, {"edURL"});
}

}  // namespace xal
