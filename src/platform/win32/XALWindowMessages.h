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
// WM_APP + 2: an address-change notice of the system, posted from its thread pool; tests and
// measurements post it in the system's place where the system sends none (Wine).
constexpr unsigned kAddressNoticeMessage = 0x8000 + 2;

// WM_COMMAND identifiers of the tray menu items.
enum TrayCommand : unsigned {
  kCmdRestore = 1001,
  kCmdRecheck = 1002,
  kCmdSetIPAddresses = 1003,
  kCmdQuit = 1004,
};

// How long every tooltip of the program stays up, in milliseconds.
constexpr int kTooltipShowMs = 7000;

// WM_TIMER identifier of the 100 ms timer that holds newly placed windows in place.
constexpr unsigned kPlacementTimerId = 1;

// The hidden current-environment window and its list of application windows, most recent first;
// the list keeps its lines as strings, so LB_GETCOUNT and LB_GETTEXT read it from outside.
constexpr wchar_t kCurrentWindowClass[] = L"TfmXALCurrent";
constexpr int kCurrentAppsListId = 1208;

}  // namespace xal::win32
