// The dialog that names printers: several at once for an environment, or one, for an
// environment's printer or a target's default printer, offering the installed printers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/XALDialog.h"
#include "ui/XALDialogContext.h"

namespace xal {

class TXALStringList;

enum class TXALPrinterChoice {
  // One printer: lbPrinters selects one line.
  Single,
  // Printers to add: lbPrinters selects any number of lines.
  Several,
};

class TfmXALConfigPrinter : public TXALDialog {
 public:
  TfmXALConfigPrinter(TXALDialogContext& context, TXALPrinterChoice choice);

  TXALPrinterChoice Choice() const { return choice_; }
  // The printer being edited, or the current default printer; in single mode its line is
  // selected when the dialog is shown.
  void SetNames(const std::string& names) { Mutable("edNames").Text = names; }
  // As typed or picked; the caller trims it (single mode) or splits it with PrintersToAdd.
  const std::string& Names() const { return Control("edNames").Text; }

 protected:
  void OnShow() override;
  void OnSelect(const std::string& name, int index) override;
  bool OnConfirm() override;

 private:
  TXALDialogContext& context_;
  TXALPrinterChoice choice_;
};

// The names that several-mode text adds to a set's printers: the pieces between commas,
// trimmed, without empty ones, and without those the set already has or an earlier piece gave
// (letter case ignored), in the order typed.
std::vector<std::string> PrintersToAdd(std::string_view names, const TXALStringList& existing);

}  // namespace xal
