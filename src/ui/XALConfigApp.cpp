#include "ui/XALConfigApp.h"

#include <cstdint>
#include <iterator>

#include "catalogue/XALErrors.h"
#include "placement/XALWindowIntake.h"
#include "ui/XALFieldName.h"

namespace xal {
namespace {

constexpr int kStateCount = 3;
// Caption and task-bar button, as the current-environment window flashes a window.
constexpr int kFlashCount = 5;

const char* const kSpinEdits[] = {"seDisplay", "seLeft", "seTop", "seWidth", "seHeight"};
const char* const kSpinLabels[] = {"lbDisplay", "lbLeft", "lbTop", "lbWidth", "lbHeight"};

}  // namespace

TfmXALConfigApp::TfmXALConfigApp(TXALDialogContext& context)
    : TXALDialog("fmXALConfigApp", 667, 396),
      context_(context),
      placer_(context.Platform.Windows, context.Platform.Monitors),
      subscription_(context.Current, this) {
  Add(TXALControlKind::Label, "lbName", {8, 8, 332, 15});
  Add(TXALControlKind::Edit, "edName", {8, 24, 332, 21}).Tip = TXALTip::OwnText;
  Add(TXALControlKind::Label, "lbClass", {8, 52, 332, 15});
  Add(TXALControlKind::Edit, "edClass", {8, 68, 332, 21}).Tip = TXALTip::OwnText;
  Add(TXALControlKind::Label, "lbTitle", {8, 96, 332, 15});
  Add(TXALControlKind::Edit, "edTitle", {8, 112, 332, 21}).Tip = TXALTip::OwnText;
  for (int i = 0; i < 5; ++i) {
    const int left = 8 + i * 68;
    Add(TXALControlKind::Label, kSpinLabels[i], {left, 140, 60, 15});
    Add(TXALControlKind::SpinEdit, kSpinEdits[i], {left, 156, 60, 21});
  }
  TXALControl& state = Add(TXALControlKind::RadioGroup, "rgState", {8, 186, 130, 84});
  state.Items.resize(kStateCount);
  Add(TXALControlKind::GroupBox, "gbDefaultPrinter", {146, 186, 194, 84});
  Add(TXALControlKind::ValueLabel, "lbDefaultPrinter", {154, 206, 178, 15}, "gbDefaultPrinter")
      .Tip = TXALTip::OwnText;
  Add(TXALControlKind::Button, "btNoDefaultPrinter", {154, 237, 75, 23}, "gbDefaultPrinter");
  Add(TXALControlKind::Label, "lbPrintersLabel", {8, 278, 332, 15});
  Add(TXALControlKind::List, "lbPrinters", {8, 294, 332, 63}).Tip = TXALTip::LineUnderPointer;
  Add(TXALControlKind::Label, "lbAppsLabel", {348, 8, 311, 15});
  Add(TXALControlKind::List, "lbApps", {348, 24, 311, 306}).Tip = TXALTip::LineUnderPointer;
  Add(TXALControlKind::CheckBox, "cbWithTitle", {348, 338, 311, 19});
  Add(TXALControlKind::Button, "btSet", {8, 365, 75, 23});
  TXALControl& ok = Add(TXALControlKind::Button, "btOK", {503, 365, 75, 23});
  ok.Default = true;
  ok.Closes = TXALModalResult::OK;
  TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {584, 365, 75, 23});
  cancel.Cancel = true;
  cancel.Closes = TXALModalResult::Cancel;
}

void TfmXALConfigApp::SetRule(const TXALApp& rule) {
  working_.Assign(rule);
}

void TfmXALConfigApp::SetInstalledPrinters(std::vector<std::string> printers) {
  printers_ = std::move(printers);
  printersGiven_ = true;
}

void TfmXALConfigApp::OnShow() {
  const TXALLanguage& language = context_.Language;
  LoadCaptions(language,
               {"lbName", "lbClass", "lbTitle", "lbDisplay", "lbLeft", "lbTop", "lbWidth",
                "lbHeight", "rgState", "gbDefaultPrinter", "btNoDefaultPrinter", "lbAppsLabel",
                "cbWithTitle", "lbPrintersLabel", "btSet", "btOK", "btCancel"});
  // One item per state, whatever the language file holds, so that every state can be chosen.
  std::vector<std::string> states = language.Items("fmXALConfigApp_rgStateItems");
  states.resize(kStateCount);
  Mutable("rgState").Items = std::move(states);

  ShowApps(context_.Current.lbApps());
  if (!printersGiven_) {
    try {
      printers_ = context_.Platform.Printers.InstalledPrinters();
    } catch (const EXALError& error) {
      // The rule can still be edited, and its printer stays as it is.
      printers_.clear();
      Refuse(error.what());
    }
  }
  SetLines("lbPrinters", printers_);

  Mutable("edName").Text = working_.Name;
  Mutable("edClass").Text = working_.WindowClass;
  Mutable("edTitle").Text = working_.Title;
  FillPlacement(working_);
  Mutable("lbDefaultPrinter").Text = working_.DefaultPrinter;
}

