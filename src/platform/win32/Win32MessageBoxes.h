// Modal message boxes of Windows, titled with the application title.
#pragma once

#include <windows.h>

#include <string>

#include "platform/MessageBoxes.h"

namespace xal::win32 {

class Win32MessageBoxes : public IMessageBoxes {
 public:
  explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}

  // The window the boxes belong to; none until the main window exists.
  void SetOwner(HWND owner) { owner_ = owner; }

  void ShowError(const std::string& text) override;
  TXALAnswer ConfirmOkCancel(const std::string& text) override;
  TXALAnswer ConfirmYesNoCancel(const std::string& text) override;

 private:
  int Show(const std::string& text, UINT type) const;

  HWND owner_;
};

}  // namespace xal::win32
