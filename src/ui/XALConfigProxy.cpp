#include "ui/XALConfigProxy.h"

#include "catalogue/SameText.h"

namespace xal {
namespace {

constexpr char kOff[] = "off";

// A TCP port: decimal digits only, 1 to 65535. Blanks or a sign would end up inside the proxy
// text the system is given.
bool IsPort(const std::string& text) {
  if (text.empty() || text.size() > 5) {
    return false;
  }
  unsigned value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value >= 1 && value <= 65535;
}

}  // namespace

const char* const kDefaultProxyPort = "8080";

TfmXALConfigProxy::TfmXALConfigProxy(TXALDialogContext& context)
    : TXALDialog("fmXALConfigProxy", 257, 160), context_(context) {
  Add(TXALControlKind::RadioButton, "rbNoSetting", {8, 8, 241, 19}).Checked = true;
  Add(TXALControlKind::RadioButton, "rbDisableProxy", {8, 27, 241, 19});
  Add(TXALControlKind::RadioButton, "rbEnableProxy", {8, 46, 241, 19});
  Add(TXALControlKind::Label, "lbAddress", {24, 70, 150, 15});
  Add(TXALControlKind::Edit, "edAddress", {24, 86, 150, 21}).Tip = TXALTip::OwnText;
  Add(TXALControlKind::Label, "lbPort", {182, 70, 67, 15});
  Add(TXALControlKind::Edit, "edPort", {182, 86, 67, 21}).Tip = TXALTip::OwnText;
  TXALControl& ok = Add(TXALControlKind::Button, "btOK", {93, 129, 75, 23});
  ok.Default = true;
  ok.Closes = TXALModalResult::OK;
  TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {174, 129, 75, 23});
  cancel.Cancel = true;
  cancel.Closes = TXALModalResult::Cancel;
  ApplyEnabling();
}

void TfmXALConfigProxy::SetProxy(const std::string& proxy) {
  const char* selected = "rbEnableProxy";
  if (proxy.empty()) {
    selected = "rbNoSetting";
  } else if (SameText(proxy, kOff)) {
    selected = "rbDisableProxy";
  } else {
    // A server written without a port is all address; the port then comes from OK.
    const std::size_t colon = proxy.rfind(':');
    Mutable("edAddress").Text = proxy.substr(0, colon);
    Mutable("edPort").Text = colon == std::string::npos ? std::string() : proxy.substr(colon + 1);
  }
  for (const char* name : {"rbNoSetting", "rbDisableProxy", "rbEnableProxy"}) {
    Mutable(name).Checked = std::string_view(name) == selected;
  }
  ApplyEnabling();
}

std::string TfmXALConfigProxy::Proxy() const {
  if (Control("rbNoSetting").Checked) {
    return {};
  }
  if (Control("rbDisableProxy").Checked) {
    return kOff;
  }
  const std::string& port = Control("edPort").Text;
  return Control("edAddress").Text + ":" + (port.empty() ? kDefaultProxyPort : port);
}

void TfmXALConfigProxy::OnShow() {
  LoadCaptions(context_.Language, {"rbNoSetting", "rbDisableProxy", "rbEnableProxy", "lbAddress",
                                   "lbPort", "btOK", "btCancel"});
}

void TfmXALConfigProxy::OnClick(const std::string& /*name*/) {
  ApplyEnabling();
}

void TfmXALConfigProxy::ApplyEnabling() {
  const bool on = Control("rbEnableProxy").Checked;
  for (const char* name : {"lbAddress", "edAddress", "lbPort", "edPort"}) {
    Mutable(name).Enabled = on;
  }
}

bool TfmXALConfigProxy::OnConfirm() {
  if (!Control("rbEnableProxy").Checked) {
    return true;
  }
  std::string& port = Mutable("edPort").Text;
  if (port.empty()) {
    port = kDefaultProxyPort;
  }
  if (!AllStorable(context_.Language, {"edAddress", "edPort"})) {
    return false;
  }
  // The system would be handed a server it can't reach, and every browser would stop working
  // where the set matches.
  if (Control("edAddress").Text.empty()) {
    Refuse(context_.Language.Text("fmXALConfigProxy_NoAddressMsg"));
    return false;
  }
  if (!IsPort(port)) {
    Refuse(context_.Language.Text("fmXALConfigProxy_InvalidPortMsg"));
    return false;
  }
  return true;
}

}  // namespace xal
