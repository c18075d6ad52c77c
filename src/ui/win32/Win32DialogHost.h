// Shows the presenters' dialogs as windows, modal to the dialog in front or to the main window.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/XALDialogHost.h"

namespace xal::win32 {

class Win32DialogHost : public IXALDialogHost {
 public:
  // mainWindow gives the window dialogs are modal to when no dialog is open.
  Win32DialogHost(HINSTANCE instance, std::function<HWND()> mainWindow)
      : instance_(instance), mainWindow_(std::move(mainWindow)) {}

  TXALModalResult ShowModal(TXALDialog& dialog) override;

 private:
  HINSTANCE instance_;
  std::function<HWND()> mainWindow_;
};

}  // namespace xal::win32
