// The keyboard state of the calling thread, as its messages have last seen it.
#pragma once

#include "platform/Keyboard.h"

namespace xal::win32 {

class Win32Keyboard : public IKeyboard {
 public:
  Win32Keyboard() = default;

  bool IsShiftDown() const override;
};

}  // namespace xal::win32
