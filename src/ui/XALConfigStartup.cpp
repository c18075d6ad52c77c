#include "ui/XALConfigStartup.h"

#include <optional>

#include "appliers/XALStartupRunner.h"

namespace xal {

TfmXALConfigStartup::TfmXALConfigStartup(TXALDialogContext& context)
    : TXALDialog("fmXALConfigStartup", 539, 148), context_(context) {
  Add(TXALControlKind::Label, "lbName", {8, 11, 106, 15});
  Add(TXALControlKind::Edit, "edName", {120, 8, 411, 21});
  Add(TXALControlKind::Label, "lbFilePath", {8, 38, 106, 15});
  Add(TXALControlKind::Edit, "edFilePath", {120, 35, 249, 21});
  Add(TXALControlKind::Button, "btFile", {375, 34, 75, 23});
  Add(TXALControlKind::Button, "btFolder", {456, 34, 75, 23});
  Add(TXALControlKind::Label, "lbParam", {8, 65, 106, 15});
  Add(TXALControlKind::Edit, "edParam", {120, 62, 411, 21});
  Add(TXALControlKind::Label, "lbWorkDir", {8, 92, 106, 15});
  Add(TXALControlKind::Edit, "edWorkDir", {120, 89, 411, 21});
  Add(TXALControlKind::CheckBox, "cbOnlyNew", {8, 119, 280, 19});
  Add(TXALControlKind::Button, "btExecute", {294, 117, 75, 23});
  TXALControl& ok = Add(TXALControlKind::Button, "btOK", {375, 117, 75, 23});
  ok.Default = true;
  ok.Closes = TXALModalResult::OK;
  TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {456, 117, 75, 23});
  cancel.Cancel = true;
  cancel.Closes = TXALModalResult::Cancel;
}

void TfmXALConfigStartup::SetStartup(const TXALStartup& startup) {
  Mutable("edName").Text = startup.Name;
  Mutable("edFilePath").Text = startup.FilePath;
  Mutable("edParam").Text = startup.Param;
  Mutable("edWorkDir").Text = startup.WorkDir;
  Mutable("cbOnlyNew").Checked = startup.OnlyNew;
}

void TfmXALConfigStartup::GetStartup(TXALStartup& startup) const {
  startup.Name = Control("edName").Text;
  startup.FilePath = Control("edFilePath").Text;
  startup.Param = Control("edParam").Text;
  startup.WorkDir = Control("edWorkDir").Text;
  startup.OnlyNew = Control("cbOnlyNew").Checked;
}

bool TfmXALConfigStartup::DescribesNothing() const {
  return Control("edName").Text.empty() && Control("edFilePath").Text.empty();
}

void TfmXALConfigStartup::OnShow() {
  LoadCaptions(context_.Language, {"lbName", "lbFilePath", "lbParam", "lbWorkDir", "btFile",
                                   "btFolder", "cbOnlyNew", "btExecute", "btOK", "btCancel"});
}

void TfmXALConfigStartup::OnClick(const std::string& name) {
  std::optional<std::string> chosen;
  if (name == "btFile") {
    chosen = context_.FileDialogs.ChooseFileToOpen(TXALFileChoice{});
  } else if (name == "btFolder") {
    // A folder is a startup entry of its own: the shell opens it in a window.
    chosen = context_.FileDialogs.ChooseFolder({});
  } else if (name == "btExecute") {
    ExecuteStartup(context_.Platform.Shell, Control("edFilePath").Text, Control("edParam").Text,
                   Control("edWorkDir").Text);
  }
  if (chosen) {
    Mutable("edFilePath").Text = *chosen;
  }
}

bool TfmXALConfigStartup::OnConfirm() {
  return AllStorable(context_.Language, {"edName", "edFilePath", "edParam", "edWorkDir"});
}

}  // namespace xal
