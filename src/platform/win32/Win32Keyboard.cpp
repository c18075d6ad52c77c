#include "platform/win32/Win32Keyboard.h"

#include <windows.h>

namespace xal::win32 {

bool Win32Keyboard::IsShiftDown() const {
  // The physical key now: GetKeyState follows only the input messages this thread has read,
  // and a hidden notification-area program gets none while another window has the focus.
  // The high bit, set while the key is down, makes the value negative.
  return GetAsyncKeyState(VK_SHIFT) < 0;
}

}  // namespace xal::win32
