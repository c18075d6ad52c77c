// The Shift key as a test holds it.
#pragma once

#include "platform/Keyboard.h"

namespace xal::sim {

class SimKeyboard : public IKeyboard {
 public:
  bool IsShiftDown() const override { return shiftDown; }

  bool shiftDown = false;
};

}  // namespace xal::sim
