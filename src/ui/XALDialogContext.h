// What every dialog may reach: the platform, the texts, the current-environment store that
// pushes fresh lists into open dialogs, the host for dialogs it opens itself, and the choosers.
#pragma once

#include "platform/FileDialogs.h"
#include "platform/LogOnShortcut.h"
#include "platform/XALPlatform.h"
#include "sensing/XALCurrent.h"
#include "ui/XALDialogHost.h"
#include "ui/XALLanguage.h"

namespace xal {

class TXALWindowIntake;

struct TXALDialogContext {
  TXALPlatform& Platform;
  const TXALLanguage& Language;
  TfmXALCurrent& Current;
  IXALDialogHost& Host;
  IFileDialogs& FileDialogs;
  ILogOnShortcut& LogOnShortcut;
  // The windows that rule dialogs try a rule on; null before the window intake exists.
  TXALWindowIntake* Intake = nullptr;
};

// Registers a dialog for the current-environment store's pushes for as long as it lives.
class TXALCurrentSubscription {
 public:
  TXALCurrentSubscription(TfmXALCurrent& current, IXALCurrentListener* listener)
      : current_(current), listener_(listener) {
    current_.AddListener(listener_);
  }
  ~TXALCurrentSubscription() { current_.RemoveListener(listener_); }
  TXALCurrentSubscription(const TXALCurrentSubscription&) = delete;
  TXALCurrentSubscription& operator=(const TXALCurrentSubscription&) = delete;

 private:
  TfmXALCurrent& current_;
  IXALCurrentListener* listener_;
};

}  // namespace xal
