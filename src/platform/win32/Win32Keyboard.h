// The keyboard as it is at the moment of asking, whichever window has the input.
#pragma once

#include "platform/Keyboard.h"

namespace xal::win32 {

class Win32Keyboard : public IKeyboard {
 public:
  Win32Keyboard() = default;

  bool IsShiftDown() const override;
};

}  // namespace xal::win32
