// The dialog that edits one program a set starts: what to open, with which parameters and in
// which folder, and whether only when the set newly matches. It can start it to try.
#pragma once

#include <string>

#include "catalogue/XALStartups.h"
#include "ui/XALDialog.h"
#include "ui/XALDialogContext.h"

namespace xal {

class TfmXALConfigStartup : public TXALDialog {
 public:
  explicit TfmXALConfigStartup(TXALDialogContext& context);

  // The entry being edited; a new one leaves the fields empty and the check box cleared.
  void SetStartup(const TXALStartup& startup);
  // The five values as typed, after OK.
  void GetStartup(TXALStartup& startup) const;
  // An entry with neither a name nor a file path is no entry: OK then neither adds one nor
  // changes the one being edited.
  bool DescribesNothing() const;

 protected:
  void OnShow() override;
  void OnClick(const std::string& name) override;
  bool OnConfirm() override;

 private:
  TXALDialogContext& context_;
};

}  // namespace xal
