// Routing a window's messages to the object that made it.
#pragma once

#include <windows.h>

namespace xal::win32 {

// The object behind a window: passed as the creation parameter, kept in the window's user data
// from WM_NCCREATE on, and let go at WM_NCDESTROY. Null for messages before creation, from that
// last message on, and when the object's handle (the member `handle`) names another window;
// those messages go to DefWindowProcW.
template <typename Owner>
Owner* OwnerOfWindow(HWND window, UINT message, LPARAM lParam, HWND Owner::*handle) {
  if (message == WM_NCCREATE) {
    auto* owner =
        static_cast<Owner*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    owner->*handle = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  }
  auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (owner == nullptr || owner->*handle != window) {
    return nullptr;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    owner->*handle = nullptr;
    return nullptr;
  }
  return owner;
}

}  // namespace xal::win32
