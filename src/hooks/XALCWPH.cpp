// XALCWPH.DLL: reports windows whose caption may have changed, in every process, to one window.
//
// A global WH_CALLWNDPROCRET hook, for the same reason as the activation hook beside it: the
// notice names a window of any process, and the program reads its caption when it arrives. The
// library is mapped into every process of its bitness, so the hook procedure only looks at the
// message number and the style before it passes the call on.
//
// Caption notices are posted, lParam naming the window. They follow WM_SETTEXT (the caption was
// set) and WM_NCACTIVATE when the window becomes active (a caption set without WM_SETTEXT, as at
// creation, is then picked up). Only top-level windows are reported: child controls have no
// caption the program shows. Windows of the notified window's own process are skipped, since
// handling a notice may itself set text there and would report itself again.
//
// The window to notify lives in a section shared by every process that maps this file.

#include "GlobalHook.h"

extern "C" {
__declspec(dllexport) void __stdcall StartCallWndProcRetHook(HWND target);
__declspec(dllexport) void __stdcall StopCallWndProcRetHook();
__declspec(dllexport) UINT __stdcall GetCallWndProcRetHookMsgID();
}

namespace {

// Shared between processes: must be initialised, or the compiler may put them elsewhere.
__attribute__((section(".shared"), shared)) UINT sharedCaptionMsg = 0;

UINT CaptionMsg() {
  return RegisterWindowMessageW(L"Kelpra.XALCWPH.Caption");
}

bool MayChangeCaption(const CWPRETSTRUCT& call) {
  return call.message == WM_SETTEXT || (call.message == WM_NCACTIVATE && call.wParam != 0);
}

LRESULT CALLBACK CallWndProcRetProc(int code, WPARAM wParam, LPARAM lParam) {
  const HWND target = sharedTarget;
  if (code == HC_ACTION && target != nullptr) {
    const auto& call = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (MayChangeCaption(call) && (GetWindowLongPtrW(call.hwnd, GWL_STYLE) & WS_CHILD) == 0 &&
        GetCurrentProcessId() != sharedTargetProcess) {
      PostMessageW(target, sharedCaptionMsg, 0, reinterpret_cast<LPARAM>(call.hwnd));
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

void RegisterNotices() {
  sharedCaptionMsg = CaptionMsg();
}

void __stdcall StartCallWndProcRetHook(HWND target) {
  StartGlobalHook(target, WH_CALLWNDPROCRET, CallWndProcRetProc);
}

void __stdcall StopCallWndProcRetHook() {
  StopGlobalHook();
}

UINT __stdcall GetCallWndProcRetHookMsgID() {
  return CaptionMsg();
}
