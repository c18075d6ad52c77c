// Finding the message box a thread shows, for tests that answer it from another thread.
#pragma once

#include <windows.h>

#include <string>

namespace xal::win32 {

// A named CALLBACK function: on i686 a lambda does not convert to the stdcall WNDENUMPROC.
inline BOOL CALLBACK TakeVisibleDialog(HWND window, LPARAM result) {
  wchar_t className[16];
  if (GetClassNameW(window, className, 16) > 0 && std::wstring(className) == L"#32770" &&
      IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
  }
  return TRUE;
}

// The visible dialog of the thread, or null.
inline HWND FindBoxOfThread(DWORD threadId) {
  HWND box = nullptr;
  EnumThreadWindows(threadId, &TakeVisibleDialog, reinterpret_cast<LPARAM>(&box));
  return box;
}

}  // namespace xal::win32