void TfmXALConfigApp::FillPlacement(const TXALApp& rule) {
  SetSpinValue("seDisplay", rule.Display);
  SetSpinValue("seLeft", rule.Left());
  SetSpinValue("seTop", rule.Top());
  SetSpinValue("seWidth", rule.Width());
  SetSpinValue("seHeight", rule.Height());
  Mutable("rgState").ItemIndex = static_cast<int>(rule.State);
}

void TfmXALConfigApp::OnAppsChanged(const std::vector<TXALAppLine>& lines) {
  ShowApps(lines);
  Changed();
}

void TfmXALConfigApp::ShowApps(const std::vector<TXALAppLine>& lines) {
  std::vector<std::string> texts;
  std::vector<std::uint64_t> handles;
  texts.reserve(lines.size());
  handles.reserve(lines.size());
  for (const TXALAppLine& line : lines) {
    texts.push_back(line.Text);
    handles.push_back(line.Handle);
  }
  SetLines("lbApps", std::move(texts), std::move(handles));
}

void TfmXALConfigApp::OnSelect(const std::string& name, int index) {
  if (index < 0) {
    return;
  }
  const TXALControl& list = Control(name);
  if (name == "lbPrinters") {
    Mutable("lbDefaultPrinter").Text = list.Items[static_cast<std::size_t>(index)];
    return;
  }
  if (name != "lbApps") {
    return;
  }
  TXALApp captured(nullptr);
  if (!placer_.CaptureWindow(list.ItemData[static_cast<std::size_t>(index)], captured)) {
    return;  // the window has closed since it was listed
  }
  // The class names the rule until the user names it; the title only when asked for, so that
  // by default the rule takes every window of the class.
  Mutable("edName").Text = captured.WindowClass;
  Mutable("edClass").Text = captured.WindowClass;
  Mutable("edTitle").Text = Control("cbWithTitle").Checked ? captured.Title : std::string();
  FillPlacement(captured);
}

void TfmXALConfigApp::OnDoubleClick(const std::string& name, int index) {
  if (name != "lbApps") {
    return;
  }
  const TXALWindowHandle window = Control(name).ItemData[static_cast<std::size_t>(index)];
  context_.Platform.Windows.SetForeground(window);
  context_.Platform.Windows.Flash(window, kFlashCount);
}

void TfmXALConfigApp::OnClick(const std::string& name) {
  if (name == "btNoDefaultPrinter") {
    Mutable("lbDefaultPrinter").Text.clear();
  } else if (name == "btSet") {
    if (WriteFields() && context_.Intake != nullptr) {
      context_.Intake->PlaceOnHandledWindows(working_);
    }
  }
}

bool TfmXALConfigApp::OnConfirm() {
  return AllStorable(context_.Language, {"edName", "edClass", "edTitle", "lbDefaultPrinter"}) &&
         WriteFields();
}

bool TfmXALConfigApp::NumbersValid() {
  for (std::size_t i = 0; i < std::size(kSpinEdits); ++i) {
    if (!SpinValid(kSpinEdits[i])) {
      // Read as 0, a mistyped number would move the window to the display's corner or shrink
      // it to nothing.
      Refuse(context_.Language.Text("fmXALConfigApp_NotANumberMsg") +
             FieldName(Control(kSpinLabels[i]).Text));
      return false;
    }
  }
  return true;
}

bool TfmXALConfigApp::WriteFields() {
  if (!NumbersValid()) {
    return false;
  }
  working_.Name = Control("edName").Text;
  working_.WindowClass = Control("edClass").Text;
  working_.Title = Control("edTitle").Text;
  working_.Display = SpinValue("seDisplay");
  const int left = SpinValue("seLeft");
  const int top = SpinValue("seTop");
  working_.Position =
      TXALRect{left, top, WrapAdd(left, SpinValue("seWidth")), WrapAdd(top, SpinValue("seHeight"))};
  const int state = Control("rgState").ItemIndex;
  working_.State =
      state >= 0 && state < kStateCount ? static_cast<TXALAppState>(state) : TXALAppState::Normal;
  working_.DefaultPrinter = Control("lbDefaultPrinter").Text;
  return true;
}

}  // namespace xal
