#include "ui/XALConfigEnvIPAddress.h"

#include "catalogue/XALItemText.h"
#include "sensing/XALNetwork.h"

namespace xal {

std::string PatternOfAddressLine(const std::string& line, bool withWildcard) {
  std::string address = AddressOfLine(line);
  if (withWildcard) {
    const std::size_t dot = address.rfind('.');
    if (dot != std::string::npos) {
      address.resize(dot + 1);
      address += '*';
    }
  }
  return address;
}

TfmXALConfigEnvIPAddress::TfmXALConfigEnvIPAddress(TXALDialogContext& context)
    : TXALDialog("fmXALConfigEnvIPAddress", 450, 206),
      context_(context),
      subscription_(context.Current, this) {
  Add(TXALControlKind::Label, "lbNames", {8, 8, 434, 15});
  Add(TXALControlKind::Edit, "edAddress", {8, 24, 434, 21}).Tip = TXALTip::OwnText;
  Add(TXALControlKind::CheckBox, "cbImportWithWildcard", {8, 51, 434, 17}).Checked = true;
  Add(TXALControlKind::Label, "lbIPAddressesLabel", {8, 74, 434, 15});
  Add(TXALControlKind::List, "lbIPAddresses", {8, 90, 434, 77}).Tip = TXALTip::LineUnderPointer;
  TXALControl& ok = Add(TXALControlKind::Button, "btOK", {286, 175, 75, 23});
  ok.Default = true;
  ok.Closes = TXALModalResult::OK;
  TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {367, 175, 75, 23});
  cancel.Cancel = true;
  cancel.Closes = TXALModalResult::Cancel;
}

void TfmXALConfigEnvIPAddress::OnShow() {
  LoadCaptions(context_.Language,
               {"lbNames", "cbImportWithWildcard", "lbIPAddressesLabel", "btOK", "btCancel"});
  SetLines("lbIPAddresses", context_.Current.lbIPAddresses());
}

void TfmXALConfigEnvIPAddress::OnSelect(const std::string& name, int index) {
  if (name == "lbIPAddresses" && index >= 0) {
    Mutable("edAddress").Text =
        PatternOfAddressLine(Control(name).Items[static_cast<std::size_t>(index)],
                             Control("cbImportWithWildcard").Checked);
  }
}

bool TfmXALConfigEnvIPAddress::OnConfirm() {
  // Untrimmed: a blank around the pattern is refused, not silently dropped. A valid pattern
  // holds only digits, dots and stars, so the data file can always store it.
  if (!IsIPAddressPattern(Control("edAddress").Text)) {
    Refuse(context_.Language.Text("fmXALConfigEnvIPAddress_InvalidIPAddressMsg"));
    return false;
  }
  return true;
}

void TfmXALConfigEnvIPAddress::OnIPAddressesChanged(const std::vector<std::string>& lines) {
  SetLines("lbIPAddresses", lines);
  Changed();
}

}  // namespace xal
