#include "ui/XALConfigPrinter.h"

#include <algorithm>

#include "catalogue/SameText.h"
#include "catalogue/XALErrors.h"
#include "catalogue/XALItemText.h"
#include "catalogue/XALLists.h"

namespace xal {

std::vector<std::string> PrintersToAdd(std::string_view names, const TXALStringList& existing) {
  std::vector<std::string> added;
  for (std::string& name : SplitPrinterList(names)) {
    const bool known = existing.IndexOf(name) >= 0 ||
                       std::any_of(added.begin(), added.end(), [&](const std::string& earlier) {
                         return SameText(earlier, name);
                       });
    if (!known) {
      added.push_back(std::move(name));
    }
  }
  return added;
}

TfmXALConfigPrinter::TfmXALConfigPrinter(TXALDialogContext& context, TXALPrinterChoice choice)
    : TXALDialog("fmXALConfigPrinter", 392, 356), context_(context), choice_(choice) {
  Add(TXALControlKind::Label, "lbNames", {8, 8, 376, 15});
  Add(TXALControlKind::Edit, "edNames", {8, 24, 376, 21}).Tip = TXALTip::OwnText;
  Add(TXALControlKind::Label, "lbPrintersLabel", {8, 53, 376, 15});
  const TXALControlKind listKind =
      choice == TXALPrinterChoice::Several ? TXALControlKind::MultiList : TXALControlKind::List;
  Add(listKind, "lbPrinters", {8, 69, 376, 248}).Tip = TXALTip::LineUnderPointer;
  TXALControl& ok = Add(TXALControlKind::Button, "btOK", {228, 325, 75, 23});
  ok.Default = true;
  ok.Closes = TXALModalResult::OK;
  TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {309, 325, 75, 23});
  cancel.Cancel = true;
  cancel.Closes = TXALModalResult::Cancel;
}

void TfmXALConfigPrinter::OnShow() {
  LoadCaptions(context_.Language, {"btOK", "btCancel"});
  const bool several = choice_ == TXALPrinterChoice::Several;
  Mutable("lbNames").Text =
      context_.Language.Text(several ? "fmXALConfigPrinter_lbNamesCaption_Multi"
                                     : "fmXALConfigPrinter_lbNamesCaption_Single");
  Mutable("lbPrintersLabel").Text =
      context_.Language.Text(several ? "fmXALConfigPrinter_lbPrintersLabelCaption_Multi"
                                     : "fmXALConfigPrinter_lbPrintersLabelCaption_Single");

  std::vector<std::string> printers;
  try {
    printers = context_.Platform.Printers.InstalledPrinters();
  } catch (const EXALError& error) {
    // The name can still be typed; the user learns why there is nothing to pick.
    Refuse(error.what());
  }
  SetLines("lbPrinters", std::move(printers));

  if (choice_ == TXALPrinterChoice::Single) {
    const TXALControl& list = Control("lbPrinters");
    const auto line = std::find_if(list.Items.begin(), list.Items.end(),
                                   [&](const std::string& p) { return SameText(p, Names()); });
    if (line != list.Items.end()) {
      Mutable("lbPrinters").ItemIndex = static_cast<int>(line - list.Items.begin());
    }
  }
}

void TfmXALConfigPrinter::OnSelect(const std::string& name, int /*index*/) {
  if (name != "lbPrinters") {
    return;
  }
  // Every click rewrites the names from the selection, so a click that leaves nothing
  // selected empties them.
  const TXALControl& list = Control(name);
  std::string names;
  bool first = true;
  for (std::size_t i = 0; i < list.Items.size(); ++i) {
    const bool selected = list.Kind == TXALControlKind::MultiList
                              ? i < list.ItemSelected.size() && list.ItemSelected[i]
                              : static_cast<int>(i) == list.ItemIndex;
    if (selected) {
      names += first ? "" : ",";
      names += list.Items[i];
      first = false;
    }
  }
  Mutable("edNames").Text = std::move(names);
}

bool TfmXALConfigPrinter::OnConfirm() {
  return AllStorable(context_.Language, {"edNames"});
}

}  // namespace xal
