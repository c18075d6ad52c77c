#include "ui/XALConfigDisplay.h"

#include <algorithm>

#include "catalogue/XALDisplays.h"
#include "catalogue/XALRect.h"

namespace xal {

namespace {

const char* const kSpinEdits[] = {"seNumber", "seLeft", "seTop", "seWidth", "seHeight"};
const char* const kSpinLabels[] = {"lbNumber", "lbLeft", "lbTop", "lbWidth", "lbHeight"};

}  // namespace

TfmXALConfigDisplay::TfmXALConfigDisplay(TXALDialogContext& context)
    : TXALDialog("fmXALConfigDisplay", 476, 151),
      context_(context),
      subscription_(context.Current, this) {
  // Five columns of label over field, 84 wide with 8 between.
  for (int column = 0; column < 5; ++column) {
    const int left = 8 + column * 92;
    Add(TXALControlKind::Label, kSpinLabels[column], {left, 8, 84, 15});
    Add(TXALControlKind::SpinEdit, kSpinEdits[column], {left, 24, 84, 21}).Text = "0";
  }
  Add(TXALControlKind::Label, "lbDisplaysLabel", {8, 53, 460, 15});
  Add(TXALControlKind::List, "lbDisplays", {8, 69, 460, 43}).Tip = TXALTip::LineUnderPointer;
  TXALControl& ok = Add(TXALControlKind::Button, "btOK", {312, 120, 75, 23});
  ok.Default = true;
  ok.Closes = TXALModalResult::OK;
  TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {393, 120, 75, 23});
  cancel.Cancel = true;
  cancel.Closes = TXALModalResult::Cancel;
}

void TfmXALConfigDisplay::SetDisplay(const TXALDisplay& display) {
  OriginalNumber = display.Number;
  SetSpinValue("seNumber", display.Number);
  SetSpinValue("seLeft", display.Left());
  SetSpinValue("seTop", display.Top());
  SetSpinValue("seWidth", display.Width());
  SetSpinValue("seHeight", display.Height());
}

void TfmXALConfigDisplay::SetExistingNumbers(const TXALDisplays& displays) {
  existingNumbers_.clear();
  for (int i = 0; i < displays.Count(); ++i) {
    existingNumbers_.push_back(displays.Items(i).Number);
  }
}

void TfmXALConfigDisplay::OnShow() {
  LoadCaptions(context_.Language, {"lbNumber", "lbLeft", "lbTop", "lbWidth", "lbHeight",
                                   "lbDisplaysLabel", "btOK", "btCancel"});
  ListDisplays(context_.Current.lbDisplays());
}

void TfmXALConfigDisplay::ListDisplays(const std::vector<TXALDisplayLine>& lines) {
  std::vector<std::string> texts;
  monitors_.clear();
  for (const TXALDisplayLine& line : lines) {
    texts.push_back(line.Text);
    monitors_.push_back(line.Monitor);
  }
  SetLines("lbDisplays", std::move(texts));
}

void TfmXALConfigDisplay::OnSelect(const std::string& name, int index) {
  if (name != "lbDisplays" || index < 0) {
    return;
  }
  // Line p stands for the monitor at position p, which is display p + 1.
  const TXALRect& bounds = monitors_[static_cast<std::size_t>(index)].Bounds;
  SetSpinValue("seNumber", index + 1);
  SetSpinValue("seLeft", bounds.Left);
  SetSpinValue("seTop", bounds.Top);
  SetSpinValue("seWidth", RectWidth(bounds));
  SetSpinValue("seHeight", RectHeight(bounds));
}

bool TfmXALConfigDisplay::OnConfirm() {
  // Text that isn't a number would otherwise be taken as 0 without a word.
  for (const char* field : kSpinEdits) {
    if (!SpinValid(field)) {
      Refuse(context_.Language.Text("fmXALConfigDisplay_InvalidNumberMsg"));
      return false;
    }
  }
  const int number = Number();
  const bool taken =
      std::find(existingNumbers_.begin(), existingNumbers_.end(), number) != existingNumbers_.end();
  if (taken && number != OriginalNumber) {
    Refuse(context_.Language.Text("fmXALConfigDisplay_NumberExistsMsg") + "(" +
           std::to_string(number) + ")");
    return false;
  }
  return true;
}

void TfmXALConfigDisplay::OnDisplaysChanged(const std::vector<TXALDisplayLine>& lines) {
  ListDisplays(lines);
  Changed();
}

}  // namespace xal
