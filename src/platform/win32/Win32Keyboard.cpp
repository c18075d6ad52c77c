#include "platform/win32/Win32Keyboard.h"

#include <windows.h>

namespace xal::win32 {

bool Win32Keyboard::IsShiftDown() const {
  // The high bit, set while the key is down, makes the value negative.
  return GetKeyState(VK_SHIFT) < 0;
}

}  // namespace xal::win32
