// What other processes may rely on to drive the running program: the main window's class, the
// tray icon's callback message and the command numbers of the tray menu. The end-to-end test
// driver uses them too.
#pragma once

namespace xal::win32 {

constexpr wchar_t kMainWindowClass[] = L"TfmXALMain";
constexpr wchar_t kApplicationTitle[] = L"Kelpra Tremvale";

// WM_APP + 1: the tray icon's callback; lParam holds the mouse message (WM_RBUTTONUP opens the
// menu, WM_LBUTTONDBLCLK restores the window).
constexpr unsigned kTrayCallbackMessage = 0x8000 + 1;

// WM_COMMAND identifiers of the tray menu items.
enum TrayCommand : unsigned {
  kCmdRestore = 1001,
  kCmdRecheck = 1002,
  kCmdSetIPAddresses = 1003,
  kCmdQuit = 1004,
};

}  // namespace xal::win32
