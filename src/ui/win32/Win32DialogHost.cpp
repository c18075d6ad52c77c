#include "ui/win32/Win32DialogHost.h"

#include "ui/win32/DialogWindow.h"

namespace xal::win32 {

TXALModalResult Win32DialogHost::ShowModal(TXALDialog& dialog) {
  // A dialog opened from a dialog is modal to that one, so both stay in front of the main window.
  HWND owner = GetActiveWindow();
  if (owner == nullptr || !DialogWindow::IsOpenDialog(owner)) {
    owner = mainWindow_ ? mainWindow_() : nullptr;
  }
  DialogWindow window(instance_, dialog);
  return window.ShowModal(owner);
}

}  // namespace xal::win32
