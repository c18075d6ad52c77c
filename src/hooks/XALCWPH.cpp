// XALCWPH.DLL: reports windows whose caption may have changed, in every process, to one window.
//
// A global WH_CALLWNDPROCRET hook, for the same reason as the activation hook beside it: the
// notice names a window of any process, and the program reads its caption when it arrives. The
// library is mapped into every process of its bitness, so the hook procedure looks at the message
// number before it asks the system anything, and always passes the call on.
//
// Caption notices are posted, lParam naming the window; which calls lead to one is in
// CaptionNotice.h. Whose window it is comes from the window itself: the 32-bit build hears 64-bit
// programs through calls that the system runs in the notified program's own process.
//
// The window to notify lives in a section shared by every process that maps this file; the
// message number is registered in each process, so nothing written there can change it.

#include "CaptionNotice.h"
#include "GlobalHook.h"

extern "C" {
__declspec(dllexport) void __stdcall StartCallWndProcRetHook(HWND target);
__declspec(dllexport) void __stdcall StopCallWndProcRetHook();
__declspec(dllexport) UINT __stdcall GetCallWndProcRetHookMsgID();
}

namespace {

UINT captionMsg = 0;

UINT CaptionMsg() {
  return Registered(captionMsg, L"Kelpra.XALCWPH.Caption");
}

LRESULT CALLBACK CallWndProcRetProc(int code, WPARAM wParam, LPARAM lParam) {
  const HWND target = Target();
  if (code == HC_ACTION && target != nullptr) {
    const auto& call = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    // Most calls end at the message number, before anything is asked of the system.
    if (call.message == WM_SETTEXT || call.message == WM_NCACTIVATE) {
      xal::hooks::ReturnedCall returned;
      returned.message = call.message;
      returned.activating = call.wParam != 0;
      returned.child = (GetWindowLongPtrW(call.hwnd, GWL_STYLE) & WS_CHILD) != 0;
      DWORD windowProcess = 0;
      GetWindowThreadProcessId(call.hwnd, &windowProcess);
      returned.windowProcess = windowProcess;
      if (xal::hooks::ReportsCaption(returned, TargetProcess())) {
        if (const UINT notice = CaptionMsg(); notice != 0) {
          PostMessageW(target, notice, 0, reinterpret_cast<LPARAM>(call.hwnd));
        }
      }
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

void __stdcall StartCallWndProcRetHook(HWND target) {
  StartGlobalHook(target, WH_CALLWNDPROCRET, CallWndProcRetProc);
}

void __stdcall StopCallWndProcRetHook() {
  StopGlobalHook();
}

UINT __stdcall GetCallWndProcRetHookMsgID() {
  return CaptionMsg();
}
