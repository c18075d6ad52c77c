// How the main window's logic shows a dialog modally and learns how it was closed. The Windows
// view makes the dialog's window; the simulated platform answers with scripted results.
#pragma once

#include "ui/XALDialog.h"

namespace xal {

class IXALDialogHost {
 public:
  virtual ~IXALDialogHost() = default;
  // Shows the dialog (its Show event runs first), modal to whatever window is in front of the
  // program, until one of its events closes it; Cancel when it is closed otherwise.
  virtual TXALModalResult ShowModal(TXALDialog& dialog) = 0;
};

}  // namespace xal
