// Where the program's own windows open on the desktop.
#pragma once

#include <windows.h>

namespace xal::win32 {

// Moves the window, keeping its size, to the middle of the primary display's work area, the part
// the task bar leaves free.
inline void CenterInWorkArea(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = work.left + (work.right - work.left - (frame.right - frame.left)) / 2;
  const int top = work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2;
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace xal::win32
