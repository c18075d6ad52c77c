#include "ui/XALConfigWiFi.h"

#include <algorithm>

#include "catalogue/SameText.h"
#include "sensing/XALProbes.h"

namespace xal {

TfmXALConfigWiFi::TfmXALConfigWiFi(TXALDialogContext& context)
    : TXALDialog("fmXALConfigWiFi", 188, 207),
      context_(context),
      subscription_(context.Current, this) {
  Add(TXALControlKind::Label, "lbName", {8, 8, 172, 15});
  Add(TXALControlKind::Edit, "edName", {8, 24, 172, 21}).Tip = TXALTip::OwnText;
  Add(TXALControlKind::Label, "lbAccessPointsLabel", {8, 53, 172, 15});
  Add(TXALControlKind::List, "lbAccessPoints", {8, 69, 172, 99}).Tip = TXALTip::LineUnderPointer;
  TXALControl& ok = Add(TXALControlKind::Button, "btOK", {26, 176, 75, 23});
  ok.Default = true;
  ok.Closes = TXALModalResult::OK;
  TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {105, 176, 75, 23});
  cancel.Cancel = true;
  cancel.Closes = TXALModalResult::Cancel;
}

void TfmXALConfigWiFi::OnShow() {
  // The language keys spell "btOk"; keys are looked up without regard to case.
  LoadCaptions(context_.Language, {"lbName", "lbAccessPointsLabel", "btOK", "btCancel"});
  std::vector<std::string> networks;
  GetWiFiNetworks(context_.Platform.Wireless, false, networks);
  // A network is reported once per stored profile; the list offers each name once.
  std::vector<std::string> lines = Control("lbAccessPoints").Items;
  for (std::string& network : networks) {
    const bool listed = std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
      return SameText(line, network);
    });
    if (!listed) {
      lines.push_back(std::move(network));
    }
  }
  SetLines("lbAccessPoints", std::move(lines));
}

void TfmXALConfigWiFi::OnSelect(const std::string& name, int index) {
  if (name == "lbAccessPoints" && index >= 0) {
    Mutable("edName").Text = Control(name).Items[static_cast<std::size_t>(index)];
  }
}

bool TfmXALConfigWiFi::OnConfirm() {
  return AllStorable(context_.Language, {"edName"});
}

void TfmXALConfigWiFi::OnWiFiChanged(const std::vector<std::string>& names) {
  SetLines("lbAccessPoints", names);
  Changed();
}

}  // namespace xal
