#include "ui/XALConfigSetName.h"

namespace xal {

TfmXALConfigSetName::TfmXALConfigSetName(TXALDialogContext& context)
    : TXALDialog("fmXALConfigSetName", 226, 82), context_(context) {
  Add(TXALControlKind::Label, "lbName", {8, 10, 210, 15});
  Add(TXALControlKind::Edit, "edName", {8, 26, 210, 21}).Tip = TXALTip::OwnText;
  TXALControl& ok = Add(TXALControlKind::Button, "btOK", {62, 53, 75, 23});
  ok.Default = true;
  ok.Closes = TXALModalResult::OK;
  TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {143, 53, 75, 23});
  cancel.Cancel = true;
  cancel.Closes = TXALModalResult::Cancel;
}

void TfmXALConfigSetName::OnShow() {
  LoadCaptions(context_.Language, {"lbName", "btOK", "btCancel"});
}

bool TfmXALConfigSetName::OnConfirm() {
  return AllStorable(context_.Language, {"edName"});
}

}  // namespace xal
