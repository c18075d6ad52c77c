// The dialog that names a set: to rename one, and to name the copy of one.
#pragma once

#include <string>

#include "ui/XALDialog.h"
#include "ui/XALDialogContext.h"

namespace xal {

class TfmXALConfigSetName : public TXALDialog {
 public:
  explicit TfmXALConfigSetName(TXALDialogContext& context);

  // The name the field starts with: the set's own when renaming, empty for a copy.
  void SetName(const std::string& name) { Mutable("edName").Text = name; }
  // The name as typed, empty included.
  const std::string& Name() const { return Control("edName").Text; }

 protected:
  void OnShow() override;
  bool OnConfirm() override;

 private:
  TXALDialogContext& context_;
};

}  // namespace xal
