// XALCBTH.DLL: reports window activation and destruction in every process to one window.
//
// A global WH_CBT hook rather than an out-of-context WinEvent hook: the program reads the class
// name and caption of a window when it hears of its destruction, and only HCBT_DESTROYWND runs
// while the window still exists (EVENT_OBJECT_DESTROY comes after it is gone). The price is that
// this library is mapped into every process of its bitness, so the hook procedure does as little
// as it can and always passes the call on.
//
// Activation is posted. Destruction is sent, so that it is handled before the window dies, with a
// short timeout and SMTO_ABORTIFHUNG so that a busy or hung main window never stalls the program
// that is closing a window. The handler must read the dying window with GetClassNameW and
// GetWindowTextW, which don't call into the window's thread (blocked here by SMTO_BLOCK).
//
// The window to notify lives in a section shared by every process that maps this file; the
// message numbers are registered in each process, so nothing written there can change them.

#include "GlobalHook.h"

extern "C" {
__declspec(dllexport) void __stdcall StartCBTHook(HWND target);
__declspec(dllexport) void __stdcall StopCBTHook();
__declspec(dllexport) UINT __stdcall GetCBTHookActivateMsgID();
__declspec(dllexport) UINT __stdcall GetCBTHookDestroyWndMsgID();
}

namespace {

constexpr UINT kDestroyTimeoutMs = 500;

UINT activateMsg = 0;
UINT destroyMsg = 0;

UINT ActivateMsg() {
  return Registered(activateMsg, L"Kelpra.XALCBTH.Activate");
}
UINT DestroyMsg() {
  return Registered(destroyMsg, L"Kelpra.XALCBTH.DestroyWnd");
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  const HWND target = Target();
  if (target != nullptr) {
    if (code == HCBT_ACTIVATE) {
      if (const UINT notice = ActivateMsg(); notice != 0) {
        PostMessageW(target, notice, wParam, 0);
      }
    } else if (code == HCBT_DESTROYWND) {
      const HWND window = reinterpret_cast<HWND>(wParam);
      // Child windows are never activated, so the program never tracks them; sending for each of
      // them would cost every closing dialog a round trip per control.
      if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0) {
        if (const UINT notice = DestroyMsg(); notice != 0) {
          DWORD_PTR ignored = 0;
          SendMessageTimeoutW(target, notice, wParam, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                              kDestroyTimeoutMs, &ignored);
        }
      }
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

void __stdcall StartCBTHook(HWND target) {
  StartGlobalHook(target, WH_CBT, CbtProc);
}

void __stdcall StopCBTHook() {
  StopGlobalHook();
}

UINT __stdcall GetCBTHookActivateMsgID() {
  return ActivateMsg();
}

UINT __stdcall GetCBTHookDestroyWndMsgID() {
  return DestroyMsg();
}
