// Shows dialogs the way a test scripts them: each modal show runs the dialog's Show event, then
// the next script, which acts on the dialog as a person would and closes it.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/XALDialogHost.h"

namespace xal::sim {

class SimDialogHost : public IXALDialogHost {
 public:
  using Script = std::function<void(TXALDialog&)>;

  TXALModalResult ShowModal(TXALDialog& dialog) override {
    shown.push_back(dialog.FormName());
    dialog.Show();
    if (!scripts.empty()) {
      Script script = std::move(scripts.front());
      scripts.pop_front();
      script(dialog);
    }
    while (dialog.HasMessage()) {
      messages.push_back(dialog.TakeMessage());
    }
    // A script that leaves the dialog open has the user close it.
    return dialog.Result() == TXALModalResult::None ? TXALModalResult::Cancel : dialog.Result();
  }

  std::deque<Script> scripts;
  // Form names in the order the dialogs were shown.
  std::vector<std::string> shown;
  // Refusals and notices the dialogs showed.
  std::vector<std::string> messages;
};

// Scripts for the common cases.
inline SimDialogHost::Script PressOK() {
  return [](TXALDialog& dialog) {
    for (const TXALControl& control : dialog.Controls()) {
      if (control.Closes == TXALModalResult::OK) {
        dialog.Click(control.Name);
        return;
      }
    }
  };
}

inline SimDialogHost::Script PressCancel() {
  return [](TXALDialog& dialog) { dialog.PressEscape(); };
}

}  // namespace xal::sim
