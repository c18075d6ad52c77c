// The dots per inch a window is laid out for, and the system's message font at that scale. The
// program is per-monitor aware, so each window follows the display it is on.
#pragma once

#include <windows.h>

namespace xal::win32 {

namespace detail {
// Windows 10 calls, looked up so that older systems (and Wine versions without them) fall back
// to the system's DPI.
template <typename Fn>
Fn User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 != nullptr
             ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
             : nullptr;
}
}  // namespace detail

inline int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) {
    ReleaseDC(nullptr, screen);
  }
  return dpi > 0 ? dpi : 96;
}

// The window's DPI; the system's without a window or where the system can't tell.
inline int DpiOf(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = detail::User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (window != nullptr && getDpiForWindow != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) {
      return static_cast<int>(dpi);
    }
  }
  return SystemDpi();
}

// The font of message boxes and dialogs at the DPI; the caller deletes it.
inline HFONT CreateMessageFont(int dpi) {
  using ForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto forDpi = detail::User32Function<ForDpiFn>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (forDpi != nullptr &&
      forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi))) {
    return CreateFontIndirectW(&metrics.lfMessageFont);
  }
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    // The system's metrics are for its own DPI; a window on another display scales them.
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
    return CreateFontIndirectW(&metrics.lfMessageFont);
  }
  return nullptr;
}

}  // namespace xal::win32
